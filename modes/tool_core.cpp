#include "modes/tool_core.h"

#include "model/anchors.h"
#include "model/current.h"
#include "plot/axis_tools.h"

namespace Core {

namespace {

// Hands one bus's codes to a core while its mode is current.
template <class Code>
class ToolListener : public Winplus::EventObserver<Code> {
public:
    ToolListener(const ToolCore& core, bool (*handle)(const ToolCore&, const Code&))
        : core_(core), handle_(handle) {}
    bool Notify(const Code& code) override { return core_.ActsNow() && handle_(core_, code); }

private:
    const ToolCore& core_;  // immortal, as every tool core is
    bool (*handle_)(const ToolCore&, const Code&);
};

template <class Code>
EventBus::Registration Listen(const ToolCore& core, bool (*handle)(const ToolCore&, const Code&)) {
    return BusOf<Code>().Add(Safe::MakeX<ToolListener<Code>>(core, handle));
}

Winplus::LayerCurve::Ptr EmptyLayer(const std::wstring& name) {
    Winplus::LayerCurve::Ptr layer = Winplus::LayerCurve::Create(name);
    layer->Clear();
    return layer;
}

}  // namespace

Safe::XPtr<NodeMap> CurrentModelX() {
    MathMap::Ptr model = MenuCore::GetCurrentModel();
    return model ? model->FindMap("x") : Safe::XPtr<NodeMap>();
}

bool IsListOperator(const Node& node) {
    const int type = node.GetTypeId();
    return type == 207 || type == 208 || type == 209;
}

bool HasAnchors(Node& node) {
    Safe::XPtr<AnchorsInterface> anchors = node.GetAnchors();
    return anchors && anchors->Count() > 0;
}

void ToolCore::Initialize(const Winplus::Curve::Ptr& dynamicCurve, int mode,
                          ViewModeReader viewMode, const ToolHandlers& handlers) {
    if (s_.userCurves) return;
    s_.userCurves = EmptyLayer(L"User curves");
    s_.currentLayer = s_.userCurves;
    s_.dynamicLayer = EmptyLayer(L"Dynamic layer");
    s_.dynamicCurve = dynamicCurve;
    dynamicCurve->SetName(std::wstring(L"Dynamic curve"));
    dynamicCurve->GetUnit()->SetVariable(CurrentModelX());
    s_.dynamicLayer->AddCurve(dynamicCurve);
    s_.mode = mode;
    s_.viewMode = viewMode;
    s_.handlers = handlers;
    s_.onAxis = Listen<AxisEvent>(*this, [](const ToolCore& core, const AxisEvent& code) {
        if (code != AxisEvent::kAxisActionChanged) return true;
        if (!core.HoldsMouse()) return false;
        core.s_.handlers.onAction(Winplus::AxisBar::MouseAction());
        return true;
    });
    s_.onModel = Listen<ModelEvent>(*this, [](const ToolCore& core, const ModelEvent& code) {
        core.s_.handlers.onModel(code);
        return true;
    });
    s_.onView = Listen<ViewEvent>(*this, [](const ToolCore& core, const ViewEvent& code) {
        core.s_.handlers.onView(code);
        return true;
    });
}

void ToolCore::Restart() {
    s_ = State();
    observers_.Clear();
    updateView = true;
    autoUser = autoUserAtStart_;
}

EventBus::Registration ToolCore::AddObserver(
    const Safe::XPtr<Winplus::EventObserver<ToolCode>>& observer) {
    return observers_.Add(observer);
}

void ToolCore::Reset() {
    s_.currentLayer = nullptr;
    if (s_.userCurves) s_.userCurves->Clear();
}

void ToolCore::SelectCurve(const std::wstring& name, const int& layer) {
    const Winplus::LayerCurve::Ptr& searched = layer == 0   ? s_.userCurves
                                               : layer == 1 ? s_.dynamicLayer
                                                            : Winplus::LayerCurve::Ptr();
    Winplus::Curve::Ptr curve = searched ? searched->Curves()->Find(name) : Winplus::Curve::Ptr();
    if (curve == s_.currentCurve) return;
    s_.currentCurve = curve;
    if (layer == 0) NotifyView(ViewEvent::kUserCurveChanged);
    if (layer == 1) NotifyView(ViewEvent::kBuiltInCurveChanged);
}

void ToolCore::SelectFileCurve(const std::wstring& name, const int& layer) {
    Winplus::FileCurve::Ptr curve;
    if (layer == 0 && s_.userCurves) curve = s_.userCurves->FileCurves()->Find(name);
    if (curve == s_.currentFileCurve) return;
    s_.currentFileCurve = curve;
    NotifyView(ViewEvent::kBuiltInFileCurveChanged);
}

void ToolCore::SetCurrentLayer(const Winplus::LayerCurve::Ptr& layer) {
    if (layer == s_.currentLayer) return;
    s_.currentLayer = layer;
    NotifyView(ViewEvent::kCurrentLayerChanged);
}

bool ToolCore::Rebuild(const Node::Ptr& target, bool refreshAlways) {
    s_.currentCurve = nullptr;
    s_.currentFileCurve = nullptr;
    bool added = false;
    if (target && s_.userCurves) {
        std::wstring name;
        ToWide(target->Name(), name);
        if (!s_.userCurves->Curves()->Find(name)) {
            auto curve = Safe::MakeX<Winplus::Curve>();
            curve->SetName(name);
            curve->GetUnit()->Bind(MenuCore::GetCurrentModel(), MenuCore::GetCurrentDefinition(),
                                   target, CurrentModelX());
            if (!s_.userCurves->AddCurve(curve)) return false;
            added = true;
        }
    }
    if ((added || refreshAlways) && s_.userCurves) s_.userCurves->RefreshAll();
    Notify(kToolNodeSet);
    if (added) NotifyView(ViewEvent::kViewDataSetChanged);
    return true;
}

void ToolCore::TakeMouse(bool take) {
    s_.holdsMouse = take;
    Winplus::AxisBar::SetDisabled(take ? -1 : 0);
    if (take) Notify(kToolTookMouse);
}

Gesture ToolCore::Follow(int action) {
    switch (action) {
        case Winplus::AxisBar::kButtonDown:
            if (!s_.pressing) {
                s_.pressing = true;
                return Gesture::kPress;
            }
            EndPress();
            return Gesture::kNone;
        case Winplus::AxisBar::kButtonUp: EndPress(); return Gesture::kNone;
        case Winplus::AxisBar::kOtherButton: return Gesture::kOtherClick;
        case Winplus::AxisBar::kMove: return s_.pressing ? Gesture::kDrag : Gesture::kNone;
        default: return Gesture::kNone;
    }
}

void ToolCore::EndPress() {
    s_.pressing = false;
    if (!s_.moved) return;
    s_.moved = false;
    MenuCore::Notify(ModelEvent::kParametersChanged);
}

void ToolCore::AnnounceMoved() {
    s_.moved = true;
    NotifyView(ViewEvent::kViewModelCurveUpdated);
    if (updateView) Winplus::Layer::NotifyObservers(LayerEvent::kModelCurveUpdated);
}

void ToolCore::NotifyView(ViewEvent code) const {
    BusOf<ViewEvent>().Notify(code);
}

}  // namespace Core
