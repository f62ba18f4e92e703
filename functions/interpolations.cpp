#include "functions/interpolations.h"

#include <cmath>

#include "foundation/bracket.h"
#include "functions/parameters.h"
#include "functions/points.h"
#include "model/basic.h"
#include "model/factory.h"

namespace Capsule {

Interpolation::Interpolation(int typeId, const char* name, bool absolute, bool keepsSingleOrdinate)
    : absolute_(absolute), keepsSingleOrdinate_(keepsSingleOrdinate) {
    Identify(typeId, name, Core::kArityVariadic);
    prepareOnChange_ = 1;
    AdoptChild(MakeParameter<Basic>("x"));
    AdoptChild(Safe::MakeX<XYList>());
}

void Interpolation::Prepare(Node*) {
    const Node* list = FindPointList(*this);
    if (!list) return;  // not a point source: the old tables stay
    const int n = list->ChildCount();
    lo_ = 0;
    hi_ = 1;
    if (n < 2) {
        prepared_ = false;
        const bool single = n == 1 && keepsSingleOrdinate_;
        values_[0] = Complex(single ? list->Child(0)->Compute().imag() : 0.0, 0.0);
        return;
    }
    prepared_ = ReadPoints(*list, absolute_, table_);
    if (prepared_) Build();
}

const Complex& Interpolation::Evaluate() {
    if (!FollowReference(*this, pointSum_)) return values_[0];
    Node* x = Child(0);
    if (!prepared_ || !x) return values_[0];
    return values_[0] = Complex(Interpolate(x->Compute().real()), 0.0);
}

int Interpolation::Segment(double x) {
    LocateBracket(table_.x, x, lo_, hi_);
    return lo_;
}

// --- Straight segments ---

ITLinear::ITLinear() : Interpolation(800, "Linear", false, true) {}

void ITLinear::Build() {
    const int n = table_.Count();
    rows_.resize(static_cast<std::size_t>(n));
    for (int k = 0; k + 1 < n; ++k) rows_[static_cast<std::size_t>(k)] = LineRow(table_, k);
    rows_.back() = rows_[rows_.size() - 2];
}

double ITLinear::Interpolate(double x) {
    const CubicRow& row = rows_[static_cast<std::size_t>(Segment(x))];
    return row[1] * x + row[0];
}

// --- Polynomial ---

ITPolynomial::ITPolynomial() : Interpolation(801, "Polynomial", false, true) {}

double ITPolynomial::Interpolate(double x) {
    const std::vector<double>& xs = table_.x;
    const int n = table_.Count();
    c_ = table_.y;
    d_ = table_.y;
    int ns = 0;
    double nearest = std::fabs(x - xs[0]);
    for (int i = 1; i < n; ++i) {
        const double distance = std::fabs(x - xs[static_cast<std::size_t>(i)]);
        if (distance < nearest) {
            ns = i;
            nearest = distance;
        }
    }
    double y = table_.y[static_cast<std::size_t>(ns--)];
    for (int m = 1; m < n; ++m) {
        for (int i = 0; i < n - m; ++i) {
            const auto k = static_cast<std::size_t>(i);
            const double ho = xs[k] - x;
            const double hp = xs[k + static_cast<std::size_t>(m)] - x;
            const double f = (c_[k + 1] - d_[k]) / (ho - hp);
            d_[k] = hp * f;
            c_[k] = ho * f;
        }
        y += 2 * (ns + 1) < n - m ? c_[static_cast<std::size_t>(ns + 1)]
                                  : d_[static_cast<std::size_t>(ns--)];
    }
    return y;
}

// --- Rational ---

ITRational::ITRational() : Interpolation(802, "Rational", false, true) {}

double ITRational::Interpolate(double x) {
    // Keeps 0 / 0 out of the tableau when the data are all zero (or a ratio vanishes exactly).
    constexpr double kTiny = 1e-25;
    const std::vector<double>& xs = table_.x;
    const int n = table_.Count();
    c_.resize(xs.size());
    d_.resize(xs.size());
    int ns = 0;
    double nearest = std::fabs(x - xs[0]);
    for (int i = 0; i < n; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const double distance = std::fabs(x - xs[k]);
        if (distance == 0.0) return table_.y[k];
        if (distance < nearest) {
            ns = i;
            nearest = distance;
        }
        c_[k] = table_.y[k];
        d_[k] = table_.y[k] + kTiny;
    }
    double y = table_.y[static_cast<std::size_t>(ns--)];
    for (int m = 1; m < n; ++m) {
        for (int i = 0; i < n - m; ++i) {
            const auto k = static_cast<std::size_t>(i);
            const double w = c_[k + 1] - d_[k];
            const double h = xs[k + static_cast<std::size_t>(m)] - x;
            const double t = (xs[k] - x) * d_[k] / h;
            const double f = w / (t - c_[k + 1]);  // a pole gives an infinity or NaN
            d_[k] = c_[k + 1] * f;
            c_[k] = t * f;
        }
        y += 2 * (ns + 1) < n - m ? c_[static_cast<std::size_t>(ns + 1)]
                                  : d_[static_cast<std::size_t>(ns--)];
    }
    return y;
}

// --- Natural cubic spline ---

Spline::Spline() : Interpolation(803, "Spline", false, true) {}

void Spline::Build() {
    y2_ = NaturalSplineSecondDerivatives(table_);
}

double Spline::Interpolate(double x) {
    // Numerical Recipes' splint; outside the points the end cubics continue.
    const auto lo = static_cast<std::size_t>(Segment(x));
    const std::size_t hi = lo + 1;
    const double h = table_.x[hi] - table_.x[lo];
    const double a = (table_.x[hi] - x) / h;
    const double b = (x - table_.x[lo]) / h;
    return a * table_.y[lo] + b * table_.y[hi] +
           ((a * a * a - a) * y2_[lo] + (b * b * b - b) * y2_[hi]) * (h * h) / 6.0;
}

// --- Fritsch-Carlson ---

FritschCarlson::FritschCarlson() : FritschCarlson(804, "fritsch-carlson", false) {}

FritschCarlson::FritschCarlson(int typeId, const char* name, bool absolute)
    : Interpolation(typeId, name, absolute, false) {}

void FritschCarlson::Build() {
    if (table_.Count() == 2) {
        rows_.assign(2, LineRow(table_, 0));
        return;
    }
    rows_ = FritschCarlsonRows(table_);
}

double FritschCarlson::Interpolate(double x) {
    const int n = table_.Count();
    int k = 0;
    if (x > table_.x.back())
        k = n - 1;
    else if (x >= table_.x.front())
        k = Segment(x);
    return EvaluateRow(rows_[static_cast<std::size_t>(k)], x);
}

PositiveFritschCarlson::PositiveFritschCarlson()
    : FritschCarlson(805, "positive-fritsch-carlson", true) {}

Core::Node::Ptr MakeInterpolation(int typeId) {
    switch (typeId) {
        case 800: return Safe::MakeX<ITLinear>();
        case 801: return Safe::MakeX<ITPolynomial>();
        case 802: return Safe::MakeX<ITRational>();
        case 803: return Safe::MakeX<Spline>();
        case 804: return Safe::MakeX<FritschCarlson>();
        case 805: return Safe::MakeX<PositiveFritschCarlson>();
        case Core::kPointId: return Safe::MakeX<XYPoint>();
        case Core::kPointListId: return Safe::MakeX<XYList>();
        default: return Core::Node::Ptr();
    }
}

}  // namespace Capsule
