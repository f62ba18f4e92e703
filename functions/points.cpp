#include "functions/points.h"

#include "functions/anchoring.h"
#include "functions/parameters.h"
#include "model/anchors.h"
#include "model/basic.h"
#include "model/factory.h"

namespace Capsule {

void PrepareParent(Core::Node& node, const Core::Node* from) {
    Core::Node* parent = node.ParentNode();
    if (parent && parent != from) parent->Prepare(&node);
}

namespace {

// A coordinate: every value set into it rebuilds the tables of the point's owner.
Core::Node::Ptr Coordinate(const char* name) {
    Core::Node::Ptr coordinate = MakeParameter<Basic>(name);
    coordinate->SetParentRefresh(true);
    return coordinate;
}

// The point that made an anchor: the owner of its first binding.
Core::Node* PointOf(const Core::Anchor* anchor) {
    Core::Node* bound = anchor ? anchor->GetBinding(0) : nullptr;
    return bound ? bound->ParentNode() : nullptr;
}

}  // namespace

XYPoint::XYPoint() {
    Identify(Core::kPointId, "(x,y)", Core::kArityNone);
    parentRefresh_ = 1;
    AdoptChild(Coordinate("px"));
    AdoptChild(Coordinate("py"));
    keyChildIndex_ = 0;
    anchorBound_ = {0, 1, 0, 1};
    CreateAnchorSet(false);
}

void XYPoint::Prepare(Node* from) {
    PrepareParent(*this, from);
}

const Complex& XYPoint::Evaluate() {
    const Complex a = Parameter(0)->Compute();
    const Complex& b = Parameter(1)->Compute();
    return values_[0] = Complex(a.real() - b.imag(), a.imag() + b.real());  // a + i b
}

void XYPoint::CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) {
    out.clear();
    PlaceAnchor(&AddAnchor(*this, TopAnchor(0, 1), AnchorEnd::kFirst, out), true);
}

void XYPoint::PlaceAnchor(Core::Anchor* anchor, const bool& keepPrevious) {
    if (!anchor || anchor->GetKind() != Core::kAnchorTop) return;
    const double x = Parameter(0)->Compute().real();
    const double y = Parameter(1)->Compute().real();
    anchor->SetFirstPoint({x, y}, keepPrevious);
}

void XYPoint::AnchorMoved(Core::Anchor* anchor, bool&) {
    if (!anchor || anchor->GetKind() != Core::kAnchorTop) return;
    const Core::AnchorPoint p = anchor->First().current;
    // Each coordinate written rebuilds the owner's tables on its own.
    if (Core::Anchor::IsXEnabled()) WriteParameter(Parameter(0), p.x);
    if (Core::Anchor::IsYEnabled()) WriteParameter(Parameter(1), p.y);
}

XYList::XYList() {
    Identify(Core::kPointListId, "Points", Core::kArityVariadic);
    list_ = 1;
    prepareOnChange_ = 1;
    CreateAnchorSet(false);
}

bool XYList::AcceptChild(const Ptr& child) const {
    return child && child->GetTypeId() == Core::kPointId;
}

void XYList::Sort() {
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int i = 1; i < ChildCount(); ++i) {
            if (Child(i - 1)->Child(0)->GetValue().real() > Child(i)->Child(0)->GetValue().real()) {
                SwapChildren(i - 1, i);
                swapped = true;
            }
        }
    }
    Prepare(nullptr);
}

void XYList::Prepare(Node* from) {
    PrepareParent(*this, from);
}

Complex XYList::SumPoints() {
    Complex sum(0.0, 0.0);
    for (const Ptr& point : Children()) sum += point->Compute();
    return sum;
}

void XYList::CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) {
    out.clear();
    for (const Ptr& point : Children()) {
        Safe::XPtr<Core::AnchorsInterface> set = point->GetAnchors();
        if (set) out.insert(out.end(), set->GetAnchors().begin(), set->GetAnchors().end());
    }
}

void XYList::PlaceAnchor(Core::Anchor* anchor, const bool& keepPrevious) {
    if (Core::Node* point = PointOf(anchor)) point->PlaceAnchor(anchor, keepPrevious);
}

void XYList::AnchorMoved(Core::Anchor* anchor, bool& notify) {
    if (Core::Node* point = PointOf(anchor)) point->AnchorMoved(anchor, notify);
}

}  // namespace Capsule
