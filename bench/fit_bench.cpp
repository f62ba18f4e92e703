// The fit of 10 Lorentz oscillators (30 parameters) to 2 x 10^4 complex residuals (10^4 points,
// real and imaginary parts) from a perturbed start, through the model engine: the
// Levenberg-Marquardt method of the fit on one thread and with its derivatives on four, the same
// fit through the fit driver, and MINPACK's lmdif driving the same residuals.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench/fit_driver.h"
#include "fit/least_squares.h"
#include "functions/families.h"
#include "model/current.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"
#include "modes/fit_core.h"

namespace {

constexpr int kOscillators = 10;
constexpr int kPoints = 10000;
constexpr int kParameters = 3 * kOscillators;
// Both stop when a step lowers chi2 by less than this share.
constexpr double kTolerance = 1e-10;
// The steps the method takes to get there, which the fit through the driver takes as well.
constexpr int kSteps = 7;

std::string Name(char kind, int k) {
    return std::string(1, kind) + std::to_string(k + 1);
}

// eps(x) = 1 + sum S w^2 / (w^2 - x^2 - i g x), as one formula of the model.
struct Problem {
    Core::MathMap::Ptr model;
    Core::NodeMap::Ptr definition;
    Core::NodeMap::Ptr variable;
    std::vector<Core::Node::Ptr> parameters;
    std::vector<double> truth;
    std::vector<double> start;
    Spectrum::Ptr target;
    Safe::XPtr<Core::MathSpectrum> scratch;

    Problem() {
        Capsule::RegisterFamilies();
        std::string arguments = "x";
        std::string body = "1";
        for (int k = 0; k < kOscillators; ++k) {
            const std::string s = Name('s', k), w = Name('w', k), g = Name('g', k);
            arguments += "," + s + "," + w + "," + g;
            body += "+" + s + "*Sqr(" + w + ")/(Sqr(" + w + ")-Sqr(x)-i*" + g + "*x)";
        }
        model = Safe::MakeX<Core::MathMap>();
        model->Label::SetName("oscillators");
        variable = model->AddMap(Core::NodeMap::CreateVariable("x"));
        definition = model->AddMap(Core::NodeMap::CreateFunction("model"));
        auto formula = Safe::MakeX<Formula>();
        formula->Define("f(" + arguments + ")=" + body, false);
        auto capsule = Safe::DynamicCast<Core::FormulaCapsule>(Core::Node::Create(12));
        capsule->SetFormula(formula);
        definition->ReplaceNode("m", capsule);
        auto reference = Safe::MakeX<Core::MapCapsule>();
        reference->SetName("x");
        reference->SetMap(variable);
        definition->ReplaceNode("x", reference);
        model->RebuildOrder();
        for (int k = 0; k < kOscillators; ++k) {
            const double values[3] = {0.5 + 0.1 * k, 300.0 + 150.0 * k, 20.0 + 2.0 * k};
            // Off by 10 % in strength and width, 1 % in position, alternating in sign.
            const double sign = k % 2 == 0 ? 1.0 : -1.0;
            const double offsets[3] = {1.0 + 0.1 * sign, 1.0 - 0.01 * sign, 1.0 + 0.1 * sign};
            const char kinds[3] = {'s', 'w', 'g'};
            for (int j = 0; j < 3; ++j) {
                parameters.push_back(definition->FindNode(Name(kinds[j], k)));
                truth.push_back(values[j]);
                start.push_back(values[j] * offsets[j]);
            }
        }
        scratch = Safe::MakeX<Core::MathSpectrum>();
        scratch->Resize(kPoints);
        for (int i = 0; i < kPoints; ++i) (*scratch->X())[i] = 200.0 + 1800.0 * i / (kPoints - 1);
        scratch->GetUnit()->Bind(model, definition, definition->GetRoot(), variable);
        scratch->GetUnit()->enabled = false;
        Set(truth);
        scratch->Refresh();
        target = Safe::MakeX<Spectrum>();
        target->CopyRange(scratch, -1, -1, true);
        // Measured data are noisy: the minimum has a chi2 of its own, which both fits must find.
        std::mt19937 random(12345);
        std::uniform_real_distribution<double> noise(-1e-3, 1e-3);
        for (int i = 0; i < kPoints; ++i) {
            (*target->Re())[i] += noise(random);
            (*target->Im())[i] += noise(random);
        }
    }

