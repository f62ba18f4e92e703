// Curves of more points than the plot has pixel columns: the lines and markers drawn must cover
// the same pixels as drawing every point would. The reference here draws every point by the
// designer's rule (a segment joins neighbours that both place and of which one lies within the
// limits; a marker sits on the first point when it lies within them and on each point a
// segment reaches), and both pictures are rasterised into the same grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "plot/curve_designer.h"
#include "plot/recording_canvas.h"

namespace {

using Kind = Winplus::RecordingCanvas::Kind;
using Winplus::CurveDesigner;
using Winplus::Frame;
using Winplus::PixelPoint;
using Winplus::RecordingCanvas;

constexpr int kWidth = 1000, kHeight = 500, kMargin = 40;

struct Picture {
    std::vector<bool> pixels = std::vector<bool>((kWidth + 2 * kMargin) * (kHeight + 2 * kMargin));
    std::set<std::pair<int, int>> markers;
    std::size_t lines = 0;
    std::size_t markerCount = 0;

    void Set(long x, long y) {
        x += kMargin, y += kMargin;
        if (x < 0 || y < 0 || x >= kWidth + 2 * kMargin || y >= kHeight + 2 * kMargin) return;
        pixels[static_cast<std::size_t>(y * (kWidth + 2 * kMargin) + x)] = true;
    }
    // Every pixel the segment passes, sampled at least once a pixel along its longer extent.
    void Segment(PixelPoint a, PixelPoint b) {
        ++lines;
        const double steps = std::max({std::fabs(b.x - a.x), std::fabs(b.y - a.y), 1.0});
        // The curves here stay near the plot.
        ASSERT_LT(steps, 1e4);
        const long n = static_cast<long>(steps);
        for (long t = 0; t <= n; ++t)
            Set(std::lround(a.x + (b.x - a.x) * t / n), std::lround(a.y + (b.y - a.y) * t / n));
    }
    void Marker(int x, int y) {
        ++markerCount;
        markers.insert({x, y});
    }
};

Picture Recorded(const RecordingCanvas& canvas) {
    Picture picture;
    for (const auto& op : canvas.Operations()) {
        if (op.kind == Kind::Line) picture.Segment(op.points[0], op.points[1]);
        if (op.kind == Kind::Ellipse) picture.Marker(op.box.x + op.box.width / 2, op.box.y + op.box.height / 2);
    }
    return picture;
}

Picture EveryPoint(const Frame& frame, const std::vector<double>& xs, const std::vector<double>& ys,
                   bool markers) {
    Picture picture;
    const Winplus::Rect& limits = frame.GetLimits();
    bool placedBefore = false, insideBefore = false;
    int pxBefore = 0, pyBefore = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        int px = 0, py = 0;
        const bool placed = frame.ToPixel(xs[i], ys[i], px, py);
        const bool inside = placed && xs[i] <= limits.x + limits.width &&
                            ys[i] <= limits.y + limits.height;
        if (i == 0 && inside && markers) picture.Marker(px, py);
        if (i > 0 && placedBefore && placed && (insideBefore || inside)) {
            picture.Segment({double(pxBefore), double(pyBefore)}, {double(px), double(py)});
            if (markers) picture.Marker(px, py);
        }
        placedBefore = placed, insideBefore = inside, pxBefore = px, pyBefore = py;
    }
    return picture;
}

Safe::XPtr<Frame> PlotFrame(const Winplus::Rect& limits, int xScale, int yScale) {
    auto frame = Safe::MakeX<Frame>();
    frame->SetPlotArea({0, 0, kWidth, kHeight});
    frame->SetScale(0, xScale);
    frame->SetScale(1, yScale);
    frame->SetLimits(limits);
    return frame;
}

// Draws the columns through a designer and compares with drawing every point; returns the
// number of lines drawn.
std::size_t ExpectSamePixels(const Safe::XPtr<Frame>& frame, const std::vector<double>& xs,
                             const std::vector<double>& ys, bool markers) {
    CurveDesigner designer;
    designer.hasShape = markers;
    designer.SetFrame(frame);
    designer.SetData(Safe::MakeX<Data>(xs), Safe::MakeX<Data>(ys));
    RecordingCanvas canvas;
    designer.PaintOwn(canvas);
    const Picture drawn = Recorded(canvas), reference = EveryPoint(*frame, xs, ys, markers);
    EXPECT_TRUE(drawn.pixels == reference.pixels);
    EXPECT_EQ(drawn.markers, reference.markers);
    // A marker is drawn at most once per pixel of a column's stretch.
    if (markers) {
        EXPECT_LT(drawn.markerCount, reference.markerCount / 4);
    }
    return drawn.lines;
}

