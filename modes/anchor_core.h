#pragma once
// The anchor tool: the anchors of the edited node drawn on its dynamic anchor curve, picked by
// an other click and dragged with the force chosen for the current anchor; the node writes
// every move back into its parameters. Process-wide state with static operations on the
// tool-core pattern.
#include <optional>

#include "model/anchors.h"
#include "modes/anchor_curve.h"
#include "modes/tool_core.h"

namespace Core {

class AnchorCore {
public:
    // Once: layers, the dynamic anchor curve, and the observers, which act while viewMode()
    // answers 2 (Anchor).
    static void Initialize(ViewModeReader viewMode);
    static ToolCore& Tool();
    static Winplus::AnchorCurve::Ptr GetDynamicCurve();

    // Edited node := node and its anchor set; with a node the user curves are rebuilt, the
    // curve's variable is looked up again in the current model and the anchor at (0, 0) is
    // picked. A null node changes nothing more.
    static void SetNode(const Node::Ptr& node);
    static const Node::Ptr& GetNode();
    static void Reset();
    static void EnableAnchors(const bool& on);
    static bool AnchorsEnabled();
    // The last pick found anchors.
    static bool HasAnchors();

    // The anchor nearest to x becomes current; the curve shows its set's anchors;
    // ViewEvent::kViewAnchorsChanged on the view bus and the own list.
    static void PickAnchor(const double cursor[2]);
    // The current anchor to the cursor, its node writing the parameters; then the anchors are
    // placed again and the move announced.
    static void MoveCurrentAnchor();
    static void PlaceAnchors();

    // The force of the current half-width anchor's node (slot 2), which becomes the tool's
    // force mode; none without such an anchor.
    static std::optional<ForceMode> GetCurrentForce();
    // The tool's force mode to the current half-width anchor's node.
    static void ApplyForce();
    // A force button's mode becomes the tool's; then ApplyForce.
    static void ChooseForce(ForceMode force);
};

// The force a force button of the anchor tool bar (modes/mode_bars.h) chooses: "No force"
// kNone, "Equal force" kEqual, "Maintain gap force" kMaintainGap, "Constant ratio force"
// kConstantRatio; none for other ids.
std::optional<ForceMode> ForceOfButton(int commandId);

}  // namespace Core
