// The node engine against hand-written C++ on the same arithmetic: a dielectric function that
// is the sum of 20 Lorentz oscillators S w0^2 / (w0^2 - x^2 - i g x) over 10,000 abscissas.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <complex>
#include <vector>

#include "functions/families.h"
#include "model/map_capsule.h"
#include "model/math_spectrum.h"

namespace {

using Core::Complex;
using Core::Node;
using Core::NodeMap;

constexpr int kOscillators = 20;
constexpr int kPoints = 10000;

struct Oscillator {
    double strength, position, width;
};

std::vector<Oscillator> Oscillators() {
    std::vector<Oscillator> list;
    for (int k = 0; k < kOscillators; ++k)
        list.push_back({0.5 + 0.1 * k, 400.0 + 150.0 * k, 10.0 + k});
    return list;
}

Node::Ptr Make(int typeId, Node::Ptr a, Node::Ptr b = Node::Ptr()) {
    Node::Ptr node = Node::Create(typeId);
    node->ReplaceChildAt(0, a);
    if (b) node->ReplaceChildAt(1, b);
    return node;
}

Node::Ptr Number(double value) {
    Node::Ptr node = Node::Create(100);
    node->SetValue(Complex(value, 0.0), 0);
    return node;
}

Node::Ptr X(const NodeMap::Ptr& x) {
    auto reference = Safe::MakeX<Core::MapCapsule>();
    reference->SetMap(x);
    return reference;
}

enum { kMinus = 201, kTimes = 202, kDiv = 203, kIPlus = 205, kSum = 208 };

// S w0^2 / (w0^2 - x (x + i g)), from operator and number nodes.
Node::Ptr Lorentz(const Oscillator& o, const NodeMap::Ptr& x) {
    Node::Ptr numerator =
        Make(kTimes, Number(o.strength), Make(kTimes, Number(o.position), Number(o.position)));
    Node::Ptr denominator = Make(kMinus, Make(kTimes, Number(o.position), Number(o.position)),
                                 Make(kTimes, X(x), Make(kIPlus, X(x), Number(o.width))));
    return Make(kDiv, numerator, denominator);
}

Safe::XPtr<Core::MathSpectrum> BuildModel() {
    Capsule::RegisterFamilies();
    Core::MathMap::Ptr model = Core::MathMap::CreateModel("bench");
    NodeMap::Ptr x = model->FindMap("x");
    NodeMap::Ptr result = model->FindMap("model");
    Node::Ptr sum = Node::Create(kSum);
    sum->RemoveChild(0);
    for (const Oscillator& o : Oscillators()) sum->AddChild(Lorentz(o, x));
    result->ReplaceNode("m", sum);
    model->RebuildOrder();

    auto spectrum = Safe::MakeX<Core::MathSpectrum>();
    spectrum->Resize(kPoints);
    for (int i = 0; i < kPoints; ++i) (*spectrum->X())[i] = 100.0 + 0.4 * i;
    spectrum->GetUnit()->enabled = false;  // a private model, as the fit evaluates
    spectrum->GetUnit()->Bind(model, result, result->GetRoot(), x);
    return spectrum;
}

// The same arithmetic written out.
void EvaluateByHand(const std::vector<Oscillator>& oscillators, const std::vector<double>& xs,
                    std::vector<double>& re, std::vector<double>& im) {
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double x = xs[i];
        Complex sum(0.0, 0.0);
        for (const Oscillator& o : oscillators) {
            const double w2 = o.position * o.position;
            sum += o.strength * w2 / Complex(w2 - x * x, -o.width * x);
        }
        re[i] = sum.real();
        im[i] = sum.imag();
    }
}

void NodeEngine(benchmark::State& state) {
    Safe::XPtr<Core::MathSpectrum> spectrum = BuildModel();
    // Both sides must compute the same thing for the comparison to mean anything.
    spectrum->Refresh();
    std::vector<double> re(kPoints), im(kPoints);
    EvaluateByHand(Oscillators(), spectrum->X()->Values(), re, im);
    for (int i = 0; i < kPoints; ++i) {
        const std::size_t k = static_cast<std::size_t>(i);
        if (std::abs(Complex((*spectrum->Re())[k], (*spectrum->Im())[k]) - Complex(re[k], im[k])) >
            1e-9 * (1.0 + std::abs(Complex(re[k], im[k])))) {
            state.SkipWithError("the node engine and the hand-written loop disagree");
            return;
        }
    }
    for (auto _ : state) {
        spectrum->Refresh();
        benchmark::DoNotOptimize(spectrum->Re()->Values().data());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
// The least time of the repetitions is the one least disturbed by the rest of the machine.
double Least(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

BENCHMARK(NodeEngine)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);

void HandWritten(benchmark::State& state) {
    const std::vector<Oscillator> oscillators = Oscillators();
    std::vector<double> xs(kPoints), re(kPoints), im(kPoints);
    for (int i = 0; i < kPoints; ++i) xs[static_cast<std::size_t>(i)] = 100.0 + 0.4 * i;
    for (auto _ : state) {
        EvaluateByHand(oscillators, xs, re, im);
        benchmark::DoNotOptimize(re.data());
        benchmark::DoNotOptimize(im.data());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(HandWritten)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);

}  // namespace

BENCHMARK_MAIN();
