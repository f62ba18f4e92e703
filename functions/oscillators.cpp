#include "functions/oscillators.h"

#include <cmath>

#include "foundation/complex_math.h"
#include "functions/anchoring.h"
#include "model/basic.h"
#include "functions/parameters.h"
#include "functions/point_columns.h"

namespace Capsule {

namespace {

// i z.
Complex TimesI(const Complex& z) {
    return {-z.imag(), z.real()};
}

// Children of the phonons with strength, frequency and damping, and of the factorised phonon.
constexpr int kDs = 1, kW = 2, kG = 3;
constexpr int kWt = 1, kGt = 2, kWl = 3, kGl = 4;

// The values at one point from the children's (x first), with a for the arithmetic of the
// products and quotients (point_columns.h): Evaluate and the column path share them.

// ds w^2 / (w^2 - x^2 - t(x, w, g)).
template <class Damping>
auto PhononFormula(Damping damping) {
    return [damping](const PointValues<4>& v, auto& a) {
        const Complex &x = v[0], &ds = v[kDs], &w = v[kW], &g = v[kG];
        const Complex w2 = a.Times(w, w);
        return a.Over(a.Times(ds, w2), w2 - a.Times(x, x) - damping(x, w, g, a));
    };
}
const auto kPhonon3P = PhononFormula([](const Complex& x, const Complex&, const Complex& g,
                                        auto& a) { return TimesI(a.Times(g, x)); });
const auto kAPhonon = PhononFormula([](const Complex&, const Complex& w, const Complex& g,
                                       auto& a) { return 2.0 * a.Times(w, g); });
const auto kAiPhonon = PhononFormula(
    [](const Complex&, const Complex&, const Complex& g, auto&) { return TimesI(g); });

const auto kPhonon4P = [](const PointValues<5>& v, auto& a) {
    const double x = v[0].real();
    const Complex &wt = v[kWt], &gt = v[kGt], &wl = v[kWl], &gl = v[kGl];
    const double x2 = x * x;
    return a.Over(a.Times(wl, wl) - x2 - TimesI(gl * x), a.Times(wt, wt) - x2 - TimesI(gt * x));
};

const auto kDrude = [](const PointValues<3>& v, auto& a) {
    const Complex &x = v[0], &w = v[1], &g = v[2];
    return a.Over(-a.Times(w, w), a.Times(x, x + TimesI(g)));
};

const auto kPlasmon = [](const PointValues<4>& v, auto& a) {
    const Complex &x = v[0], &w = v[1], &g0 = v[2], &g = v[3];
    return a.Over(-(a.Times(w, w) + TimesI(a.Times(g - g0, x))), a.Times(x, x - TimesI(g0)));
};

}  // namespace

Oscillator::Oscillator(int typeId, const char* name,
                       std::initializer_list<std::pair<const char*, double>> parameters) {
    Identify(typeId, name, Core::kArityFixed);
    AdoptChild(MakeParameter<Basic>("x", 0.0));
    for (const auto& [parameter, value] : parameters) AdoptChild(MakeParameter<Basic>(parameter, value));
}

// --- The phonons with strength, frequency and damping ---


Phonon::Phonon(int typeId, const char* name)
    : Oscillator(typeId, name, {{"ds", 1.0}, {"w", 100.0}, {"g", 10.0}}) {
    CreateAnchorSet(true);
    anchorBound_ = {kW, kDs, kG, kDs};
    keyChildIndex_ = kW;
}

void Phonon::CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) {
    out.clear();
    AddAnchor(*this, TopAnchor(kW, kDs), AnchorEnd::kSecond, out);
    AddAnchor(*this, WidthAnchor(kG, kW), AnchorEnd::kSecond, out);
    for (auto& anchor : out) PlaceAnchor(anchor.Get(), true);
}

double Phonon::PeakHeight() const {
    return Divide(Multiply(Stored(kDs), Stored(kW)), Stored(kG)).real();
}

double Phonon::WidthAnchorX() const {
    return Stored(kW).real() + Stored(kG).real();
}

