#include "app/views/mode_leaves.h"

namespace Core {

namespace {
constexpr ViewPanelLeaf kToolFrameLeaves[] = {{PanelId::Curves, "Curves"},
                                              {PanelId::Visual, "Visual"}};
}  // namespace

std::vector<ViewPanelLeaf> LeftColumnLeaves() {
    std::vector<ViewPanelLeaf> leaves;
    for (const ViewModeRow& mode : ViewModeRows())
        leaves.insert(leaves.end(), mode.leaves.begin(), mode.leaves.end());
    leaves.insert(leaves.end(), std::begin(kToolFrameLeaves), std::end(kToolFrameLeaves));
    return leaves;
}

std::vector<ViewPanelLeaf> ViewPanelLeaves() {
    std::vector<ViewPanelLeaf> leaves = LeftColumnLeaves();
    leaves.insert(leaves.end(), std::begin(kRightColumnLeaves), std::end(kRightColumnLeaves));
    return leaves;
}

ModeLeaves LeavesOfMode(int mode) {
    ModeLeaves leaves;
    const auto show = [&leaves](PanelId leaf) { leaves.shown[IndexOf(leaf)] = true; };
    show(PanelId::Plot);
    if (mode <= kViewMode) return leaves;
    leaves.leftColumn = true;
    leaves.viewSplitter = true;
    show(PanelId::Modify);
    for (const ViewPanelLeaf& leaf : kToolFrameLeaves) show(leaf.panel);
    if (const ViewModeRow* row = FindViewMode(mode))
        for (const ViewPanelLeaf& leaf : row->leaves) show(leaf.panel);
    return leaves;
}

}  // namespace Core
