#include "plot/curve_designer.h"

#include <algorithm>
#include <cmath>

namespace Winplus {

CurveDesigner::CurveDesigner() : lineColor(RandomColor()), markerColor(RandomColor()) {}

void CurveDesigner::SetData(const Safe::XPtr<Data>& xs, const Safe::XPtr<Data>& ys) {
    xs_ = xs;
    ys_ = ys;
}

void CurveDesigner::SetRange(int first, int last, const bool& limited) {
    limited_ = limited;
    first_ = limited ? first : 0;
    last_ = limited ? last : 0;
}

void CurveDesigner::PaintOwn(Canvas& canvas) {
    Paint(canvas, lineColor);
}

void CurveDesigner::PaintSingle(Canvas& canvas) {
    Paint(canvas, singleColor);
}

void CurveDesigner::PaintMarker(Canvas& canvas, int px, int py, Argb color) const {
    const PixelRect box{px - markerWidth / 2, py - markerHeight / 2, markerWidth, markerHeight};
    for (bool fill : {false, true}) {
        if (fill && !isFilled) continue;
        if (!fill && !hasShape) continue;
        if (style == kCircle) {
            canvas.Ellipse(box, color, fill);
        } else if (style == kSquare) {
            canvas.Rectangle(box, color, fill);
        } else if (style == kDiamond) {
            const double cx = px, cy = py, hw = markerWidth / 2, hh = markerHeight / 2;
            canvas.Polygon({{cx, cy - hh}, {cx + hw, cy}, {cx, cy + hh}, {cx - hw, cy}}, color,
                           fill);
        }
    }
}

void CurveDesigner::Paint(Canvas& canvas, Argb color) {
    if (!xs_ || !ys_ || !frame_) return;
    // Both columns are read: a shorter ordinate ends the curve where it ends.
    const int count = std::min(xs_->Size(), ys_->Size());
    if (count < 1) return;
    int first = limited_ ? first_ : 0;
    int last = limited_ ? last_ : count - 1;
    // A range that selects no point draws nothing; one past the columns is cut to them.
    last = std::min(last, count - 1);
    if (first < 0 || first > last) return;
    const bool markers = hasShape && style >= kCircle && style <= kDiamond;
    const Argb markerInk = color == singleColor ? color : markerColor;
    const Rect& limits = frame_->GetLimits();
    const Data& xs = *xs_;
    const Data& ys = *ys_;

    struct Point {
        bool placed = false;
        bool inside = false;
        int px = 0, py = 0;
    };
    auto locate = [&](int i) {
        Point point;
        const double x = xs[static_cast<std::size_t>(i)], y = ys[static_cast<std::size_t>(i)];
        // A point an axis cannot place (not finite, or not positive on Log10) breaks the line
        // as a non-finite one does.
        point.placed = frame_->ToPixel(x, y, point.px, point.py);
        point.inside = point.placed && limits.Contains(x, y);
        return point;
    };
    Point previous = locate(first);
    if (previous.placed && previous.inside && markers)
        PaintMarker(canvas, previous.px, previous.py, markerInk);
    for (int i = first + 1; i <= last; ++i) {
        const Point point = locate(i);
        if (previous.placed && point.placed && (previous.inside || point.inside)) {
            if (hasLine)
                canvas.Line({double(previous.px), double(previous.py)},
                            {double(point.px), double(point.py)}, color, thickness);
            if (markers) PaintMarker(canvas, point.px, point.py, markerInk);
        }
        previous = point;
    }
}

}  // namespace Winplus
