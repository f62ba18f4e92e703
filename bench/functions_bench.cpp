// The special-function kernels against libcerf (Johnson's Faddeeva package in C), per call:
// w(z) on the real axis and at Im z = 0.3 and 10, and Dawson's integral. Then the cost per
// point of a model that sums 20 nodes of one oscillator or absorption-profile class over
// 10,000 abscissas.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "functions/families.h"
#include "functions/special_kernels.h"
#include "model/map_capsule.h"
#include "model/math_spectrum.h"

// libcerf's C interface takes and returns C99 complex numbers; only these two wrappers see them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"
extern "C" {
double _Complex w_of_z(double _Complex z);
double dawson(double x);
}
namespace {
std::complex<double> CerfW(const std::complex<double>& z) {
    double _Complex c;
    __real__ c = z.real();
    __imag__ c = z.imag();
    const double _Complex w = w_of_z(c);
    return {__real__ w, __imag__ w};
}
}  // namespace
#pragma GCC diagnostic pop

namespace {

using Complex = std::complex<double>;
using Core::Node;

double Least(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

// 1,000 arguments along Re z in [-10, 10] at the given Im z.
std::vector<Complex> Arguments(double y) {
    std::vector<Complex> z;
    for (int i = 0; i < 1000; ++i) z.emplace_back(-10.0 + 0.02 * i + 0.0013, y);
    return z;
}

template <class W>
void FaddeevaCost(benchmark::State& state, W w) {
    const std::vector<Complex> z = Arguments(state.range(0) / 10.0);
    for (const Complex& v : z) {
        const Complex ours = Capsule::FaddeevaW(v), theirs = CerfW(v);
        if (std::abs(ours - theirs) > 1e-12 * std::abs(theirs)) {
            state.SkipWithError("the two Faddeeva functions disagree");
            return;
        }
    }
    for (auto _ : state)
        for (const Complex& v : z) benchmark::DoNotOptimize(w(v));
    state.SetItemsProcessed(state.iterations() * static_cast<long>(z.size()));
}

void FaddeevaW(benchmark::State& state) {
    FaddeevaCost(state, [](const Complex& z) { return Capsule::FaddeevaW(z); });
}
void LibcerfW(benchmark::State& state) {
    FaddeevaCost(state, [](const Complex& z) { return CerfW(z); });
}
// Im z = 0, 0.3 and 10 (the argument is ten times Im z).
BENCHMARK(FaddeevaW)->Arg(0)->Arg(3)->Arg(100)->ComputeStatistics("min", Least);
BENCHMARK(LibcerfW)->Arg(0)->Arg(3)->Arg(100)->ComputeStatistics("min", Least);

template <class F>
void DawsonCost(benchmark::State& state, F f) {
    std::vector<double> xs;
    for (int i = 0; i < 1000; ++i) xs.push_back(-10.0 + 0.02 * i + 0.0013);
    for (double x : xs)
        if (std::fabs(Capsule::DawsonF(x) - dawson(x)) > 6e-8) {
            state.SkipWithError("the two Dawson functions disagree");
            return;
        }
    for (auto _ : state)
        for (double x : xs) benchmark::DoNotOptimize(f(x));
    state.SetItemsProcessed(state.iterations() * static_cast<long>(xs.size()));
}
void DawsonF(benchmark::State& state) {
    DawsonCost(state, [](double x) { return Capsule::DawsonF(x); });
}
void LibcerfDawson(benchmark::State& state) {
    DawsonCost(state, [](double x) { return dawson(x); });
}
BENCHMARK(DawsonF)->ComputeStatistics("min", Least);
BENCHMARK(LibcerfDawson)->ComputeStatistics("min", Least);

// A model: the sum of 20 nodes of one class, positions spread over the abscissas.
constexpr int kMembers = 20;
constexpr int kPoints = 10000;

// The position parameter: child 1 for the four-parameter phonon, Drude and Plasmon, child 2 for
// the other oscillators, the peaks and the profiles; the functions of x have none.
int PositionChild(int typeId) {
    if (typeId == 901 || typeId == 904 || typeId == 905) return 1;
    if ((typeId >= 700 && typeId < 800) || (typeId >= 900 && typeId < 1000)) return 2;
    return -1;
}

Safe::XPtr<Core::MathSpectrum> BuildModel(int typeId) {
    Capsule::RegisterFamilies();
    Core::MathMap::Ptr model = Core::MathMap::CreateModel("bench");
    Core::NodeMap::Ptr x = model->FindMap("x");
    Core::NodeMap::Ptr result = model->FindMap("model");
    Node::Ptr sum = Node::Create(208);
    sum->RemoveChild(0);
    for (int k = 0; k < kMembers; ++k) {
        Node::Ptr member = Node::Create(typeId);
        auto reference = Safe::MakeX<Core::MapCapsule>();
        reference->SetMap(x);
        member->ReplaceChildAt(0, reference);
        const int position = PositionChild(typeId);
        if (position >= 0) member->GetChild(position)->SetValue(Complex(400.0 + 150.0 * k, 0.0), 0);
        sum->AddChild(member);
    }
    result->ReplaceNode("m", sum);
    model->RebuildOrder();
    auto spectrum = Safe::MakeX<Core::MathSpectrum>();
    spectrum->Resize(kPoints);
    for (int i = 0; i < kPoints; ++i) (*spectrum->X())[i] = 100.0 + 0.4 * i;
    spectrum->GetUnit()->enabled = false;
    spectrum->GetUnit()->Bind(model, result, result->GetRoot(), x);
    return spectrum;
}

void ModelOf20(benchmark::State& state) {
    Safe::XPtr<Core::MathSpectrum> spectrum = BuildModel(static_cast<int>(state.range(0)));
    spectrum->Refresh();
    for (std::size_t i = 0; i < static_cast<std::size_t>(kPoints); ++i)
        if (!std::isfinite((*spectrum->Re())[i]) || !std::isfinite((*spectrum->Im())[i])) {
            state.SkipWithError("the model gives non-finite values");
            return;
        }
    for (auto _ : state) {
        spectrum->Refresh();
        benchmark::DoNotOptimize(spectrum->Re()->Values().data());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
// Ei and Gamma overflow over these abscissas and are left out.
BENCHMARK(ModelOf20)
    ->DenseRange(900, 909)
    ->Arg(920)
    ->DenseRange(700, 704)
    ->Arg(706)
    ->Arg(799)
    ->DenseRange(1200, 1202)
    ->Arg(1204)
    ->Arg(335)
    ->Arg(336)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Least);

}  // namespace

BENCHMARK_MAIN();
