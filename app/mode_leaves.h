#pragma once
// Which panels of the view panel each view mode shows, as a table: the window code only
// applies it. Mode 0 shows the View plot alone; a tool mode shows the left column with its own
// panel (Auto-Fit with the fit parameters), the Curve Explorer and the Visual panel, and the
// Modify plot under the View plot.
#include <array>

namespace Core {

// The view panel's leaves, left column first, in the order they are made.
enum class ModeLeaf {
    Builder,
    Anchors,
    Adjustment,
    Fit,
    FitParameters,
    Curves,
    Visual,
    View,
    Modify
};
inline constexpr int kModeLeafCount = 9;

struct ModeLeaves {
    bool leftColumn = false;
    // The View plot's splitter against the Modify plot below it.
    bool viewSplitter = false;
    std::array<bool, kModeLeafCount> shown{};

    bool Shows(ModeLeaf leaf) const { return shown[static_cast<int>(leaf)]; }
    bool operator==(const ModeLeaves&) const = default;
};

// "Builder", "Anchors", ..., "Modify": the leaf's name in the state dump.
const char* ModeLeafName(ModeLeaf leaf);

// The leaves of a view mode (0 View, 1 Builder, 2 Anchor, 3 Adjust, 4 Fit); a value above 4
// shows the tool modes' frame without a tool panel, one below 0 is taken as 0.
ModeLeaves LeavesOfMode(int mode);

}  // namespace Core
