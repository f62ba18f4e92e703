#include <gtest/gtest.h>

#include "app/views/mode_tools.h"
#include "modes/view_modes.h"
#include "model/current.h"
#include "modes/adjust_core.h"
#include "modes/anchor_core.h"
#include "modes/builder_core.h"
#include "tests/modes/mode_support.h"

namespace {

TEST(ModeToolsTest, TheViewModesDispatchToTheirToolCores) {
    ModeTest::PhononModel();
    Core::InstallModeTools();
    struct {
        int mode;
        Core::ToolCore& (*tool)();
    } modes[] = {{Core::kBuilderMode, &Core::BuilderCore::Tool},
                 {Core::kAnchorMode, &Core::AnchorCore::Tool},
                 {Core::kAdjustMode, &Core::AdjustCore::Tool}};
    for (const auto& m : modes) {
        Core::ViewModeState::SetMode(m.mode);
        EXPECT_EQ(Core::ViewModeState::GetUserCurves(), m.tool().GetUserCurves()) << m.mode;
        EXPECT_EQ(Core::ViewModeState::GetDynamicLayer(), m.tool().GetDynamicLayer());
        Core::ViewModeState::SelectCurve(L"Dynamic curve", 1);
        EXPECT_EQ(Core::ViewModeState::GetCurrentCurve(), m.tool().GetDynamicCurve());
    }
    // Adjust mode took p1 on 600; a new project resets every core.
    EXPECT_EQ(Core::AdjustCore::GetNode(), ModeTest::Find("p1"));
    EXPECT_EQ(Core::AdjustCore::Tool().GetUserCurves()->Curves()->Count(), 1);
    Core::MenuCore::SetCurrentNode(nullptr);
    Core::ViewModeState::ResetAll();
    EXPECT_TRUE(Core::AdjustCore::GetNode().IsNull());
    EXPECT_EQ(Core::AdjustCore::Tool().GetUserCurves()->Curves()->Count(), 0);
    EXPECT_TRUE(Core::ViewModeState::GetCurrentCurve().IsNull());
}

}  // namespace
