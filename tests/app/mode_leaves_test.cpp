// The view panel's leaves of each view mode, and the function libraries the program ships.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/mode_leaves.h"
#include "functions/families.h"
#include "io/library_list.h"

namespace {

using Core::ModeLeaf;

std::vector<ModeLeaf> Shown(int mode) {
    std::vector<ModeLeaf> shown;
    const Core::ModeLeaves leaves = Core::LeavesOfMode(mode);
    for (int i = 0; i < Core::kModeLeafCount; ++i)
        if (leaves.Shows(static_cast<ModeLeaf>(i))) shown.push_back(static_cast<ModeLeaf>(i));
    return shown;
}

TEST(ModeLeaves, EachModeShowsItsToolPanelBesideTheTwoPlots) {
    using enum ModeLeaf;
    // View: the View plot alone, no left column, no splitter against a Modify plot.
    EXPECT_EQ(Shown(0), std::vector<ModeLeaf>{View});
    EXPECT_FALSE(Core::LeavesOfMode(0).leftColumn);
    EXPECT_FALSE(Core::LeavesOfMode(0).viewSplitter);
    const std::vector<ModeLeaf> tools[] = {{Builder, Curves, Visual, View, Modify},
                                           {Anchors, Curves, Visual, View, Modify},
                                           {Adjustment, Curves, Visual, View, Modify},
                                           {Fit, FitParameters, Curves, Visual, View, Modify}};
    for (int mode = 1; mode <= 4; ++mode) {
        EXPECT_EQ(Shown(mode), tools[mode - 1]) << mode;
        EXPECT_TRUE(Core::LeavesOfMode(mode).leftColumn) << mode;
        EXPECT_TRUE(Core::LeavesOfMode(mode).viewSplitter) << mode;
    }
    // Beyond the modes: the tool frame without a tool panel; below them: as View.
    EXPECT_EQ(Shown(5), (std::vector<ModeLeaf>{Curves, Visual, View, Modify}));
    EXPECT_EQ(Core::LeavesOfMode(-1), Core::LeavesOfMode(0));
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
