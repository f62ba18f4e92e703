#include "functions/peaks.h"

#include <cmath>

#include "formula/complex_functions.h"
#include "foundation/complex_math.h"
#include "functions/anchoring.h"
#include "functions/constants.h"
#include "functions/numbers.h"
#include "functions/parameters.h"
#include "functions/point_columns.h"
#include "model/basic.h"

namespace Capsule {

const VoigtTerm kVoigtTerms[4] = {{-1.2150, 1.2359, -0.3085, 0.0210},
                                  {-1.3509, 0.3786, 0.5906, -1.1858},
                                  {-1.2150, -1.2359, -0.3085, -0.0210},
                                  {-1.3509, -0.3786, 0.5906, 1.1858}};

namespace {

constexpr int kA = 1, kXc = 2, kW = 3, kSecondWidth = 4;
constexpr double kLn2 = 0.6931471805599453;

Complex Sqr(const Complex& z) {
    return ComplexFunction::Sqr(z);
}

// exp(-4 ln2 u^2) and 1 + 4 u^2 of u = (x - xc) / w.
Complex GaussianFactor(const Complex& u) {
    return ComplexFunction::Exp(-k4Ln2 * Sqr(u));
}
Complex LorentzianDenominator(const Complex& u) {
    return 1.0 + 4.0 * Sqr(u);
}

double VoigtSum(double x, double y) {
    double sum = 0.0;
    for (const VoigtTerm& t : kVoigtTerms) {
        const double dy = y - t.a, dx = x - t.b;
        sum += (t.c * dy + t.d * dx) / (dy * dy + dx * dx);
    }
    return sum;
}

// The real shapes, made from the real parts of the children x, A, xc and the widths
// (point_columns.h): u = (x - xc) / w is taken as (x - xc) times 1 / w, made once.

// A exp(-4 ln2 u^2).
struct GaussianShape {
    explicit GaussianShape(const double* v) : a(v[kA]), xc(v[kXc]), r(1.0 / v[kW]) {}
    double operator()(double x) const {
        const double u = (x - xc) * r;
        return a * std::exp(-k4Ln2 * (u * u));
    }
    double a, xc, r;
};

// A / (1 + 4 u^2).
struct LorentzianShape {
    explicit LorentzianShape(const double* v) : a(v[kA]), xc(v[kXc]), r(1.0 / v[kW]) {}
    double operator()(double x) const {
        const double u = (x - xc) * r;
        return a / (1.0 + 4.0 * (u * u));
    }
    double a, xc, r;
};

// Voigt: the four-term approximation, normalised to A at the centre; real parts only.
struct VoigtShape {
    explicit VoigtShape(const double* v)
        : a(v[kA]),
          xc(v[kXc]),
          s(kSqrtLn2 / v[kW]),
          y(v[kSecondWidth] * s),
          centre(VoigtSum(0.0, y)) {}
    double operator()(double x) const { return a * VoigtSum(2.0 * (x - xc) * s, y) / centre; }
    double a, xc, s, y, centre;
};

// Pearson VII: A / (1 + u^2)^m of u = 2 k (x - xc) / w, k = sqrt(2^(1/m) - 1).
struct PearsonVIIShape {
    explicit PearsonVIIShape(const double* v)
        : a(v[kA]),
          xc(v[kXc]),
          m(v[kSecondWidth]),
          scale(2.0 * std::sqrt(std::pow(2.0, 1.0 / m) - 1.0) / v[kW]) {}
    double operator()(double x) const {
        const double u = (x - xc) * scale;
        return a / std::pow(1.0 + u * u, m);
    }
    double a, xc, m, scale;
};

template <class Shape>
const auto kMakeShape = [](const double* arguments) { return Shape(arguments); };

// The shapes at one point, from the values of the children x, A, xc and the widths: with
// every value real the real shape, else complex arithmetic.
Complex GaussianAt(const PointValues<4>& v) {
    if (AreReal(v)) return ShapeValue(v, kMakeShape<GaussianShape>);
    const Complex u = Divide(v[0] - v[kXc], v[kW]);
    return Multiply(ComplexFunction::Exp(-k4Ln2 * Sqr(u)), v[kA]);
}

Complex LorentzianAt(const PointValues<4>& v) {
    if (AreReal(v)) return ShapeValue(v, kMakeShape<LorentzianShape>);
    const Complex u = Divide(v[0] - v[kXc], v[kW]);
    return Divide(v[kA], LorentzianDenominator(u));
}

Complex VoigtAt(const PointValues<5>& v) {
    return ShapeValue(v, kMakeShape<VoigtShape>);
}

Complex PearsonVIIAt(const PointValues<5>& v) {
    if (AreReal(v)) return ShapeValue(v, kMakeShape<PearsonVIIShape>);
    const double m = v[kSecondWidth].real();
    const double k = std::sqrt(std::pow(2.0, 1.0 / m) - 1.0);
    const Complex u = Divide(2.0 * k * (v[0] - v[kXc]), v[kW]);
    const double p = std::pow(1.0 + u.real() * u.real(), m);
    const Complex& a = v[kA];
    return {a.real() / p, a.imag() / p};
}

Complex SglAt(const PointValues<5>& v) {
    const Complex u = Divide(v[0] - v[kXc], v[kW]);
    const Complex& f = v[kSecondWidth];
    const Complex mix = Multiply(f, GaussianFactor(u)) + Divide(1.0 - f, LorentzianDenominator(u));
    return Multiply(v[kA], mix);
}

// w: the width of the side p lies on.
Complex LaplaceAt(double p, double c, const Complex& w, const Complex& a) {
    const Complex t = p >= c ? Divide(Complex(c - p, 0.0), w) : Divide(Complex(p - c, 0.0), w);
    return Multiply(ComplexFunction::Exp(t), a);
}

Complex AreaGaussianAt(const PointValues<4>& v) {
    const Complex& w = v[kW];
    const Complex u = Divide(v[0] - v[kXc], w);
    const Complex h = Divide(v[kA], kSqrt2Pi * w);
    return Multiply(h, ComplexFunction::Exp(-0.5 * Sqr(u)));
}

}  // namespace

// --- Common protocol ---

Peak::Peak(int typeId, const char* name, double amplitude, Parameters kind) {
    Identify(typeId, name, Core::kArityFixed);
    AddParameter("x", 0.0, kind);
    AddParameter("A", amplitude, kind);
    AddParameter("xc", 100.0, kind);
    CreateAnchorSet(true);
    anchorBound_ = {kXc, kA, kW, kA};
    keyChildIndex_ = kXc;
}

void Peak::AddParameter(const char* name, double value, Parameters kind) {
    AdoptChild(kind == Parameters::kReal ? MakeParameter<RealNumber>(name, value)
                                         : MakeParameter<Basic>(name, value));
}

void Peak::CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) {
    out.clear();
    const AnchorEnd end = UsesSecondEnd() ? AnchorEnd::kSecond : AnchorEnd::kFirst;
    AddAnchor(*this, TopAnchor(kXc, kA), end, out);
    AddAnchor(*this, WidthAnchor(kW, kXc), end, out);
    for (auto& anchor : out) PlaceAnchor(anchor.Get(), true);
}

