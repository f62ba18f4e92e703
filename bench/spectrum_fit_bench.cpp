// A fit of a measured spectrum: a window of 1,000 points of an absorbance spectrum read from an
// Opus file, modelled as a constant baseline and 10 Lorentzian nodes started at its strongest
// bands (31 parameters). The model's evaluation is timed beside a hand-written loop of the same
// model, and the whole fit through the fit driver beside MINPACK's lmdif on the same model and
// start.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/fit_driver.h"
#include "fit/least_squares.h"
#include "functions/families.h"
#include "io/opus.h"
#include "model/current.h"
#include "model/factory.h"
#include "model/map_capsule.h"
#include "model/math_spectrum.h"
#include "modes/fit_core.h"

namespace {

using Core::Complex;
using Core::Node;

constexpr int kPeaks = 10;
constexpr int kParameters = 1 + 3 * kPeaks;
constexpr int kWindow = 1000;
constexpr int kLorentzianId = 701;
constexpr double kTolerance = 1e-10;
// A step refused (chi2 rose, the damping grows) gains nothing: the method settles only after
// this many steps in a row without gain.
constexpr int kPatience = 10;

std::string TestData(const std::string& name) {
    const char* folder = std::getenv("SORIX_TESTDATA");
    return std::string(folder ? folder : SORIX_TESTDATA) + "/" + name;
}

// The last kWindow points of the absorbance spectrum (5571 to 7498 cm^-1, ascending): overtone
// bands over a sloping baseline, where the fit and lmdif settle at the same chi2 (below 3600
// cm^-1 the bands saturate and the two settle in different minima).
Spectrum::Ptr MeasuredWindow() {
    const Spectrum::Ptr all =
        Opus::ReadSpectrum(TestData("opus/617262_1TP_C-1_A5.0"), 0x101F);  // "AB spectrum"
    if (!all || all->Size() < kWindow) return Spectrum::Ptr();
    auto window = Safe::MakeX<Spectrum>();
    window->Resize(kWindow);
    const int first = all->Size() - kWindow;
    for (int i = 0; i < kWindow; ++i) {
        (*window->X())[i] = (*all->X())[first + i];
        (*window->Re())[i] = (*all->Re())[first + i];
    }
    return window;
}

struct Band {
    double prominence, position, width;
};

// The kPeaks most prominent maxima of the spectrum smoothed over 9 points, at least 8 points
// apart, with their prominence and twice the distance to where the nearer side falls by half of
// it: where a person would put the peaks by eye.
std::vector<Band> StrongestBands(const Spectrum& s) {
    const int n = s.Size();
    std::vector<double> smooth(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        int count = 0;
        for (int j = std::max(0, i - 4); j <= std::min(n - 1, i + 4); ++j, ++count)
            sum += (*s.Re())[j];
        smooth[static_cast<std::size_t>(i)] = sum / count;
    }
    const auto at = [&smooth](int i) { return smooth[static_cast<std::size_t>(i)]; };
    std::vector<std::pair<Band, int>> maxima;
    for (int i = 6; i < n - 6; ++i) {
        bool top = true;
        for (int j = i - 6; j <= i + 6; ++j) top = top && at(j) <= at(i);
        if (!top) continue;
        double left = at(i), right = at(i);
        for (int j = std::max(0, i - 40); j < i; ++j) left = std::min(left, at(j));
        for (int j = i + 1; j <= std::min(n - 1, i + 40); ++j) right = std::min(right, at(j));
        const double prominence = at(i) - std::max(left, right), half = at(i) - prominence / 2;
        int a = i, b = i;
        while (a > 0 && at(a) > half) --a;
        while (b < n - 1 && at(b) > half) ++b;
        const double width = 2.0 * std::min((*s.X())[i] - (*s.X())[a], (*s.X())[b] - (*s.X())[i]);
        maxima.push_back({{prominence, (*s.X())[i], width}, i});
    }
    std::sort(maxima.begin(), maxima.end(),
              [](const auto& a, const auto& b) { return a.first.prominence > b.first.prominence; });
    std::vector<Band> bands;
    std::vector<int> taken;
    for (const auto& [band, index] : maxima) {
        if (std::any_of(taken.begin(), taken.end(),
                        [index](int t) { return std::abs(t - index) < 8; }))
            continue;
        bands.push_back(band);
        taken.push_back(index);
        if (static_cast<int>(bands.size()) == kPeaks) break;
    }
    return bands;
}

// c + sum A / (1 + 4 ((x - xc) / w)^2), from a Sum of a number and Lorentzian nodes; the
// parameters in that order, each named (c, A1, xc1, w1, ...).
struct Problem {
    Core::MathMap::Ptr model;
    Core::NodeMap::Ptr definition;
    Core::NodeMap::Ptr variable;
    std::vector<Node::Ptr> parameters;
    std::vector<double> start;
    Spectrum::Ptr target;
    Safe::XPtr<Core::MathSpectrum> scratch;

