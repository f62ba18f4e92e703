#pragma once
// Helpers of the fit driver tests: a model of two phonon oscillators, its spectrum computed here
// from the closed form, and an owner that hands the worker's notices to the test's thread as a
// window's message loop would.
#include <gtest/gtest.h>

#include <chrono>
#include <complex>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "modes/fit_core.h"
#include "tests/fit/fit_support.h"
#include "model/current.h"

namespace test {

// ds w^2 / (w^2 - x^2 - i g x), summed over the oscillators (ds, w, g).
struct Oscillators {
    std::vector<std::array<double, 3>> terms;
    std::complex<double> At(double x) const {
        std::complex<double> sum;
        for (const auto& [ds, w, g] : terms)
            sum += ds * w * w / std::complex<double>(w * w - x * x, -g * x);
        return sum;
    }
    // Sum of squared residuals of the real parts (and of the imaginary ones when complex).
    double Chi2(const Spectrum& target, bool complex = false) const {
        double chi2 = 0.0;
        for (int k = 0; k < target.Size(); ++k) {
            const auto i = static_cast<std::size_t>(k);
            const std::complex<double> value = At((*target.X())[i]);
            chi2 += std::pow((*target.Re())[i] - value.real(), 2);
            if (complex) chi2 += std::pow((*target.Im())[i] - value.imag(), 2);
        }
        return chi2;
    }
    Spectrum::Ptr Sample(double from, double to, int points) const {
        auto spectrum = Safe::MakeX<Spectrum>();
        spectrum->Resize(points);
        for (int k = 0; k < points; ++k) {
            const double x = from + (to - from) * k / (points - 1);
            const std::complex<double> value = At(x);
            spectrum->SetPoint(k, x, value.real(), value.imag());
        }
        return spectrum;
    }
};

// The user's model "oscillators": "model" is the sum of two phonons whose x is the model's "x";
// it joins the project and becomes the current model, definition and node (the sum).
struct PhononModel {
    Core::MathMap::Ptr model;
    Core::NodeMap::Ptr definition;
    std::vector<Core::Node::Ptr> phonons;

    explicit PhononModel(const Oscillators& start) {
        Capsule::RegisterFamilies();
        model = Core::MathMap::CreateModel("oscillators");
        definition = model->FindMap("model");
        Core::Node::Ptr sum = Core::Node::Create(200);
        for (int i = 0; i < 2; ++i) {
            Core::Node::Ptr phonon = Core::CreatePickedNode(900, model);
            for (int p = 0; p < 3; ++p)
                phonon->GetChild(p + 1)->SetValue(Core::Complex(start.terms[i][p], 0.0), 0);
            sum->ReplaceChildAt(i, phonon);
            phonons.push_back(phonon);
        }
        definition->SetRoot(sum);
        model->RebuildOrder();
        Core::Models().Add(model);
        Core::MenuCore::SetCurrentModel(model);
        Core::MenuCore::SetCurrentDefinition(definition);
        Core::MenuCore::SetCurrentNode(sum);
    }
    // The values (ds, w, g) of phonon i of a model with this one's shape.
    static std::array<double, 3> Values(const Core::MathMap::Ptr& model, int i) {
        Core::Node::Ptr phonon = model->FindMap("model")->GetRoot()->GetChild(i);
        std::array<double, 3> values{};
        for (int p = 0; p < 3; ++p) values[p] = phonon->GetChild(p + 1)->GetValue().real();
        return values;
    }
};

// Marks the three parameters of both phonons of the fit's working copy as adjustable.
inline void MarkPhononParameters() {
    Core::Node::Ptr sum = Core::FitCore::GetWorkingModel()->FindMap("model")->GetRoot();
    for (int i = 0; i < 2; ++i)
        for (int p = 1; p <= 3; ++p) sum->GetChild(i)->GetChild(p)->SetMarkRecursive(true);
}

// The owner of the worker in a native test: a notice is queued and the worker released at once
// (the window replies before it handles the step); the test's thread then plays the message
// loop.
class QueueOwner : public Optimize::StepSink {
public:
    void StepDone(int code) override {
        std::lock_guard<std::mutex> lock(mutex_);
        notices_.push_back(code);
        changed_.notify_all();
    }
    // The next notice, or -1 after the time-out.
    int Next(std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!changed_.wait_for(lock, timeout, [this] { return !notices_.empty(); })) return -1;
        const int code = notices_.front();
        notices_.pop_front();
        return code;
    }
    // Hands notices to the fit until it ends, calling between(n) after the n-th step was taken;
    // the number of notices taken as steps.
    template <class Between>
    int RunFit(Between between) {
        int steps = 0;
        while (Core::FitCore::IsRunning()) {
            const int code = Next();
            if (code < 0) {
                ADD_FAILURE() << "no step notice";
                break;
            }
            if (Core::FitCore::OnNotice(code, 0)) between(++steps);
        }
        return steps;
    }
    int RunFit() {
        return RunFit([](int) {});
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<int> notices_;
};

}  // namespace test
