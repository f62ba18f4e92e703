#include "functions/integrators.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "foundation/numeric.h"
#include "functions/constants.h"
#include "functions/numbers.h"
#include "functions/parameters.h"
#include "model/basic.h"

namespace Capsule {

namespace {

constexpr int kNodes = 193;
// Level L uses the nodes [kLevelStart[L], kLevelStart[L + 1]); level 0 also node 0.
constexpr std::array<int, 8> kLevelStart = {1, 4, 7, 13, 25, 49, 97, 193};

struct DETables {
    std::array<double, kNodes> x{};
    std::array<double, kNodes> w{};
};

// x = tanh((pi/2) sinh t), w = (pi/2) cosh t / cosh^2((pi/2) sinh t) at t = 0; 1, 2, 3; then
// the odd multiples of 1/2^L below 3 for L = 1 .. 6. Made once, read-only afterwards.
const DETables& Tables() {
    static const DETables tables = [] {
        DETables made;
        auto put = [&](int j, double t) {
            const double u = kPi / 2.0 * std::sinh(t);
            const double coshU = std::cosh(u);
            made.x[static_cast<std::size_t>(j)] = std::tanh(u);
            made.w[static_cast<std::size_t>(j)] = kPi / 2.0 * std::cosh(t) / (coshU * coshU);
        };
        put(0, 0.0);
        for (int j = 1; j <= 3; ++j) put(j, j);
        for (int level = 1; level <= 6; ++level) {
            const double step = std::ldexp(1.0, -level);
            for (int j = kLevelStart[static_cast<std::size_t>(level)], i = 0;
                 j < kLevelStart[static_cast<std::size_t>(level) + 1]; ++j, ++i)
                put(j, (2 * i + 1) * step);
        }
        return made;
    }();
    return tables;
}

}  // namespace

DEResult DEIntegrate(const std::function<Complex(double)>& f, double c, double d,
                     double tolerance) {
    const DETables& t = Tables();
    // The pair of nodes j, the one below the centre first.
    auto pair = [&](int j) {
        const auto k = static_cast<std::size_t>(j);
        const Complex below = f(d - c * t.x[k]);
        const Complex above = f(d + c * t.x[k]);
        return t.w[k] * (below + above);
    };
    const double target = tolerance / c;
    double error = std::numeric_limits<double>::max();
    double current = std::numeric_limits<double>::max();
    double step = 1.0;
    Complex sum = t.w[0] * f(d);
    for (int j = 1; j < kLevelStart[1]; ++j) sum += pair(j);
    int end = kLevelStart[1];
    for (std::size_t level = 1; level <= 6; ++level) {
        step /= 2.0;
        Complex added(0.0, 0.0);
        for (int j = kLevelStart[level]; j < kLevelStart[level + 1]; ++j) added += pair(j);
        added *= step;
        const double previous = current;
        current = std::abs(sum / 2.0 - added);
        sum = sum / 2.0 + added;
        end = kLevelStart[level + 1];
        if (level == 1) continue;
        if (current == 0.0) break;
        // Halving the step squares the error once the rule converges double-exponentially.
        const double ratio = std::log(current) / std::log(previous);
        error = ratio > 1.9 && ratio < 2.1 ? current * current : current;
        if (error < 0.1 * target) break;
    }
    return {c * sum, 2 * end - 1, error * c};
}

Integrator::Integrator(int typeId, const char* name) {
    Identify(typeId, name, Core::kArityFixed);
    AdoptChild(MakeParameter<Basic>("a", 0.0));
    AdoptChild(MakeParameter<Basic>("b", 1.0));
    AdoptChild(MakeParameter<Basic>("z", 0.0));
    AdoptChild(MakeParameter<Basic>("f(z)", 0.0));
}

RIntegrator::RIntegrator() : Integrator(4000, "r-integrator") {
    AdoptChild(MakeParameter<IntegerNumber>("N", 100.0));
}

const Complex& RIntegrator::Evaluate() {
    const double a = A();
    const double b = B();
    const int n = std::min(SaturateToInt(Parameter(4)->Compute().real()), kMaxRiemannSteps);
    const double h = (b - a) / n;
    Complex sum(0.0, 0.0);
    for (int i = 0; i < n; ++i) sum += Integrand(i * h + a) * h;
    return values_[0] = sum;
}

DEIntegrator::DEIntegrator() : Integrator(4002, "cde-integrator") {
    AdoptChild(MakeParameter<Basic>("Tol", 0.001));
}

const Complex& DEIntegrator::Evaluate() {
    const double a = A();
    const double b = B();
    const double tolerance = Parameter(4)->Compute().real();
    auto f = [this](double v) { return Integrand(v); };
    return values_[0] = DEIntegrate(f, (b - a) / 2.0, (b + a) / 2.0, tolerance).value;
}

Core::Node::Ptr MakeIntegrator(int typeId) {
    switch (typeId) {
        case 4000: return Safe::MakeX<RIntegrator>();
        case 4002: return Safe::MakeX<DEIntegrator>();
        default: return Core::Node::Ptr();
    }
}

}  // namespace Capsule
