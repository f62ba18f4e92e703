#pragma once
// The selection panel without its window: what a pick puts into the selection store, the
// picked function's arguments, and each argument bound to a variable definition of the current
// model or given a value. The panel's window shows View() and passes the user's choices here.
#include <functional>
#include <string>
#include <vector>

#include "foundation/event_bus.h"
#include "model/node.h"

namespace Core {

// What the variable box and the value box show for the selected argument.
struct ArgumentView {
    enum class Value { Empty, Variable, Number };
    // "NONE", then the current model's variable definitions in the model's order.
    std::vector<std::string> variables;
    int variable = 0;  // selected index of variables
    bool variableEnabled = false;
    Value value = Value::Empty;  // "", "variable" or the number
    double number = 0.0;
    bool valueEnabled = false;
};

class SelectionCore {
public:
    // Stores a new "Real(z)" as the selected node, in node mode
    // (SelectionEvent::kSelectedNodeChanged twice).
    SelectionCore();

    // The panel's command: 0 the formula editor's formula, a positive code a catalogue type
    // id, a negative code the library node the user function selector stored. False (nothing
    // changed) for a type id that makes no node.
    bool Pick(int code);
    // The mode tabs: 0 "Function" (node mode), 1 "Formula" (formula mode).
    void ShowMode(int tab);
    // The argument tabs.
    void SelectArgument(int index);
    // The variable box chose a definition ("NONE": a plain value);
    // SelectionEvent::kSelectedFunctionRenamed.
    void BindArgument(const std::string& variable);
    // The value box holds a number: the selected argument takes it unless it is bound.
    void SetArgumentValue(double value);
    // Bound arguments follow the current model's definitions of their names, or become values.
    void RelinkArguments();

    std::vector<std::string> GetArgumentNames() const;
    const std::vector<Node::Ptr>& GetArguments() const { return arguments_; }
    int GetSelectedArgument() const { return selected_; }
    ArgumentView View() const;
    const std::vector<Node::Ptr>& GetNodeCache() const { return cache_; }

    // ModelEvent::kModelsReset and ModelEvent::kCurrentModelChanged: the arguments relink, then the
    // window is told to show them.
    void OnModelChanged();
    void SetRelinked(std::function<void()> relinked) { relinked_ = std::move(relinked); }

private:
    bool PickByTypeId(int typeId);
    void RefreshArguments();
    void Unbind(std::size_t slot, double value);
    bool Replace(std::size_t slot, const Node::Ptr& replacement);
    Node::Ptr Selected() const;

    std::vector<Node::Ptr> cache_;      // nodes made for catalogue picks, in creation order
    std::vector<Node::Ptr> arguments_;  // one per argument tab
    std::vector<std::string> variables_{"NONE"};
    int selected_ = 0;
    std::function<void()> relinked_;
    EventBus::Registration onModels_;
};

}  // namespace Core