// Draws the columns from `first` to `last` through the designer (which keeps what it made
// between draws) and compares with drawing every point of that stretch.
void ExpectRedrawnAsEveryPoint(CurveDesigner& designer, const Safe::XPtr<Frame>& frame,
                               const Data& xs, const Data& ys, int first, int last) {
    designer.SetFrame(frame);
    designer.SetRange(first, last, true);
    RecordingCanvas canvas;
    designer.PaintOwn(canvas);
    const auto stretch = [&](const Data& column) {
        const int end = std::min({last + 1, xs.Size(), ys.Size()});
        return std::vector<double>(column.Values().begin() + first, column.Values().begin() + end);
    };
    EXPECT_TRUE(Recorded(canvas).pixels == EveryPoint(*frame, stretch(xs), stretch(ys), false).pixels)
        << "points " << first << " to " << last;
}

// A spectrum of bands on a slope with a fast ripple: every pixel column spans several pixels.
double Band(double x, int i) {
    double y = 0.1 + 2e-5 * x + 0.02 * std::sin(i * 0.7);
    for (double band : {700.0, 1100.0, 1650.0, 2900.0, 3400.0})
        y += 1.0 / (1.0 + (x - band) * (x - band) / 400.0);
    return y;
}

TEST(CurveColumnsTest, AMillionPointsDrawTheirPixelsInAtMostFourLinesAColumn) {
    const int n = 1000000;
    std::vector<double> xs(n), ys(n);
    for (int i = 0; i < n; ++i) xs[i] = 400.0 + 3600.0 * i / (n - 1), ys[i] = Band(xs[i], i);
    const auto frame = PlotFrame({400.0, 0.0, 3600.0, 1.2}, Frame::kLinear, Frame::kLinear);
    EXPECT_LE(ExpectSamePixels(frame, xs, ys, false), 4u * kWidth);

    // Markers, and the same curve drawn from right to left.
    xs.resize(100000), ys.resize(100000);
    EXPECT_LE(ExpectSamePixels(frame, xs, ys, true), 4u * kWidth);
    std::reverse(xs.begin(), xs.end());
    EXPECT_LE(ExpectSamePixels(frame, xs, ys, false), 4u * kWidth);
}

TEST(CurveColumnsTest, GapsAndLimitsBreakTheLineAsEveryPointDoes) {
    const int n = 300000;
    std::vector<double> xs(n), ys(n);
    for (int i = 0; i < n; ++i) xs[i] = 400.0 + 3600.0 * i / (n - 1), ys[i] = Band(xs[i], i);
    // A stretch of NaN, lone NaNs and infinities, a band above the upper limit (its points are
    // outside, so only the segments that enter and leave it are drawn), and the end beyond
    // the right limit.
    for (int i = 50000; i < 52000; ++i) ys[i] = NAN;
    for (int i = 70000; i < 200000; i += 997) ys[i] = NAN;
    for (int i = 100003; i < 200000; i += 4999) ys[i] = INFINITY, xs[i + 1] = -INFINITY;
    // Steps at lone NaNs (of the ordinate and of the abscissa in turn) within pixel columns:
    // the pieces on either side of each are drawn apart, without the line between them.
    for (int i = 210000; i < n; ++i) ys[i] += (i / 3001 % 2) * 0.4;
    for (int i = 70 * 3001; i < n; i += 3001) (i / 3001 % 2 ? ys[i] : xs[i]) = NAN;
    const auto frame = PlotFrame({400.0, 0.0, 3000.0, 0.9}, Frame::kLinear, Frame::kLinear);
    const int gaps = 1 + 130 + 2 * 20 + 30;
    EXPECT_LE(ExpectSamePixels(frame, xs, ys, false), 4u * (kWidth + gaps));
    xs.resize(120000), ys.resize(120000);
    ExpectSamePixels(frame, xs, ys, true);
}

