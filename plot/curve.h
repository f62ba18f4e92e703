#pragma once
// A plotted model: a spectrum whose abscissa grid the curve owns and whose values come from
// evaluating the model it is bound to. The previous values stay in the saved columns, so that a
// changed curve can be painted over before the new values are drawn.
#include <complex>
#include <optional>
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
    // A curve as a layer record describes it: unbound, its grid given by DeferGrid.
    enum FromRecord { kFromRecord };
    explicit Curve(FromRecord);

    // n points from first to last (1 to 1000 when the two are the same), laid out and evaluated
    // only when the curve is first refreshed or drawn: reading a layer of many curves allocates
    // nothing for their points.
    void DeferGrid(int n, double first, double last);
    // Lays out a deferred grid now; nothing when there is none.
    void LayOutGrid();
    // The number of points and the least and largest abscissa, deferred grid or not.
    int PointCount() const { return deferred_ ? deferred_->points : Size(); }
    double GridMin() const;
    double GridMax() const;

    std::complex<double> ValueAt(const double& x) override;
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

    Rect GetBounds();

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
    struct Grid {
        int points;
        double first;
        double last;
    };

    int viewMode_ = kXComplex;
    std::optional<Grid> deferred_;
    Safe::XPtr<Core::MathUnit> unit_;
    CurvePair designers_;
};

}  // namespace Winplus