    Problem() {
        Capsule::RegisterFamilies();
        target = MeasuredWindow();
        if (!target) return;
        double baseline = (*target->Re())[0];
        for (int i = 0; i < kWindow; ++i) baseline = std::min(baseline, (*target->Re())[i]);
        const std::vector<Band> bands = StrongestBands(*target);

        model = Safe::MakeX<Core::MathMap>();
        model->Label::SetName("bands");
        variable = model->AddMap(Core::NodeMap::CreateVariable("x"));
        definition = model->AddMap(Core::NodeMap::CreateFunction("model"));
        Node::Ptr sum = Node::Create(208);
        sum->RemoveChild(0);
        Node::Ptr constant = Node::Create(Core::kBasicId);
        constant->SetName("c");
        sum->AddChild(constant);
        start.push_back(baseline);
        for (std::size_t k = 0; k < bands.size(); ++k) {
            const std::string number = std::to_string(k + 1);
            Node::Ptr peak = Node::Create(kLorentzianId);
            auto x = Safe::MakeX<Core::MapCapsule>();
            x->SetName("x" + number);
            x->SetMap(variable);
            peak->ReplaceChildAt(0, x);
            // Started a little off each band: its prominence, 2 cm^-1 aside, its width.
            const double values[3] = {bands[k].prominence, bands[k].position + 2.0, bands[k].width};
            const char* names[3] = {"A", "xc", "w"};
            for (int j = 0; j < 3; ++j) {
                peak->GetChild(1 + j)->SetName(names[j] + number);
                start.push_back(values[j]);
            }
            sum->AddChild(peak);
        }
        definition->ReplaceNode("m", sum);
        model->RebuildOrder();
        for (const char* name : {"c"}) parameters.push_back(definition->FindNode(name));
        for (std::size_t k = 0; k < bands.size(); ++k)
            for (const char* name : {"A", "xc", "w"})
                parameters.push_back(definition->FindNode(name + std::to_string(k + 1)));
        scratch = Safe::MakeX<Core::MathSpectrum>();
        scratch->Resize(kWindow);
        for (int i = 0; i < kWindow; ++i) (*scratch->X())[i] = (*target->X())[i];
        scratch->GetUnit()->Bind(model, definition, definition->GetRoot(), variable);
        scratch->GetUnit()->enabled = false;
        Set(start);
    }

    bool IsComplete() const {
        return target && static_cast<int>(parameters.size()) == kParameters &&
               std::all_of(parameters.begin(), parameters.end(),
                           [](const Node::Ptr& p) { return static_cast<bool>(p); });
    }

    void Set(const std::vector<double>& p) const {
        for (std::size_t i = 0; i < parameters.size(); ++i)
            parameters[i]->SetValue(Complex(p[i], 0.0), 0);
    }
};

Problem& SharedProblem() {
    static Problem problem;
    return problem;
}

// The model written out, over the same abscissas with the same parameters.
void EvaluateByHand(const std::vector<double>& p, const std::vector<double>& xs,
                    std::vector<double>& out) {
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double x = xs[i];
        double sum = p[0];
        for (std::size_t k = 1; k + 2 < p.size(); k += 3) {
            const double u = (x - p[k + 1]) / p[k + 2];
            sum += p[k] / (1.0 + 4.0 * u * u);
        }
        out[i] = sum;
    }
}

using BenchFit::Outcome;

Outcome FitLevMarq(const Problem& problem) {
    return BenchFit::FitLevMarq(problem, Optimize::kFitReal, 1, kPatience, kTolerance);
}

// The residuals target - model through the same model engine.
int Residuals(void* data, int m, int n, const double* x, double* fvec, int) {
    auto& problem = *static_cast<Problem*>(data);
    problem.Set(std::vector<double>(x, x + n));
    problem.scratch->Refresh();
    for (int k = 0; k < m; ++k) fvec[k] = (*problem.target->Re())[k] - (*problem.scratch->Re())[k];
    return 0;
}

