#include "plot/curve_designer.h"

#include <algorithm>
#include <cmath>
#include <vector>

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
    auto line = [&](int x0, int y0, int x1, int y1) {
        if (hasLine) canvas.Line({double(x0), double(y0)}, {double(x1), double(y1)}, color, thickness);
    };

    // A curve of more points than the plot has pixel columns is drawn by runs: the joined
    // points that follow each other within one pixel column. Their segments all lie on that
    // column, so together they cover exactly the stretch from the run's least to its greatest
    // pixel: one vertical line draws them, between the segments that enter and leave the run.
    // The run's markers (one per distinct pixel) are drawn over it, as each marker is drawn
    // over the segment that reaches it.
    const bool byRuns = last - first + 1 > frame_->PlotArea().width;
    struct Run {
        int px = 0, low = 0, high = 0, points = 0;
        std::vector<int> markers;
    } run;
    auto open = [&](const Point& point) {
        run.px = point.px;
        run.low = run.high = point.py;
        run.points = 1;
        run.markers.clear();
    };
    auto close = [&] {
        if (run.points >= 2) line(run.px, run.low, run.px, run.high);
        std::sort(run.markers.begin(), run.markers.end());
        run.markers.erase(std::unique(run.markers.begin(), run.markers.end()), run.markers.end());
        for (int py : run.markers) PaintMarker(canvas, run.px, py, markerInk);
        run.points = 0;
        run.markers.clear();
    };
    auto marker = [&](const Point& point) {
        if (!markers) return;
        if (byRuns)
            run.markers.push_back(point.py);
        else
            PaintMarker(canvas, point.px, point.py, markerInk);
    };

    Point previous = locate(first);
    open(previous);
    if (previous.placed && previous.inside) marker(previous);
    for (int i = first + 1; i <= last; ++i) {
        const Point point = locate(i);
        if (previous.placed && point.placed && (previous.inside || point.inside)) {
            if (byRuns && run.points > 0 && point.px == run.px) {
                run.low = std::min(run.low, point.py);
                run.high = std::max(run.high, point.py);
                ++run.points;
            } else {
                close();
                line(previous.px, previous.py, point.px, point.py);
                open(point);
            }
            marker(point);
        } else {
            close();
            open(point);
        }
        previous = point;
    }
    close();
}

}  // namespace Winplus
