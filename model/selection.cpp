#include "model/selection.h"

#include "model/current.h"

namespace Core {
namespace Selection {

namespace {
struct Store {
    int mode = kNodeMode;
    Node::Ptr node;
    Node::Ptr formula;
    Node::Ptr prototype;
    Node::Ptr current;
};

Store& State() {
    static Store store;
    return store;
}

void ResetStore() {
    State() = Store();
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetStore);

constexpr SelectionEvent kNodeChanged = SelectionEvent::kSelectedNodeChanged;
constexpr SelectionEvent kFormulaChanged = SelectionEvent::kSelectedFormulaChanged;

}  // namespace

EventBus::Registration AddObserver(
    const Safe::XPtr<Winplus::EventObserver<SelectionEvent>>& observer) {
    return BusOf<SelectionEvent>().Add(observer);
}
void Notify(SelectionEvent code) {
    BusOf<SelectionEvent>().Notify(code);
}

void SetNode(const Node::Ptr& node) {
    State().current = node;
    StoreAndAnnounce(State().node, node, BusOf<SelectionEvent>(), kNodeChanged);
}

void SetFormula(const Node::Ptr& formula) {
    State().current = formula;
    StoreAndAnnounce(State().formula, formula, BusOf<SelectionEvent>(), kFormulaChanged);
}

void SetPrototype(const Node::Ptr& prototype) {
    StoreAndAnnounce(State().prototype, prototype, BusOf<SelectionEvent>(),
                     SelectionEvent::kSelectedPrototypeChanged);
}

void SetMode(int mode) {
    State().mode = mode;
    if (mode == kNodeMode) {
        State().current = State().node;
        Notify(kNodeChanged);
    } else if (mode == kFormulaMode) {
        State().current = State().formula;
        Notify(kFormulaChanged);
    }
}

int GetMode() {
    return State().mode;
}

Node::Ptr GetCurrent() {
    if (State().mode == kNodeMode) return State().current;
    if (State().mode == kFormulaMode) return State().formula;
    return Node::Ptr();
}

Node::Ptr GetNode() {
    return State().node;
}
Node::Ptr GetFormula() {
    return State().formula;
}
Node::Ptr GetPrototype() {
    return State().prototype;
}

}  // namespace Selection

Node::Ptr PickByTypeId(int typeId) {
    Node::Ptr node = CreatePickedNode(typeId, MenuCore::GetCurrentModel());
    if (node) Selection::SetNode(node);
    return node;
}

}  // namespace Core
