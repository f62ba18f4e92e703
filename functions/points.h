#pragma once
// Points and point lists: tabulated curves whose coordinates are ordinary parameters, so that a
// fit, an edit or an anchor drag moves them and the interpolation that owns the list rebuilds.
#include "model/node.h"

namespace Capsule {

using Core::Complex;

// Hands a preparation up to the node's parent, unless it came from that parent: a parent that
// keeps the base preparation passes it down again, and the two would bounce it for ever.
void PrepareParent(Core::Node& node, const Core::Node* from);

// px + i py. Its coordinates rebuild the owner's tables whenever they are set.
class XYPoint : public Core::Node {
public:
    XYPoint();

    void Prepare(Node* from) override;
    void CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) override;
    void PlaceAnchor(Core::Anchor* anchor, const bool& keepPrevious) override;
    void AnchorMoved(Core::Anchor* anchor, bool& notify) override;
    const Complex& Evaluate() override;
};

// A variadic list of points. Its anchors are those of its points.
class XYList : public Core::Node {
public:
    XYList();

    bool AcceptChild(const Ptr& child) const override;
    void Sort() override;
    void Prepare(Node* from) override;
    void CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) override;
    void PlaceAnchor(Core::Anchor* anchor, const bool& keepPrevious) override;
    void AnchorMoved(Core::Anchor* anchor, bool& notify) override;

    // The sum of the points' values, evaluated in child order; (0, 0) for an empty list.
    virtual Complex SumPoints();
};

}  // namespace Capsule
