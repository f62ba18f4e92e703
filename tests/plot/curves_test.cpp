#include <gtest/gtest.h>

#include <cmath>

#include "model/current.h"
#include "plot/curve.h"
#include "plot/file_curve.h"
#include "plot/recording_canvas.h"
#include "tests/plot/plot_support.h"

namespace {

using Kind = Winplus::RecordingCanvas::Kind;
using Winplus::Curve;
using Winplus::CurveDesigner;
using Winplus::FileCurve;
using Winplus::Frame;
using Winplus::RecordingCanvas;

Safe::XPtr<Data> Column(std::vector<double> values) {
    return Safe::MakeX<Data>(std::move(values));
}

// A frame whose pixels equal the values: plot area 0..100 for limits 0..100 (y upwards).
Safe::XPtr<Frame> IdentityFrame() {
    auto frame = Safe::MakeX<Frame>();
    frame->SetPlotArea({0, 0, 100, 100});
    frame->SetLimits({0, 0, 100, 100});
    return frame;
}

std::vector<double> Xs(const Curve& curve) {
    return curve.X()->Values();
}

TEST(CurveDesignerTest, LinesJoinPlacedNeighboursAndMarkersFollowThem) {
    CurveDesigner designer;
    designer.hasShape = true;
    designer.SetFrame(IdentityFrame());
    designer.SetData(Column({10, 20, 30, 40, 50}), Column({10, 20, NAN, 40, 50}));
    RecordingCanvas canvas;
    designer.PaintOwn(canvas);
    // 10-20 and 40-50: two pieces; the point after the NaN gets no marker of its own.
    const auto lines = canvas.OfKind(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].points[0], (Winplus::PixelPoint{40, 60}));
    EXPECT_EQ(lines[0].color, designer.lineColor);
    const auto markers = canvas.OfKind(Kind::Ellipse);
    ASSERT_EQ(markers.size(), 3u);  // points 0, 1 and 4
    EXPECT_EQ(markers[2].box, (Winplus::PixelRect{48, 48, 4, 4}));
    EXPECT_EQ(markers[0].color, designer.markerColor);

    // A limited range, a diamond, and the single colour for line and markers alike.
    canvas.Clear();
    designer.style = CurveDesigner::kDiamond;
    designer.SetData(Column({0, 1, 2, 3, 4, 5, 6}), Column({0, 1, 2, 3, 4, 5, 6}));
    designer.SetRange(3, 5, true);
    designer.PaintSingle(canvas);
    ASSERT_EQ(canvas.OfKind(Kind::Line).size(), 2u);
    EXPECT_EQ(canvas.OfKind(Kind::Line)[0].points[0].x, 3);
    const auto diamonds = canvas.OfKind(Kind::Polygon);
    ASSERT_EQ(diamonds.size(), 3u);
    EXPECT_EQ(diamonds[0].points,
              (std::vector<Winplus::PixelPoint>{{3, 95}, {5, 97}, {3, 99}, {1, 97}}));
    EXPECT_EQ(diamonds[0].color, 0xFFFFFFFFu);

    // Another style draws lines only; a range past the columns draws nothing.
    canvas.Clear();
    designer.style = 7;
    designer.PaintOwn(canvas);
    EXPECT_EQ(canvas.Operations().size(), 2u);
    canvas.Clear();
    designer.SetRange(7, 9, true);
    designer.PaintOwn(canvas);
    EXPECT_TRUE(canvas.Operations().empty());
}

TEST(CurveDesignerTest, LogAxesDrawOnlyPositiveValues) {
    auto frame = Safe::MakeX<Frame>();
    frame->SetPlotArea({0, 0, 300, 100});
    frame->SetLimits({1, 0, 999, 100});
    frame->SetScale(0, Frame::kLog10);
    CurveDesigner designer;
    designer.SetFrame(frame);
    designer.SetData(Column({-1, 0, 1, 10, 100}), Column({5, 5, 5, 5, 5}));
    RecordingCanvas canvas;
    designer.PaintOwn(canvas);
    const auto lines = canvas.OfKind(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points[0].x, 0);
    EXPECT_EQ(lines[1].points[1].x, 200);
}

TEST(CurveTest, GridsAreLinearOrGeometricAndDescendWhenAsked) {
    Curve curve;
    EXPECT_EQ(curve.Size(), 512);
    EXPECT_EQ(curve.GetNameA(), "curve");
    EXPECT_FALSE(curve.SetPointCount(1));
    EXPECT_EQ(curve.Size(), 512);
    ASSERT_TRUE(curve.SetPointCount(2));
    EXPECT_EQ(Xs(curve), (std::vector<double>{1, 1000}));
    curve.SetPointCount(3);
    curve.expStep = true;
    curve.SetXRange(10, 1000);
    EXPECT_NEAR(Xs(curve)[1], 100, 1e-12);
    // Linear whenever an end is not positive.
    curve.SetXRange(0, 1000);
    EXPECT_EQ(Xs(curve), (std::vector<double>{0, 500, 1000}));
    curve.SetXRange(100, -100);
    EXPECT_EQ(Xs(curve), (std::vector<double>{100, 0, -100}));
    curve.SetXRange(5, 5);
    EXPECT_EQ(Xs(curve), (std::vector<double>{100, 0, -100}));
}

