// What the Properties and Visual panels show and where an edited row goes: the first current
// object wins (the curve over the file curve), and a mode's selection is filled only when its
// code announces it.
#include <gtest/gtest.h>

#include "app/views/property_panels.h"
#include "modes/view_modes.h"
#include "tests/app/stub_mode_tool.h"

namespace {

using Core::PageKind;
using Winplus::Curve;
using Winplus::FileCurve;
using Winplus::LayerCurve;

std::string Title(const Winplus::PropertyRows& rows) {
    return rows.empty() ? "" : rows[0]->GetNameA();
}

template <class T>
Safe::XPtr<T> Named(const wchar_t* name) {
    auto object = Safe::MakeX<T>();
    object->SetName(std::wstring(name));
    return object;
}

// Which page wins and the edits through the grid are tested with the panel under Wine.
TEST(PropertyPanelsTest, PropertiesShowNothingWithoutCurrentObjects) {
    Winplus::Layer::NewLayer();
    Core::PropertiesPages pages;
    EXPECT_EQ(Title(pages.Rows()), "View Layer Properties");
    Winplus::Layer::SetCurrentFileCurve(Named<FileCurve>(L"spectrum"));
    pages.ShowCurrent();
    EXPECT_EQ(pages.Rows()[1]->GetText(), "spectrum");
    Winplus::Layer::SetCurrentFileCurve(nullptr);
    Winplus::Layer::SetCurrentLayer(nullptr);
    pages.ShowCurrent();
    EXPECT_EQ(pages.Kind(), PageKind::kNone);
    EXPECT_TRUE(pages.Rows().empty());
    EXPECT_TRUE(pages.ApplyRow(2));

    for (int code : {120, 125, 220, 221, 222, 310, 311})
        EXPECT_TRUE(Core::PropertiesPages::Follows(static_cast<LayerEvent>(code))) << code;
    for (int code : {124, 126, 127, 610})
        EXPECT_FALSE(Core::PropertiesPages::Follows(static_cast<LayerEvent>(code))) << code;
}

TEST(PropertyPanelsTest, VisualShowsTheModesSelectionAndFillsItOnlyWhenAnnounced) {
    auto tool = Safe::MakeX<AppTest::StubModeTool>();
    Core::ViewModeState::SetTool(Core::kAdjustMode, tool);
    Core::VisualPages pages;
    EXPECT_EQ(pages.Kind(), PageKind::kNone);
    pages.ShowSelection(ViewEvent::kViewModeChanged);
    EXPECT_EQ(pages.Kind(), PageKind::kNone);  // mode 0 has no selection

    Core::ViewModeState::SetMode(Core::kAdjustMode);
    pages.ShowSelection(ViewEvent::kViewModeChanged);
    EXPECT_EQ(Title(pages.Rows()), "Modify Layer Properties");
    pages.Rows()[3]->SetText("500");  // X-Maximum, for both layers
    EXPECT_TRUE(pages.ApplyRow(3));
    EXPECT_EQ(tool->user->GetLimits().width, 500.0);
    EXPECT_EQ(tool->dynamic->GetLimits().width, 500.0);

    tool->file = Named<FileCurve>(L"data");
    pages.ShowSelection(ViewEvent::kUserFileCurveChanged);
    EXPECT_EQ(pages.Kind(), PageKind::kFileCurve);
    EXPECT_TRUE(pages.Rows()[5]->enabled);  // All Range of the user's own file curve
    pages.ShowSelection(ViewEvent::kBuiltInFileCurveChanged);
    EXPECT_FALSE(pages.Rows()[5]->enabled);

    tool->curve = Named<Curve>(L"first");
    pages.ShowSelection(ViewEvent::kUserCurveChanged);
    EXPECT_EQ(Title(pages.Rows()), "Modify Curve Properties");  // over the file curve
    EXPECT_EQ(pages.Rows()[1]->GetText(), "first");
    EXPECT_TRUE(pages.Rows()[2]->enabled);  // Math path
    tool->curve = Named<Curve>(L"second");
    pages.ShowSelection(ViewEvent::kViewMathPathChanged);  // shown again, not filled
    EXPECT_EQ(pages.Rows()[1]->GetText(), "first");
    pages.ShowSelection(ViewEvent::kBuiltInCurveChanged);
    EXPECT_EQ(pages.Rows()[1]->GetText(), "second");
    EXPECT_FALSE(pages.Rows()[2]->enabled);

    for (int code : {121, 125, 220, 221, 222, 600, 601, 602})
        EXPECT_TRUE(Core::VisualPages::Follows(static_cast<ViewEvent>(code))) << code;
    for (int code : {124, 127, 610, 800})
        EXPECT_FALSE(Core::VisualPages::Follows(static_cast<ViewEvent>(code))) << code;
}

}  // namespace
