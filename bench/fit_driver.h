#pragma once
// The fit driver as the benchmarks run it: a working copy of the model, the worker thread and
// its notices, handed to the driver by the benchmark's thread as a window's message loop would.
#include <cminpack.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

#include "fit/least_squares.h"
#include "model/current.h"
#include "modes/fit_core.h"

namespace BenchFit {

struct Outcome {
    double chi2 = 0.0;
    long evaluations = 0;  // of the model over the whole grid
    int steps = 0;
    int threads = 1;
    std::vector<double> parameters;
};

// The fit's method alone from the problem's start, stepping until chi2 falls by less than the
// tolerance's share in patience steps in a row; threads: the limit of the derivative threads
// (0: the machine's cores). Problem: model, definition, variable, parameters, target, start and
// Set(values).
template <class Problem>
Outcome FitLevMarq(const Problem& problem, int part, int threads, int patience, double tolerance) {
    problem.Set(problem.start);
    auto method = Safe::MakeX<Optimize::LevMarqMethod>();
    method->SetThreadLimit(threads);
    method->SetData(problem.model, problem.definition, problem.definition->GetRoot());
    method->SetVariableMap(problem.variable);
    method->SetTarget(problem.target);
    method->SetParameters(problem.parameters);
    method->fittedPart = part;
    method->Initialize();
    Outcome outcome;
    outcome.steps = Optimize::StepUntilSettled(*method, 1000, patience, tolerance);
    method->Finish();
    outcome.chi2 = method->chi2;
    outcome.evaluations = method->GetGridEvaluations();
    outcome.threads = method->GetThreadCount();
    outcome.parameters = method->GetCurrent();
    return outcome;
}

// The owner of the fit driver's worker: notices are queued and the worker goes on at once.
class QueueOwner : public Optimize::StepSink {
public:
    void StepDone(int code) override {
        std::lock_guard<std::mutex> lock(mutex_);
        notices_.push_back(code);
        changed_.notify_all();
    }
    // Hands notices to the driver until the fit ends.
    void RunFit() {
        while (Core::FitCore::IsRunning()) {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return !notices_.empty(); });
            const int code = notices_.front();
            notices_.pop_front();
            lock.unlock();
            Core::FitCore::OnNotice(code, 0);
        }
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<int> notices_;
};

// A fit through the driver of a problem's definition (its root the target node), set up once;
// each run is prepared (not timed) and then runs a given number of steps from the problem's
// start. Problem: model, definition, parameters, target, start and Set(values).
template <class Problem>
class DriverFit {
public:
    DriverFit(const Problem& problem, int part) {
        Core::Models().Add(problem.model);
        Core::MenuCore::SetCurrentModel(problem.model);
        Core::MenuCore::SetCurrentDefinition(problem.definition);
        Core::MenuCore::SetCurrentNode(problem.definition->GetRoot());
        Core::FitCore::Initialize();
        Core::FitCore::CreateOptimizer(owner_);
        Core::FitCore::SetFitPart(part);
    }
    void Prepare(const Problem& problem, int steps) {
        problem.Set(problem.start);  // the fit's working copy takes the start
        Core::FitCore::SetMathPath();
        Core::FitCore::SetExperimentalData(problem.target);
        Core::FitCore::SetMaxSteps(steps + 1);  // the driver's last wake is its last step
        const Core::NodeMap::Ptr definition = Core::FitCore::GetDefinition();
        for (const Core::Node::Ptr& parameter : problem.parameters)
            definition->FindNode(parameter->Name())->SetMarkRecursive(true);
    }
    // threads: the limit of the derivative threads (0: the machine's cores).
    Outcome Run(int threads) {
        Core::FitCore::GetMethod()->SetThreadLimit(threads);
        Core::FitCore::StartFit();
        owner_->RunFit();
        const auto& method = *Core::FitCore::GetMethod();
        return {method.chi2, method.GetGridEvaluations(), Core::FitCore::GetStep(),
                method.GetThreadCount(), method.GetCurrent()};
    }

private:
    Safe::XPtr<QueueOwner> owner_ = Safe::MakeX<QueueOwner>();
};

// MINPACK's lmdif from start on residuals(data, m, n, x, fvec, flag), stopping as the method
// does (relative tolerance on chi2 and on the step), with forward differences of the method's
// relative step 1e-6 (epsfcn 1e-12): chi2 of the result, lmdif's evaluations, the parameters.
inline Outcome FitLmdif(cminpack_func_mn residuals, void* data, int m, std::vector<double> x,
                        double tolerance) {
    const int n = static_cast<int>(x.size());
    std::vector<double> fvec(m), diag(n), fjac(static_cast<std::size_t>(m) * n), qtf(n);
    std::vector<double> wa1(n), wa2(n), wa3(n), wa4(m);
    std::vector<int> ipvt(n);
    int nfev = 0;
    lmdif(residuals, data, m, n, x.data(), fvec.data(), tolerance, tolerance, 0.0, 200 * (n + 1),
          1e-12, diag.data(), 1, 100.0, 0, &nfev, fjac.data(), m, ipvt.data(), qtf.data(),
          wa1.data(), wa2.data(), wa3.data(), wa4.data());
    Outcome outcome;
    residuals(data, m, n, x.data(), fvec.data(), 1);
    for (double r : fvec) outcome.chi2 += r * r;
    outcome.evaluations = nfev;
    outcome.parameters = x;
    return outcome;
}

}  // namespace BenchFit
