#include "modes/adjust_core.h"

#include "model/current.h"
#include "modes/associations.h"
#include "modes/view_modes.h"
#include "plot/axis_tools.h"

namespace Core {

namespace {

struct AdjustState {
    Node::Ptr node;
    MoveSettings moves;
};

using Store = ToolCoreStore<AdjustState, true>;

AdjustState& State() {
    return Store::Own();
}

void OnAction(int action) {
    switch (AdjustCore::Tool().Follow(action)) {
        case Gesture::kPress: AdjustCore::Press(); break;
        case Gesture::kDrag: AdjustCore::Drag(); break;
        default: break;
    }
}

// The current node of the model on ModelEvent::kCurrentModelChanged to
// ModelEvent::kCurrentNodeChanged (model bus) and ViewEvent::kViewModeChanged (view bus).
void OnModel(ModelEvent code) {
    if (ChangesCurrentNode(code)) AdjustCore::SetNode(MenuCore::GetCurrentNode());
}

void OnView(ViewEvent code) {
    if (code == ViewEvent::kViewModeChanged) AdjustCore::SetNode(MenuCore::GetCurrentNode());
}

}  // namespace

void AdjustCore::Initialize(ViewModeReader viewMode) {
    Tool().Initialize(Safe::MakeX<Winplus::Curve>(), kAdjustMode, viewMode,
                      {&OnAction, &OnModel, &OnView});
}

ToolCore& AdjustCore::Tool() {
    return Store::Tool();
}

void AdjustCore::SetNode(const Node::Ptr& node) {
    State().node = node;
    const bool follows = node && !IsListOperator(*node) && HasAnchors(*node);
    Tool().Rebuild(follows && Tool().autoUser ? node : Node::Ptr(), false);
}

const Node::Ptr& AdjustCore::GetNode() {
    return State().node;
}

void AdjustCore::Reset() {
    Tool().Reset();
    SetNode(nullptr);
}

void AdjustCore::EnableAnchors(const bool& on) {
    Tool().TakeMouse(on);
}

bool AdjustCore::AnchorsEnabled() {
    return Tool().HoldsMouse();
}

MoveSettings& AdjustCore::Moves() {
    return State().moves;
}

void AdjustCore::Press() {
    if (!State().node) return;
    State().node->SetAnchorValue(Winplus::AxisBar::CursorX(), Winplus::AxisBar::CursorY());
    Tool().AnnounceMoved();
}

void AdjustCore::Drag() {
    if (!State().node) return;
    State().moves.Drag(*State().node, Winplus::AxisBar::CursorX(), Winplus::AxisBar::CursorY(),
                       Winplus::AxisBar::MouseDeltaX(), Winplus::AxisBar::MouseDeltaY());
    Tool().AnnounceMoved();
}

std::vector<std::string> AdjustCore::GetNodeNames() {
    return Associations::NodeNames(State().node.Get());
}

Node* AdjustCore::GetAssociationNode() {
    return State().node.Get();
}

void AdjustCore::SetAnchorChildByName(int slot, const std::string& name) {
    Associations::BindByName(State().node.Get(), slot, name);
}

void AdjustCore::SetAnchorChild(int slot, const std::string& name) {
    Associations::SetPartner(State().node.Get(), slot, name);
}

void AdjustCore::SetAnchorMode(int slot, int mode) {
    Associations::SetMode(State().node.Get(), slot, mode);
}

}  // namespace Core
