#pragma once
// The selection store: what the user last picked to place (a node, a formula, a prototype) and
// in which mode the placing tools read it. Changes are announced on the selection bus.
#include "foundation/event_bus.h"
#include "model/node.h"

namespace Core {
namespace Selection {

enum Mode { kNodeMode = 0, kFormulaMode = 3 };

[[nodiscard]] EventBus::Registration AddObserver(
    const Safe::XPtr<Winplus::EventObserver<SelectionEvent>>& observer);
void Notify(SelectionEvent code);

// current := node; a node other than the stored one is stored and announced
// (SelectionEvent::kSelectedNodeChanged).
void SetNode(const Node::Ptr& node);
// current := formula; a formula other than the stored one is stored and announced
// (SelectionEvent::kSelectedFormulaChanged).
void SetFormula(const Node::Ptr& formula);
// A prototype other than the stored one is stored and announced
// (SelectionEvent::kSelectedPrototypeChanged).
void SetPrototype(const Node::Ptr& prototype);
// Mode 0 makes the node current (SelectionEvent::kSelectedNodeChanged), mode 3 the formula
// (SelectionEvent::kSelectedFormulaChanged); other modes only store.
void SetMode(int mode);
int GetMode();
// Mode 0: the current object; mode 3: the formula; other modes: none.
Node::Ptr GetCurrent();
Node::Ptr GetNode();
Node::Ptr GetFormula();
Node::Ptr GetPrototype();

}  // namespace Selection

// Picks a catalogue function: a new node of the type, its abscissa child tied to the current
// model's "x", stored as the selected node. Null for a type without a class.
Node::Ptr PickByTypeId(int typeId);

}  // namespace Core