TEST(CurveTest, EvaluatesItsModelAndFollowsItsRenamesAndReloads) {
    Core::MathMap::Ptr model = PlotTest::SquareModel("square");
    PlotTest::SelectModel(model);
    Curve curve;
    curve.SetPointCount(3);
    curve.SetXRange(0, 4);
    EXPECT_EQ(curve.Re()->Values(), (std::vector<double>{1, 5, 17}));
    EXPECT_EQ(curve.SavedRe()->Values().size(), 3u);
    EXPECT_EQ(curve.Value(3).real(), 10);
    EXPECT_EQ(curve.GetMathPath(), "square.model.m");

    // Renamed in place: still the same model, now under its new name.
    Core::Models().RenameItem(L"square", L"squared");
    EXPECT_TRUE(curve.Refresh());
    EXPECT_EQ(curve.Re()->Values(), (std::vector<double>{1, 5, 17}));
    EXPECT_EQ(curve.GetMathPath(), "squared.model.m");

    // Reloaded: a new model bearing the name takes its place.
    Core::Models().Remove(L"squared");
    PlotTest::SquareModel("squared", 3.0);
    EXPECT_TRUE(curve.Refresh());
    EXPECT_EQ(curve.Re()->Values(), (std::vector<double>{3, 7, 19}));

    // Gone: zeros, and the path is undefined.
    Core::Models().Remove(L"squared");
    EXPECT_FALSE(curve.Refresh());
    EXPECT_EQ(curve.Re()->Values(), (std::vector<double>{0, 0, 0}));
    EXPECT_EQ(curve.GetMathPath(), "Undefined");
    EXPECT_EQ(curve.Value(3).real(), 0);
}

TEST(CurveTest, BoundsFollowTheViewMode) {
    Core::MathMap::Ptr model = PlotTest::SquareModel("square");
    PlotTest::SelectModel(model);
    Curve curve;
    curve.SetPointCount(3);
    curve.SetXRange(-2, 2);                                      // re 5, 1, 5; im 0
    EXPECT_EQ(curve.GetBounds(), (Winplus::Rect{-2, 0, 4, 5}));  // X-Complex takes im in
    curve.SetViewMode(Winplus::kXReal);
    EXPECT_EQ(curve.GetBounds(), (Winplus::Rect{-2, 1, 4, 4}));
    curve.SetViewMode(Winplus::kRealImag);
    EXPECT_EQ(curve.GetBounds(), (Winplus::Rect{1, 0, 4, 0}));
    curve.SetViewMode(Winplus::kHidden);
    EXPECT_EQ(curve.GetBounds(), (Winplus::Rect{0, 0, 1, 1}));
}

Spectrum::Ptr OneToTen() {
    auto spectrum = Safe::MakeX<Spectrum>();
    spectrum->Resize(10);
    for (int i = 0; i < 10; ++i) spectrum->SetPoint(i, i + 1, 2.0 * (i + 1), 0);
    return spectrum;
}

TEST(FileCurveTest, RangesAreInclusiveAndFollowTheSpectrum) {
    FileCurve empty;
    EXPECT_TRUE(empty.GetAllRange());
    EXPECT_EQ(empty.GetXEnd(), 0);
    RecordingCanvas canvas;
    empty.Paint(canvas, IdentityFrame());
    EXPECT_TRUE(canvas.Operations().empty());

    FileCurve curve;
    Spectrum::Ptr data = OneToTen();
    curve.SetData(data);
    EXPECT_EQ(curve.StartIndex(), 0);
    EXPECT_EQ(curve.EndIndex(), 9);
    EXPECT_EQ(curve.GetXStart(), 1);
    EXPECT_EQ(curve.GetXEnd(), 10);
    curve.SetAllRange(false);
    EXPECT_EQ(curve.EndIndex(), 9);

    // Both ends belong to the range.
    curve.SetRange(10, 2);
    EXPECT_FALSE(curve.GetAllRange());
    EXPECT_EQ(curve.StartIndex(), 1);
    EXPECT_EQ(curve.EndIndex(), 9);
    EXPECT_EQ(curve.GetXStart(), 2);
    curve.viewMode = Winplus::kXReal;
    curve.Paint(canvas, IdentityFrame());
    EXPECT_EQ(canvas.OfKind(Kind::Line).size(), 8u);

    // A spectrum that shrinks cuts the range with it.
    data->Resize(5);
    canvas.Clear();
    curve.Paint(canvas, IdentityFrame());
    EXPECT_EQ(curve.EndIndex(), 4);
    EXPECT_EQ(canvas.OfKind(Kind::Line).size(), 3u);

    curve.SetRange(20, 30);
    EXPECT_EQ(curve.StartIndex(), 5);
    canvas.Clear();
    curve.Paint(canvas, IdentityFrame());
    EXPECT_TRUE(canvas.Operations().empty());
}

}  // namespace
