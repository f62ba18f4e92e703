// The node engine against hand-written C++ on the same arithmetic: a dielectric function that
// is the sum of 20 Lorentz oscillators S w0^2 / (w0^2 - x^2 - i g x) over 10,000 abscissas,
// built from operator nodes, from 20 formula capsules and as one formula; and how the node
// model's cost grows with the points and the oscillators.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <complex>
#include <string>
#include <vector>

#include "functions/families.h"
#include "model/factory.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"
#include "model/math_spectrum.h"

namespace {

using Core::Complex;
using Core::FormulaCapsule;
using Core::Node;
using Core::NodeMap;

constexpr int kOscillators = 20;
constexpr int kPoints = 10000;

struct Oscillator {
    double strength, position, width;
};

std::vector<Oscillator> Oscillators(int count = kOscillators) {
    std::vector<Oscillator> list;
    for (int k = 0; k < count; ++k) list.push_back({0.5 + 0.1 * k, 400.0 + 150.0 * k, 10.0 + k});
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

Safe::XPtr<FormulaCapsule> Capsule(const std::string& text) {
    auto formula = Safe::MakeX<Formula>();
    formula->Define(text, false);
    auto capsule = Safe::DynamicCast<FormulaCapsule>(Node::Create(Core::kFormulaCapsuleId));
    capsule->SetFormula(formula);
    return capsule;
}

// The oscillator as a formula capsule of x and its three parameters.
Node::Ptr LorentzFormula(const Oscillator& o, const NodeMap::Ptr& x) {
    Safe::XPtr<FormulaCapsule> capsule = Capsule("L(x,s,w,g)=s*w*w/(w*w-x*(x+i*g))");
    capsule->ReplaceChildAt(0, X(x));
    capsule->GetChild(1)->SetValue(Complex(o.strength, 0.0), 0);
    capsule->GetChild(2)->SetValue(Complex(o.position, 0.0), 0);
    capsule->GetChild(3)->SetValue(Complex(o.width, 0.0), 0);
    return capsule;
}

// All oscillators in one formula of x, the parameters written as numbers.
Node::Ptr SumFormula(const std::vector<Oscillator>& oscillators, const NodeMap::Ptr& x) {
    std::string text = "f(x)=";
    for (const Oscillator& o : oscillators) {
        const std::string s = std::to_string(o.strength), w = std::to_string(o.position);
        if (text.back() != '=') text += "+";
        text += s + "*" + w + "*" + w + "/(" + w + "*" + w + "-x*(x+i*" + std::to_string(o.width) +
                "))";
    }
    Safe::XPtr<FormulaCapsule> capsule = Capsule(text);
    capsule->ReplaceChildAt(0, X(x));
    return capsule;
}

enum Shape { kNodes, kFormulaCapsules, kOneFormula };

Safe::XPtr<Core::MathSpectrum> BuildModel(Shape shape = kNodes, int points = kPoints,
                                          int oscillators = kOscillators) {
    Capsule::RegisterFamilies();
    Core::MathMap::Ptr model = Core::MathMap::CreateModel("bench");
    NodeMap::Ptr x = model->FindMap("x");
    NodeMap::Ptr result = model->FindMap("model");
    if (shape == kOneFormula) {
        result->ReplaceNode("m", SumFormula(Oscillators(oscillators), x));
    } else {
        Node::Ptr sum = Node::Create(kSum);
        sum->RemoveChild(0);
        for (const Oscillator& o : Oscillators(oscillators))
            sum->AddChild(shape == kNodes ? Lorentz(o, x) : LorentzFormula(o, x));
        result->ReplaceNode("m", sum);
    }
    model->RebuildOrder();

    auto spectrum = Safe::MakeX<Core::MathSpectrum>();
    spectrum->Resize(points);
    for (int i = 0; i < points; ++i) (*spectrum->X())[i] = 100.0 + 0.4 * i * kPoints / points;
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

// The same arithmetic in real numbers, points outer: Re and Im of S w2 / (w2 - x^2 - i g x).
void EvaluateInReals(const std::vector<Oscillator>& oscillators, const std::vector<double>& xs,
                     std::vector<double>& re, std::vector<double>& im) {
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double x = xs[i];
        double sumRe = 0.0, sumIm = 0.0;
        for (const Oscillator& o : oscillators) {
            const double w2 = o.position * o.position;
            const double dr = w2 - x * x, di = -o.width * x;
            const double scale = o.strength * w2 / (dr * dr + di * di);
            sumRe += scale * dr;
            sumIm -= scale * di;
        }
        re[i] = sumRe;
        im[i] = sumIm;
    }
}

// Times a model's refresh after checking it against the hand-written loop.
void Refreshes(benchmark::State& state, Shape shape, int points, int oscillators) {
    Safe::XPtr<Core::MathSpectrum> spectrum = BuildModel(shape, points, oscillators);
    // Both sides must compute the same thing for the comparison to mean anything.
    spectrum->Refresh();
    const std::size_t n = static_cast<std::size_t>(points);
    std::vector<double> re(n), im(n), realRe(n), realIm(n);
    EvaluateByHand(Oscillators(oscillators), spectrum->X()->Values(), re, im);
    EvaluateInReals(Oscillators(oscillators), spectrum->X()->Values(), realRe, realIm);
    for (std::size_t k = 0; k < n; ++k) {
        const Complex expected(re[k], im[k]);
        const double tolerance = 1e-9 * (1.0 + std::abs(expected));
        if (std::abs(Complex((*spectrum->Re())[k], (*spectrum->Im())[k]) - expected) > tolerance ||
            std::abs(Complex(realRe[k], realIm[k]) - expected) > tolerance) {
            state.SkipWithError("the node engine and the hand-written loops disagree");
            return;
        }
    }
    for (auto _ : state) {
        spectrum->Refresh();
        benchmark::DoNotOptimize(spectrum->Re()->Values().data());
    }
    state.SetItemsProcessed(state.iterations() * points);
}

void NodeEngine(benchmark::State& state) {
    Refreshes(state, kNodes, kPoints, kOscillators);
}
void FormulaCapsules(benchmark::State& state) {
    Refreshes(state, kFormulaCapsules, kPoints, kOscillators);
}
void OneFormula(benchmark::State& state) {
    Refreshes(state, kOneFormula, kPoints, kOscillators);
}
// Cost against the number of points, and against the number of oscillators.
void NodeEnginePoints(benchmark::State& state) {
    Refreshes(state, kNodes, static_cast<int>(state.range(0)), kOscillators);
}
void NodeEngineOscillators(benchmark::State& state) {
    Refreshes(state, kNodes, kPoints, static_cast<int>(state.range(0)));
}
// The least time of the repetitions is the one least disturbed by the rest of the machine.
double Least(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

BENCHMARK(NodeEngine)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(FormulaCapsules)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(OneFormula)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(NodeEnginePoints)
    ->RangeMultiplier(10)
    ->Range(1000, 1000000)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Least);
BENCHMARK(NodeEngineOscillators)
    ->Arg(5)
    ->Arg(10)
    ->Arg(20)
    ->Arg(40)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Least);

// Times a hand-written loop over the benchmark's grid.
template <class Loop>
void HandLoop(benchmark::State& state, Loop loop) {
    const std::vector<Oscillator> oscillators = Oscillators();
    std::vector<double> xs(kPoints), re(kPoints), im(kPoints);
    for (int i = 0; i < kPoints; ++i) xs[static_cast<std::size_t>(i)] = 100.0 + 0.4 * i;
    for (auto _ : state) {
        loop(oscillators, xs, re, im);
        benchmark::DoNotOptimize(re.data());
        benchmark::DoNotOptimize(im.data());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void HandWritten(benchmark::State& state) {
    HandLoop(state, EvaluateByHand);
}
BENCHMARK(HandWritten)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);

void RealArithmetic(benchmark::State& state) {
    HandLoop(state, EvaluateInReals);
}
BENCHMARK(RealArithmetic)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);

}  // namespace

BENCHMARK_MAIN();
