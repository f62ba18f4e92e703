#pragma once
// Which panels of the view panel each view mode shows: the window code only applies it. Mode 0
// shows the View plot alone; a tool mode shows the left column with its own panels (the mode
// table's leaves), the Curve Explorer and the Visual panel, and the Modify plot under the View
// plot.
#include <array>
#include <vector>

#include "app/base/mode_table.h"

namespace Core {

struct ModeLeaves {
    bool leftColumn = false;
    // The View plot's splitter against the Modify plot below it.
    bool viewSplitter = false;
    std::array<bool, kPanelIdCount> shown{};

    bool Shows(PanelId leaf) const { return shown[IndexOf(leaf)]; }
    bool operator==(const ModeLeaves&) const = default;
};

// The left column's leaves in the order they are made: every mode's own, then the Curve
// Explorer and the Visual panel.
std::vector<ViewPanelLeaf> LeftColumnLeaves();
// The right column's: the View plot (named "View") over the Modify plot.
inline constexpr ViewPanelLeaf kRightColumnLeaves[] = {{PanelId::Plot, "View"},
                                                       {PanelId::Modify, "Modify"}};
// Both columns' leaves, left first: the order of the state dump's view panels.
std::vector<ViewPanelLeaf> ViewPanelLeaves();

// The leaves of a view mode; a number that names no mode shows the tool modes' frame without a
// panel of its own when above 0, and is taken as 0 when below.
ModeLeaves LeavesOfMode(int mode);

}  // namespace Core
