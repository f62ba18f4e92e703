#include "modes/builder_core.h"

#include "io/node_io.h"
#include "model/current.h"
#include "model/selection.h"
#include "modes/associations.h"
#include "modes/view_modes.h"
#include "plot/axis_tools.h"

namespace Core {

namespace {

constexpr int kFirstFunctionId = 300;

struct BuilderState {
    Node::Ptr node;
    Node::Ptr prototype;
    // The pick the prototype was cloned from, and its record then.
    Node::Ptr origin;
    std::string originRecord;
    Node::Ptr pending;
    bool listPrototype = false;
    int tool = BuilderCore::kResizing;
    MoveSettings moves;
};

using Store = ToolCoreStore<BuilderState, false>;

BuilderState& State() {
    return Store::Own();
}

// Everything a node's record holds: its content, to tell a changed pick from the same one.
std::string Record(const Node::Ptr& node) {
    BinaryWriter writer;
    NodeIo().WriteNode(node, writer);
    return writer.Bytes();
}

void TakePrototype(const Node::Ptr& pick) {
    BuilderState& s = State();
    if (s.prototype && s.origin == pick && s.originRecord == Record(pick)) return;
    s.prototype = pick->Clone();
    s.origin = pick;
    s.originRecord = Record(pick);
}

// The tool has the mouse in any state but "Resizing mode"; only "Add function" places.
void OnAction(int action) {
    if (action == Winplus::AxisBar::kButtonDown && State().tool != BuilderCore::kAddFunction)
        return;
    switch (BuilderCore::Tool().Follow(action)) {
        case Gesture::kPress: BuilderCore::PlaceFunction(); break;
        case Gesture::kDrag: BuilderCore::Drag(); break;
        default: break;
    }
}

// The model's current node on ModelEvent::kCurrentModelChanged to ModelEvent::kCurrentNodeChanged
// (model bus) and ViewEvent::kViewModeChanged (view bus), when it is new.
void FollowCurrentNode(bool changed) {
    if (changed && MenuCore::GetCurrentNode() != State().node)
        BuilderCore::SetNode(MenuCore::GetCurrentNode());
}

void OnModel(ModelEvent code) {
    FollowCurrentNode(ChangesCurrentNode(code));
}

void OnView(ViewEvent code) {
    FollowCurrentNode(code == ViewEvent::kViewModeChanged);
}

void Rebuild() {
    BuilderState& s = State();
    ToolCore& tool = BuilderCore::Tool();
    Node::Ptr target;
    if (s.node && tool.autoUser) {
        if (IsListOperator(*s.node))
            target = s.node;
        else if (s.listPrototype)
            target = s.node->GetParent();
        else if (HasAnchors(*s.node))
            target = s.node;
        // A list item is seen on its list's curve: the dynamic curve hides.
        tool.GetDynamicCurve()->SetViewMode(s.listPrototype ? Winplus::kHidden : Winplus::kXReal);
        if (s.listPrototype) {
            tool.autoUser = false;
            tool.Notify(kToolPrototypeOrigin);
        }
    }
    tool.Rebuild(target, false);
}

}  // namespace

void BuilderCore::Initialize(ViewModeReader viewMode) {
    if (Tool().GetUserCurves()) return;
    State().prototype = Node::Create(kFirstFunctionId);
    Tool().Initialize(Safe::MakeX<Winplus::Curve>(), kBuilderMode, viewMode,
                      {&OnAction, &OnModel, &OnView});
}

ToolCore& BuilderCore::Tool() {
    return Store::Tool();
}

void BuilderCore::SetTool(const int& state) {
    State().tool = state;
    Tool().TakeMouse(state != kResizing);
}

int BuilderCore::GetTool() {
    return State().tool;
}

void BuilderCore::SetNode(const Node::Ptr& node) {
    BuilderState& s = State();
    s.node = node;
    const bool wasList = s.listPrototype;
    s.listPrototype = false;
    if (node && node->IsList() && !IsListOperator(*node)) {
        s.listPrototype = true;
        s.prototype = Node::CreateListItem(node->GetTypeId());
        s.origin = nullptr;
    } else if (node) {
        Node::Ptr pick = Selection::GetCurrent();
        if (!pick) pick = Selection::GetNode();
        if (pick) TakePrototype(pick);
    }
    if (wasList) Tool().Notify(kToolPrototypeOrigin);
    Rebuild();
}

const Node::Ptr& BuilderCore::GetNode() {
    return State().node;
}

void BuilderCore::Reset() {
    Tool().Reset();
    SetNode(nullptr);
}

void BuilderCore::SetFunction(const Node::Ptr& function, const bool& force) {
    BuilderState& s = State();
    if (s.listPrototype) return;
    if (!function) {
        s.prototype = nullptr;
        s.origin = nullptr;
        return;
    }
    if (force) s.prototype = nullptr;
    TakePrototype(function);
}

const Node::Ptr& BuilderCore::GetPrototype() {
    return State().prototype;
}

std::string BuilderCore::GetPrototypeName() {
    return State().prototype ? State().prototype->Name() : std::string();
}

Node::Ptr BuilderCore::CreateFunction() {
    if (State().prototype) State().pending = State().prototype->Clone();
    return State().pending;
}

MoveSettings& BuilderCore::Moves() {
    return State().moves;
}

void BuilderCore::PlaceFunction() {
    BuilderState& s = State();
    // A value typed into the pick since it was taken announces nothing: a changed pick gives a
    // new prototype here.
    if (s.origin && !s.listPrototype) TakePrototype(s.origin);
    if (!s.prototype) return;
    s.prototype->SetAnchorValue(Winplus::AxisBar::CursorX(), Winplus::AxisBar::CursorY());
    // A drag reshapes only what this placement inserted.
    s.pending = nullptr;
    MenuCore::Notify(ModelEvent::kFunctionPlaced);
    if (s.pending && HasAnchors(*s.prototype)) {
        Tool().GetDynamicCurve()->GetUnit()->Bind(MenuCore::GetCurrentModel(),
                                                  MenuCore::GetCurrentDefinition(), s.pending,
                                                  CurrentModelX());
        if (Tool().updateView) Winplus::Layer::NotifyObservers(LayerEvent::kModelCurveUpdated);
    }
}

void BuilderCore::Drag() {
    if (!State().pending) return;
    State().moves.Drag(*State().pending, Winplus::AxisBar::CursorX(), Winplus::AxisBar::CursorY(),
                       Winplus::AxisBar::MouseDeltaX(), Winplus::AxisBar::MouseDeltaY());
    Tool().AnnounceMoved();
}

std::vector<std::string> BuilderCore::GetNodeNames() {
    return Associations::NodeNames(State().prototype.Get());
}

Node* BuilderCore::GetAssociationNode() {
    return State().prototype.Get();
}

namespace {
// Sets an association on the prototype and on the selection's current node; the prototype's
// origin keeps its record, so the edit does not count as a new pick.
template <class Set>
void SetOnBoth(Set set) {
    BuilderState& s = State();
    set(s.prototype.Get());
    const Node::Ptr current = Selection::GetCurrent();
    if (!current) return;
    set(current.Get());
    if (current == s.origin) s.originRecord = Record(current);
}
}  // namespace

void BuilderCore::SetAnchorChildByName(int slot, const std::string& name) {
    SetOnBoth([&](Node* node) { Associations::BindByName(node, slot, name); });
}

void BuilderCore::SetAnchorChild(int slot, const std::string& name) {
    SetOnBoth([&](Node* node) { Associations::SetPartner(node, slot, name); });
}

void BuilderCore::SetAnchorMode(int slot, int mode) {
    SetOnBoth([&](Node* node) { Associations::SetMode(node, slot, mode); });
}

}  // namespace Core
