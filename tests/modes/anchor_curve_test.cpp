#include <gtest/gtest.h>

#include "model/current.h"
#include "modes/anchor_curve.h"
#include "plot/recording_canvas.h"
#include "tests/modes/mode_support.h"

namespace {

using Kind = Winplus::RecordingCanvas::Kind;
using Winplus::PixelRect;

struct Marker {
    Kind kind;
    PixelRect box;
    Winplus::Argb color;
    bool fill;
    bool operator==(const Marker&) const = default;
};

// The markers of p1 (w 100, g 10, ds 1): its top anchor at (100, 10), current, and its
// half-width anchor at (w + g / 2, 5) = (105, 5), on a frame of 1 pixel per x and 10 per y (y 0 at
// pixel 100).
std::vector<Marker> PaintedMarkers(bool centred, Core::AnchorEndMode endMode) {
    ModeTest::PhononModel();
    Safe::XPtr<Core::AnchorsInterface> anchors = ModeTest::Find("p1")->GetAnchors();
    auto curve = Safe::MakeX<Winplus::AnchorCurve>();
    curve->Designers().imag->lineColor = 0xFF00FF00;
    curve->SetViewMode(Winplus::kHidden);
    curve->SetAnchors(anchors->GetAnchors());
    curve->SetCurrentAnchor(anchors->GetAnchors().at(0));
    auto frame = Safe::MakeX<Winplus::Frame>();
    frame->SetLimits({0.0, 0.0, 1000.0, 10.0});
    frame->SetPlotArea({0, 0, 1000, 100});
    Winplus::RecordingCanvas canvas;
    canvas.centresMarkers = centred;
    Core::SetAnchorEndMode(endMode);
    curve->Paint(canvas, frame);
    std::vector<Marker> markers;
    for (const auto& op : canvas.Operations())
        markers.push_back({op.kind, op.box, op.color, op.fill});
    return markers;
}

TEST(AnchorCurveTest, MarkersFollowTheBackEndAndTheCurrentAnchor) {
    constexpr Winplus::Argb kGreen = 0xFF00FF00, kWhite = 0xFFFFFFFF;
    // GDI+: a 4 x 4 box 2 pixels up and left of the point, filled (white for the current
    // anchor), then outlined; the width anchor (kind 4) is a circle.
    EXPECT_EQ(PaintedMarkers(false, Core::AnchorEndMode::kNearer),
              (std::vector<Marker>{{Kind::Rectangle, {98, -2, 4, 4}, kWhite, true},
                                   {Kind::Rectangle, {98, -2, 4, 4}, kGreen, false},
                                   {Kind::Ellipse, {103, 48, 4, 4}, kGreen, true},
                                   {Kind::Ellipse, {103, 48, 4, 4}, kGreen, false}}));
    // Direct2D: 8 x 8 centred on the point, only the current one filled.
    EXPECT_EQ(PaintedMarkers(true, Core::AnchorEndMode::kSecond),
              (std::vector<Marker>{{Kind::Rectangle, {96, -4, 8, 8}, kGreen, true},
                                   {Kind::Ellipse, {101, 46, 8, 8}, kGreen, false}}));
    // The phonon's anchors mark second ends only.
    EXPECT_TRUE(PaintedMarkers(false, Core::AnchorEndMode::kFirst).empty());
}

}  // namespace
