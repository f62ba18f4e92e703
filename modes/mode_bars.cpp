#include "modes/mode_bars.h"

#include "modes/adjust_core.h"
#include "modes/anchor_core.h"
#include "modes/builder_core.h"
#include "modes/fit_core.h"

namespace Core {

bool AdjustBarCommand(int id) {
    if (id == kResizingButton || id == kAdjustAnchorsButton)
        AdjustCore::EnableAnchors(id == kAdjustAnchorsButton);
    return true;
}

bool AnchorBarCommand(int id) {
    if (id == kResizingButton || id == kEnableAnchorsButton)
        AnchorCore::EnableAnchors(id == kEnableAnchorsButton);
    if (const std::optional<ForceMode> force = ForceOfButton(id)) AnchorCore::ChooseForce(*force);
    return true;
}

bool BuilderBarCommand(int id) {
    if (id == kResizingButton) BuilderCore::SetTool(BuilderCore::kResizing);
    if (id == kAddFunctionButton) BuilderCore::SetTool(BuilderCore::kAddFunction);
    return true;
}

bool FitBarCommand(int id) {
    switch (id) {
        case kStartFitButton: FitCore::StartFit(); break;
        case kStopFitButton: FitCore::StopFit(); break;
        case kTransferButton: FitCore::TransferParameters(); break;
        default: break;
    }
    return true;
}

std::vector<BarButton> AnchorBarStates() {
    std::vector<BarButton> states;
    if (!AnchorCore::HasAnchors())
        states.push_back({kEnableAnchorsButton, Winplus::kDisabled});
    else if (AnchorCore::AnchorsEnabled())
        states.push_back({kEnableAnchorsButton, Winplus::kChecked});
    else
        states.insert(states.end(), {{kEnableAnchorsButton, Winplus::kNormal},
                                     {kResizingButton, Winplus::kChecked}});
    const std::optional<ForceMode> force = AnchorCore::GetCurrentForce();
    for (int id = kNoForceButton; id <= kRatioForceButton; ++id) {
        const int state = !force                       ? Winplus::kDisabled
                          : ForceOfButton(id) == force ? Winplus::kChecked
                                                       : Winplus::kNormal;
        states.push_back({id, state});
    }
    return states;
}

std::vector<BarButton> BuilderBarOnNodeSet() {
    BuilderCore::SetTool(BuilderCore::kResizing);
    const Node::Ptr& node = BuilderCore::GetNode();
    return {{kResizingButton, Winplus::kChecked},
            {kAddFunctionButton, node && node->IsList() ? Winplus::kNormal : Winplus::kDisabled}};
}

std::vector<BarButton> FitBarOnFitEvent(FitEvent code) {
    if (code != FitEvent::kFitStarted && code != FitEvent::kFitEnded) return {};
    const bool running = code == FitEvent::kFitStarted;
    const int idle = running ? Winplus::kDisabled : Winplus::kNormal;
    return {{kStartFitButton, idle},
            {kStopFitButton, running ? Winplus::kNormal : Winplus::kDisabled},
            {kTransferButton, idle}};
}

}  // namespace Core
