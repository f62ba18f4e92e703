#include <gtest/gtest.h>

#include <cmath>

#include "plot/frame.h"
#include "plot/recording_canvas.h"

namespace {

using Winplus::Frame;
using Winplus::PixelRect;
using Winplus::RecordingCanvas;
using Winplus::Rect;

TEST(FrameTest, LinearTicksFollowTheOneTwoFiveRule) {
    EXPECT_EQ(Frame::LinearTicks(0, 1000, 6), (std::vector<double>{0, 200, 400, 600, 800, 1000}));
    EXPECT_EQ(Frame::LinearTicks(1, 1000, 6), (std::vector<double>{200, 400, 600, 800, 1000}));
    const std::vector<double> unit = Frame::LinearTicks(0, 1, 6);
    ASSERT_EQ(unit.size(), 6u);
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(unit[i], 0.2 * i, 1e-15);
    // Multiples of the step: zero is exactly zero, never -0.3 + 3 * 0.1.
    EXPECT_EQ(Frame::LinearTicks(-0.35, 0.25, 6)[3], 0.0);
    EXPECT_EQ(Frame::LinearTicks(-0.9, 0.9, 6), (std::vector<double>{-0.5, 0, 0.5}));
    EXPECT_EQ(Frame::LinearTicks(5, 5, 6), (std::vector<double>{5}));
}

// Over ranges from 1e-300 to 1e300, negative ones, tiny and huge extents: the walk ends, the
// ticks ascend within the limits, and neighbours differ by one 1, 2 or 5 times a power of ten.
TEST(FrameTest, LinearTicksCoverEveryRangeWithRoundSteps) {
    const double ranges[][2] = {{1e-300, 1e300}, {1e-300, 3e-300},  {-1e300, 1e300},
                                {-7.5, -2.25},   {1e6, 1e6 + 1e-6}, {1e300, 1.0000001e300},
                                {-1e-12, 1e-12}, {0.999, 1.001},    {123456, 123457}};
    for (const auto& range : ranges) {
        const double a = range[0], b = range[1];
        SCOPED_TRACE(testing::Message() << a << " .. " << b);
        const std::vector<double> ticks = Frame::LinearTicks(a, b, 6);
        ASSERT_GE(ticks.size(), 2u);
        ASSERT_LE(ticks.size(), 12u);
        const double step = ticks[1] - ticks[0];
        const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-3 || std::fabs(mantissa - 2) < 1e-3 ||
                    std::fabs(mantissa - 5) < 1e-3)
            << mantissa;
        EXPECT_GE(ticks.front(), a);
        EXPECT_LE(ticks.back(), b + (b - a) * 1e-5);
        // The first tick is less than a step above a: the ticks cover the limits.
        EXPECT_LT(ticks.front() - step, a);
        for (std::size_t i = 1; i < ticks.size(); ++i) {
            EXPECT_GT(ticks[i], ticks[i - 1]);
            const double round =
                std::round(mantissa) * std::pow(10.0, std::floor(std::log10(step) + 1e-9));
            const double multiple = ticks[i] / round;
            EXPECT_NEAR(multiple, std::round(multiple), 1e-6);
        }
    }
    // Below the resolution of the values, and a zero or infinite step: no endless walk.
    EXPECT_LE(Frame::LinearTicks(1e6, std::nextafter(1e6, 2e6), 6).size(), 2u);
    EXPECT_TRUE(Frame::LinearTicks(-1e308, 1e308, 6).empty());
    EXPECT_TRUE(Frame::LinearTicks(0, NAN, 6).empty());
}

TEST(FrameTest, LogTicksArePowersOfTenInsideTheLimits) {
    EXPECT_EQ(Frame::LogTicks(10, 1000), (std::vector<double>{10, 100, 1000}));
    EXPECT_EQ(Frame::LogTicks(0.5, 5), (std::vector<double>{1}));
    EXPECT_TRUE(Frame::LogTicks(2, 8).empty());
    EXPECT_TRUE(Frame::LogTicks(0, 10).empty());
    EXPECT_TRUE(Frame::LogTicks(-10, 10).empty());
    EXPECT_EQ(Frame::LogTicks(1e-300, 1e300).size(), 601u);
}

TEST(FrameTest, ValuesMapToPixelsAndBackOnBothScales) {
    Frame frame;
    frame.SetPlotArea({10, 20, 500, 300});
    frame.SetLimits({0, 0, 1000, 1});
    EXPECT_EQ(frame.XToPixel(500), 260);
    EXPECT_EQ(frame.YToPixel(0.25), 245);
    EXPECT_DOUBLE_EQ(frame.PixelToX(260), 500);
    EXPECT_DOUBLE_EQ(frame.PixelToY(245), 0.25);

    frame.SetScale(0, Frame::kLog10);
    frame.SetScale(1, Frame::kLog10);
    frame.SetLimits({10, 1, 990, 99});  // x 10 .. 1000, y 1 .. 100
    EXPECT_EQ(frame.XToPixel(100), 260);
    EXPECT_EQ(frame.YToPixel(10), 170);
    EXPECT_NEAR(frame.PixelToX(260), 100, 1e-12);
    EXPECT_NEAR(frame.PixelToY(170), 10, 1e-13);
    EXPECT_EQ(frame.minorSubdivisions[0], 8);
    EXPECT_EQ(frame.GetScale(2), -1);
    // Pixels round half down.
    EXPECT_EQ(Frame::RoundPixel(2.5), 2);
    EXPECT_EQ(Frame::RoundPixel(2.5000001), 3);
}

