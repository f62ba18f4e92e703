#pragma once
// The definition tool bar's store: its clipboard node, and whether undo and redo are available
// for the two kinds of definitions (0 driven by the definition explorer, 1 by the definitions'
// own histories, which it hears on the definition bus).
#include "foundation/event_bus.h"
#include "model/node.h"

namespace Core {

class MapBar {
public:
    [[nodiscard]] static EventBus::Registration AddObserver(
        const Safe::XPtr<Winplus::EventObserver<MapBarEvent>>& observer);
    static void Notify(MapBarEvent code);

    // Store the flag of channel 0 or 1 and announce it when it changed; other channels do
    // nothing. Codes: channel 0 undo MapBarEvent::kExplorerUndoAvailability, redo
    // MapBarEvent::kExplorerRedoAvailability; channel 1 undo
    // MapBarEvent::kDefinitionUndoAvailability, redo MapBarEvent::kDefinitionRedoAvailability.
    static void SetUndoAvailable(const int& channel, const bool& available);
    static void SetRedoAvailable(const int& channel, const bool& available);
    // Both flags of channel 0 or 1 cleared and announced (undo, then redo), also when they were
    // clear already, so that the bar shows them off; other channels do nothing.
    static void ResetAvailability(const int& channel);
    static bool IsUndoAvailable(const int& channel);
    static bool IsRedoAvailable(const int& channel);

    // The definition tool bar's clipboard node (Cut and Copy put one there, Paste clones it);
    // another node than the one held is stored and announced (MapBarEvent::kMapBarTargetChanged).
    static void SetTarget(const Node::Ptr& node);
    static Node::Ptr GetTarget();
};

}  // namespace Core
