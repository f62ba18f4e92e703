#pragma once
// A principal-value quadrature written independently of the code under test.
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

// The principal value of the integral of f(t) / (s - t) over [a, b] for real s inside, as the
// regular integral of (f(t) - f(s)) / (s - t) by three-point Gauss-Legendre on 200 pieces between
// neighbouring knots and s, plus f(s) ln|(s - a) / (b - s)|. Outside [a, b] f must vanish.
inline double PrincipalValue(const std::function<double(double)>& f, std::vector<double> knots,
                             double s) {
    knots.push_back(s);
    std::sort(knots.begin(), knots.end());
    const double fs = f(s);
    auto g = [&](double t) { return (f(t) - fs) / (s - t); };
    const double node = std::sqrt(0.6);
    double sum = 0;
    knots.erase(std::unique(knots.begin(), knots.end()), knots.end());
    for (std::size_t k = 0; k + 1 < knots.size(); ++k) {
        const int m = 200;
        const double step = (knots[k + 1] - knots[k]) / m;
        for (int i = 0; i < m; ++i) {
            const double mid = knots[k] + (i + 0.5) * step, half = step / 2;
            sum += half * (5 * g(mid - half * node) + 8 * g(mid) + 5 * g(mid + half * node)) / 9;
        }
    }
    return sum + (fs == 0 ? 0 : fs * std::log(std::fabs((s - knots.front()) / (knots.back() - s))));
}
