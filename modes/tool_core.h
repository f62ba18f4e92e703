#pragma once
// The pattern the adjust, anchor and builder tools share: the layers "User curves" and
// "Dynamic layer" with the tool's dynamic curve, the current layer, curve and file curve of the
// tool's mode, the core's own observer list, the gesture of the mouse on the plot, and the
// announcements of what the tool changed. Each tool core holds one and adds its own state.
#include <string>

#include "foundation/event_bus.h"
#include "model/node.h"
#include "plot/layer.h"

namespace Core {

// The view mode the tools act in, read through the function that the application installs (its
// view mode state stands above this layer).
using ViewModeReader = int (*)();

// Codes of a tool core's own observer list, where its tool bar and property page listen.
enum ToolCode {
    kToolPrototypeOrigin = 110,  // the builder's prototype came from elsewhere
    kToolNodeSet = 202,          // the edited node was set and the user curves rebuilt
    kToolCurveRenamed = 311,     // a user curve was renamed in the Curve Explorer
    kToolTookMouse = 620,
    kToolAnchorsChanged = 800,
};

// What a mouse action on the plot means to a tool, by its press state.
enum class Gesture { kNone, kPress, kDrag, kOtherClick };

// ModelEvent::kCurrentModelChanged to ModelEvent::kCurrentNodeChanged: the current model,
// definition or node changed, so the edited node may have too.
inline bool ChangesCurrentNode(ModelEvent code) {
    return code >= ModelEvent::kCurrentModelChanged && code <= ModelEvent::kCurrentNodeChanged;
}

// What a tool core does with the buses while its mode is current; in another mode its observers
// answer false and call nothing.
struct ToolHandlers {
    // A mouse action on the plot (AxisEvent::kAxisActionChanged, the action of
    // Winplus::AxisBar::MouseAction) while the tool has the mouse; other axis-tool codes are only
    // taken, and without the mouse nothing is.
    void (*onAction)(int action);
    void (*onModel)(ModelEvent code);
    void (*onView)(ViewEvent code);
};

class ToolCore {
public:
    // AutoUser's value at start: whether the tool keeps a user curve for the edited node.
    explicit ToolCore(bool autoUserAtStart)
        : autoUser(autoUserAtStart), autoUserAtStart_(autoUserAtStart) {}
    ToolCore(const ToolCore&) = delete;
    ToolCore& operator=(const ToolCore&) = delete;

    // Once (nothing when the layers exist): "User curves" (current) and "Dynamic layer" with
    // the dynamic curve, named "Dynamic curve", whose variable is the current model's "x". The
    // handlers hear the axis-tool, model and view buses while the view mode is mode.
    void Initialize(const Winplus::Curve::Ptr& dynamicCurve, int mode, ViewModeReader viewMode,
                    const ToolHandlers& handlers);
    // Back to the state before Initialize, observers and all (the process's start-up state).
    void Restart();

    [[nodiscard]] EventBus::Registration AddObserver(
        const Safe::XPtr<Winplus::EventObserver<ToolCode>>& observer);
    void Notify(ToolCode code) { observers_.Notify(code); }

    // Current layer none, "User curves" emptied.
    void Reset();
    // layer 0 "User curves", 1 "Dynamic layer", others find nothing; a change announces
    // ViewEvent::kUserCurveChanged or ViewEvent::kBuiltInCurveChanged on the view bus.
    void SelectCurve(const std::wstring& name, const int& layer);
    // Only layer 0 is searched; a change announces ViewEvent::kBuiltInFileCurveChanged.
    void SelectFileCurve(const std::wstring& name, const int& layer);
    // ViewEvent::kCurrentLayerChanged unless it is current already.
    void SetCurrentLayer(const Winplus::LayerCurve::Ptr& layer);

    const Winplus::LayerCurve::Ptr& GetUserCurves() const { return s_.userCurves; }
    const Winplus::LayerCurve::Ptr& GetDynamicLayer() const { return s_.dynamicLayer; }
    const Winplus::Curve::Ptr& GetDynamicCurve() const { return s_.dynamicCurve; }
    const Winplus::LayerCurve::Ptr& GetCurrentLayer() const { return s_.currentLayer; }
    const Winplus::Curve::Ptr& GetCurrentCurve() const { return s_.currentCurve; }
    const Winplus::FileCurve::Ptr& GetCurrentFileCurve() const { return s_.currentFileCurve; }

    // Current curve and file curve none; with a target, its "User curves" curve found or made
    // (bound to the current model and definition, the model's "x" its variable); the user
    // curves refreshed after an addition, or always with refreshAlways; then kToolNodeSet, and
    // ViewEvent::kViewDataSetChanged after an addition. A refused addition ends it without a notice
    // (false).
    bool Rebuild(const Node::Ptr& target, bool refreshAlways);

    // Takes the mouse from the axis tools (disable flag -1, then kToolTookMouse) or gives it back
    // (0).
    void TakeMouse(bool take);
    // Whether the tool took the mouse last (switched on in its bar).
    bool HoldsMouse() const { return s_.holdsMouse; }
    // The press state after a mouse action: a second button-down without a button-up between
    // (a lost button-up) ends the press instead of pressing again. A press that moved
    // parameters ends by telling the model bus that parameter values changed
    // (ModelEvent::kParametersChanged), so that the project is marked unsaved whatever UpdateView
    // says.
    Gesture Follow(int action);
    bool IsPressing() const { return s_.pressing; }
    // Parameters moved: ViewEvent::kViewModelCurveUpdated, and LayerEvent::kModelCurveUpdated when
    // UpdateView is on.
    void AnnounceMoved();
    void NotifyView(ViewEvent code) const;

    bool ActsNow() const { return s_.viewMode && s_.viewMode() == s_.mode; }

    bool updateView = true;
    bool autoUser = true;

private:
    struct State {
        Winplus::LayerCurve::Ptr userCurves, dynamicLayer, currentLayer;
        Winplus::Curve::Ptr dynamicCurve, currentCurve;
        Winplus::FileCurve::Ptr currentFileCurve;
        int mode = -1;
        ViewModeReader viewMode = nullptr;
        ToolHandlers handlers{};
        bool holdsMouse = false;
        bool pressing = false;
        bool moved = false;
        EventBus::Registration onAxis, onModel, onView;
    };
    void EndPress();

    State s_;
    TypedBus<ToolCode> observers_;
    bool autoUserAtStart_;
};

// The process-wide part of a tool core: its own state beside its ToolCore, both made on first use
// and set back to their start-up values by the process reset (ResetProcessState). The ToolCore is
// never destroyed: bars and pages may still reach it while the process ends.
template <class State, bool kAutoUserAtStart>
class ToolCoreStore {
public:
    static State& Own() {
        static State state;
        return state;
    }
    static ToolCore& Tool() {
        static ToolCore* tool = new ToolCore(kAutoUserAtStart);
        static_cast<void>(kRegistered);
        return *tool;
    }

private:
    static void Reset() {
        Own() = State();
        Tool().Restart();
    }
    static inline const bool kRegistered = RegisterProcessReset(&Reset);
};

// The current model's definition "x", or none.
Safe::XPtr<NodeMap> CurrentModelX();
// The type ids whose anchors are those of their children: Factor, Sum and Average.
bool IsListOperator(const Node& node);
// Whether node offers at least one anchor.
bool HasAnchors(Node& node);

}  // namespace Core
