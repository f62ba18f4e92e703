#include "functions/anchoring.h"

#include "model/map_capsule.h"

namespace Capsule {

Core::Anchor& AddAnchor(Core::Node& owner, const AnchorLayout& layout, AnchorEnd end,
                        AnchorList& out) {
    Safe::XPtr<Core::Anchor> anchor;
    if (layout.moveInY)
        anchor = Safe::MakeX<Core::AnchorXY>();
    else
        anchor = Safe::MakeX<Core::AnchorDX>();
    anchor->SetKind(layout.kind);
    for (int which = 0; which < 3; ++which)
        if (layout.bindings[which] >= 0)
            anchor->SetBinding(which, owner.Child(layout.bindings[which]));
    if (auto* map = dynamic_cast<Core::MapCapsule*>(owner.Child(0)))
        anchor->SetLinkedDefinition(map->GetMap().Get());
    anchor->EnableFirst(end == AnchorEnd::kFirst);
    anchor->EnableSecond(end == AnchorEnd::kSecond);
    out.push_back(anchor);
    return *anchor;
}

void PairWidthAnchors(Core::Anchor& a, Core::Anchor& b) {
    Safe::XPtr<Core::Force> toB = Safe::MakeX<Core::Force>(&b), toA = Safe::MakeX<Core::Force>(&a);
    toB->SetKey(0);
    toA->SetKey(0);
    a.SetCommand(toB);
    b.SetCommand(toA);
}

Core::AnchorPoint CurrentPoint(const Core::Anchor& anchor, AnchorEnd end) {
    return end == AnchorEnd::kFirst ? anchor.First().current : anchor.Second().current;
}

void SetPoint(Core::Anchor& anchor, AnchorEnd end, const Core::AnchorPoint& p, bool keepPrevious) {
    if (end == AnchorEnd::kFirst)
        anchor.SetFirstPoint(p, keepPrevious);
    else
        anchor.SetSecondPoint(p, keepPrevious);
}

bool IsBoundTo(const Core::Anchor& anchor, const Core::Node& owner, int index) {
    return anchor.GetBinding(0) != nullptr && anchor.GetBinding(0) == owner.Child(index);
}

bool WriteParameter(Core::Node* parameter, double value) {
    if (!parameter || !parameter->IsActive()) return false;
    parameter->SetValue(Core::Complex(value, 0.0), 0);
    return true;
}

bool WriteWidth(Core::Node* parameter, double value) {
    return value > 0.0 && WriteParameter(parameter, value);
}

void FeedForce(Core::Anchor& anchor, bool& notify, bool changed, double before, double after) {
    auto* force = dynamic_cast<Core::Force*>(anchor.GetCommand().Get());
    if (!changed) {
        notify = false;
        return;
    }
    if (notify && force) force->SetValues(before, after);
}

}  // namespace Capsule