void Phonon::PlaceAnchor(Core::Anchor* anchor, const bool& keepPrevious) {
    if (anchor->GetKind() == Core::kAnchorTop)
        anchor->SetSecondPoint({Stored(kW).real(), PeakHeight()}, keepPrevious);
    else if (anchor->GetKind() == Core::kAnchorHalfWidth)
        anchor->SetSecondPoint({WidthAnchorX(), PeakHeight() / 2.0}, keepPrevious);
}

void Phonon::AnchorMoved(Core::Anchor* anchor, bool&) {
    const Core::AnchorPoint p = anchor->Second().current;
    if (anchor->GetKind() == Core::kAnchorTop) {
        if (Core::Anchor::IsXEnabled()) WriteParameter(Child(kW), p.x);
        // The strength whose peak height is y at the (new) frequency.
        Node* ds = Child(kDs);
        if (Core::Anchor::IsYEnabled() && ds->IsActive())
            ds->SetValue(Divide(p.y * Stored(kG), Stored(kW)), 0);
    } else if (anchor->GetKind() == Core::kAnchorHalfWidth) {
        SetWidth(*anchor, p.x);
    }
}

bool Phonon::SetWidth(Core::Anchor&, double x) {
    return WriteWidth(Child(kG), x - Stored(kW).real());
}

Phonon3P::Phonon3P() : Phonon(900, "Phonon3P") {}

const Complex& Phonon3P::Evaluate() {
    return values_[0] = FormulaValue<4>(*this, kPhonon3P);
}

const Column& Phonon3P::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfRationalFormula<4>(*this, pass, column_, kPhonon3P);
}

double Phonon3P::Transform(const int& axis, const double& value) {
    if (axis != 1 && axis != 3) return value;
    return value * Divide(Stored(kG), Stored(kW)).real();
}

double Phonon3P::WidthAnchorX() const {
    return (Stored(kW) + 0.5 * Stored(kG)).real();
}

// The half width at half height is g/2; the anchor then moves to the new height.
bool Phonon3P::SetWidth(Core::Anchor& anchor, double x) {
    if (!WriteWidth(Child(kG), 2.0 * (x - Stored(kW).real()))) return false;
    anchor.SetSecondPoint({x, PeakHeight() / 2.0}, false);
    return true;
}

APhonon::APhonon() : Phonon(902, "AnhPhonon") {}

const Complex& APhonon::Evaluate() {
    return values_[0] = FormulaValue<4>(*this, kAPhonon);
}

const Column& APhonon::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfRationalFormula<4>(*this, pass, column_, kAPhonon);
}

AiPhonon::AiPhonon() : Phonon(903, "AiPhonon") {}

const Complex& AiPhonon::Evaluate() {
    return values_[0] = FormulaValue<4>(*this, kAiPhonon);
}

const Column& AiPhonon::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfRationalFormula<4>(*this, pass, column_, kAiPhonon);
}

// --- The factorised phonon ---


Phonon4P::Phonon4P()
    : Oscillator(901, "Phonon4P", {{"wt", 100.0}, {"gt", 10.0}, {"wl", 105.0}, {"gl", 10.0}}) {
    CreateAnchorSet(true);
    anchorBound_ = {kWt, -1, kGt, kWl};
    anchorFollower_[0] = kWl;
    anchorMode_[0] = 2;  // placing moves wl with wt: constant gap
    anchorFollower_[2] = kGl;
    anchorMode_[2] = 0;  // a drag of gt gives gl the same value
    keyChildIndex_ = kWt;
}

const Complex& Phonon4P::Evaluate() {
    return values_[0] = FormulaValue<5>(*this, kPhonon4P);
}

const Column& Phonon4P::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfRationalFormula<5>(*this, pass, column_, kPhonon4P);
}

