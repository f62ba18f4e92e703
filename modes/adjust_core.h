#pragma once
// The adjust tool: a press moves the parameters the edited node binds to its hit slots to the
// cursor, a drag changes those of its move slots by the mouse's movement, per axis. Process-wide
// state with static operations; the shared pattern (layers, current objects, own observers) is
// its ToolCore.
#include <string>
#include <vector>

#include "modes/move_settings.h"
#include "modes/tool_core.h"

namespace Core {

class AdjustCore {
public:
    // Once (nothing when done): layers, dynamic curve, and the observers on the axis-tool,
    // model and view buses, which act while viewMode() answers 3 (Adjust).
    static void Initialize(ViewModeReader viewMode);
    static ToolCore& Tool();

    // Edited node := node, then the user curves are rebuilt (the AutoUser rule).
    static void SetNode(const Node::Ptr& node);
    static const Node::Ptr& GetNode();
    // Current layer none, user curves emptied, no edited node.
    static void Reset();
    static void EnableAnchors(const bool& on);
    static bool AnchorsEnabled();
    static MoveSettings& Moves();

    // The anchor associations of the edited node (modes/associations.h).
    static std::vector<std::string> GetNodeNames();
    static Node* GetAssociationNode();
    static void SetAnchorChildByName(int slot, const std::string& name);
    static void SetAnchorChild(int slot, const std::string& name);
    static void SetAnchorMode(int slot, int mode);

    // Parameters bound to the hit slots := the cursor; then the move is announced.
    static void Press();
    // Parameters bound to the move slots changed by the last mouse move.
    static void Drag();
};

}  // namespace Core
