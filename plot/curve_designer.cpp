#include "plot/curve_designer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace Winplus {

namespace {

// The abscissas that a linear x axis places in one pixel column: an interval, since linear
// mapping and rounding never reverse the order of two values. Found from the pixel's edges a
// little inside them, and checked by placing both ends.
struct ColumnBounds {
    int column = std::numeric_limits<int>::min();
    bool valid = false;
    double low = 0.0, high = 0.0;
};

ColumnBounds FindColumnBounds(const Frame& frame, int column) {
    ColumnBounds bounds{column, false, 0.0, 0.0};
    const Rect& limits = frame.GetLimits();
    const PixelRect& area = frame.PlotArea();
    auto abscissa = [&](double r) { return limits.x + (r - area.x) * limits.width / area.width; };
    auto in = [&](double x) {
        int pixel = 0;
        return frame.Position(0, x, pixel) && pixel == column;
    };
    // Pixels from c - 0.5 (excluded) to c + 0.5 (included) round to c.
    for (double margin : {1e-6, 1e-3, 0.1}) {
        const double a = abscissa(column - 0.5 + margin), b = abscissa(column + 0.5 - margin);
        if (in(a) && in(b)) {
            bounds.valid = true;
            bounds.low = std::min(a, b);
            bounds.high = std::max(a, b);
            break;
        }
    }
    return bounds;
}

// The least and greatest ordinate of the points from `from` on while their abscissas lie within
// a column's bounds and every value is finite and within the limits (so that each point joins
// the one before): read whole blocks at a time, then point by point from the block that stops.
struct ColumnBlocks {
    int end = 0;  // one past the last point read
    double yLow = 0.0, yHigh = 0.0;
};

constexpr int kBlock = 16;

// Two lanes of two points at a time (one SSE2 instruction a lane for each step). A value that
// is not finite turns the sum of each value less itself into NaN.
ColumnBlocks ReadColumnBlocks(const double* x, const double* y, int from, int last,
                              const ColumnBounds& bounds, const Rect& limits) {
    using Lanes = double __attribute__((vector_size(16)));
    ColumnBlocks read{from, y[from], y[from]};
    for (int start = from; start + kBlock - 1 <= last; start += kBlock) {
        Lanes xMin[2], xMax[2], yMin[2], yMax[2], nonFinite[2];
        for (int lane = 0; lane < 2; ++lane) {
            xMin[lane] = xMax[lane] = Lanes{} + x[start];
            yMin[lane] = yMax[lane] = Lanes{} + y[start];
            nonFinite[lane] = Lanes{};
        }
        for (int i = start; i < start + kBlock; i += 4) {
            for (int lane = 0; lane < 2; ++lane) {
                Lanes xi, yi;
                std::memcpy(&xi, x + i + 2 * lane, sizeof xi);
                std::memcpy(&yi, y + i + 2 * lane, sizeof yi);
                xMin[lane] = xi < xMin[lane] ? xi : xMin[lane];
                xMax[lane] = xi > xMax[lane] ? xi : xMax[lane];
                yMin[lane] = yi < yMin[lane] ? yi : yMin[lane];
                yMax[lane] = yi > yMax[lane] ? yi : yMax[lane];
                nonFinite[lane] += (xi - xi) + (yi - yi);
            }
        }
        const Lanes xLow = xMin[0] < xMin[1] ? xMin[0] : xMin[1];
        const Lanes xHigh = xMax[0] > xMax[1] ? xMax[0] : xMax[1];
        const Lanes yLow = yMin[0] < yMin[1] ? yMin[0] : yMin[1];
        const Lanes yHigh = yMax[0] > yMax[1] ? yMax[0] : yMax[1];
        const Lanes sum = nonFinite[0] + nonFinite[1];
        const double blockYHigh = std::max(yHigh[0], yHigh[1]);
        const double blockXHigh = std::max(xHigh[0], xHigh[1]);
        if (!(sum[0] + sum[1] == 0.0) || std::min(xLow[0], xLow[1]) < bounds.low ||
            blockXHigh > bounds.high || !limits.Contains(blockXHigh, blockYHigh))
            break;
        read.end = start + kBlock;
        read.yLow = std::min({read.yLow, yLow[0], yLow[1]});
        read.yHigh = std::max(read.yHigh, blockYHigh);
    }
    for (int i = read.end; i <= last; ++i) {
        if (!(x[i] >= bounds.low && x[i] <= bounds.high && y[i] - y[i] == 0.0 &&
              limits.Contains(x[i], y[i])))
            break;
        read.end = i + 1;
        read.yLow = std::min(read.yLow, y[i]);
        read.yHigh = std::max(read.yHigh, y[i]);
    }
    return read;
}

}  // namespace

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

    // Without markers on linear axes, the rest of a column after its first point is read as a
    // whole when it can be, which spares placing each point.
    const bool bySpans = byRuns && !markers && frame_->GetScale(0) == Frame::kLinear &&
                         frame_->GetScale(1) == Frame::kLinear;
    ColumnBounds bounds;
    int pointByPointTo = first;  // the point that stopped a reading: no new look before it

    Point previous = locate(first);
    open(previous);
    if (previous.placed && previous.inside) marker(previous);
    for (int i = first + 1; i <= last; ++i) {
        if (bySpans && i > pointByPointTo && previous.placed && previous.inside) {
            if (bounds.column != previous.px)
                bounds = FindColumnBounds(*frame_, previous.px);
            const ColumnBlocks read =
                bounds.valid ? ReadColumnBlocks(xs.Values().data(), ys.Values().data(), i, last,
                                                bounds, limits)
                             : ColumnBlocks{i, 0.0, 0.0};
            int top = 0, bottom = 0, end = 0;
            // The point that stopped the reading goes point by point.
            pointByPointTo = read.end;
            if (read.end > i && frame_->Position(1, read.yHigh, top) &&
                frame_->Position(1, read.yLow, bottom) &&
                frame_->Position(1, ys[static_cast<std::size_t>(read.end - 1)], end)) {
                run.low = std::min({run.low, top, bottom});
                run.high = std::max({run.high, top, bottom});
                run.points += read.end - i;
                previous.py = end;
                i = read.end - 1;
                continue;
            }
        }
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
