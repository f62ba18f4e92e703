#include "app/base/mode_table.h"

#include <array>

#include "modes/adjust_core.h"
#include "modes/anchor_core.h"
#include "modes/builder_core.h"

namespace Core {

namespace {

template <class Core>
constexpr ModeToolCore kCoreOf{&Core::Initialize, &Core::Tool, &Core::Reset};

constexpr ViewPanelLeaf kBuilderLeaves[] = {{PanelId::Builder, "Builder"}};
constexpr ViewPanelLeaf kAnchorLeaves[] = {{PanelId::Anchors, "Anchors"}};
constexpr ViewPanelLeaf kAdjustLeaves[] = {{PanelId::Adjustment, "Adjustment"}};
constexpr ViewPanelLeaf kFitLeaves[] = {{PanelId::Fit, "Fit"},
                                        {PanelId::FitParameters, "FitParameters"}};

constexpr ViewModeRow kModes[] = {
    {kViewMode, L"View", nullptr, ModeMouse::kAxisTools, ModeBar::kNone, 0, {}},
    {kBuilderMode, L"Builder", &kCoreOf<BuilderCore>, ModeMouse::kToolWhenOn, ModeBar::kBuilder,
     100, kBuilderLeaves},
    {kAnchorMode, L"Anchors", &kCoreOf<AnchorCore>, ModeMouse::kToolWhenOn, ModeBar::kAnchor, 144,
     kAnchorLeaves},
    {kAdjustMode, L"Adjustment", &kCoreOf<AdjustCore>, ModeMouse::kToolWhenOn, ModeBar::kAdjust, 50,
     kAdjustLeaves},
    {kFitMode, L"Auto-Fit", nullptr, ModeMouse::kMode, ModeBar::kFit, 78, kFitLeaves},
};

constexpr bool InIdOrder() {
    for (int i = 0; i < static_cast<int>(std::size(kModes)); ++i)
        if (kModes[i].id != i) return false;
    return std::size(kModes) == kViewModeCount;
}
static_assert(InIdOrder(), "one row per view mode, in the order of the ids");

}  // namespace

std::span<const ViewModeRow> ViewModeRows() {
    return kModes;
}

const ViewModeRow* FindViewMode(int mode) {
    return mode >= 0 && mode < kViewModeCount ? &kModes[mode] : nullptr;
}

const ViewModeRow* ModeOfPanel(PanelId panel) {
    for (const ViewModeRow& row : kModes)
        for (const ViewPanelLeaf& leaf : row.leaves)
            if (leaf.panel == panel) return &row;
    return nullptr;
}

}  // namespace Core
