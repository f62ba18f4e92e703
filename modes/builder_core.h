#pragma once
// The builder tool: "Add function" places a clone of the prototype (the function picked in the
// selection, or a new item of the selected point or dual list) where the mouse is pressed, and
// a drag while the button is down reshapes that clone. Process-wide state with static
// operations on the tool-core pattern.
#include <string>
#include <vector>

#include "modes/move_settings.h"
#include "modes/tool_core.h"

namespace Core {

class BuilderCore {
public:
    enum ToolState { kResizing = -1, kAddFunction = 0 };

    // Once: layers, the dynamic curve, the prototype (a new node of type 300), and the
    // observers, which act while viewMode() answers 1 (Builder).
    static void Initialize(ViewModeReader viewMode);
    static ToolCore& Tool();

    // -1 gives the mouse back to the axis tools; any other state takes it (kToolTookMouse).
    static void SetTool(const int& state);
    static int GetTool();
    // The builder node := node. A point or dual list makes the prototype a new item of it;
    // another node takes the selection's function as the prototype unless that is the very
    // pick the prototype came from, unchanged. Then the user curves are rebuilt.
    static void SetNode(const Node::Ptr& node);
    static const Node::Ptr& GetNode();
    static void Reset();
    // The function picked in the selection (ignored while the prototype is a list item): null
    // clears the prototype; the prototype is renewed unless it came from this very function,
    // unchanged, or force is set.
    static void SetFunction(const Node::Ptr& function, const bool& force);
    static const Node::Ptr& GetPrototype();
    static std::string GetPrototypeName();
    // A new clone of the prototype, kept as the pending clone, which the definition explorer
    // inserts when it hears ModelEvent::kFunctionPlaced; without a prototype the pending clone as
    // it is.
    static Node::Ptr CreateFunction();
    static MoveSettings& Moves();

    // The prototype's hit parameters to the cursor, then ModelEvent::kFunctionPlaced on the model
    // bus for its clone; nothing without a prototype.
    static void PlaceFunction();
    // The pending clone's move parameters changed by the last mouse move.
    static void Drag();

    // The anchor associations, read from the prototype and set on it and on the selection's
    // current node.
    static std::vector<std::string> GetNodeNames();
    static Node* GetAssociationNode();
    static void SetAnchorChildByName(int slot, const std::string& name);
    static void SetAnchorChild(int slot, const std::string& name);
    static void SetAnchorMode(int slot, int mode);
};

}  // namespace Core
