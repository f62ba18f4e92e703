#include "functions/kk_profiles.h"

#include <cmath>

#include "foundation/complex_math.h"
#include "functions/constants.h"
#include "functions/point_columns.h"
#include "functions/special_kernels.h"

namespace Capsule {

namespace {

constexpr int kA = 1, kXc = 2, kW = 3, kWl = 4;  // kWl: the second width
constexpr double kC = 1.6651092223153956;  // 2 sqrt(ln 2): from the full width at half height
constexpr double kTwoOverSqrtPi = 1.1283791670955126;

// The four-term Voigt approximation at (xi, y) and its dispersion partner.
struct VoigtPair {
    double v, l;
};
VoigtPair VoigtTerms(double xi, double y) {
    VoigtPair sum{0.0, 0.0};
    for (const VoigtTerm& t : kVoigtTerms) {
        const double dy = y - t.a, dx = xi - t.b;
        const double d = dy * dy + dx * dx;
        sum.v += (t.c * dy + t.d * dx) / d;
        sum.l += (t.c * dx - t.d * dy) / d;
    }
    return sum;
}

// The square root of the radicand in the upper half-plane.
Complex UpperRoot(const Complex& radicand) {
    const Complex s = std::sqrt(radicand);
    return s.imag() <= 0.0 ? -s : s;
}

// The Gaussian distribution of oscillators whose frequencies are the roots s (at x) and t (at
// xc): -conj(i A S(s)/s) / Re(S(t)/t), S(u) = W((u - xc)/sigma) + W((u + xc)/sigma).
Complex BandSum(double xc, double sigma, const Complex& u) {
    return FaddeevaW((u - xc) / sigma) + FaddeevaW((u + xc) / sigma);
}

Complex OscillatorDistribution(double a, double xc, double sigma, const Complex& s, const Complex& t) {
    const double n = Divide(BandSum(xc, sigma, t), t).real();
    const Complex q = Divide(BandSum(xc, sigma, s), s);  // -conj(i A q) = A (q_i + i q_r)
    return {a * q.imag() / n, a * q.real() / n};
}

}  // namespace

GaussianKkg::GaussianKkg() : Peak(907, "GaussianKKg", 1.0) {
    AddParameter("w", 10.0);
}

namespace {
Complex GaussianKkgAt(const PointValues<4>& v) {
    const double x = v[0].real(), a = v[kA].real(), xc = v[kXc].real(), w = v[kW].real();
    const double p = kC * (x + xc) / w, m = kC * (x - xc) / w;
    return {a * kTwoOverSqrtPi * (DawsonF(p) - DawsonF(m)), a * (std::exp(-m * m) - std::exp(-p * p))};
}
}  // namespace

const Complex& GaussianKkg::Evaluate() {
    return values_[0] = GaussianKkgAt(ChildValues<4>(*this));
}

const Column& GaussianKkg::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfFormula<4>(*this, pass, column_, GaussianKkgAt);
}

VoigtKkg::VoigtKkg() : TwoWidthPeak(906, "VoigtKKg", 1.0) {
    AddParameter("wG", 10.0);
    AddParameter("wL", 1.0);
}

namespace {
Complex VoigtKkgAt(const PointValues<5>& v) {
    const double x = v[0].real(), a = v[kA].real(), xc = v[kXc].real();
    const double k = kSqrtLn2 / v[kW].real();
    const double y = k * v[kWl].real(), x0 = 2.0 * k * xc, xx = 2.0 * k * x;
    const double n = VoigtTerms(0.0, y).v - VoigtTerms(-2.0 * x0, y).v;
    const VoigtPair band = VoigtTerms(xx - x0, y), mirror = VoigtTerms(-xx - x0, y);
    return {-a * (band.l + mirror.l) / n, a * (band.v - mirror.v) / n};
}
}  // namespace

const Complex& VoigtKkg::Evaluate() {
    return values_[0] = VoigtKkgAt(ChildValues<5>(*this));
}

const Column& VoigtKkg::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfFormula<5>(*this, pass, column_, VoigtKkgAt);
}

LaplaceKkg::LaplaceKkg() : Peak(908, "LaplaceKKg", 1.0) {
    AddParameter("wr", 10.0);
    AddParameter("wl", 10.0);
    anchorMode_[2] = 0;  // a drag of wr carries wl along: equal
    anchorFollower_[2] = 4;
}

// With F(t) = exp(-t) Ei(t), the band's partner is [F((xc - x)/wl) - F(-(xc - x)/wr)]/pi and the
// mirror's the same at -x. At x = xc the band's two terms diverge alike: their sum tends to
// ln(wr/wl).
namespace {
Complex LaplaceKkgAt(const PointValues<5>& v) {
    const double x = v[0].real(), a = v[kA].real(), xc = v[kXc].real();
    const double wr = v[kW].real(), wl = v[kWl].real();
    const double band = x >= xc ? std::exp(-(x - xc) / wr) : std::exp(-(xc - x) / wl);
    const double im = band - std::exp(-(x + xc) / wl);
    double re = ExpIntegralExpEi((xc + x) / wl) - ExpIntegralExpEi(-(xc + x) / wr);
    re += x == xc ? std::log(wr / wl)
                  : ExpIntegralExpEi((xc - x) / wl) - ExpIntegralExpEi(-(xc - x) / wr);
    return {a * re / kPi, a * im};
}
}  // namespace

