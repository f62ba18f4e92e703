#include "modes/view_modes.h"

#include <array>

namespace Core {

namespace {

struct ViewModes {
    int mode = kViewMode;
    std::array<Safe::XPtr<ModeTool>, kViewModeCount> tools;  // by mode; none for mode 0
};

ViewModes& Modes() {
    static ViewModes modes;
    return modes;
}

void ResetViewModes() {
    Modes() = ViewModes();
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetViewModes);

ModeTool* CurrentTool() {
    const int mode = Modes().mode;
    return IsToolMode(mode) ? Modes().tools[static_cast<std::size_t>(mode)].Get() : nullptr;
}

}  // namespace

EventBus::Registration ViewModeState::AddObserver(
    const Safe::XPtr<Winplus::EventObserver<ViewEvent>>& observer) {
    return BusOf<ViewEvent>().Add(observer);
}

void ViewModeState::NotifyAll(ViewEvent code) {
    BusOf<ViewEvent>().Notify(code);
}

void ViewModeState::SetMode(const int& mode) {
    StoreAndAnnounce(Modes().mode, mode, BusOf<ViewEvent>(), ViewEvent::kViewModeChanged);
}

int ViewModeState::GetMode() {
    return Modes().mode;
}

void ViewModeState::SetTool(const int& mode, const Safe::XPtr<ModeTool>& tool) {
    if (IsToolMode(mode)) Modes().tools[static_cast<std::size_t>(mode)] = tool;
}

Winplus::Curve::Ptr ViewModeState::GetCurrentCurve() {
    ModeTool* tool = CurrentTool();
    return tool ? tool->GetCurrentCurve() : Winplus::Curve::Ptr();
}

Winplus::FileCurve::Ptr ViewModeState::GetCurrentFileCurve() {
    ModeTool* tool = CurrentTool();
    return tool ? tool->GetCurrentFileCurve() : Winplus::FileCurve::Ptr();
}

Winplus::LayerCurve::Ptr ViewModeState::GetDynamicLayer() {
    ModeTool* tool = CurrentTool();
    return tool ? tool->GetDynamicLayer() : Winplus::LayerCurve::Ptr();
}

Winplus::LayerCurve::Ptr ViewModeState::GetUserCurves() {
    ModeTool* tool = CurrentTool();
    return tool ? tool->GetUserCurves() : Winplus::LayerCurve::Ptr();
}

void ViewModeState::SelectCurve(const std::wstring& name, const int& layer) {
    if (ModeTool* tool = CurrentTool()) tool->SelectCurve(name, layer);
}

void ViewModeState::SelectFileCurve(const std::wstring& name, const int& layer) {
    if (ModeTool* tool = CurrentTool()) tool->SelectFileCurve(name, layer);
}

void ViewModeState::SetCurrentLayer(const Winplus::LayerCurve::Ptr& layer) {
    if (ModeTool* tool = CurrentTool()) tool->SetCurrentLayer(layer);
}

void ViewModeState::ResetAll() {
    const auto reset = [](int mode) {
        // A tool's reset may announce changes; hold it meanwhile.
        const Safe::XPtr<ModeTool> tool = Modes().tools[static_cast<std::size_t>(mode)];
        if (tool) tool->Reset();
    };
    // The three tool cores from the last to the first, then the modes after them.
    for (int mode = kAdjustMode; mode >= kBuilderMode; --mode) reset(mode);
    for (int mode = kAdjustMode + 1; mode < kViewModeCount; ++mode) reset(mode);
    NotifyAll(ViewEvent::kViewModeChanged);
}

}  // namespace Core