Outcome FitMinpack(Problem& problem) {
    return BenchFit::FitLmdif(Residuals, &problem, kWindow, problem.start, kTolerance);
}

// The fit through the driver on one thread, as many steps as the method alone takes to settle.
using DriverFit = BenchFit::DriverFit<Problem>;

DriverFit& SharedDriver() {
    static DriverFit driver(SharedProblem(), Optimize::kFitReal);
    return driver;
}

int g_steps = 0;  // the method's steps to settle, found before the timing

double Least(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

void SpectrumModel(benchmark::State& state) {
    Problem& problem = SharedProblem();
    problem.Set(problem.start);
    for (auto _ : state) {
        problem.scratch->Refresh();
        benchmark::DoNotOptimize(problem.scratch->Re()->Values().data());
    }
    state.SetItemsProcessed(state.iterations() * kWindow);
}
BENCHMARK(SpectrumModel)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Least);

void SpectrumHandLoop(benchmark::State& state) {
    const Problem& problem = SharedProblem();
    const std::vector<double>& xs = problem.scratch->X()->Values();
    std::vector<double> out(xs.size());
    for (auto _ : state) {
        EvaluateByHand(problem.start, xs, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kWindow);
}
BENCHMARK(SpectrumHandLoop)->Unit(benchmark::kMicrosecond)->ComputeStatistics("min", Least);

void SpectrumFitCore(benchmark::State& state) {
    DriverFit& driver = SharedDriver();
    Outcome outcome;
    for (auto _ : state) {
        state.PauseTiming();
        driver.Prepare(SharedProblem(), g_steps);
        state.ResumeTiming();
        outcome = driver.Run(1);
    }
    state.counters["grid_evaluations"] = static_cast<double>(outcome.evaluations);
}
BENCHMARK(SpectrumFitCore)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->ComputeStatistics("min", Least);

void SpectrumFitMinpackLmdif(benchmark::State& state) {
    Outcome outcome;
    for (auto _ : state) outcome = FitMinpack(SharedProblem());
    state.counters["grid_evaluations"] = static_cast<double>(outcome.evaluations);
}
BENCHMARK(SpectrumFitMinpackLmdif)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);

}  // namespace

// The model and the hand-written loop must agree, and the fits must settle, before the timing.
int main(int argc, char** argv) {
    Problem& problem = SharedProblem();
    if (!problem.IsComplete()) {
        std::fprintf(stderr, "spectrum_fit_bench: the spectrum or the model is missing\n");
        return 1;
    }
    problem.Set(problem.start);
    problem.scratch->Refresh();
    std::vector<double> byHand(kWindow);
    EvaluateByHand(problem.start, problem.scratch->X()->Values(), byHand);
    for (int i = 0; i < kWindow; ++i) {
        const double model = (*problem.scratch->Re())[i],
                     hand = byHand[static_cast<std::size_t>(i)];
        if (!(std::fabs(model - hand) <= 1e-12 * (1.0 + std::fabs(hand))) ||
            (*problem.scratch->Im())[i] != 0.0) {
            std::fprintf(stderr, "spectrum_fit_bench: the model and the hand loop disagree\n");
            return 1;
        }
    }
    const Outcome ours = FitLevMarq(problem);
    const Outcome theirs = FitMinpack(problem);
    g_steps = ours.steps;
    std::printf("Window %.1f to %.1f cm^-1, %d points, %d parameters\n", (*problem.target->X())[0],
                (*problem.target->X())[kWindow - 1], kWindow, kParameters);
    std::printf("Levenberg-Marquardt: chi2 %.10e, %ld grid evaluations, %d steps\n", ours.chi2,
                ours.evaluations, ours.steps);
    std::printf("MINPACK lmdif:       chi2 %.10e, %ld grid evaluations\n", theirs.chi2,
                theirs.evaluations);
    DriverFit& driver = SharedDriver();
    driver.Prepare(problem, ours.steps);
    const Outcome driven = driver.Run(1);
    std::printf("Through the driver:  chi2 %.10e, %ld grid evaluations, %d steps\n", driven.chi2,
                driven.evaluations, driven.steps);
    if (!(driven.chi2 <= ours.chi2 * (1.0 + 1e-8)) || !(driven.chi2 < 1e300)) {
        std::fprintf(stderr, "spectrum_fit_bench: the fit through the driver did not settle\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