const Complex& LaplaceKkg::Evaluate() {
    return values_[0] = LaplaceKkgAt(ChildValues<5>(*this));
}

const Column& LaplaceKkg::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfFormula<5>(*this, pass, column_, LaplaceKkgAt);
}

void LaplaceKkg::CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) {
    CreateLaplaceAnchors(*this, out);
}
void LaplaceKkg::PlaceAnchor(Core::Anchor* anchor, const bool& keepPrevious) {
    PlaceLaplaceAnchor(*this, *anchor, keepPrevious);
}
void LaplaceKkg::AnchorMoved(Core::Anchor* anchor, bool& notify) {
    LaplaceAnchorMoved(*this, *anchor, notify);
}

GaussianDho::GaussianDho() : TwoWidthPeak(909, "gaussian-distribution-dho", 1.0, Parameters::kReal) {
    AddParameter("wG", 10.0, Parameters::kReal);
    AddParameter("wL", 1.0, Parameters::kReal);
}

// Oscillators of frequency u and damping gamma: s^2 = x^2 - i gamma x.
namespace {
Complex GaussianDhoAt(const PointValues<5>& v) {
    const double x = v[0].real(), a = v[kA].real(), xc = v[kXc].real();
    const double sigma = v[kW].real() / kC, gamma = v[kWl].real();
    const Complex t = UpperRoot(Complex(xc * xc, -gamma * xc));
    if (x == 0.0) {
        // s = 0, where S(s)/s = S(0)/s + S'(0) + O(s) with S(0) = 2 exp(-c^2) real, c = xc/sigma.
        // S(0)/s adds to the real part an even term of order exp(-c^2)/sqrt(gamma |x|), nil
        // wherever the band lies off the origin; the value here is the rest, its limit:
        // S'(0) = 4i (1 - c sqrt(pi) Im w(c)) / (sigma sqrt(pi)), imaginary, so the imaginary
        // part (odd in x) is 0.
        const double c = xc / sigma;
        const double slope =
            4.0 * (1.0 - c * kSqrtPi * FaddeevaW(Complex(c, 0.0)).imag()) / (sigma * kSqrtPi);
        return {a * slope / Divide(BandSum(xc, sigma, t), t).real(), 0.0};
    }
    const Complex s = UpperRoot(Complex(x * x, -gamma * x));
    return OscillatorDistribution(a, xc, sigma, s, t);
}
}  // namespace

const Complex& GaussianDho::Evaluate() {
    return values_[0] = GaussianDhoAt(ChildValues<5>(*this));
}

const Column& GaussianDho::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfFormula<5>(*this, pass, column_, GaussianDhoAt);
}

GaussianSqo::GaussianSqo() : TwoWidthPeak(920, "gaussian-distribution-sqo", 1.0, Parameters::kReal) {
    AddParameter("wG", 10.0, Parameters::kReal);
    AddParameter("wL", 1.0);
}

// s^2 = x^2 + 2 xc conj(wL), wL complex.
namespace {
Complex GaussianSqoAt(const PointValues<5>& v) {
    const double x = v[0].real(), a = v[kA].real(), xc = v[kXc].real();
    const double sigma = v[kW].real() / kC;
    const Complex shift = 2.0 * xc * std::conj(v[kWl]);
    const Complex s = UpperRoot(x * x + shift), t = UpperRoot(xc * xc + shift);
    return OscillatorDistribution(a, xc, sigma, s, t);
}
}  // namespace

const Complex& GaussianSqo::Evaluate() {
    return values_[0] = GaussianSqoAt(ChildValues<5>(*this));
}

const Column& GaussianSqo::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfFormula<5>(*this, pass, column_, GaussianSqoAt);
}

void GaussianSqo::CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) {
    Peak::CreateAnchors(out);
}

Core::AnchorPoint GaussianSqo::HalfWidthPoint(const Core::Anchor&) const {
    return {Stored(kXc) - Stored(kW) / 2.0, 0.0};
}

Core::Node::Ptr MakeKkProfile(int typeId) {
    switch (typeId) {
        case 906: return Safe::MakeX<VoigtKkg>();
        case 907: return Safe::MakeX<GaussianKkg>();
        case 908: return Safe::MakeX<LaplaceKkg>();
        case 909: return Safe::MakeX<GaussianDho>();
        case 920: return Safe::MakeX<GaussianSqo>();
        default: return Core::Node::Ptr();
    }
}

}  // namespace Capsule
