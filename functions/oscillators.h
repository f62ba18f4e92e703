#pragma once
// Dispersion terms of a dielectric function over wavenumbers x: three forms of the phonon
// (Lorentz) oscillator, the factorised four-parameter phonon, the Drude term and an extended
// plasmon. The phonons offer anchors on the second end: the top of the loss peak and its widths.
#include "model/anchors.h"
#include "model/column.h"
#include "model/node.h"

namespace Capsule {

using Core::Complex;

class Oscillator : public Core::Node {
public:
    int GetVariableChildIndex() const override { return 0; }
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOwn; }
    // Every class has its own, which GetColumnKind promises.
    const Column& EvaluateColumn(Core::ColumnPass& pass) override = 0;

protected:
    // Children "x" (0) and then the named parameters with their defaults.
    Oscillator(int typeId, const char* name, std::initializer_list<std::pair<const char*, double>> parameters);
    Complex Stored(int child) const { return Child(child)->GetValue(); }
};

// Children x, ds, w, g; the top anchor on (w, ds), the width anchor on g.
class Phonon : public Oscillator {
public:
    void CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) override;
    void PlaceAnchor(Core::Anchor* anchor, const bool& keepPrevious) override;
    void AnchorMoved(Core::Anchor* anchor, bool& notify) override;

protected:
    Phonon(int typeId, const char* name);
    // Re(ds w / g): the height of the loss peak at x = w.
    double PeakHeight() const;
    // x of the width anchor: w + g/2 for the three-parameter phonon, w + g for the others.
    virtual double WidthAnchorX() const;
    // Writes the width of a width anchor dragged to x; false when refused.
    virtual bool SetWidth(Core::Anchor& anchor, double x);
};

// ds w^2 / (w^2 - x^2 - i g x).
class Phonon3P final : public Phonon {
public:
    Phonon3P();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
    // A height placed on the plot becomes the strength ds = h Re(g / w).
    double Transform(const int& axis, const double& value) override;

protected:
    double WidthAnchorX() const override;
    bool SetWidth(Core::Anchor& anchor, double x) override;
};

// ds w^2 / (w^2 - x^2 - 2 w g), g a complex self-energy.
class APhonon final : public Phonon {
public:
    APhonon();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

// ds w^2 / (w^2 - x^2 - i g), g a complex damping function of x.
class AiPhonon final : public Phonon {
public:
    AiPhonon();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

// (wl^2 - X^2 - i gl X) / (wt^2 - X^2 - i gt X), X = Re x.
class Phonon4P final : public Oscillator {
public:
    Phonon4P();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
    void CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) override;
    void PlaceAnchor(Core::Anchor* anchor, const bool& keepPrevious) override;
    void AnchorMoved(Core::Anchor* anchor, bool& notify) override;

private:
    // (wl^2 - wt^2) / (gt wt), the height of the top anchor.
    double TopHeight() const;
};

// -w^2 / (x (x + i g)).
class Drude final : public Oscillator {
public:
    Drude();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

// -(w^2 + i (g - g0) x) / (x (x - i g0)).
class Plasmon final : public Oscillator {
public:
    Plasmon();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

Core::Node::Ptr MakeOscillator(int typeId);

}  // namespace Capsule