void Peak::PlaceAnchor(Core::Anchor* anchor, const bool& keepPrevious) {
    const AnchorEnd end = UsesSecondEnd() ? AnchorEnd::kSecond : AnchorEnd::kFirst;
    if (anchor->GetKind() == Core::kAnchorTop)
        SetPoint(*anchor, end, {Stored(kXc), TopHeight()}, keepPrevious);
    else if (anchor->GetKind() == Core::kAnchorHalfWidth)
        SetPoint(*anchor, end, HalfWidthPoint(*anchor), keepPrevious);
}

void Peak::AnchorMoved(Core::Anchor* anchor, bool&) {
    const Core::AnchorPoint p =
        CurrentPoint(*anchor, UsesSecondEnd() ? AnchorEnd::kSecond : AnchorEnd::kFirst);
    if (anchor->GetKind() == Core::kAnchorTop) {
        if (Core::Anchor::IsXEnabled()) WriteParameter(Child(kXc), p.x);
        if (Core::Anchor::IsYEnabled()) SetTopHeight(p.y);
    } else if (anchor->GetKind() == Core::kAnchorHalfWidth) {
        SetHalfWidth(*anchor, p.x);
    }
}

void Peak::SetTopHeight(double y) {
    WriteParameter(Child(kA), y);
}

Core::AnchorPoint Peak::HalfWidthPoint(const Core::Anchor&) const {
    return {Stored(kXc) + Stored(kW) * 0.5, Stored(kA) / 2.0};
}

bool Peak::SetHalfWidth(const Core::Anchor&, double x) {
    return WriteWidth(Child(kW), 2.0 * (x - Stored(kXc)));
}

// --- Shapes ---

