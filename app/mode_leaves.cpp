#include "app/mode_leaves.h"

namespace Core {

const char* ModeLeafName(ModeLeaf leaf) {
    constexpr const char* kNames[kModeLeafCount] = {"Builder", "Anchors",       "Adjustment",
                                                    "Fit",     "FitParameters", "Curves",
                                                    "Visual",  "View",          "Modify"};
    return kNames[static_cast<int>(leaf)];
}

ModeLeaves LeavesOfMode(int mode) {
    ModeLeaves leaves;
    const auto show = [&leaves](ModeLeaf leaf) { leaves.shown[static_cast<int>(leaf)] = true; };
    show(ModeLeaf::View);
    if (mode <= 0) return leaves;
    leaves.leftColumn = true;
    leaves.viewSplitter = true;
    show(ModeLeaf::Modify);
    show(ModeLeaf::Curves);
    show(ModeLeaf::Visual);
    switch (mode) {
        case 1: show(ModeLeaf::Builder); break;
        case 2: show(ModeLeaf::Anchors); break;
        case 3: show(ModeLeaf::Adjustment); break;
        case 4:
            show(ModeLeaf::Fit);
            show(ModeLeaf::FitParameters);
            break;
        default: break;
    }
    return leaves;
}

}  // namespace Core
