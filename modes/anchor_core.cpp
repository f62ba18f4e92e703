#include "modes/anchor_core.h"

#include "model/current.h"
#include "model/factory.h"
#include "modes/view_modes.h"
#include "modes/mode_bars.h"
#include "plot/axis_tools.h"

namespace Core {

namespace {

struct AnchorState {
    Node::Ptr node;
    Safe::XPtr<AnchorsInterface> anchors;
    Winplus::AnchorCurve::Ptr curve;
    bool hasAnchors = false;
};

using Store = ToolCoreStore<AnchorState, false>;

AnchorState& State() {
    return Store::Own();
}

void OnAction(int action) {
    switch (AnchorCore::Tool().Follow(action)) {
        case Gesture::kPress:
        case Gesture::kDrag: AnchorCore::MoveCurrentAnchor(); break;
        case Gesture::kOtherClick: {
            const double cursor[2] = {Winplus::AxisBar::CursorX(), Winplus::AxisBar::CursorY()};
            AnchorCore::PickAnchor(cursor);
            break;
        }
        default: break;
    }
}

void OnModel(ModelEvent code) {
    if (code == ModelEvent::kParametersChanged) AnchorCore::PlaceAnchors();
    if (ChangesCurrentNode(code)) AnchorCore::SetNode(MenuCore::GetCurrentNode());
}

void OnView(ViewEvent code) {
    if (code == ViewEvent::kViewModeChanged) AnchorCore::SetNode(MenuCore::GetCurrentNode());
}

// The node of the current anchor when that anchor is a half-width one, else none.
Node* HalfWidthNode() {
    const Safe::XPtr<AnchorsInterface>& anchors = State().anchors;
    const Safe::XPtr<Anchor> current = anchors ? anchors->GetCurrent() : Safe::XPtr<Anchor>();
    return current && current->GetKind() == kAnchorHalfWidth ? current->GetOwner() : nullptr;
}

}  // namespace

void AnchorCore::Initialize(ViewModeReader viewMode) {
    if (Tool().GetUserCurves()) return;
    State().curve = Safe::MakeX<Winplus::AnchorCurve>();
    Tool().Initialize(State().curve, kAnchorMode, viewMode, {&OnAction, &OnModel, &OnView});
}

ToolCore& AnchorCore::Tool() {
    return Store::Tool();
}

Winplus::AnchorCurve::Ptr AnchorCore::GetDynamicCurve() {
    return State().curve;
}

void AnchorCore::SetNode(const Node::Ptr& node) {
    State().node = node;
    State().anchors = nullptr;
    if (!node) return;
    State().anchors = node->GetAnchors();
    const bool follows = !IsListOperator(*node) && State().anchors && State().anchors->Count() > 0;
    Tool().Rebuild(follows && Tool().autoUser ? node : Node::Ptr(), true);
    if (const Winplus::AnchorCurve::Ptr& curve = State().curve) {
        const NodeMap::Ptr variable = curve->GetUnit()->GetVariable();
        const MathMap::Ptr model = MenuCore::GetCurrentModel();
        if (model) curve->GetUnit()->SetVariable(model->FindMap(variable ? variable->Name() : "x"));
    }
    const double origin[2] = {0.0, 0.0};
    PickAnchor(origin);
}

const Node::Ptr& AnchorCore::GetNode() {
    return State().node;
}

void AnchorCore::Reset() {
    Tool().Reset();
    SetNode(nullptr);
}

void AnchorCore::EnableAnchors(const bool& on) {
    Tool().TakeMouse(on);
}

bool AnchorCore::AnchorsEnabled() {
    return Tool().HoldsMouse();
}

bool AnchorCore::HasAnchors() {
    return State().hasAnchors;
}

void AnchorCore::PickAnchor(const double cursor[2]) {
    const Winplus::AnchorCurve::Ptr& curve = State().curve;
    std::vector<Safe::XPtr<Anchor>> shown;
    Safe::XPtr<Anchor> current;
    if (State().anchors) {
        State().anchors->FindNearest(cursor[0]);
        current = State().anchors->GetCurrent();
    }
    Node* output = current ? current->GetOwner() : nullptr;
    if (current && current->GetInterface()) shown = current->GetInterface()->GetAnchors();
    if (curve && output && !output->IsList()) {
        // A point is shown by its list's curve; any other node's hidden curve shows again.
        if (output->GetTypeId() == kPointId)
            curve->SetViewMode(Winplus::kHidden);
        else if (curve->GetViewMode() == Winplus::kHidden)
            curve->SetViewMode(Winplus::kXComplex);
    }
    if (curve) {
        curve->GetUnit()->Bind(MenuCore::GetCurrentModel(), MenuCore::GetCurrentDefinition(),
                               Node::Ptr(output), curve->GetUnit()->GetVariable());
        curve->SetAnchors(shown);
        curve->SetCurrentAnchor(current);
    }
    State().hasAnchors = !shown.empty();
    Tool().NotifyView(ViewEvent::kViewAnchorsChanged);
    Tool().Notify(kToolAnchorsChanged);
}

void AnchorCore::MoveCurrentAnchor() {
    if (!State().anchors) return;
    State().anchors->MoveCurrent({Winplus::AxisBar::CursorX(), Winplus::AxisBar::CursorY()});
    PlaceAnchors();
    Tool().AnnounceMoved();
}

void AnchorCore::PlaceAnchors() {
    if (State().anchors) State().anchors->PlaceAll();
}

std::optional<ForceMode> AnchorCore::GetCurrentForce() {
    Node* node = HalfWidthNode();
    if (!node) return std::nullopt;
    // A node keeps only the stored numbers -1 to 2 (Node::SetAnchorMode checks them).
    SetForceMode(static_cast<ForceMode>(node->GetAnchorMode(2)));
    return GetForceMode();
}

void AnchorCore::ApplyForce() {
    if (Node* node = HalfWidthNode()) node->SetAnchorMode(2, static_cast<int>(GetForceMode()));
}

void AnchorCore::ChooseForce(ForceMode force) {
    SetForceMode(force);
    ApplyForce();
}

std::optional<ForceMode> ForceOfButton(int commandId) {
    switch (commandId) {
        case kNoForceButton: return ForceMode::kNone;
        case kEqualForceButton: return ForceMode::kEqual;
        case kGapForceButton: return ForceMode::kMaintainGap;
        case kRatioForceButton: return ForceMode::kConstantRatio;
        default: return std::nullopt;
    }
}

}  // namespace Core