TEST(FrameTest, LogAxesNeverTakeTheLogarithmOfWhatIsNotPositive) {
    Frame frame;
    frame.SetPlotArea({0, 0, 100, 100});
    frame.SetLimits({1, 1, 99, 9});
    frame.SetScale(0, Frame::kLog10);
    // Non-positive limits are refused for the Log10 axis only; the linear one takes them.
    frame.SetLimits({-5, -3, 10, 5});
    EXPECT_EQ(frame.GetLimits(), (Rect{1, -3, 99, 5}));
    int px = 0, py = 0;
    EXPECT_FALSE(frame.ToPixel(0, 1, px, py));
    EXPECT_FALSE(frame.ToPixel(-2, 1, px, py));
    EXPECT_FALSE(frame.ToPixel(NAN, 1, px, py));
    EXPECT_EQ(frame.XToPixel(-2), -1);
    EXPECT_TRUE(frame.ToPixel(10, 1, px, py));
    EXPECT_EQ(px, 50);
}

TEST(FrameTest, PaintLaysTheBoxOutAroundItsLabels) {
    Frame frame;
    RecordingCanvas canvas;
    frame.Paint(canvas, {0, 0, 600, 400}, {0, 0, 1000, 1}, true, true);
    // Y labels "0" .. "0.8", "1": three characters at 10 pixels, 20 high.
    EXPECT_EQ(frame.PlotArea(), (PixelRect{8 + 30, 8, 600 - 16 - 30 - 25, 400 - 16 - 4 - 20}));
    const auto texts = canvas.OfKind(RecordingCanvas::Kind::Text);
    ASSERT_EQ(texts.size(), 12u);
    EXPECT_EQ(texts[1].text, L"0.2");
    EXPECT_EQ(texts[1].box.x + texts[1].box.width, frame.PlotArea().x - 8);
    EXPECT_EQ(texts[11].text, L"1000");
    // The fill sits inside the axis lines.
    const auto fills = canvas.OfKind(RecordingCanvas::Kind::Rectangle);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].box.x, frame.PlotArea().x + 1);

    // Minor ticks: linear halfway, Log10 at 2 .. 9 times the decade.
    EXPECT_EQ(Frame::MinorTickPosition(0, 0, 100, 0, 1, false), 50);
    EXPECT_EQ(Frame::MinorTickPosition(1, 0, 100, 0, 8, false), 30);
    EXPECT_EQ(Frame::MinorTickPosition(1, 100, 100, 0, 8, true), 95);

    // An axis with one tick shows its label and no tick marks; none shows nothing.
    frame.SetScale(0, Frame::kLog10);
    canvas.Clear();
    frame.axisVisible[0] = frame.axisVisible[1] = frame.axisVisible[2] = false;
    frame.Paint(canvas, {0, 0, 600, 400}, {2, 0, 6, 1}, true, false);
    EXPECT_EQ(canvas.OfKind(RecordingCanvas::Kind::Line).size(), 1u);  // the axis line only
    EXPECT_EQ(canvas.OfKind(RecordingCanvas::Kind::Text).size(), 6u);  // y labels only
}

// In a small plot the labels that would run into the one shown before them are left out: the
// ones shown keep apart by their extent and two pixels.
TEST(FrameTest, LabelsThatWouldOverlapAreLeftOut) {
    Frame frame;
    RecordingCanvas canvas;
    // Six ticks a side: x 100000 .. 200000 (labels 60 pixels wide), y 0 .. 1 (20 high).
    auto labels = [&](int width, int height) {
        canvas.Clear();
        frame.Paint(canvas, {0, 0, width, height}, {100000, 0, 100000, 1}, true, true);
        std::vector<std::wstring> xs, ys;
        for (const auto& text : canvas.OfKind(RecordingCanvas::Kind::Text))
            (text.align == Winplus::TextAlign::Center ? xs : ys).push_back(text.text);
        return std::make_pair(xs, ys);
    };
    const auto [wideX, tallY] = labels(2000, 600);
    EXPECT_EQ(wideX.size(), 6u);
    EXPECT_EQ(tallY.size(), 6u);
    // 250 x 90: x ticks 33 pixels apart, y ticks 12.
    const auto [xs, ys] = labels(250, 90);
    EXPECT_EQ(xs, (std::vector<std::wstring>{L"100000", L"140000", L"180000"}));
    EXPECT_EQ(ys, (std::vector<std::wstring>{L"0", L"0.6"}));
}

TEST(FrameTest, RectContainsHasNoLowerBound) {
    const Rect limits{0, 0, 1000, 1};
    EXPECT_TRUE(limits.Contains(-5, -3));
    EXPECT_FALSE(limits.Contains(1001, 0.5));
    EXPECT_EQ(limits.Union({-1, 0.5, 2, 2}), (Rect{-1, 0, 1001, 2.5}));
}

}  // namespace
