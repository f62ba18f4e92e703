// The mode table, the view panel's leaves of each view mode, and the function libraries the
// program ships.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/views/mode_leaves.h"
#include "functions/families.h"
#include "io/library_list.h"
#include "modes/adjust_core.h"
#include "modes/anchor_core.h"
#include "modes/builder_core.h"

namespace {

using Core::PanelId;

// The view panel's leaves a mode shows, in the panel's order.
std::vector<PanelId> Shown(int mode) {
    std::vector<PanelId> shown;
    const Core::ModeLeaves leaves = Core::LeavesOfMode(mode);
    for (const Core::ViewPanelLeaf& leaf : Core::ViewPanelLeaves())
        if (leaves.Shows(leaf.panel)) shown.push_back(leaf.panel);
    return shown;
}

TEST(ModeLeaves, EachModeShowsItsToolPanelBesideTheTwoPlots) {
    using enum PanelId;
    constexpr PanelId View = Plot;
    // View: the View plot alone, no left column, no splitter against a Modify plot.
    EXPECT_EQ(Shown(0), std::vector<PanelId>{View});
    EXPECT_FALSE(Core::LeavesOfMode(0).leftColumn);
    EXPECT_FALSE(Core::LeavesOfMode(0).viewSplitter);
    const std::vector<PanelId> tools[] = {{Builder, Curves, Visual, View, Modify},
                                          {Anchors, Curves, Visual, View, Modify},
                                          {Adjustment, Curves, Visual, View, Modify},
                                          {Fit, FitParameters, Curves, Visual, View, Modify}};
    for (int mode = 1; mode <= 4; ++mode) {
        EXPECT_EQ(Shown(mode), tools[mode - 1]) << mode;
        EXPECT_TRUE(Core::LeavesOfMode(mode).leftColumn) << mode;
        EXPECT_TRUE(Core::LeavesOfMode(mode).viewSplitter) << mode;
    }
    // Beyond the modes: the tool frame without a tool panel; below them: as View.
    EXPECT_EQ(Shown(5), (std::vector<PanelId>{Curves, Visual, View, Modify}));
    EXPECT_EQ(Core::LeavesOfMode(-1), Core::LeavesOfMode(0));
}

TEST(ModeTable, OneRowPerModeNamesTheLeavesAsTheStateDumpDoes) {
    const auto rows = Core::ViewModeRows();
    ASSERT_EQ(rows.size(), 5u);
    for (int mode = 0; mode < 5; ++mode) {
        EXPECT_EQ(rows[mode].id, mode);
        EXPECT_EQ(Core::FindViewMode(mode), &rows[mode]);
        // The tool modes own a bar and a page; View has neither.
        EXPECT_EQ(rows[mode].bar != Core::ModeBar::kNone, mode != 0) << mode;
        EXPECT_EQ(rows[mode].leaves.empty(), mode == 0) << mode;
    }
    EXPECT_EQ(Core::FindViewMode(-1), nullptr);
    EXPECT_EQ(Core::FindViewMode(5), nullptr);
    // The three tool cores; the fit registers its own tool.
    EXPECT_EQ(&rows[1].core->tool(), &Core::BuilderCore::Tool());
    EXPECT_EQ(&rows[2].core->tool(), &Core::AnchorCore::Tool());
    EXPECT_EQ(&rows[3].core->tool(), &Core::AdjustCore::Tool());
    EXPECT_EQ(rows[4].core, nullptr);
    EXPECT_EQ(Core::ModeOfPanel(PanelId::FitParameters), &rows[4]);
    EXPECT_EQ(Core::ModeOfPanel(PanelId::Curves), nullptr);

    std::string names;
    for (const Core::ViewPanelLeaf& leaf : Core::ViewPanelLeaves())
        names += (names.empty() ? "" : ", ") + std::string(leaf.name);
    EXPECT_EQ(names,
              "Builder, Anchors, Adjustment, Fit, FitParameters, Curves, Visual, View, Modify");
}

TEST(ShippedLibraries, TheDefaultListNamesTheExampleLibraries) {
    Capsule::RegisterFamilies();
    const std::string list = std::string(SORIX_SOURCE_DIR) + "/app/resources/Library/default.flb";
    const Core::LibraryListResult read = Core::ReadLibraryList(list, {});
    ASSERT_TRUE(read.opened);
    // The OSML library reads with its digest; the DLL is built beside the program, not here.
    ASSERT_EQ(read.categories->Count(), 1);
    const auto& examples = *read.categories->At(0);
    EXPECT_EQ(examples.GetNameA(), "examples");
    std::vector<std::string> names;
    for (const auto& function : examples.GetFunctions()) names.push_back(function->GetName());
    EXPECT_EQ(names, (std::vector<std::string>{"phonon", "drude", "square"}));
    ASSERT_EQ(read.failures.size(), 1u);
    EXPECT_NE(read.failures[0].find("example_functions.dll"), std::string::npos);
}

}  // namespace
