#include "plot/curve_designer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <vector>

namespace Winplus {

namespace {

// The abscissas that the x axis places in one pixel column: an interval, since mapping and
// rounding never reverse the order of two values. Found from the pixel's edges a little
// inside them, and checked by placing both ends.
struct ColumnBounds {
    int column = std::numeric_limits<int>::min();
    bool valid = false;
    double low = 0.0, high = 0.0;
};

ColumnBounds FindColumnBounds(const Frame& frame, int column) {
    ColumnBounds bounds{column, false, 0.0, 0.0};
    const Rect& limits = frame.GetLimits();
    const PixelRect& area = frame.PlotArea();
    const bool log = frame.GetScale(0) == Frame::kLog10;
    auto abscissa = [&](double r) {
        const double share = (r - area.x) / area.width;
        if (!log) return limits.x + share * limits.width;
        const double low = std::log10(limits.x);
        return std::pow(10.0, low + share * (std::log10(limits.x + limits.width) - low));
    };
    auto in = [&](double x) {
        int pixel = 0;
        return frame.Position(0, x, pixel) && pixel == column;
    };
    // Positions from c - 0.5 (excluded) to c + 0.5 (included) round to c; below 0.5 they are
    // truncated, so that 0 takes those from -1 and c < 0 those from c - 1 (both excluded).
    const double lowEdge = column > 0 ? column - 0.5 : column - 1.0;
    const double highEdge = column >= 0 ? column + 0.5 : column;
    for (double margin : {1e-6, 1e-3, 0.1}) {
        const double a = abscissa(lowEdge + margin), b = abscissa(highEdge - margin);
        if (in(a) && in(b)) {
            bounds.valid = true;
            bounds.low = std::min(a, b);
            bounds.high = std::max(a, b);
            break;
        }
    }
    return bounds;
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
        // Taken in with a block: placed and inside, its pixel row found only when a line
        // starts from it.
        int pendingIndex = -1;
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
        // The least and greatest ordinate of the points taken in by blocks, if any.
        bool blocks = false;
        double yLow = 0.0, yHigh = 0.0;
    } run;
    auto open = [&](const Point& point) {
        run.px = point.px;
        run.low = run.high = point.py;
        run.points = 1;
        run.markers.clear();
        run.blocks = false;
    };
    auto close = [&] {
        // Rows fall as ordinates grow, on either scale.
        int top = 0, bottom = 0;
        if (run.blocks && frame_->Position(1, run.yHigh, top) &&
            frame_->Position(1, run.yLow, bottom)) {
            run.low = std::min(run.low, top);
            run.high = std::max(run.high, bottom);
        }
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

    // Without markers, the points that continue a run are taken in a block of the summary at a
    // time where a block can be, else one at a time, without placing each: a block joins the
    // run when the point before it is placed and each of its points is finite, lies within
    // the run's pixel column and within the limits, and has an ordinate the y axis places (one
    // between two placed ordinates is placed too).
    const bool byBlocks = byRuns && !markers;
    if (byBlocks) summary_.Update(xs_, ys_);
    ColumnBounds bounds;
    double placedLow = std::numeric_limits<double>::infinity();
    double placedHigh = -std::numeric_limits<double>::infinity();
    // The level of the largest blocks worth a look: about twice as long as the last column,
    // a level more after each one that fits.
    const int topLevel = summary_.Levels() - 1;
    int reach = topLevel;
    auto fits = [&](const CurveSummary::Block& b) {
        // A NaN least abscissa (a block with a point that is not finite) fails here.
        if (!(b.xLow >= bounds.low && b.xHigh <= bounds.high && limits.Contains(b.xHigh, b.yHigh)))
            return false;
        if (b.yLow >= placedLow && b.yHigh <= placedHigh) return true;
        const double low = std::min(b.yLow, placedLow), high = std::max(b.yHigh, placedHigh);
        int pixel = 0;
        if (!frame_->Position(1, low, pixel) || !frame_->Position(1, high, pixel)) return false;
        placedLow = low;
        placedHigh = high;
        return true;
    };
    // The largest aligned block from point i on for which the test holds; none is 0 points.
    struct Found {
        int size = 0;
        CurveSummary::Block block{};
    };
    auto largestBlock = [&](int i, const auto& test) {
        Found found;
        if (i % CurveSummary::kLeafSize != 0 || topLevel < 0) return found;
        const int leaf = i >> CurveSummary::kLeafShift;
        int level =
            leaf == 0 ? reach : std::min(std::countr_zero(static_cast<unsigned>(leaf)), reach);
        for (; level >= 0; --level) {
            const int size = CurveSummary::kLeafSize << level;
            const CurveSummary::Block* b = summary_.At(level, i);
            if (b && i + size - 1 <= last && test(*b)) {
                if (level == reach) reach = std::min(reach + 1, topLevel);
                return Found{size, *b};
            }
        }
        return found;
    };
    // Points none of which lies within the limits draw nothing after a point that does not
    // either: each ends the run before it and begins one of its own.
    auto outside = [&](const CurveSummary::Block& b) {
        return b.xLow == b.xLow &&
               (b.xLow - limits.x > limits.width || b.yLow - limits.y > limits.height);
    };
    // The number of points from i on taken into the run: the largest aligned block that fits,
    // else the one point, else none.
    auto takeIn = [&](int i, const Point& previous) {
        if (bounds.column != previous.px) bounds = FindColumnBounds(*frame_, previous.px);
        if (!bounds.valid) return 0;
        const Found found = largestBlock(i, fits);
        int taken = found.size;
        CurveSummary::Block block = found.block;
        if (taken == 0) {
            const double x = xs[static_cast<std::size_t>(i)], y = ys[static_cast<std::size_t>(i)];
            block = {x - x == 0.0 && y - y == 0.0 ? x : NAN, x, y, y};
            if (!fits(block)) return 0;
            taken = 1;
        }
        run.yLow = run.blocks ? std::min(run.yLow, block.yLow) : block.yLow;
        run.yHigh = run.blocks ? std::max(run.yHigh, block.yHigh) : block.yHigh;
        run.blocks = true;
        run.points += taken;
        return taken;
    };

    Point previous = locate(first);
    open(previous);
    if (previous.placed && previous.inside) marker(previous);
    for (int i = first + 1; i <= last;) {
        if (byBlocks && previous.placed && previous.inside) {
            if (const int taken = takeIn(i, previous)) {
                i += taken;
                previous.pendingIndex = i - 1;
                continue;
            }
        } else if (byBlocks) {
            if (const int skipped = largestBlock(i, outside).size) {
                i += skipped;
                close();
                previous = locate(i - 1);
                open(previous);
                continue;
            }
        }
        if (previous.pendingIndex >= 0) {
            frame_->Position(1, ys[static_cast<std::size_t>(previous.pendingIndex)], previous.py);
            previous.pendingIndex = -1;
        }
        const Point point = locate(i);
        if (previous.placed && point.placed && (previous.inside || point.inside)) {
            if (byRuns && run.points > 0 && point.px == run.px) {
                run.low = std::min(run.low, point.py);
                run.high = std::max(run.high, point.py);
                ++run.points;
            } else {
                // The next column likely holds about as many points as this one: what the walk
                // will read of it is fetched at once.
                const int points = run.points;
                close();
                line(previous.px, previous.py, point.px, point.py);
                open(point);
                if (byBlocks && topLevel >= 0) {
                    summary_.Prefetch(i, i + points);
                    const int bits = static_cast<int>(std::bit_width(static_cast<unsigned>(points)));
                    reach = std::clamp(bits - CurveSummary::kLeafShift, 0, topLevel);
                }
            }
            marker(point);
        } else {
            close();
            open(point);
        }
        previous = point;
        ++i;
    }
    close();
}

}  // namespace Winplus