Gaussian::Gaussian() : Peak(700, "Gaussian", 1.0) {
    AddParameter("w", 10.0);
}
const Complex& Gaussian::Evaluate() {
    return values_[0] = GaussianAt(ChildValues<4>(*this));
}
const Column& Gaussian::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfShape<4>(*this, pass, column_, true, kMakeShape<GaussianShape>, GaussianAt);
}

Lorentzian::Lorentzian() : Peak(701, "Lorentzian", 1.0) {
    AddParameter("w", 10.0);
}
const Complex& Lorentzian::Evaluate() {
    return values_[0] = LorentzianAt(ChildValues<4>(*this));
}
const Column& Lorentzian::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfShape<4>(*this, pass, column_, true, kMakeShape<LorentzianShape>, LorentzianAt);
}

void TwoWidthPeak::CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) {
    out.clear();
    const AnchorEnd end = UsesSecondEnd() ? AnchorEnd::kSecond : AnchorEnd::kFirst;
    AddAnchor(*this, TopAnchor(kXc, kA), end, out);
    AddAnchor(*this, WidthAnchor(kW, kXc), end, out);
    AddAnchor(*this, WidthAnchor(kSecondWidth, kXc), end, out);
    for (auto& anchor : out) PlaceAnchor(anchor.Get(), true);
}
Core::AnchorPoint TwoWidthPeak::HalfWidthPoint(const Core::Anchor& anchor) const {
    if (IsBoundTo(anchor, *this, kW)) return {Stored(kXc) - Stored(kW) / 2.0, Stored(kA) / 2.0};
    return {Stored(kXc) + Stored(kSecondWidth) / 2.0, Stored(kA) / 2.0};
}
bool TwoWidthPeak::SetHalfWidth(const Core::Anchor& anchor, double x) {
    if (IsBoundTo(anchor, *this, kW)) return WriteWidth(Child(kW), 2.0 * (Stored(kXc) - x));
    return WriteWidth(Child(kSecondWidth), 2.0 * (x - Stored(kXc)));
}

Voigt::Voigt() : TwoWidthPeak(702, "Voigt", 1.0) {
    AddParameter("wG", 10.0);
    AddParameter("wL", 1.0);
}
const Complex& Voigt::Evaluate() {
    return values_[0] = VoigtAt(ChildValues<5>(*this));
}
const Column& Voigt::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfShape<5>(*this, pass, column_, false, kMakeShape<VoigtShape>, VoigtAt);
}

PearsonVII::PearsonVII() : Peak(703, "PearsonVII", 1.0) {
    AddParameter("w", 10.0);
    AddParameter("m", 2.0);
}
const Complex& PearsonVII::Evaluate() {
    return values_[0] = PearsonVIIAt(ChildValues<5>(*this));
}
const Column& PearsonVII::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfShape<5>(*this, pass, column_, true, kMakeShape<PearsonVIIShape>, PearsonVIIAt);
}

SGL::SGL() : Peak(704, "SGL", 1.0) {
    AddParameter("w", 10.0);
    AddParameter("f", 0.5);
}
const Complex& SGL::Evaluate() {
    return values_[0] = SglAt(ChildValues<5>(*this));
}
const Column& SGL::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfFormula<5>(*this, pass, column_, SglAt);
}

Laplace::Laplace() : Peak(706, "Laplace", 1.0) {
    AddParameter("wr", 10.0);
    AddParameter("wl", 10.0);
    anchorMode_[2] = 0;  // a drag of wr carries wl along: equal
    anchorFollower_[2] = kSecondWidth;
}
// Only the width of the side x is on is evaluated; the column path reads both widths' columns
// and takes the same one at each point.
// Both widths are read at every point, as the column path reads them: a width left unevaluated
// on one side would keep a stale value that nodes below it show.
static Complex LaplaceOfValues(const PointValues<5>& v) {
    const double p = v[0].real(), c = v[kXc].real();
    return LaplaceAt(p, c, p >= c ? v[kW] : v[kSecondWidth], v[kA]);
}
const Complex& Laplace::Evaluate() {
    return values_[0] = LaplaceOfValues(ChildValues<5>(*this));
}
const Column& Laplace::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfFormula<5>(*this, pass, column_, LaplaceOfValues);
}
void Laplace::CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) {
    CreateLaplaceAnchors(*this, out);
}
void Laplace::PlaceAnchor(Core::Anchor* anchor, const bool& keepPrevious) {
    PlaceLaplaceAnchor(*this, *anchor, keepPrevious);
}
void Laplace::AnchorMoved(Core::Anchor* anchor, bool& notify) {
    LaplaceAnchorMoved(*this, *anchor, notify);
}

