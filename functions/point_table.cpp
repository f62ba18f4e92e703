#include "functions/point_table.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "functions/points.h"
#include "model/factory.h"
#include "model/map_capsule.h"

namespace Capsule {

Core::Node* FindPointList(const Core::Node& owner) {
    Core::Node* source = owner.Child(1);
    if (!source) return nullptr;
    if (source->GetTypeId() == Core::kMapCapsuleId) {
        auto* reference = dynamic_cast<Core::MapCapsule*>(source);
        Core::NodeMap::Ptr map = reference ? reference->GetMap() : Core::NodeMap::Ptr();
        source = map ? map->GetRoot().Get() : nullptr;
        if (!source) return nullptr;
    }
    return source->GetTypeId() == Core::kPointListId ? source : nullptr;
}

bool FollowReference(Core::Node& owner, Core::Complex& pointSum) {
    auto* reference = dynamic_cast<Core::MapCapsule*>(owner.Child(1));
    if (!reference) return true;
    Core::NodeMap::Ptr map = reference->GetMap();
    if (!map || !map->GetRoot()) return false;
    auto* list = dynamic_cast<XYList*>(map->GetRoot().Get());
    if (!list) return true;
    const Core::Complex sum = list->SumPoints();
    if (sum.real() != pointSum.real() || sum.imag() != pointSum.imag()) {
        owner.Prepare(nullptr);
        pointSum = sum;
    }
    return true;
}

bool ReadPoints(const Core::Node& list, bool absolute, PointTable& table) {
    const int n = list.ChildCount();
    std::vector<double> x(static_cast<std::size_t>(n)), y(x.size());
    bool usable = true;
    for (int i = 0; i < n; ++i) {
        const Core::Complex p = list.Child(i)->Compute();
        x[static_cast<std::size_t>(i)] = p.real();
        y[static_cast<std::size_t>(i)] = absolute ? std::fabs(p.imag()) : p.imag();
        usable = usable && !std::isnan(p.real());
    }
    std::vector<int> order(x.size());
    std::iota(order.begin(), order.end(), 0);
    // A NaN would break the ordering that sorting needs; the table is unusable anyway.
    if (usable)
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return x[static_cast<std::size_t>(a)] < x[static_cast<std::size_t>(b)];
        });
    table.x.resize(x.size());
    table.y.resize(x.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        table.x[i] = x[static_cast<std::size_t>(order[i])];
        table.y[i] = y[static_cast<std::size_t>(order[i])];
        if (i > 0 && table.x[i] == table.x[i - 1]) usable = false;
    }
    return usable;
}

CubicRow LineRow(const PointTable& t, int k) {
    const auto i = static_cast<std::size_t>(k);
    const double d = (t.y[i + 1] - t.y[i]) / (t.x[i + 1] - t.x[i]);
    return {t.y[i] - d * t.x[i], d, 0.0, 0.0};
}

namespace {

// The three-point end slope, kept monotone: zero against the first secant, at most three times
// it when the data turn.
double EndSlope(double h0, double h1, double d0, double d1) {
    const double s = h0 + h1;
    double m = ((s + h0) / s) * d0 - (h0 / s) * d1;
    if (m * d0 <= 0.0) return 0.0;
    if (d0 * d1 < 0.0 && std::fabs(m) > std::fabs(3.0 * d0)) return 3.0 * d0;
    return m;
}

}  // namespace

std::vector<CubicRow> FritschCarlsonRows(const PointTable& t) {
    const std::size_t n = t.x.size();
    std::vector<double> h(n - 1), d(n - 1), m(n);
    for (std::size_t k = 0; k + 1 < n; ++k) {
        h[k] = t.x[k + 1] - t.x[k];
        d[k] = (t.y[k + 1] - t.y[k]) / h[k];
    }
    m[0] = EndSlope(h[0], h[1], d[0], d[1]);
    for (std::size_t k = 1; k + 1 < n; ++k) {
        if (d[k - 1] * d[k] <= 0.0) continue;  // an extremum of the data is a flat point
        const double s = h[k - 1] + h[k];
        const double big = std::max(std::fabs(d[k - 1]), std::fabs(d[k]));
        const double small = std::min(std::fabs(d[k - 1]), std::fabs(d[k]));
        m[k] = small / (((s + h[k - 1]) / (3.0 * s)) * d[k - 1] / big +
                        ((s + h[k]) / (3.0 * s)) * d[k] / big);
    }
    m[n - 1] = EndSlope(h[n - 2], h[n - 3], d[n - 2], d[n - 3]);

    std::vector<CubicRow> rows(n);
    double lastB = 0.0, lastC = 0.0;
    for (std::size_t k = 0; k + 1 < n; ++k) {
        // y_k + m_k u + B u^2 + C u^3 with u = t - x_k, expanded in powers of t.
        const double xk = t.x[k];
        const double c = (m[k] + m[k + 1] - 2.0 * d[k]) / (h[k] * h[k]);
        const double b = (3.0 * d[k] - 2.0 * m[k] - m[k + 1]) / h[k];
        CubicRow& row = rows[k];
        row[3] = c;
        row[2] = b - 3.0 * c * xk;
        row[1] = m[k] - 2.0 * b * xk + 3.0 * c * xk * xk;
        row[0] = t.y[k] - ((row[3] * xk + row[2]) * xk + row[1]) * xk;
        lastB = b;
        lastC = c;
    }
    // The last segment continued past x_{n-1}, rebuilt there from its derivatives.
    const double xe = t.x[n - 1];
    const double q = 2.0 * lastB + 6.0 * lastC * h[n - 2];
    CubicRow& last = rows[n - 1];
    last[3] = lastC;
    last[2] = (q - 6.0 * lastC * xe) / 2.0;
    last[1] = m[n - 1] - (q - 3.0 * lastC * xe) * xe;
    last[0] = t.y[n - 1] - ((last[3] * xe + last[2]) * xe + last[1]) * xe;
    return rows;
}

std::vector<double> NaturalSplineSecondDerivatives(const PointTable& t) {
    const std::size_t n = t.x.size();
    std::vector<double> y2(n, 0.0), u(n, 0.0);
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double sig = (t.x[i] - t.x[i - 1]) / (t.x[i + 1] - t.x[i - 1]);
        const double p = sig * y2[i - 1] + 2.0;
        y2[i] = (sig - 1.0) / p;
        const double curvature = (t.y[i + 1] - t.y[i]) / (t.x[i + 1] - t.x[i]) -
                                 (t.y[i] - t.y[i - 1]) / (t.x[i] - t.x[i - 1]);
        u[i] = (6.0 * curvature / (t.x[i + 1] - t.x[i - 1]) - sig * u[i - 1]) / p;
    }
    y2[n - 1] = 0.0;
    for (std::size_t k = n - 1; k-- > 0;) y2[k] = y2[k] * y2[k + 1] + u[k];
    return y2;
}

}  // namespace Capsule