TEST(CurveColumnsTest, LogAxesAndWanderingAbscissasDrawTheSamePixels) {
    // A geometric grid over four decades on Log10 axes: columns hold very different numbers of
    // points, and the values that are not positive cannot be placed.
    const int n = 400000;
    std::vector<double> xs(n), ys(n);
    for (int i = 0; i < n; ++i) {
        xs[i] = std::pow(10.0, 4.0 * i / (n - 1));
        ys[i] = std::pow(10.0, 2.0 * std::sin(i * 1e-4)) * (1.0 + 0.3 * std::sin(i * 0.9));
        if (i % 50000 < 300) ys[i] = -ys[i];
        if (i % 70000 == 5) ys[i] = 0.0;
    }
    const auto frame = PlotFrame({1.0, 0.001, 9999.0, 999.999}, Frame::kLog10, Frame::kLog10);
    EXPECT_LE(ExpectSamePixels(frame, xs, ys, false), 4u * (kWidth + 16));
    xs.resize(100000), ys.resize(100000);
    ExpectSamePixels(frame, xs, ys, true);

    // An abscissa that goes back and forth: a Lissajous figure over the linear plot.
    std::vector<double> us(n), vs(n);
    for (int i = 0; i < n; ++i) us[i] = 50.0 + 49.0 * std::sin(i * 3e-4), vs[i] = 50.0 + 49.0 * std::sin(i * 2e-4);
    ExpectSamePixels(PlotFrame({0.0, 0.0, 100.0, 100.0}, Frame::kLinear, Frame::kLinear), us, vs,
                     true);
}

// One designer draws the same columns again and again: what it keeps between draws must serve
// every zoom, scale and stretch of points, and every way the points change must show at the
// next draw.
TEST(CurveColumnsTest, RedrawsFollowZoomsStretchesAndEveryChangeOfThePoints) {
    const int n = 200000;
    std::vector<double> x0(n), y0(n);
    for (int i = 0; i < n; ++i) x0[i] = 400.0 + 3600.0 * i / (n - 1), y0[i] = Band(x0[i], i);
    for (int i = 90000; i < 90500; ++i) y0[i] = NAN;
    const auto xs = Safe::MakeX<Data>(x0), ys = Safe::MakeX<Data>(y0);
    CurveDesigner designer;
    designer.SetData(xs, ys);
    const auto linear = PlotFrame({400.0, 0.0, 3600.0, 1.2}, Frame::kLinear, Frame::kLinear);
    auto expectSame = [&](const Safe::XPtr<Frame>& frame, int first, int last) {
        ExpectRedrawnAsEveryPoint(designer, frame, *xs, *ys, first, last);
    };
    // Zooms, pans and Log10 axes over the whole curve, then parts of it that begin and end
    // within blocks.
    expectSame(linear, 0, n - 1);
    expectSame(PlotFrame({1000.0, 0.3, 700.0, 0.5}, Frame::kLinear, Frame::kLinear), 0, n - 1);
    expectSame(PlotFrame({1600.0, 0.0, 150.0, 1.2}, Frame::kLinear, Frame::kLinear), 0, n - 1);
    expectSame(PlotFrame({500.0, 0.05, 3500.0, 1.15}, Frame::kLog10, Frame::kLog10), 0, n - 1);
    expectSame(linear, 12345, 177777);
    expectSame(linear, 3, n - 7);

    // Each change draws a step, a spike or a gap the drawing before it did not have.
    std::vector<double> other = y0;
    for (double& y : other) y = 1.1 - y;
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"an element", [&] { (*ys)[123457] = 1.15; }},
        {"the abscissa of an element", [&] { (*xs)[50003] = 3000.0; }},
        {"elements through the vector", [&] { std::fill_n(ys->Values().begin() + 7001, 900, 0.05); }},
        {"the vector replaced", [&] { ys->Values() = std::vector<double>(n, 0.5); }},
        {"the vector exchanged", [&] { std::swap(ys->Values(), other); }},
        {"the column assigned", [&] { *ys = Data(y0); }},
        // The curve then ends where the shorter ordinate does, within a block.
        {"the column cut and grown", [&] { ys->Resize(n / 2 + 3), ys->Resize(n - 5); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        change();
        expectSame(linear, 0, n - 1);
    }
}

}  // namespace
