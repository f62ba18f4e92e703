#include "functions/oscillators.h"

#include <cmath>

#include "foundation/complex_math.h"
#include "functions/anchoring.h"
#include "model/basic.h"
#include "functions/parameters.h"

namespace Capsule {

namespace {

// i z.
Complex TimesI(const Complex& z) {
    return {-z.imag(), z.real()};
}

Complex Square(const Complex& z) {
    return Multiply(z, z);
}

}  // namespace

Oscillator::Oscillator(int typeId, const char* name,
                       std::initializer_list<std::pair<const char*, double>> parameters) {
    Identify(typeId, name, Core::kArityFixed);
    AdoptChild(MakeParameter<Basic>("x", 0.0));
    for (const auto& [parameter, value] : parameters) AdoptChild(MakeParameter<Basic>(parameter, value));
}

// --- The phonons with strength, frequency and damping ---

namespace {
constexpr int kDs = 1, kW = 2, kG = 3;
}  // namespace

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
    const Complex x = Value(0), ds = Value(kDs), w = Value(kW), g = Value(kG);
    const Complex w2 = Square(w);
    return values_[0] = Divide(Multiply(ds, w2), w2 - Square(x) - TimesI(Multiply(g, x)));
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
    const Complex x = Value(0), ds = Value(kDs), w = Value(kW), g = Value(kG);
    const Complex w2 = Square(w);
    return values_[0] = Divide(Multiply(ds, w2), w2 - Square(x) - 2.0 * Multiply(w, g));
}

AiPhonon::AiPhonon() : Phonon(903, "AiPhonon") {}

const Complex& AiPhonon::Evaluate() {
    const Complex x = Value(0), ds = Value(kDs), w = Value(kW), g = Value(kG);
    const Complex w2 = Square(w);
    return values_[0] = Divide(Multiply(ds, w2), w2 - Square(x) - TimesI(g));
}

// --- The factorised phonon ---

namespace {
constexpr int kWt = 1, kGt = 2, kWl = 3, kGl = 4;
}  // namespace

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
    const double x = Value(0).real();
    const Complex wt = Value(kWt), gt = Value(kGt), wl = Value(kWl), gl = Value(kGl);
    const double x2 = x * x;
    return values_[0] = Divide(Square(wl) - x2 - TimesI(gl * x), Square(wt) - x2 - TimesI(gt * x));
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
    const Complex x = Value(0), w = Value(1), g = Value(2);
    return values_[0] = Divide(-Square(w), Multiply(x, x + TimesI(g)));
}

Plasmon::Plasmon() : Oscillator(905, "Plasmon", {{"w", 100.0}, {"g0", 10.0}, {"g", 10.0}}) {
    anchorBound_ = {1, -1, 2, 3};
    keyChildIndex_ = 1;
}

const Complex& Plasmon::Evaluate() {
    const Complex x = Value(0), w = Value(1), g0 = Value(2), g = Value(3);
    return values_[0] = Divide(-(Square(w) + TimesI(Multiply(g - g0, x))), Multiply(x, x - TimesI(g0)));
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