void Phonon4P::CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) {
    out.clear();
    AddAnchor(*this, {Core::kAnchorTop, {kWt, kWl, -1}, true}, AnchorEnd::kSecond, out);
    Core::Anchor& transverse = AddAnchor(*this, WidthAnchor(kGt, kWt), AnchorEnd::kSecond, out);
    Core::Anchor& longitudinal = AddAnchor(*this, WidthAnchor(kGl, kWt), AnchorEnd::kSecond, out);
    PairWidthAnchors(transverse, longitudinal);
    for (auto& anchor : out) PlaceAnchor(anchor.Get(), true);
}

double Phonon4P::TopHeight() const {
    const double wt = Stored(kWt).real(), wl = Stored(kWl).real(), gt = Stored(kGt).real();
    return (wl * wl - wt * wt) / (gt * wt);
}

void Phonon4P::PlaceAnchor(Core::Anchor* anchor, const bool& keepPrevious) {
    const double wt = Stored(kWt).real();
    if (anchor->GetKind() == Core::kAnchorTop) {
        anchor->SetSecondPoint({wt, TopHeight()}, keepPrevious);
    } else if (anchor->GetKind() == Core::kAnchorHalfWidth) {
        const double x = IsBoundTo(*anchor, *this, kGt) ? wt - Stored(kGt).real() / 2.0
                                                         : wt + Stored(kGl).real() / 2.0;
        anchor->SetSecondPoint({x, TopHeight() / 2.0}, keepPrevious);
    }
}

void Phonon4P::AnchorMoved(Core::Anchor* anchor, bool& notify) {
    const Core::AnchorPoint p = anchor->Second().current;
    if (anchor->GetKind() == Core::kAnchorTop) {
        if (Core::Anchor::IsXEnabled()) WriteParameter(Child(kWt), p.x);
        if (!Core::Anchor::IsYEnabled()) return;
        // The wl whose height is y; a height below -wt / gt has none.
        const double wt = Stored(kWt).real();
        const double radicand = wt * wt + p.y * Stored(kGt).real() * wt;
        if (radicand >= 0.0) WriteParameter(Child(kWl), std::sqrt(radicand));
        return;
    }
    if (anchor->GetKind() != Core::kAnchorHalfWidth) return;
    const bool transverse = IsBoundTo(*anchor, *this, kGt);
    Node* width = Child(transverse ? kGt : kGl);
    const double wt = Stored(kWt).real();
    const double before = width->GetValue().real();
    const double after = transverse ? 2.0 * (wt - p.x) : 2.0 * (p.x - wt);
    const bool changed = WriteWidth(width, after);
    FeedForce(*anchor, notify, changed, before, after);
    if (changed) anchor->SetSecondPoint({p.x, TopHeight() / 2.0}, false);
}

// --- Free carriers ---

Drude::Drude() : Oscillator(904, "Drude", {{"w", 100.0}, {"g", 10.0}}) {
    anchorBound_ = {1, -1, 2, -1};
    keyChildIndex_ = 1;
}

const Complex& Drude::Evaluate() {
    return values_[0] = FormulaValue<3>(*this, kDrude);
}

const Column& Drude::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfRationalFormula<3>(*this, pass, column_, kDrude);
}

Plasmon::Plasmon() : Oscillator(905, "Plasmon", {{"w", 100.0}, {"g0", 10.0}, {"g", 10.0}}) {
    anchorBound_ = {1, -1, 2, 3};
    keyChildIndex_ = 1;
}

const Complex& Plasmon::Evaluate() {
    return values_[0] = FormulaValue<4>(*this, kPlasmon);
}

const Column& Plasmon::EvaluateColumn(Core::ColumnPass& pass) {
    return ColumnOfRationalFormula<4>(*this, pass, column_, kPlasmon);
}

Core::Node::Ptr MakeOscillator(int typeId) {
    switch (typeId) {
        case 900: return Safe::MakeX<Phonon3P>();
        case 901: return Safe::MakeX<Phonon4P>();
        case 902: return Safe::MakeX<APhonon>();
        case 903: return Safe::MakeX<AiPhonon>();
        case 904: return Safe::MakeX<Drude>();
        case 905: return Safe::MakeX<Plasmon>();
        default: return Core::Node::Ptr();
    }
}

}  // namespace Capsule
