// The panels that hold a property grid, in a window under Wine: the Properties and Visual
// panels over real layers and curves follow the layer and view buses, the tool modes' pages and
// the fit's page are edited through the grid's own messages, and refusals show the stored value.
#include <gtest/gtest.h>

#include "app/views/page_leaves.h"
#include "functions/families.h"
#include "model/selection.h"
#include "modes/adjust_core.h"
#include "modes/builder_core.h"
#include "modes/fit_core.h"
#include "modes/view_modes.h"
#include "tests/app/stub_mode_tool.h"
#include "tests/winplus/gui_test_support.h"

namespace {

using Winplus::Curve;
using Winplus::FileCurve;
using Winplus::LayerCurve;

constexpr int kRowHeight = 19;

// A leaf of the given kind in a host window, laid out 300 x 500.
template <class Leaf>
struct Shown {
    GuiTest::Host host{400, 600};
    Safe::XPtr<Leaf> leaf = Safe::MakeX<Leaf>(host.Window());
    Shown() {
        GuiTest::RecordMessageBoxes();
        leaf->Move(0, 0, 300, 500, true);
        GuiTest::Pump();
    }
    Core::PageLeafController& Controller() const {
        return static_cast<Core::PageLeafController&>(*leaf->Controller());
    }
    Winplus::PropertyController& Grid() const { return *Controller().Grid()->Controller(); }
    void ExpectWindow(const char* className, const wchar_t* caption) const {
        char name[32] = {};
        GetClassNameA(Controller().Handle(), name, sizeof(name));
        EXPECT_STREQ(name, className);
        EXPECT_EQ(Controller().designer->text, caption);
    }
    std::string Title() const { return Grid().Rows().empty() ? "" : Grid().Rows()[0]->GetNameA(); }
    std::string Text(int row) const {
        return Grid().Rows()[static_cast<std::size_t>(row)]->GetText();
    }
    // Types text into a row's value cell as a user does, then presses Enter, which commits it.
    void Type(int row, const std::string& text) const {
        const HWND grid = Grid().Handle();
        SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, row * kRowHeight + 5));
        SetWindowTextA(Grid().Edit().Handle(), text.c_str());
        SendMessageA(grid, WM_CHAR, VK_RETURN, 0);
        GuiTest::Pump();
    }
};

std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const auto& box : GuiTest::Boxes()) texts.push_back(box.text);
    GuiTest::Boxes().clear();
    return texts;
}

TEST(PageLeavesTest, PropertiesFollowTheLayerBusAndTheCurveWins) {
    Winplus::Layer::NewLayer();
    Shown<Core::PropertiesLeaf> shown;
    shown.ExpectWindow("PropertiesClass", L"Properties");
    // The grid fills the panel below the caption, 2 pixels in from the left.
    RECT place{};
    GetWindowRect(shown.Grid().Handle(), &place);
    MapWindowPoints(nullptr, shown.Controller().Handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 2);
    EXPECT_EQ(place.top, 20);
    EXPECT_EQ(place.right, 300);
    EXPECT_EQ(shown.Title(), "View Layer Properties");
    EXPECT_EQ(shown.Text(1), "layer");

    auto layer = Safe::DynamicCast<LayerCurve>(Winplus::Layer::CurrentLayer());
    auto file = Safe::MakeX<FileCurve>();
    layer->AddFileCurve(file);
    Winplus::Layer::SetCurrentFileCurve(file);
    EXPECT_EQ(shown.Title(), "View File Properties");
    const Curve::Ptr curve = layer->Curves()->At(0);
    Winplus::Layer::SetCurrentCurve(curve);
    EXPECT_EQ(shown.Title(), "View Curve Properties");
    Winplus::Layer::SetCurrentFileCurve(Safe::MakeX<FileCurve>());
    EXPECT_EQ(shown.Title(), "View Curve Properties");

    // A refused number of points: its box, and the curve's count shown again.
    shown.Type(5, "8097");
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Number of points [2,8096]"});
    EXPECT_EQ(shown.Text(5), "512");
    EXPECT_EQ(curve->Size(), 512);
    shown.Type(5, "100");
    EXPECT_EQ(curve->Size(), 100);

    Winplus::Layer::ResetLayers();  // 120: the new layer, without current curves
    EXPECT_EQ(shown.Title(), "View Layer Properties");
}

