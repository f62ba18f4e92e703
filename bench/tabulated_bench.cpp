// Functions of point lists and integrators: the Hilbert transform of 500 points at 10^5
// abscissas (against the two complex logarithms per segment and point of the plain method), a
// spline of 1,000 points over 10^5 abscissas, and the double-exponential integral of a
// Lorentzian.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "functions/families.h"
#include "model/map_capsule.h"
#include "model/node_map.h"

namespace {

using Core::Complex;
using Core::Node;

constexpr int kHilbertPoints = 500;
constexpr int kSplinePoints = 1000;
constexpr int kAbscissas = 100000;

double Least(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

// A band sampled at n points on [0, 10].
Node::Ptr Over(int typeId, int n) {
    Capsule::RegisterFamilies();
    Node::Ptr node = Node::Create(typeId);
    Node::Ptr list = Node::Create(2102);
    for (int i = 0; i < n; ++i) {
        const double x = 10.0 * i / (n - 1);
        Node::Ptr point = Node::Create(899);
        point->GetChild(0)->SetValue(Complex(x, 0), 0);
        point->GetChild(1)->SetValue(
            Complex(std::exp(-(x - 5) * (x - 5)) + 0.1 * std::sin(3 * x), 0), 0);
        list->AddChild(point);
    }
    node->ReplaceChildAt(1, list);
    return node;
}

// The abscissas, over and beyond the points; imaginary part im.
std::vector<Complex> Abscissas(double im) {
    std::vector<Complex> s(kAbscissas);
    for (int i = 0; i < kAbscissas; ++i)
        s[static_cast<std::size_t>(i)] = Complex(-1.0 + 12.0 * i / kAbscissas, im);
    return s;
}

// The plain method: for each segment of the straight-line interpolant, the polynomial part and
// two complex logarithms.
Complex PlainLinearHilbert(const std::vector<double>& x, const std::vector<double>& y, Complex s) {
    Complex h(0.0, 0.0);
    for (std::size_t k = 0; k + 1 < x.size(); ++k) {
        const double a = x[k], b = x[k + 1];
        const double d = (y[k + 1] - y[k]) / (b - a);
        const Complex p = y[k] - d * a + d * s;
        h += d * (a - b);
        if (s - b != 0.0) h -= p * std::log(s - b);
        if (s - a != 0.0) h += p * std::log(s - a);
    }
    return h;
}

void Table(const Node& list, std::vector<double>& x, std::vector<double>& y) {
    for (int i = 0; i < list.ChildCount(); ++i) {
        const Complex p = list.GetChild(i)->GetValue();
        x.push_back(list.GetChild(i)->GetChild(0)->GetValue().real());
        y.push_back(list.GetChild(i)->GetChild(1)->GetValue().real());
        (void)p;
    }
}

void HilbertNode(benchmark::State& state, double im) {
    Node::Ptr h = Over(5002, kHilbertPoints);
    std::vector<double> x, y;
    Table(*h->GetChild(1), x, y);
    const std::vector<Complex> s = Abscissas(im);
    Node::Ptr argument = h->GetChild(0);
    for (std::size_t i = 0; i < s.size(); i += 997) {
        argument->SetValue(s[i], 0);
        const Complex node = h->Evaluate(), plain = PlainLinearHilbert(x, y, s[i]);
        if (std::abs(node - plain) > 1e-12 * (1.0 + std::abs(plain))) {
            state.SkipWithError("the node and the plain method disagree");
            return;
        }
    }
    for (auto _ : state) {
        for (const Complex& at : s) {
            argument->SetValue(at, 0);
            benchmark::DoNotOptimize(h->Evaluate());
        }
    }
    state.SetItemsProcessed(state.iterations() * kAbscissas);
}
void HilbertRealAxis(benchmark::State& state) {
    HilbertNode(state, 0.0);
}
void HilbertComplex(benchmark::State& state) {
    HilbertNode(state, 0.05);
}
BENCHMARK(HilbertRealAxis)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(HilbertComplex)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);

void HilbertPlainMethod(benchmark::State& state) {
    Node::Ptr h = Over(5002, kHilbertPoints);
    std::vector<double> x, y;
    Table(*h->GetChild(1), x, y);
    const std::vector<Complex> s = Abscissas(0.0);
    for (auto _ : state)
        for (const Complex& at : s) benchmark::DoNotOptimize(PlainLinearHilbert(x, y, at));
    state.SetItemsProcessed(state.iterations() * kAbscissas);
}
BENCHMARK(HilbertPlainMethod)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);

void SplineSweep(benchmark::State& state) {
    Node::Ptr spline = Over(803, kSplinePoints);
    const std::vector<Complex> s = Abscissas(0.0);
    Node::Ptr argument = spline->GetChild(0);
    for (auto _ : state) {
        for (const Complex& at : s) {
            argument->SetValue(at, 0);
            benchmark::DoNotOptimize(spline->Evaluate());
        }
    }
    state.SetItemsProcessed(state.iterations() * kAbscissas);
}
BENCHMARK(SplineSweep)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);

// 1 / (1 + u^2) over [-10, 10] at tolerance 1e-10, u a variable definition that the integrator
// writes through its "z".
void DoubleExponentialLorentzian(benchmark::State& state) {
    Capsule::RegisterFamilies();
    Core::NodeMap::Ptr u = Core::NodeMap::CreateVariable("u");
    auto reference = [&] {
        auto node = Safe::MakeX<Core::MapCapsule>();
        node->SetMap(u);
        return Node::Ptr(node);
    };
    auto make = [](int id, Node::Ptr a, Node::Ptr b) {
        Node::Ptr node = Node::Create(id);
        node->ReplaceChildAt(0, a);
        node->ReplaceChildAt(1, b);
        return node;
    };
    auto number = [](double v) {
        Node::Ptr node = Node::Create(100);
        node->SetValue(Complex(v, 0), 0);
        return node;
    };
    Node::Ptr integrator = Node::Create(4002);
    integrator->GetChild(0)->SetValue(Complex(-10, 0), 0);
    integrator->GetChild(1)->SetValue(Complex(10, 0), 0);
    integrator->GetChild(4)->SetValue(Complex(1e-10, 0), 0);
    integrator->ReplaceChildAt(2, reference());
    integrator->ReplaceChildAt(
        3, make(203, number(1), make(200, number(1), make(202, reference(), reference()))));
    if (std::abs(integrator->Evaluate() - 2 * std::atan(10.0)) > 1e-9) {
        state.SkipWithError("the integral is not 2 atan(10)");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(integrator->Evaluate());
}
BENCHMARK(DoubleExponentialLorentzian)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", Least);

}  // namespace

BENCHMARK_MAIN();
