#include "functions/interpolated_profiles.h"

#include <cmath>

#include "foundation/bracket.h"
#include "functions/constants.h"
#include "functions/parameters.h"
#include "functions/points.h"
#include "model/basic.h"

namespace Capsule {

namespace {

double Horner(const std::vector<double>& c, double t) {
    double sum = 0.0;
    for (std::size_t k = c.size(); k-- > 0;) sum = sum * t + c[k];
    return sum;
}

// ln|d|, and nothing for d = 0: such a term is multiplied by a vanishing ordinate or cancels
// against the neighbouring piece's.
double LogAbs(double d) {
    return d == 0.0 ? 0.0 : std::log(std::fabs(d));
}

// The principal-value integral of q(t) (1/(t - x) + 1/(t + x)) over [u, v] is
// q(x) ln|(x - v)/(x - u)| + q(-x) ln|(v + x)/(u + x)| + 2 sum_k c_k Q_k(x), where
// Q_k = sum over i < k with k - 1 - i even of x^(k-1-i) (v^(i+1) - u^(i+1)) / (i + 1).
// Grouped by powers of x^2: 2 sum_r x^(2r) even_r, even_r = sum_k c_k M_(k-1-2r).
ProfilePiece MakePiece(double u, double v, std::vector<double> c) {
    ProfilePiece piece{u, v, std::move(c), {}};
    const std::size_t degree = piece.c.empty() ? 0 : piece.c.size() - 1;
    std::vector<double> moments(degree);  // M_i = (v^(i+1) - u^(i+1)) / (i + 1)
    double up = u, vp = v;
    for (std::size_t i = 0; i < degree; ++i) {
        moments[i] = (vp - up) / static_cast<double>(i + 1);
        up *= u;
        vp *= v;
    }
    piece.even.assign((degree + 1) / 2, 0.0);
    for (std::size_t k = 1; k <= degree; ++k)
        for (std::size_t r = 0; 2 * r + 1 <= k; ++r)
            piece.even[r] += piece.c[k] * moments[k - 1 - 2 * r];
    return piece;
}

}  // namespace

InterpolatedProfile::InterpolatedProfile(int typeId, const char* name) {
    Identify(typeId, name, Core::kArityVariadic);
    prepareOnChange_ = 1;
    AdoptChild(MakeParameter<Basic>("x"));
    AdoptChild(Safe::MakeX<XYList>());
}

void InterpolatedProfile::Prepare(Node*) {
    if (ChildCount() < 2) return;
    const int n = Child(1)->ChildCount();
    lo_ = 0;
    hi_ = 1;
    ready_ = n > 0 && ReadPoints(*Child(1), false, table_);
    if (n < 2) {
        ready_ = false;
        values_[0] = Complex(0.0, 0.0);
        return;
    }
    if (!ready_) return;
    table_.y.front() = 0.0;
    table_.y.back() = 0.0;
    pieces_.clear();
    if (n == 2)
        pieces_.push_back(MakePiece(table_.x[0], table_.x[1], {0.0, 0.0}));
    else
        Build(pieces_);
    starts_.clear();
    for (const ProfilePiece& piece : pieces_) starts_.push_back(piece.u);
    starts_.push_back(pieces_.back().v);
}

const Complex& InterpolatedProfile::Evaluate() {
    Node* argument = Child(0);
    if (!ready_ || !argument) return values_[0];
    const double x = argument->Compute().real();
    double profile = 0.0;
    if (x >= starts_.front() && x <= starts_.back()) {
        LocateBracket(starts_, x, lo_, hi_);
        profile = Horner(pieces_[static_cast<std::size_t>(lo_)].c, x);
    }
    return values_[0] = Complex(RealPart(x) / kPi, profile);
}

double InterpolatedProfile::RealPart(double x) const {
    double sum = 0.0;
    const double x2 = x * x;
    for (const ProfilePiece& p : pieces_) {
        sum += Horner(p.c, x) * (LogAbs(x - p.v) - LogAbs(x - p.u));
        sum += Horner(p.c, -x) * (LogAbs(p.v + x) - LogAbs(p.u + x));
        sum += 2.0 * Horner(p.even, x2);
    }
    return sum;
}

// --- Straight segments ---

LinearKkg::LinearKkg() : InterpolatedProfile(923, "linear-kkg") {}

void LinearKkg::Build(std::vector<ProfilePiece>& pieces) const {
    for (int k = 0; k + 1 < table_.Count(); ++k) {
        const CubicRow row = LineRow(table_, k);
        const auto i = static_cast<std::size_t>(k);
        pieces.push_back(MakePiece(table_.x[i], table_.x[i + 1], {row[0], row[1]}));
    }
}

// --- One polynomial ---

PolynomialKkg::PolynomialKkg() : InterpolatedProfile(924, "polynomial-kkg") {}

void PolynomialKkg::Build(std::vector<ProfilePiece>& pieces) const {
    // Power-form coefficients through all points by synthetic products (Numerical Recipes'
    // polcoe): s holds the master polynomial prod (t - x_i).
    const std::vector<double>& x = table_.x;
    const std::size_t n = x.size();
    std::vector<double> s(n, 0.0), c(n, 0.0);
    s[n - 1] = -x[0];
    for (std::size_t i = 1; i < n; ++i) {
        for (std::size_t j = n - 1 - i; j + 1 < n; ++j) s[j] -= x[i] * s[j + 1];
        s[n - 1] -= x[i];
    }
    for (std::size_t j = 0; j < n; ++j) {
        double phi = static_cast<double>(n);
        for (std::size_t k = n - 1; k >= 1; --k) phi = static_cast<double>(k) * s[k] + x[j] * phi;
        const double f = table_.y[j] / phi;
        double b = 1.0;
        for (std::size_t k = n; k-- > 0;) {
            c[k] += b * f;
            b = s[k] + x[j] * b;
        }
    }
    pieces.push_back(MakePiece(x.front(), x.back(), std::move(c)));
}

// --- Natural cubic spline ---

CubicSplineKkg::CubicSplineKkg() : InterpolatedProfile(925, "cubic-spline-kkg") {}

void CubicSplineKkg::Build(std::vector<ProfilePiece>& pieces) const {
    const std::vector<double> m = NaturalSplineSecondDerivatives(table_);
    const std::vector<double>& x = table_.x;
    const std::vector<double>& y = table_.y;
    for (std::size_t j = 0; j + 1 < x.size(); ++j) {
        const double h = x[j + 1] - x[j];
        const double k3 = (m[j + 1] - m[j]) / (6.0 * h);
        const double k2 = (m[j] * x[j + 1] - x[j] * m[j + 1]) / (2.0 * h);
        const double k1 = ((y[j + 1] - y[j]) - k2 * (x[j + 1] * x[j + 1] - x[j] * x[j]) -
                           k3 * (x[j + 1] * x[j + 1] * x[j + 1] - x[j] * x[j] * x[j])) /
                          h;
        const double k0 = y[j] - ((k3 * x[j] + k2) * x[j] + k1) * x[j];
        pieces.push_back(MakePiece(x[j], x[j + 1], {k0, k1, k2, k3}));
    }
}

// --- Monotone cubic ---

FritschCarlsonKkg::FritschCarlsonKkg() : InterpolatedProfile(926, "fritsch-carlson-kkg") {}

void FritschCarlsonKkg::Build(std::vector<ProfilePiece>& pieces) const {
    const std::vector<CubicRow> rows = FritschCarlsonRows(table_);
    for (std::size_t j = 0; j + 1 < rows.size(); ++j)
        pieces.push_back(MakePiece(table_.x[j], table_.x[j + 1],
                                   {rows[j][0], rows[j][1], rows[j][2], rows[j][3]}));
}

Core::Node::Ptr MakeInterpolatedProfile(int typeId) {
    switch (typeId) {
        case 923: return Safe::MakeX<LinearKkg>();
        case 924: return Safe::MakeX<PolynomialKkg>();
        case 925: return Safe::MakeX<CubicSplineKkg>();
        case 926: return Safe::MakeX<FritschCarlsonKkg>();
        default: return Core::Node::Ptr();
    }
}

}  // namespace Capsule
