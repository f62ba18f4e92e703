#include "modes/adjust_core.h"

#include "model/current.h"
#include "modes/associations.h"
#include "plot/axis_tools.h"

namespace Core {

namespace {

constexpr int kAdjustMode = 3;

struct AdjustState {
    Node::Ptr node;
    bool anchorsEnabled = false;
    MoveSettings moves;
};

AdjustState& State() {
    static AdjustState state;
    return state;
}

void ResetAdjust() {
    State() = AdjustState();
    AdjustCore::Tool().Restart();
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetAdjust);

bool OnAxis(const AxisEvent& code) {
    if (!AdjustCore::Tool().ActsNow()) return false;
    if (code != AxisEvent::kAxisActionChanged) return true;
    if (!State().anchorsEnabled) return false;
    switch (AdjustCore::Tool().Follow(Winplus::AxisBar::MouseAction())) {
        case Gesture::kPress: AdjustCore::Press(); break;
        case Gesture::kDrag: AdjustCore::Drag(); break;
        default: break;
    }
    return true;
}

// The current node of the model on ModelEvent::kCurrentModelChanged to
// ModelEvent::kCurrentNodeChanged (model bus) and ViewEvent::kViewModeChanged (view bus).
bool FollowCurrentNode(bool changed) {
    if (!AdjustCore::Tool().ActsNow()) return false;
    if (changed) AdjustCore::SetNode(MenuCore::GetCurrentNode());
    return true;
}

bool OnModel(const ModelEvent& code) {
    return FollowCurrentNode(ChangesCurrentNode(code));
}

bool OnView(const ViewEvent& code) {
    return FollowCurrentNode(code == ViewEvent::kViewModeChanged);
}

}  // namespace

void AdjustCore::Initialize(ViewModeReader viewMode) {
    Tool().Initialize(Safe::MakeX<Winplus::Curve>(), kAdjustMode, viewMode, &OnAxis, &OnModel,
                      &OnView);
}

ToolCore& AdjustCore::Tool() {
    static ToolCore* tool = new ToolCore(true);
    return *tool;
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
    State().anchorsEnabled = on;
    Tool().TakeMouse(on);
}

bool AdjustCore::AnchorsEnabled() {
    return State().anchorsEnabled;
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
