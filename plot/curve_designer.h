#pragma once
// The appearance of one plotted line (line, thickness, colour; marker shape, size, colour, fill)
// and the painting of a pair of columns through a frame onto a canvas. Columns of more points
// than the plot has pixel columns are drawn pixel column by pixel column, covering the pixels
// that drawing every point would, from a summary of the columns kept between draws.
#include "foundation/countable.h"
#include "foundation/spectrum.h"
#include "plot/canvas.h"
#include "plot/curve_summary.h"
#include "plot/frame.h"

namespace Winplus {

class CurveDesigner : public Safe::Countable {
public:
    enum Marker { kCircle = 1, kSquare = 2, kDiamond = 3 };

    CurveDesigner();

    void SetData(const Safe::XPtr<Data>& xs, const Safe::XPtr<Data>& ys);
    // Not limited: the whole columns.
    void SetRange(int first, int last, const bool& limited);
    void SetFrame(const Safe::XPtr<Frame>& frame) { frame_ = frame; }
    bool IsLimited() const { return limited_; }
    int First() const { return first_; }
    int Last() const { return last_; }

    // Line in the line colour and markers in the marker colour.
    void PaintOwn(Canvas& canvas);
    // Line and markers in the single colour.
    void PaintSingle(Canvas& canvas);

    bool hasLine = true;
    int thickness = 1;
    Argb lineColor;
    bool hasShape = false;
    int style = kCircle;
    int markerWidth = 4;
    int markerHeight = 4;
    Argb markerColor;
    bool isFilled = false;
    Argb singleColor = 0xFFFFFFFF;

private:
    void Paint(Canvas& canvas, Argb color);
    void PaintMarker(Canvas& canvas, int px, int py, Argb color) const;

    Safe::XPtr<Data> xs_;
    Safe::XPtr<Data> ys_;
    Safe::XPtr<Frame> frame_;
    // Kept between draws while the columns do not change.
    CurveSummary summary_;
    bool limited_ = false;
    int first_ = 0;
    int last_ = 0;
};

}  // namespace Winplus