TEST(PageLeavesTest, VisualFollowsTheViewBus) {
    auto tool = Safe::MakeX<AppTest::StubModeTool>();
    Core::ViewModeState::SetTool(Core::kBuilderMode, tool);
    Shown<Core::VisualLeaf> shown;
    EXPECT_EQ(shown.Controller().designer->text, L"Visual");
    EXPECT_TRUE(shown.Grid().Rows().empty());
    RECT grid{};
    GetClientRect(shown.Grid().Handle(), &grid);
    EXPECT_EQ(grid.bottom, 500 - 20 - 4 - 2);  // caption, splitter and a 2-pixel margin

    Core::ViewModeState::SetMode(Core::kBuilderMode);
    EXPECT_EQ(shown.Title(), "Modify Layer Properties");
    shown.Type(2, "-5");  // X-Minimum of both layers
    EXPECT_EQ(tool->user->GetLimits().x, -5.0);
    EXPECT_EQ(tool->dynamic->GetLimits().x, -5.0);
    tool->curve = tool->user->Curves()->At(0);
    Core::ViewModeState::NotifyAll(ViewEvent::kUserCurveChanged);
    EXPECT_EQ(shown.Title(), "Modify Curve Properties");
    EXPECT_EQ(shown.Text(1), "curve");
    Core::ViewModeState::SetMode(Core::kViewMode);
    EXPECT_TRUE(shown.Grid().Rows().empty());
}

TEST(PageLeavesTest, ModePagesShowTheirCoresAndFollowTheirBuses) {
    Capsule::RegisterFamilies();
    Core::BuilderCore::Initialize(&Core::ViewModeState::GetMode);
    Shown<Core::AdjustmentLeaf> adjustment;
    Shown<Core::AnchorsLeaf> anchors;
    Shown<Core::BuilderLeaf> builder;
    EXPECT_EQ(adjustment.Title(), "Adjustment Properties");
    EXPECT_EQ(adjustment.Grid().Rows().size(), 24u);
    EXPECT_EQ(anchors.Title(), "Anchor Properties");
    EXPECT_EQ(anchors.Grid().Rows().size(), 3u);
    EXPECT_EQ(builder.Grid().Rows().size(), 25u);

    // Typed into the grid, applied to the core.
    adjustment.Type(19, "2.5");  // X-Value
    adjustment.Type(20, "0.2");  // X-Percent
    EXPECT_EQ(Core::AdjustCore::Moves().GetValue(0), 2.5);
    EXPECT_EQ(Core::AdjustCore::Moves().GetPercent(0), 0.2);

    // The adjustment page follows the definition only in the Adjust mode.
    Core::AdjustCore::Tool().updateView = false;
    BusOf<ModelEvent>().Notify(ModelEvent::kDefinitionEdited);
    EXPECT_EQ(adjustment.Text(1), "True");
    Core::ViewModeState::SetMode(Core::kAdjustMode);
    EXPECT_EQ(adjustment.Text(1), "False");

    // A pick in the selection becomes the builder's prototype, shown as "Function".
    const Core::Node::Ptr picked = Core::PickByTypeId(900);
    ASSERT_TRUE(picked);
    Core::Selection::SetNode(picked);
    EXPECT_EQ(builder.Text(1), picked->GetName());
    EXPECT_EQ(Core::BuilderCore::GetPrototypeName(), picked->GetName());
}

TEST(PageLeavesTest, FitPageRefusesInTheGridAndFollowsAReset) {
    Core::FitCore::Initialize();
    Shown<Core::FitLeaf> shown;
    shown.ExpectWindow("FitClass", L"Auto-Fit");
    EXPECT_EQ(shown.Title(), "Automatic Fit Properties");
    shown.Type(1, "0");
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Number must be positive"});
    EXPECT_EQ(shown.Text(1), "32");
    shown.Type(1, "7");
    EXPECT_EQ(Core::FitCore::GetSettings().maxSteps, 7);
    // The file row, shown "ten" by hand, is "Undefined" again after a reset (fit event 10).
    shown.Grid().Rows()[8]->SetText("ten");
    Core::FitCore::Reset();
    EXPECT_EQ(shown.Text(8), "Undefined");
}

}  // namespace