    void Set(const std::vector<double>& p) const {
        for (int i = 0; i < kParameters; ++i) parameters[i]->SetValue(Core::Complex(p[i], 0.0), 0);
    }
};

using BenchFit::Outcome;

// threads: the limit of the derivative threads (0: the machine's cores).
Outcome FitLevMarq(const Problem& problem, int threads = 1) {
    return BenchFit::FitLevMarq(problem, Optimize::kFitComplex, threads, 1, kTolerance);
}

// The residuals target - model, real parts then imaginary parts.
int Residuals(void* data, int m, int n, const double* x, double* fvec, int) {
    auto& problem = *static_cast<Problem*>(data);
    problem.Set(std::vector<double>(x, x + n));
    problem.scratch->Refresh();
    const int points = m / 2;
    for (int k = 0; k < points; ++k) {
        fvec[k] = (*problem.target->Re())[k] - (*problem.scratch->Re())[k];
        fvec[points + k] = (*problem.target->Im())[k] - (*problem.scratch->Im())[k];
    }
    return 0;
}

Outcome FitMinpack(Problem& problem) {
    return BenchFit::FitLmdif(Residuals, &problem, 2 * kPoints, problem.start, kTolerance);
}

Problem& SharedProblem() {
    static Problem problem;
    return problem;
}

// The same fit through the fit driver (a working copy of the model, its root as the target
// node, the worker thread and its notices), as many steps as the method alone took. The
// preparation of each run is not timed.
using DriverFit = BenchFit::DriverFit<Problem>;

DriverFit& SharedDriver() {
    static DriverFit driver(SharedProblem(), Optimize::kFitComplex);
    return driver;
}

// Chi2 is printed before the timing: as a counter it would be scaled to an SI prefix.
void Report(benchmark::State& state, const Outcome& outcome) {
    state.counters["grid_evaluations"] = static_cast<double>(outcome.evaluations);
}

// The argument: the derivative threads.
void BM_FitLevMarq(benchmark::State& state) {
    Outcome outcome;
    for (auto _ : state) outcome = FitLevMarq(SharedProblem(), static_cast<int>(state.range(0)));
    Report(state, outcome);
    state.counters["threads"] = outcome.threads;
}

// The argument: the derivative threads.
void BM_FitCore(benchmark::State& state) {
    DriverFit& driver = SharedDriver();
    Outcome outcome;
    for (auto _ : state) {
        state.PauseTiming();
        driver.Prepare(SharedProblem(), kSteps);
        state.ResumeTiming();
        outcome = driver.Run(static_cast<int>(state.range(0)));
    }
    Report(state, outcome);
    state.counters["threads"] = outcome.threads;
}

void BM_FitMinpackLmdif(benchmark::State& state) {
    Outcome outcome;
    for (auto _ : state) outcome = FitMinpack(SharedProblem());
    Report(state, outcome);
}

BENCHMARK(BM_FitLevMarq)
    ->Arg(1)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
BENCHMARK(BM_FitCore)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_FitMinpackLmdif)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

// Both sides must reach the same minimum before they are timed.
int main(int argc, char** argv) {
    Problem& problem = SharedProblem();
    const Outcome ours = FitLevMarq(problem);
    const Outcome theirs = FitMinpack(problem);

    std::printf("Levenberg-Marquardt: chi2 %.10e, %ld grid evaluations, %d steps\n", ours.chi2,
                ours.evaluations, ours.steps);
    // Bit for bit: chi2 and the parameters in hexadecimal, to compare builds.
    std::printf("  chi2 %a, parameters", ours.chi2);
    for (double p : ours.parameters) std::printf(" %a", p);
    std::printf("\n");
    std::printf("MINPACK lmdif:       chi2 %.10e, %ld grid evaluations\n", theirs.chi2,
                theirs.evaluations);
    // The noise alone gives chi2 = 2 x 10^4 x (10^-3)^2 / 3 = 6.7e-3, less what 30 parameters
    // absorb.
    // Threads change the speed, never the fit.
    const Outcome parallel = FitLevMarq(problem, 4);
    std::printf("  on %d threads:     chi2 %.10e, %ld grid evaluations, %d steps\n",
                parallel.threads, parallel.chi2, parallel.evaluations, parallel.steps);
    DriverFit& driver = SharedDriver();
    driver.Prepare(problem, ours.steps);
    const Outcome driven = driver.Run(1);
    std::printf("Through the driver:  chi2 %.10e, %ld grid evaluations, %d steps\n", driven.chi2,
                driven.evaluations, driven.steps);
    if (!(std::fabs(ours.chi2 - theirs.chi2) <= 1e-8 * theirs.chi2) || !(theirs.chi2 < 7e-3) ||
        parallel.chi2 != ours.chi2 || parallel.parameters != ours.parameters ||
        ours.steps != kSteps || driven.steps != ours.steps ||
        !(std::fabs(driven.chi2 - ours.chi2) <= 1e-8 * ours.chi2)) {
        std::fprintf(stderr, "fit_bench: the fits did not reach the same minimum\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
