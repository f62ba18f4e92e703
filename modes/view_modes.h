#pragma once
// The process-wide view mode (which modelling tool owns the plot), the view bus, and the
// forwarding of current objects and selections to the tool core of the current mode.
#include <string>

#include "foundation/event_bus.h"
#include "plot/layer.h"

namespace Core {

// The numbers are those the view bar's stickers choose, in order; kViewModeCount ends the list.
enum ViewModeId {
    kViewMode = 0,
    kBuilderMode = 1,
    kAnchorMode = 2,
    kAdjustMode = 3,
    kFitMode = 4,
    kViewModeCount
};

// Whether a mode number names a mode with a tool: every mode but View.
inline constexpr bool IsToolMode(int mode) {
    return mode > kViewMode && mode < kViewModeCount;
}

// What a mode's tool core offers the dispatch; each core registers one at start-up.
class ModeTool : public Safe::Countable {
public:
    virtual Winplus::Curve::Ptr GetCurrentCurve() = 0;
    virtual Winplus::FileCurve::Ptr GetCurrentFileCurve() = 0;
    // The layer the tool draws on: a "Dynamic layer", the fit's "Built-In curves".
    virtual Winplus::LayerCurve::Ptr GetDynamicLayer() = 0;
    virtual Winplus::LayerCurve::Ptr GetUserCurves() = 0;
    // layer 0 "User curves", 1 the tool's layer.
    virtual void SelectCurve(const std::wstring& name, const int& layer) = 0;
    virtual void SelectFileCurve(const std::wstring& name, const int& layer) = 0;
    virtual void SetCurrentLayer(const Winplus::LayerCurve::Ptr& layer) = 0;
    // Current layer none, "User curves" emptied, edited node dropped.
    virtual void Reset() = 0;
};

// The view modes' process-wide state, through static operations only. In mode 0, or any mode
// without a tool, queries give none and selections do nothing.
class ViewModeState {
public:
    [[nodiscard]] static EventBus::Registration AddObserver(
        const Safe::XPtr<Winplus::EventObserver<ViewEvent>>& observer);
    static void NotifyAll(ViewEvent code);

    // ViewEvent::kViewModeChanged unless the mode is current already.
    static void SetMode(const int& mode);
    static int GetMode();
    // The tool of a tool mode (another mode is ignored); null takes it away.
    static void SetTool(const int& mode, const Safe::XPtr<ModeTool>& tool);

    static Winplus::Curve::Ptr GetCurrentCurve();
    static Winplus::FileCurve::Ptr GetCurrentFileCurve();
    static Winplus::LayerCurve::Ptr GetDynamicLayer();
    static Winplus::LayerCurve::Ptr GetUserCurves();
    static void SelectCurve(const std::wstring& name, const int& layer);
    static void SelectFileCurve(const std::wstring& name, const int& layer);
    static void SetCurrentLayer(const Winplus::LayerCurve::Ptr& layer);

    // Resets the tools in the order Adjust, Anchor, Builder, Fit, then ViewEvent::kViewModeChanged
    // (a new or opened project).
    static void ResetAll();
};

}  // namespace Core
