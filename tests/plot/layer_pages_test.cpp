#include <gtest/gtest.h>

#include "plot/layer_pages.h"
#include "tests/plot/page_support.h"

namespace {

using namespace PlotTest;
using Winplus::Frame;
using Winplus::LayerCurve;
using Winplus::LayerModifyPage;
using Winplus::LayerViewPage;
using Winplus::Property;
using Winplus::Rect;

constexpr int kLimits = CodeNumber(LayerEvent::kLayerLimitsChanged);  // 124 on either bus
constexpr int kScale = CodeNumber(LayerEvent::kLayerScaleChanged);    // 125 on either bus
const std::vector<int> kNone;

struct LayerCase {
    RowCase row;
    Rect limits;
    int xScale, yScale;
    // What the layer holds after, and what the edited row shows.
    Rect after;
    int afterX, afterY;
    std::string shown;
};

// Index of the View page; the Modify page's is one lower.
enum { kXAxis = 2, kXMin, kXMax, kYAxis, kYMin, kYMax };

const std::vector<LayerCase>& Cases() {
    const Rect zero{0, 0, 1000, 1}, one{1, 0.1, 999, 1}, wide{100, 0, 900, 1};
    // clang-format off
    static const std::vector<LayerCase> cases = {
        {{"x Log10 from 0", kXAxis, Text("Log10"), false, kNone, kNone,
          Box("All Abscissa must be positive")}, zero, 0, 0, zero, 0, 0, "Linear"},
        {{"x Log10", kXAxis, Text("Log10"), true, {kScale}, kNone, {}}, one, 0, 0, one, 1, 0, "Log10"},
        {{"y Log10", kYAxis, Text("Log10"), true, {kLimits}, kNone, {}}, one, 1, 0, one, 1, 1, "Log10"},
        {{"y Log10 from 0", kYAxis, Text("Log10"), false, kNone, kNone,
          Box("All ordinates must be positive")}, zero, 0, 0, zero, 0, 0, "Linear"},
        {{"x Linear again", kXAxis, Text("Linear"), true, {kScale}, kNone, {}}, one, 1, 0, one, 0, 0,
         "Linear"},
        {{"x scale unchanged", kXAxis, Text("Linear"), true, kNone, kNone, {}}, one, 0, 0, one, 0, 0,
         "Linear"},
        {{"x minimum 0 on Log10", kXMin, Text("0"), false, kNone, kNone,
          Box("All Abscissa must be positive")}, one, 1, 0, one, 1, 0, "1"},
        {{"x maximum -3 on Log10", kXMax, Text("-3"), false, kNone, kNone,
          Box("All abscissa must be positive")}, one, 1, 0, one, 1, 0, "1000"},
        {{"x minimum -3 on Linear", kXMin, Text("-3"), true, {kLimits}, kNone, {}}, one, 0, 1,
         {-3, 0.1, 1003, 1}, 0, 1, "-3"},
        {{"y minimum 0 on Log10", kYMin, Text("0"), false, kNone, kNone,
          Box("All ordinates must be positive")}, one, 0, 1, one, 0, 1, "0.1"},
        {{"x minimum at the maximum", kXMin, Text("1000"), false, kNone, kNone,
          Box("Minimum abscissa must be lower than the maximum value")}, one, 0, 0, one, 0, 0, "1"},
        {{"x maximum below the minimum", kXMax, Text("0.5"), false, kNone, kNone,
          Box("Maximum abscissa must be greather than the minimum value")}, one, 0, 0, one, 0, 0,
         "1000"},
        {{"y minimum above the maximum", kYMin, Text("2"), false, kNone, kNone,
          Box("Minimum ordinate must be lower than the maximum value")}, one, 0, 0, one, 0, 0, "0.1"},
        {{"y maximum at the minimum", kYMax, Text("0.1"), false, kNone, kNone,
          Box("Maximum ordinate must be greather than the minimum value")}, one, 0, 0, one, 0, 0,
         "1.1"},
        {{"x maximum 500", kXMax, Text("500"), true, {kLimits}, kNone, {}}, wide, 0, 0,
         {100, 0, 400, 1}, 0, 0, "500"},
        // The new extent is the old maximum less the value, as the page computes it.
        {{"y minimum 0.5", kYMin, Text("0.5"), true, {kLimits}, kNone, {}}, one, 0, 1,
         {1, 0.5, 999, (0.1 + 1) - 0.5}, 0, 1, "0.5"},
        {{"y maximum unchanged", kYMax, Text("1.1"), true, kNone, kNone, {}}, one, 0, 0, one, 0, 0,
         "1.1"},
        {{"name", 1, Text("other"), true, kNone, kNone, {}}, one, 0, 0, one, 0, 0, "other"},
    };
    // clang-format on
    return cases;
}

LayerCurve::Ptr Layer(const Rect& limits, int xScale, int yScale) {
    LayerCurve::Ptr layer = LayerCurve::Create();
    layer->SetLimits(limits);
    layer->GetFrame()->SetScale(0, xScale);
    layer->GetFrame()->SetScale(1, yScale);
    return layer;
}

void ExpectLayer(const LayerCurve& layer, const LayerCase& c) {
    EXPECT_EQ(layer.GetLimits(), c.after);
    EXPECT_EQ(layer.GetFrame()->GetLimits(), c.after);
    EXPECT_EQ(layer.GetFrame()->GetScale(0), c.afterX);
    EXPECT_EQ(layer.GetFrame()->GetScale(1), c.afterY);
    // The layer's AutoScale curve follows its x-limits.
    const auto& curve = layer.Curves()->At(0);
    EXPECT_DOUBLE_EQ(curve->Min(0), c.after.x);
    EXPECT_DOUBLE_EQ(curve->Max(0), c.after.x + c.after.width);
}

TEST(LayerPagesTest, ViewPageAppliesEachRowWithItsEventAndRefusal) {
    for (const LayerCase& c : Cases()) {
        LayerCurve::Ptr layer = Layer(c.limits, c.xScale, c.yScale);
        LayerViewPage page;
        page.Fill(layer);
        Check(c.row, page.Row(c.row.index), [&](int i) { return page.Apply(layer, i); });
        SCOPED_TRACE(c.row.what);
        ExpectLayer(*layer, c);
        EXPECT_EQ(page.Row(c.row.index).GetText(), c.shown);
    }
}

TEST(LayerPagesTest, ModifyPageAppliesToTheUserLayerAndTheToolLayerAndReportsOnTheViewBus) {
    for (const LayerCase& c : Cases()) {
        if (c.row.index == 1) continue;  // no name row
        LayerCurve::Ptr user = Layer(c.limits, c.xScale, c.yScale);
        // The tool layer follows the user layer; it is not asked.
        LayerCurve::Ptr tool = Layer(c.limits, 0, 0);
        LayerModifyPage page;
        page.Fill(user);
        RowCase row = c.row;
        row.index -= 1;
        std::swap(row.layerCodes, row.viewCodes);
        Check(row, page.Row(row.index), [&](int i) { return page.Apply(user, tool, i); });
        SCOPED_TRACE(c.row.what);
        ExpectLayer(*user, c);
        EXPECT_EQ(tool->GetLimits(), c.row.result ? c.after : c.limits);
        if (c.row.result && c.row.index == kXAxis) {
            EXPECT_EQ(tool->GetFrame()->GetScale(0), c.afterX);
        }
        if (c.row.result && c.row.index == kYAxis) {
            EXPECT_EQ(tool->GetFrame()->GetScale(1), c.afterY);
        }
    }
}

TEST(LayerPagesTest, PagesFillFromAndCheckAgainstTheLayersOwnLimits) {
    // A frame that holds other limits than its layer (as one never laid out may).
    LayerCurve::Ptr layer = Layer({100, 0, 900, 1}, 0, 0);
    layer->GetFrame()->SetLimits({0, 0, 1, 1});
    LayerViewPage page;
    page.Fill(layer);
    EXPECT_EQ(page.Row(kXMax).doubleValue, 1000.0);
    Check({"x minimum 50", kXMin, Text("50"), true, {kLimits}, kNone, {}}, page.Row(kXMin),
          [&](int i) { return page.Apply(layer, i); });
    EXPECT_EQ(layer->GetLimits(), (Rect{50, 0, 950, 1}));

    // Nothing to act on: no layer, a row outside the page, a missing tool layer.
    Check({"no layer", kXMin, Text("70"), false, kNone, kNone, {}}, page.Row(kXMin),
          [&](int i) { return page.Apply(nullptr, i); });
    Check({"outside", 8, Text("70"), false, kNone, kNone, {}}, page.Row(kXMin),
          [&](int i) { return page.Apply(layer, i); });
    LayerModifyPage modify;
    modify.Fill(layer);
    EXPECT_EQ(modify.Row(kXMin - 1).GetText(), "50");
    Check({"no tool layer", kXMin - 1, Text("70"), false, kNone, kNone, {}}, modify.Row(kXMin - 1),
          [&](int i) { return modify.Apply(layer, nullptr, i); });
    EXPECT_EQ(layer->GetLimits(), (Rect{50, 0, 950, 1}));
}

}  // namespace
