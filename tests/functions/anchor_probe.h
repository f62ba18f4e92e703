#pragma once
// Drives the anchors of a function node as the plot does: pick one, drag it, read its point.
#include <cstddef>

#include "model/anchors.h"
#include "model/node.h"

namespace AnchorProbe {

// The point of the anchor's enabled end (the first end when both are enabled).
inline Core::AnchorPoint Point(const Core::Anchor& anchor) {
    return anchor.First().enabled ? anchor.First().current : anchor.Second().current;
}

// Anchor i of the node's freshly built set.
inline Safe::XPtr<Core::Anchor> Get(Core::Node& node, std::size_t i) {
    return node.GetAnchors()->GetAnchors().at(i);
}

// Makes anchor i current (its enabled end selected) and drags it to p.
inline void Drag(Core::Node& node, std::size_t i, const Core::AnchorPoint& p) {
    Safe::XPtr<Core::AnchorsInterface> set = node.GetAnchors();
    Safe::XPtr<Core::Anchor> anchor = set->GetAnchors().at(i);
    set->SetCurrent(anchor);
    anchor->DistanceTo(Point(*anchor).x);
    set->MoveCurrent(p);
}

}  // namespace AnchorProbe