AreaGaussian::AreaGaussian() : Peak(799, "AreaGaussian", 10.0) {
    AddParameter("w", 10.0);
}
const Complex& AreaGaussian::Evaluate() {
    return values_[0] = AreaGaussianAt(ChildValues<4>(*this));
}
const Column& AreaGaussian::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfFormula<4>(*this, pass, column_, AreaGaussianAt);
}
double AreaGaussian::TopHeight() const {
    return Divide(Child(kA)->GetValue(), kSqrt2Pi * Child(kW)->GetValue()).real();
}
// The area whose height Re(A / (sqrt(2 pi) w)) is y: the anchor stays where it was dropped.
void AreaGaussian::SetTopHeight(double y) {
    const double inverseWidth = Divide(Complex(1.0, 0.0), Child(kW)->GetValue()).real();
    WriteParameter(Child(kA), y * kSqrt2Pi / inverseWidth);
}
Core::AnchorPoint AreaGaussian::HalfWidthPoint(const Core::Anchor&) const {
    return {Stored(kXc) + Stored(kW), std::exp(-0.5) * TopHeight()};
}
bool AreaGaussian::SetHalfWidth(const Core::Anchor&, double x) {
    return WriteWidth(Child(kW), x - Stored(kXc));
}

// --- Anchors of the two-sided exponential ---

void CreateLaplaceAnchors(Core::Node& owner, std::vector<Safe::XPtr<Core::Anchor>>& out) {
    out.clear();
    AddAnchor(owner, TopAnchor(kXc, kA), AnchorEnd::kFirst, out);
    Core::Anchor& right = AddAnchor(owner, WidthAnchor(kW, kXc), AnchorEnd::kFirst, out);
    Core::Anchor& left = AddAnchor(owner, WidthAnchor(kSecondWidth, kXc), AnchorEnd::kFirst, out);
    PairWidthAnchors(right, left);
    for (auto& anchor : out) PlaceLaplaceAnchor(owner, *anchor, true);
}

void PlaceLaplaceAnchor(const Core::Node& owner, Core::Anchor& anchor, bool keepPrevious) {
    const auto stored = [&owner](int child) { return owner.Child(child)->GetValue().real(); };
    const double xc = stored(kXc), a = stored(kA);
    if (anchor.GetKind() == Core::kAnchorTop)
        anchor.SetFirstPoint({xc, a}, keepPrevious);
    else if (anchor.GetKind() == Core::kAnchorHalfWidth && IsBoundTo(anchor, owner, kW))
        anchor.SetFirstPoint({xc + kLn2 * stored(kW), a / 2.0}, keepPrevious);
    else if (anchor.GetKind() == Core::kAnchorHalfWidth)
        anchor.SetFirstPoint({xc - kLn2 * stored(kSecondWidth), a / 2.0}, keepPrevious);
}

void LaplaceAnchorMoved(Core::Node& owner, Core::Anchor& anchor, bool& notify) {
    const Core::AnchorPoint p = anchor.First().current;
    const double xc = owner.Child(kXc)->GetValue().real();
    if (anchor.GetKind() == Core::kAnchorTop) {
        if (Core::Anchor::IsXEnabled()) WriteParameter(owner.Child(kXc), p.x);
        if (Core::Anchor::IsYEnabled()) WriteParameter(owner.Child(kA), p.y);
        return;
    }
    if (anchor.GetKind() != Core::kAnchorHalfWidth) return;
    const bool right = IsBoundTo(anchor, owner, kW);
    Core::Node* width = owner.Child(right ? kW : kSecondWidth);
    const double before = width->GetValue().real();
    const double after = (right ? p.x - xc : xc - p.x) / kLn2;
    FeedForce(anchor, notify, WriteWidth(width, after), before, after);
}

Core::Node::Ptr MakePeak(int typeId) {
    switch (typeId) {
        case 700: return Safe::MakeX<Gaussian>();
        case 701: return Safe::MakeX<Lorentzian>();
        case 702: return Safe::MakeX<Voigt>();
        case 703: return Safe::MakeX<PearsonVII>();
        case 704: return Safe::MakeX<SGL>();
        case 706: return Safe::MakeX<Laplace>();
        case 799: return Safe::MakeX<AreaGaussian>();
        default: return Core::Node::Ptr();
    }
}

}  // namespace Capsule
