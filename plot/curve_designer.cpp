#include "plot/curve_designer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace Winplus {

namespace {

// The points after a joined point in pixel column `column` that lie in that column too, read
// as a whole on linear axes. Linear mapping and rounding never reverse the order of two values,
// so points whose abscissas lie between two abscissas of the column are in the column, and the
// least and greatest values give the least and greatest pixels.
struct ColumnSpan {
    bool whole = false;        // read as a whole: the others are only valid then
    int last = 0;              // the span's last index
    int low = 0, high = 0;     // its least and greatest vertical pixel
    int lastPy = 0;            // the vertical pixel of its last point
};

struct SpanBounds {
    bool ordered = true;  // every value finite, every abscissa within the two given
    double yLow = 0.0, yHigh = 0.0;
};

// Two lanes of two points at a time (one SSE2 instruction a lane for each step), which reads a
// span several times faster than one point at a time; the rest one by one. A value that is not
// finite turns the sum of each value less itself into NaN.
SpanBounds ReadSpan(const double* x, const double* y, int n, double xLow, double xHigh) {
    using Lanes = double __attribute__((vector_size(16)));
    Lanes xMin[2], xMax[2], yMin[2], yMax[2], nonFinite[2];
    for (int lane = 0; lane < 2; ++lane) {
        xMin[lane] = xMax[lane] = Lanes{} + x[0];
        yMin[lane] = yMax[lane] = Lanes{} + y[0];
        nonFinite[lane] = Lanes{};
    }
    int i = 0;
    for (; i + 4 <= n; i += 4) {
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
    double low = x[0], high = x[0], sum = 0.0;
    SpanBounds bounds{true, y[0], y[0]};
    for (int lane = 0; lane < 2; ++lane) {
        for (int k = 0; k < 2; ++k) {
            low = std::min(low, xMin[lane][k]);
            high = std::max(high, xMax[lane][k]);
            bounds.yLow = std::min(bounds.yLow, yMin[lane][k]);
            bounds.yHigh = std::max(bounds.yHigh, yMax[lane][k]);
            sum += nonFinite[lane][k];
        }
    }
    for (; i < n; ++i) {
        low = std::min(low, x[i]);
        high = std::max(high, x[i]);
        bounds.yLow = std::min(bounds.yLow, y[i]);
        bounds.yHigh = std::max(bounds.yHigh, y[i]);
        sum += (x[i] - x[i]) + (y[i] - y[i]);
    }
    bounds.ordered = sum == 0.0 && low >= xLow && high <= xHigh;
    return bounds;
}

// The span from `from` on, read as a whole when its points are all finite and within the limits
// (so that each joins the one before) and it is longer than a few points. Its end is searched
// as if the abscissas were in order, starting `guess` points on; abscissas out of order only
// make the check fail.
ColumnSpan FindColumnSpan(const Frame& frame, const Data& xs, const Data& ys,
                                         int from, int last, int column, int guess) {
    auto inColumn = [&](int i) {
        int pixel = 0;
        return frame.Position(0, xs[static_cast<std::size_t>(i)], pixel) && pixel == column;
    };
    // The last index known to be in the column and one known not to be (or past the end),
    // found by steps that double from the guess on, either way.
    int in = from - 1, out = last + 1;
    const int guessed = std::clamp(from + guess - 1, from, last);
    if (inColumn(guessed)) {
        in = guessed;
        for (int step = 1; in < last; step *= 2) {
            const int probe = std::min(in + step, last);
            (inColumn(probe) ? in : out) = probe;
            if (out == probe) break;
        }
    } else {
        out = guessed;
        for (int step = 1; out - 1 > in; step *= 2) {
            const int probe = std::max(out - step, in + 1);
            (inColumn(probe) ? in : out) = probe;
            if (in == probe) break;
        }
    }
    while (out - in > 1) {
        const int middle = in + (out - in) / 2;
        (inColumn(middle) ? in : out) = middle;
    }
    ColumnSpan span;
    span.last = in;
    constexpr int kShortest = 4;
    if (in - from + 1 < kShortest) return span;

    const double* x = xs.Values().data();
    const double* y = ys.Values().data();
    const double xLow = std::min(x[from - 1], x[in]), xHigh = std::max(x[from - 1], x[in]);
    const SpanBounds bounds = ReadSpan(x + from, y + from, in - from + 1, xLow, xHigh);
    const double yLow = bounds.yLow, yHigh = bounds.yHigh;
    const bool ordered = bounds.ordered;
    int top = 0, bottom = 0;
    span.whole = ordered && frame.GetLimits().Contains(xHigh, yHigh) &&
                 frame.Position(1, yHigh, top) && frame.Position(1, yLow, bottom) &&
                 frame.Position(1, y[in], span.lastPy);
    span.low = std::min(top, bottom);
    span.high = std::max(top, bottom);
    return span;
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
    int guess = (last - first + 1) / std::max(frame_->PlotArea().width, 1);
    int pointByPointTo = first;  // after a span that was not read whole: no new look before

    Point previous = locate(first);
    open(previous);
    if (previous.placed && previous.inside) marker(previous);
    for (int i = first + 1; i <= last; ++i) {
        if (bySpans && i > pointByPointTo && previous.placed && previous.inside) {
            const ColumnSpan span = FindColumnSpan(*frame_, xs, ys, i, last, previous.px, guess);
            if (span.whole) {
                run.low = std::min(run.low, span.low);
                run.high = std::max(run.high, span.high);
                run.points += span.last - i + 1;
                guess = span.last - i;  // a point short: the search then steps forward
                previous.py = span.lastPy;
                i = span.last;
                continue;
            }
            pointByPointTo = span.last;
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
