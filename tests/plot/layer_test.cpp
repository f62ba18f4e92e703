#include <gtest/gtest.h>

#include <string>

#include "foundation/exception.h"
#include "io/binary_stream.h"
#include "io/data_set.h"
#include "model/current.h"
#include "plot/layer.h"
#include "plot/layer_io.h"
#include "plot/recording_canvas.h"
#include "tests/common/code_log.h"
#include "tests/plot/plot_support.h"

namespace {

using Kind = Winplus::RecordingCanvas::Kind;
using Winplus::Curve;
using Winplus::FileCurve;
using Winplus::Layer;
using Winplus::LayerCurve;
using Winplus::Rect;
namespace LayerIo = Winplus::LayerIo;

TEST(LayerTest, ANewLayerHoldsOneCurveAndKeepsItsLimitsInTheFrame) {
    LayerCurve::Ptr layer = LayerCurve::Create();
    EXPECT_EQ(layer->GetNameA(), "layer");
    EXPECT_EQ(layer->GetKind(), 0);
    ASSERT_EQ(layer->Curves()->Count(), 1);
    EXPECT_EQ(layer->Curves()->At(0)->GetNameA(), "curve");
    EXPECT_EQ(layer->GetLimits(), (Rect{0, 0, 1000, 1}));
    // Never painted, the frame holds the limits all the same.
    layer->SetLimits({100, -1, 900, 2});
    EXPECT_EQ(layer->GetFrame()->GetLimits(), (Rect{100, -1, 900, 2}));

    EXPECT_FALSE(layer->AddCurve(nullptr));
    auto second = Safe::MakeX<Curve>(), third = Safe::MakeX<Curve>();
    second->autoScale = false;
    ASSERT_TRUE(layer->AddCurve(second));
    ASSERT_TRUE(layer->AddCurve(third));
    EXPECT_EQ(second->GetNameA(), "curve@1");
    EXPECT_EQ(third->GetNameA(), "curve@2");
    EXPECT_EQ(second->X()->Values().front(), 100);  // added curves take the limits

    // Only AutoScale curves follow the limits.
    layer->SetLimits({200, 0, 800, 1});
    EXPECT_EQ(third->X()->Values().front(), 200);
    EXPECT_EQ(third->X()->Values().back(), 1000);
    EXPECT_EQ(second->X()->Values().front(), 100);

    EXPECT_FALSE(layer->RenameCurve(L"curve", L"curve@1"));
    EXPECT_TRUE(layer->RenameCurve(L"curve@2", L"last"));
    EXPECT_TRUE(layer->RemoveCurve(L"curve@1"));
    EXPECT_EQ(layer->Curves()->At(1)->GetNameA(), "last");
    for (const Curve::Ptr& curve : *layer->Curves()) curve->SetViewMode(Winplus::kHidden);
    EXPECT_EQ(layer->GetCurvesBounds(), (Rect{0, 0, 1, 1}));
}

TEST(LayerTest, PaintsFileCurvesFirstInsideThePlotClip) {
    LayerCurve::Ptr layer = LayerCurve::Create();
    auto data = Safe::MakeX<Spectrum>();
    data->Resize(2);
    data->SetPoint(0, 100, 0.5, 0);
    data->SetPoint(1, 900, 0.5, 0);
    auto file = Safe::MakeX<FileCurve>();
    file->SetData(data);
    file->viewMode = Winplus::kXReal;
    layer->AddFileCurve(file);
    layer->Curves()->At(0)->SetViewMode(Winplus::kXReal);
    Winplus::RecordingCanvas canvas;
    layer->Paint(canvas, {0, 0, 600, 400}, true, true);
    const auto& ops = canvas.Operations();
    std::size_t clip = 0;
    while (clip < ops.size() && ops[clip].kind != Kind::PushClip) ++clip;
    ASSERT_LT(clip + 2, ops.size());
    const Winplus::PixelRect& p = layer->GetFrame()->PlotArea();
    EXPECT_EQ(ops[clip].box, (Winplus::PixelRect{p.x + 1, p.y + 1, p.width - 1, p.height - 1}));
    EXPECT_EQ(ops[clip + 1].color, file->Designers().real->lineColor);
    EXPECT_EQ(ops[clip + 1].points[0].y, layer->GetFrame()->YToPixel(0.5));
    EXPECT_EQ(ops.back().kind, Kind::PopClip);
}

TEST(LayerTest, TheLayerSetAnnouncesOnlyChanges) {
    auto log = NewCodeLog<LayerEvent>();
    EventBus::Registration registration = Layer::AddObserver(log);
    Layer::NewLayer();
    ASSERT_EQ(Layer::Set().Count(), 1);
    EXPECT_EQ(Layer::CurrentLayer(), Layer::Set().At(0));
    auto curve = Safe::MakeX<Curve>();
    Layer::SetCurrentCurve(curve);
    Layer::SetCurrentCurve(curve);
    Layer::ReplaceLayers(Winplus::LayerSet());
    EXPECT_EQ(Layer::Set().Count(), 0);
    EXPECT_FALSE(Layer::CurrentLayer());
    EXPECT_FALSE(Layer::CurrentCurve());
    Layer::ResetLayers();
    EXPECT_EQ(Layer::Set().Count(), 1);
    EXPECT_EQ(log->codes, (std::vector<int>{221, 120, 120}));
}

// A layer with every kind of curve and style, on Log10 x.
LayerCurve::Ptr FullLayer() {
    Core::MathMap::Ptr model = PlotTest::SquareModel("square");
    PlotTest::SelectModel(model);
    auto data = Safe::MakeX<Spectrum>();
    data->SetName(std::wstring(L"measured"));
    data->Resize(20);
    for (int i = 0; i < 20; ++i) data->SetPoint(i, 100.0 + i, i * 0.1, -i * 0.1);
    Core::DataSet::GetSet().Add(data);

    LayerCurve::Ptr layer = LayerCurve::Create(L"graph");
    layer->GetFrame()->SetScale(0, Winplus::Frame::kLog10);
    layer->SetLimits({10, -2, 990, 5});
    Curve::Ptr fixed = Safe::MakeX<Curve>();
    fixed->autoScale = false;
    layer->AddCurve(fixed);
    fixed->SetPointCount(100);
    fixed->SetXRange(50, 60);
    fixed->SetViewMode(Winplus::kImagReal);
    Winplus::CurveDesigner& style = *fixed->Designers().imag;
    style.hasLine = false;
    style.thickness = 3;
    style.hasShape = true;
    style.style = Winplus::CurveDesigner::kDiamond;
    style.markerWidth = style.markerHeight = 7;
    style.isFilled = true;
    auto whole = Safe::MakeX<FileCurve>(), part = Safe::MakeX<FileCurve>();
    whole->SetData(data);
    part->SetData(data);
    part->SetRange(105, 110);
    part->viewMode = Winplus::kRealImag;
    layer->AddFileCurve(whole);
    layer->AddFileCurve(part);
    return layer;
}

std::string Bytes(const Layer::Ptr& layer) {
    BinaryWriter writer;
    LayerIo::WriteLayer(writer, layer);
    return writer.Bytes();
}

Layer::Ptr Read(const std::string& bytes) {
    BinaryReader reader = BinaryReader::FromBytes(bytes);
    EXPECT_EQ(reader.ReadInt(), LayerIo::kLayerTag);
    return LayerIo::ReadLayer(reader);
}

TEST(LayerIoTest, WrittenLayersReadBackToTheSameBytes) {
    const std::string bytes = Bytes(FullLayer());
    Layer::Ptr read = Read(bytes);
    EXPECT_EQ(Bytes(read), bytes);
    LayerCurve::Ptr layer = Safe::DynamicCast<LayerCurve>(read);
    ASSERT_EQ(layer->Curves()->Count(), 2);
    EXPECT_EQ(layer->Curves()->At(0)->GetMathPath(), "square.model.m");
    layer->Curves()->At(1)->LayOutGrid();  // read curves lay out their grids when drawn
    EXPECT_EQ(layer->Curves()->At(1)->X()->Values().front(), 50);
    EXPECT_EQ(layer->FileCurves()->At(1)->StartIndex(), 5);
    EXPECT_EQ(layer->FileCurves()->At(1)->EndIndex(), 10);
    EXPECT_EQ(layer->GetFrame()->GetScale(0), 1);

    // A layer without curves: name, frame and the closing tag.
    LayerCurve::Ptr bare = LayerCurve::Create(L"a");
    bare->Clear();
    EXPECT_EQ(Bytes(bare).size(), 4u + 4 + 1 + 8 * 4 + 4 * 4 + 4);
    Layer::Ptr none;
    EXPECT_THROW(Bytes(none), Winplus::Exception);
}

TEST(LayerIoTest, EveryTruncationAndDamageIsRefused) {
    const std::string bytes = Bytes(FullLayer());
    for (std::size_t n = 4; n < bytes.size(); ++n) {
        try {
            Read(bytes.substr(0, n));
            ADD_FAILURE() << "read " << n << " bytes of " << bytes.size();
        } catch (const Winplus::Exception& e) {
            const std::string message = e.what();
            EXPECT_TRUE(message == "Unexpected end of file." || message == "File corruption.")
                << n << ": " << message;
        }
    }
    // Grids of 1 or 8097 points are corrupt; so is a model curve after a file curve.
    const std::string head = bytes.substr(0, bytes.find("square") - 4);
    auto withPoints = [&](int points) {
        BinaryWriter writer;
        writer.WriteString("square");
        writer.WriteString("model");
        writer.WriteString("m");
        writer.WriteBool(true);
        writer.WriteString("x");
        writer.WriteInt(points);
        return head + writer.Bytes() + std::string(100, '\0');
    };
    for (int points : {1, 8097, -5}) {
        try {
            Read(withPoints(points));
            ADD_FAILURE() << points;
        } catch (const Winplus::Exception& e) {
            EXPECT_STREQ(e.what(), "File corruption.");
        }
    }
}

TEST(LayerIoTest, ManyCurvesTakeMemoryAsTheRecordsDoUntilDrawn) {
    // 10,000 records of 8,096 points each: some 1.4 MB that once took 3 GB.
    LayerCurve::Ptr written = Safe::DynamicCast<LayerCurve>(FullLayer());
    written->FileCurves()->Clear();
    while (written->Curves()->Count() > 1) written->Curves()->RemoveAt(1);
    const Curve::Ptr model = written->Curves()->At(0);
    model->SetPointCount(8096);
    model->SetXRange(2.0, 20.0);
    const std::string one = Bytes(written);
    LayerCurve::Ptr bare = Safe::DynamicCast<LayerCurve>(FullLayer());
    bare->Clear();
    const std::size_t tail = 4, header = Bytes(bare).size() - tail;
    const std::string record = one.substr(header, one.size() - header - tail);
    std::string bytes = one.substr(0, header);
    for (int i = 0; i < 10000; ++i) bytes += record;
    bytes += one.substr(one.size() - tail);
    LayerCurve::Ptr read = Safe::DynamicCast<LayerCurve>(Read(bytes));
    ASSERT_EQ(read->Curves()->Count(), 10000);
    for (const Curve::Ptr& curve : *read->Curves()) {
        ASSERT_EQ(curve->Size(), 0);
        ASSERT_EQ(curve->PointCount(), 8096);
    }
    // Written back as read, the grids still deferred.
    LayerCurve::Ptr again = Safe::DynamicCast<LayerCurve>(Read(Bytes(read)));
    ASSERT_EQ(again->Curves()->Count(), 10000);
    EXPECT_EQ(again->Curves()->At(9999)->PointCount(), 8096);
    EXPECT_EQ(again->Curves()->At(9999)->GridMax(), 20.0);
    const Curve::Ptr first = read->Curves()->At(0);
    EXPECT_TRUE(first->Refresh());
    ASSERT_EQ(first->Size(), 8096);
    EXPECT_EQ(first->X()->Values().back(), 20.0);
    EXPECT_EQ(first->Re()->Values().back(), 20.0 * 20.0 + 1.0);
}

TEST(LayerIoTest, MissingModelsAndSpectraLeaveCurvesUnbound) {
    const std::string bytes = Bytes(FullLayer());
    Core::Models().Remove(L"square");
    Core::DataSet::GetSet().Clear();
    // Another model is current: the read curve must not show it.
    PlotTest::SelectModel(PlotTest::SquareModel("other"));
    LayerCurve::Ptr layer = Safe::DynamicCast<LayerCurve>(Read(bytes));
    const Curve::Ptr curve = layer->Curves()->At(0);
    EXPECT_EQ(curve->GetMathPath(), "Undefined");
    EXPECT_EQ(curve->Re()->Max(), 0);
    EXPECT_EQ(curve->Re()->Min(), 0);
    EXPECT_EQ(layer->FileCurves()->At(0)->GetData()->Size(), 0);
}

}  // namespace
