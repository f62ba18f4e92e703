#pragma once
// Analytic Kramers-Kronig absorption profiles: a band centred at xc, made odd in x by
// subtracting its mirror image at -xc, as the imaginary part, and its dispersion partner in
// closed form as the real part. The imaginary part at x = xc is A (nearly, for GaussianKkg and
// LaplaceKkg, whose mirror images overlap the centre). Anchors as the peak shapes', on the
// second end (LaplaceKkg: the first, as Laplace).
#include "functions/peaks.h"

namespace Capsule {

// A [(2/sqrt(pi)) (D(a) - D(b)) + i (exp(-b^2) - exp(-a^2))], a = c (x + xc)/w,
// b = c (x - xc)/w, c = 2 sqrt(ln 2), D Dawson's integral.
class GaussianKkg final : public Peak {
public:
    GaussianKkg();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;

protected:
    bool UsesSecondEnd() const override { return true; }
};

// The four-term Voigt approximation V and its partner L, normalised to A at x = xc.
class VoigtKkg final : public TwoWidthPeak {
public:
    VoigtKkg();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;

protected:
    bool UsesSecondEnd() const override { return true; }
};

// Two-sided exponential (wr right of xc, wl left of it); the real part from exp(-t) Ei(t).
class LaplaceKkg final : public Peak {
public:
    LaplaceKkg();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
    void PlaceAnchor(Core::Anchor* anchor, const bool& keepPrevious) override;
    void AnchorMoved(Core::Anchor* anchor, bool& notify) override;

protected:
    void CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) override;
};

// A Gaussian distribution (width wG) of damped harmonic oscillators (damping wL), through the
// Faddeeva function; real parameters.
class GaussianDho final : public TwoWidthPeak {
public:
    GaussianDho();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;

protected:
    bool UsesSecondEnd() const override { return true; }
};

// The same with the radicand x^2 + 2 xc conj(wL) (wL complex); one width anchor, on wG, drawn
// at height 0.
class GaussianSqo final : public TwoWidthPeak {
public:
    GaussianSqo();
    const Complex& Evaluate() override;
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;

protected:
    bool UsesSecondEnd() const override { return true; }
    void CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) override;
    Core::AnchorPoint HalfWidthPoint(const Core::Anchor& anchor) const override;
};

Core::Node::Ptr MakeKkProfile(int typeId);

}  // namespace Capsule
