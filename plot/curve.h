#pragma once
// A plotted model: a spectrum whose abscissa grid the curve owns and whose values come from
// evaluating the model it is bound to. The previous values stay in the saved columns, so that a
// changed curve can be painted over before the new values are drawn.
#include <complex>
#include <string>

#include "foundation/spectrum.h"
#include "model/math_spectrum.h"
#include "plot/view_mode.h"

namespace Winplus {

class Curve : public Spectrum {
public:
    using Ptr = Safe::XPtr<Curve>;

    // Named "curve", 512 points from 1 to 1000, bound to the current model selection.
    Curve();

    // False for n < 2; otherwise n points over the same first and last abscissa.
    virtual bool SetPointCount(const int& n);
    // The grid from a to b (descending when b < a), geometric when Exp Step is set and both
    // ends are positive; then evaluates. Nothing for |b - a| < 1e-17.
    void SetXRange(const double& a, const double& b);
    void SetViewMode(const int& mode) { viewMode_ = mode; }
    int GetViewMode() const { return viewMode_; }

    const Safe::XPtr<Core::MathUnit>& GetUnit() const { return unit_; }
    std::string GetMathPath();
    virtual std::complex<double> Value(const double& x);
    // Keeps the values as the saved ones, then evaluates the whole model at every abscissa.
    virtual bool Refresh();
    // The same, evaluating only the output node.
    virtual bool RefreshOutput();

    Rect GetBounds() const;

    // The given ordinates against the curve's abscissa, in the designers' single colour.
    virtual void PaintColumns(Canvas& canvas, const Safe::XPtr<Frame>& frame,
                              const Safe::XPtr<Data>& re, const Safe::XPtr<Data>& im);
    // The curve's values in the designers' own colours.
    virtual void Paint(Canvas& canvas, const Safe::XPtr<Frame>& frame);
    // The current values in the single colour.
    virtual void PaintPlain(Canvas& canvas, const Safe::XPtr<Frame>& frame);
    // The previous values in the single colour (the plot's background): paints them over.
    virtual void PaintSaved(Canvas& canvas, const Safe::XPtr<Frame>& frame);

    const CurvePair& Designers() const { return designers_; }

    bool autoScale = true;
    bool expStep = false;

    // The unit binds by name; a model, definition or node renamed in place is bound again
    // under its new name rather than lost.
    void FollowRenames();

private:
    int viewMode_ = kXComplex;
    Safe::XPtr<Core::MathUnit> unit_;
    CurvePair designers_;
};

}  // namespace Winplus
