#include <gtest/gtest.h>

#include <tuple>

#include "app/explorers/curve_explorer.h"
#include "app/views/mode_tools.h"
#include "modes/view_modes.h"
#include "io/data_set.h"
#include "model/current.h"
#include "modes/adjust_core.h"
#include "modes/builder_core.h"
#include "tests/modes/mode_support.h"

namespace {

namespace Explorer = Core::CurveExplorer;
using Core::ViewModeState;
using CurveItem = Explorer::Item;
using Explorer::Menu;

// The Adjust mode on p1: its user layer holds the curve "p1", its tool layer "Dynamic curve".
void AdjustModeOnP1() {
    ModeTest::PhononModel();
    Core::InstallModeTools();
    ViewModeState::SetMode(Core::kAdjustMode);
}

Spectrum::Ptr CurrentSpectrum(const std::wstring& name) {
    auto spectrum = Safe::MakeX<Spectrum>();
    spectrum->SetName(name);
    spectrum->Resize(3);
    for (int i = 0; i < 3; ++i) spectrum->SetPoint(i, 10.0 * (i + 1), 1.0, 0.0);
    Core::DataSet::GetSet().Add(spectrum);
    Core::DataSet::SetCurrent(spectrum);
    return spectrum;
}

TEST(CurveExplorerTest, TheTreeShowsTheModesLayersAndRefillsOutsideViewMode) {
    AdjustModeOnP1();
    const std::wstring user = ViewModeState::GetUserCurves()->GetName();
    const std::wstring tool = ViewModeState::GetDynamicLayer()->GetName();
    EXPECT_EQ(user, L"User curves");
    EXPECT_EQ(Explorer::TreeItems(),
              (std::vector<CurveItem>{
                  {0, L"Layers"}, {2, user}, {5, L"p1"}, {1, tool}, {3, L"Dynamic curve"}}));
    // A user file curve ("file", of the current spectrum) follows the model curves; a tool layer
    // without curves is not shown.
    CurrentSpectrum(L"s.dat");
    ASSERT_TRUE(Explorer::AddFile());
    ASSERT_TRUE(ViewModeState::GetDynamicLayer()->RemoveCurve(L"Dynamic curve"));
    EXPECT_EQ(Explorer::TreeItems(),
              (std::vector<CurveItem>{{0, L"Layers"}, {2, user}, {5, L"p1"}, {6, L"file"}}));

    // mode, view code, refills
    for (const auto& [mode, code, refills] : {std::tuple{Core::kAdjustMode, 121, true},
                                              {Core::kBuilderMode, 600, true},
                                              {Core::kFitMode, 124, false},
                                              {Core::kViewMode, 121, false},
                                              {Core::kViewMode, 600, false}}) {
        ViewModeState::SetMode(mode);
        EXPECT_EQ(Explorer::RefillsOn(static_cast<ViewEvent>(code)), refills) << mode << " " << code;
    }
}

TEST(CurveExplorerTest, EachItemKindSelectsItsLayerAndCurveAndHasItsMenuAndLabelRule) {
    AdjustModeOnP1();
    CurrentSpectrum(L"s.dat");
    ASSERT_TRUE(Explorer::AddFile());
    const auto user = ViewModeState::GetUserCurves();
    const auto tool = ViewModeState::GetDynamicLayer();
    const auto p1 = user->Curves()->Find(L"p1");
    const auto dynamic = tool->Curves()->Find(L"Dynamic curve");
    const auto file = user->FileCurves()->Find(L"file");
    struct Case {
        int kind;
        std::wstring text;
        Winplus::LayerCurve::Ptr layer;
        Winplus::Curve::Ptr curve;
        Winplus::FileCurve::Ptr fileCurve;
        Menu menu;
        bool editable;
    } cases[] = {
        {5, L"p1", user, p1, {}, Menu::kCurve, true},
        {2, L"User curves", user, {}, {}, Menu::kLayer, true},
        {6, L"file", user, {}, file, Menu::kFileCurve, true},
        {3, L"Dynamic curve", tool, dynamic, {}, Menu::kToolCurve, false},
        {1, L"Dynamic layer", tool, {}, {}, Menu::kNone, false},
        {6, L"file", user, {}, file, Menu::kFileCurve, true},
        {0, L"Layers", {}, {}, {}, Menu::kNone, false},
        {-1, L"", {}, {}, {}, Menu::kNone, false},
        {5, L"", user, {}, {}, Menu::kCurve, false},
    };
    for (const Case& c : cases) {
        Explorer::Select(c.kind, c.text);
        EXPECT_EQ(Core::AdjustCore::Tool().GetCurrentLayer(), c.layer) << c.kind;
        EXPECT_EQ(ViewModeState::GetCurrentCurve(), c.curve) << c.kind;
        EXPECT_EQ(ViewModeState::GetCurrentFileCurve(), c.fileCurve) << c.kind;
        EXPECT_EQ(Explorer::MenuOf(c.kind), c.menu) << c.kind;
        EXPECT_EQ(Explorer::MayEditLabel(c.kind, c.text), c.editable) << c.kind;
    }
}

TEST(CurveExplorerTest, CommandsChangeTheUserLayerAndAnnounceEveryChangeThePlotMustFollow) {
    AdjustModeOnP1();
    const auto user = ViewModeState::GetUserCurves();
    user->SetLimits({50.0, 0.0, 150.0, 1.0});
    ModeTest::BusLog log;
    // "Add Curve" names the curve after the current node, over the layer's x limits.
    ASSERT_TRUE(Explorer::AddCurve());
    ASSERT_EQ(user->Curves()->Count(), 2);
    const auto added = user->Curves()->At(1);
    EXPECT_NE(added->GetName(), L"p1");
    EXPECT_EQ(added->GetName().rfind(L"p1", 0), 0u);
    EXPECT_DOUBLE_EQ(added->GridMin(), 50.0);
    EXPECT_DOUBLE_EQ(added->GridMax(), 200.0);
    ASSERT_TRUE(added->GetUnit()->GetVariable());
    EXPECT_EQ(added->GetUnit()->GetVariable(), Core::MenuCore::GetCurrentModel()->FindMap("x"));
    // "Add File" needs a current spectrum.
    EXPECT_FALSE(Explorer::AddFile());
    CurrentSpectrum(L"s.dat");
    ASSERT_TRUE(Explorer::AddFile());
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"view 121", "view 121"}));

    // A taken name is refused; renames and removes reach user items only.
    EXPECT_FALSE(Explorer::Rename(5, added->GetName(), L"p1"));
    EXPECT_FALSE(Explorer::Rename(3, L"Dynamic curve", L"d"));
    EXPECT_TRUE(Explorer::Rename(6, L"file", L"data"));
    EXPECT_FALSE(Explorer::Remove(3, L"Dynamic curve"));
    EXPECT_FALSE(Explorer::Remove(6, L"file"));
    EXPECT_TRUE(log.Take().empty());
    // Removing a file curve is announced like removing a model curve.
    EXPECT_TRUE(Explorer::Remove(6, L"data"));
    EXPECT_TRUE(Explorer::Remove(5, L"p1"));
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"view 124", "view 124"}));
    EXPECT_EQ(user->FileCurves()->Count(), 0);
    EXPECT_EQ(user->Curves()->Count(), 1);
}

TEST(CurveExplorerTest, RenamesInTheBuilderModeTellTheBuilder) {
    AdjustModeOnP1();
    ModeTest::BusLog log;
    log.Watch(Core::BuilderCore::Tool().AddObserver(log.Own()));
    ViewModeState::SetMode(Core::kBuilderMode);
    log.Take();
    ASSERT_TRUE(Explorer::AddCurve());
    const std::wstring name = ViewModeState::GetUserCurves()->Curves()->At(0)->GetName();
    log.Take();
    EXPECT_TRUE(Explorer::Rename(5, name, L"mine"));
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"own 311"}));
}

}  // namespace
