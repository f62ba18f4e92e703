#pragma once
// Peak shapes: band profiles placed on a spectrum and shaped by their anchors (a top anchor on
// position and amplitude, half-width anchors on the widths). Children "x", "A", "xc", then the
// widths; the position is the key child, so sums of peaks sort by position.
#include "model/anchors.h"
#include "model/column.h"
#include "model/node.h"

namespace Capsule {

using Core::Complex;

// The four-term approximation of the Voigt function: V(X, Y) = sum of
// (c (Y - a) + d (X - b)) / ((Y - a)^2 + (X - b)^2) over the four terms.
struct VoigtTerm {
    double a, b, c, d;
};
extern const VoigtTerm kVoigtTerms[4];

// Children x, A, xc and the widths; the absorption profiles share the protocol and its anchors.
class Peak : public Core::Node {
public:
    int GetVariableChildIndex() const override { return 0; }
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOwn; }
    // Every class has its own, which GetColumnKind promises.
    const Column& EvaluateColumn(Core::ColumnPass& pass) override = 0;
    void PlaceAnchor(Core::Anchor* anchor, const bool& keepPrevious) override;
    void AnchorMoved(Core::Anchor* anchor, bool& notify) override;

protected:
    // Parameter classes of the children: all free (Basic) or all real numbers.
    enum class Parameters { kFree, kReal };

    Peak(int typeId, const char* name, double amplitude, Parameters kind = Parameters::kFree);
    void AddParameter(const char* name, double value, Parameters kind = Parameters::kFree);
    // The end of the anchors that is drawn and dragged.
    virtual bool UsesSecondEnd() const { return false; }

    Complex X() { return Parameter(0)->Compute(); }
    Complex A() { return Parameter(1)->Compute(); }
    Complex Xc() { return Parameter(2)->Compute(); }
    Complex W(int i = 0) { return Parameter(3 + i)->Compute(); }
    double Stored(int child) const { return Child(child)->GetValue().real(); }

    // The top anchor and one half-width anchor on "w", first ends.
    void CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) override;
    // The top anchor's height; the amplitude by default.
    virtual double TopHeight() const { return Stored(1); }
    // Writes a dragged top height back.
    virtual void SetTopHeight(double y);
    // The half-width point of the anchor (kind 4).
    virtual Core::AnchorPoint HalfWidthPoint(const Core::Anchor& anchor) const;
    // Writes a dragged half-width point back; false when the width was refused.
    virtual bool SetHalfWidth(const Core::Anchor& anchor, double x);
};

// A exp(-4 ln2 u^2), u = (x - xc) / w: w is the full width at half maximum.
class Gaussian final : public Peak {
public:
    Gaussian();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

// A / (1 + 4 u^2).
class Lorentzian final : public Peak {
public:
    Lorentzian();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

// Two widths wG and wL with a half-width anchor each: wG's on the left of the top, wL's on the
// right.
class TwoWidthPeak : public Peak {
protected:
    using Peak::Peak;
    void CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) override;
    Core::AnchorPoint HalfWidthPoint(const Core::Anchor& anchor) const override;
    bool SetHalfWidth(const Core::Anchor& anchor, double x) override;
};

// Real: A V(X, Y) / V(0, Y) of the four-term Voigt approximation, widths wG and wL.
class Voigt final : public TwoWidthPeak {
public:
    Voigt();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

// A / (1 + (Re v)^2)^m, v = 2 sqrt(2^(1/m) - 1) (x - xc) / w.
class PearsonVII final : public Peak {
public:
    PearsonVII();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

// A (f G + (1 - f) L): a Gaussian and a Lorentzian of the same width, mixed by f.
class SGL final : public Peak {
public:
    SGL();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

// Two-sided exponential: A exp(-(x - xc) / wr) right of xc, A exp((x - xc) / wl) left of it.
// Its width anchors move each other through forces.
class Laplace final : public Peak {
public:
    Laplace();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
    void PlaceAnchor(Core::Anchor* anchor, const bool& keepPrevious) override;
    void AnchorMoved(Core::Anchor* anchor, bool& notify) override;

protected:
    void CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) override;
};

// A / (sqrt(2 pi) w) exp(-u^2 / 2): A is the area, w the standard deviation.
class AreaGaussian final : public Peak {
public:
    AreaGaussian();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;

protected:
    double TopHeight() const override;
    void SetTopHeight(double y) override;
    Core::AnchorPoint HalfWidthPoint(const Core::Anchor& anchor) const override;
    bool SetHalfWidth(const Core::Anchor& anchor, double x) override;
};

// The anchors of the two-sided exponential, shared by Laplace and LaplaceKkg (children x, A, xc,
// wr, wl): the top, the right (wr) and the left (wl) half width on their first ends, the width
// anchors paired by forces.
void CreateLaplaceAnchors(Core::Node& owner, std::vector<Safe::XPtr<Core::Anchor>>& out);
void PlaceLaplaceAnchor(const Core::Node& owner, Core::Anchor& anchor, bool keepPrevious);
void LaplaceAnchorMoved(Core::Node& owner, Core::Anchor& anchor, bool& notify);

Core::Node::Ptr MakePeak(int typeId);

}  // namespace Capsule
