#include "functions/duals.h"

#include "functions/parameters.h"
#include "functions/points.h"
#include "model/basic.h"
#include "model/factory.h"

namespace Capsule {

Dual::Dual() {
    Identify(Core::kDualId, "Dual", Core::kArityFixed);
    holdsValue_ = true;
    AdoptChild(MakeParameter<Basic>("p1", 1.0));
    AdoptChild(MakeParameter<Basic>("p2", 1.0));
}

void Dual::SetFirstName(const std::string& name) {
    Parameter(0)->SetName(name);
}

void Dual::SetSecondName(const std::string& name) {
    Parameter(1)->SetName(name);
}

DualList::DualList() {
    Identify(Core::kDualListId, "Dual", Core::kArityVariadic);
    holdsValue_ = true;
    prepareOnChange_ = 1;
    AdoptChild(Safe::MakeX<Dual>());  // the first member keeps its own names
}

bool DualList::AcceptChild(const Ptr& child) const {
    return child && child->GetTypeId() == Core::kDualId;
}

void DualList::OnChildAttached(const Ptr& child) {
    auto* dual = dynamic_cast<Dual*>(child.Get());
    if (!dual) return;
    dual->SetName(labels_.element);
    dual->SetFirstName(labels_.first);
    dual->SetSecondName(labels_.second);
}

void DualList::Prepare(Node* from) {
    PrepareParent(*this, from);
}

Core::Node::Ptr DualList::Clone() {
    auto copy = Safe::MakeX<DualList>();
    copy->SetName(name_);
    copy->values_ = values_;
    copy->labels_ = labels_;
    copy->ReleaseChildren();
    for (const Ptr& member : Children())
        if (Ptr clone = member->Clone()) copy->AdoptChild(clone);
    return copy;
}

Core::Node::Ptr MakeDual(int typeId) {
    switch (typeId) {
        case Core::kDualId: return Safe::MakeX<Dual>();
        case Core::kDualListId: return Safe::MakeX<DualList>();
        default: return Core::Node::Ptr();
    }
}

}  // namespace Capsule
