#include "model/constant_capsule.h"

#include <algorithm>

#include "model/factory.h"

namespace Core {

UserCapsule::UserCapsule(int typeId, const char* name, int arityKind) {
    Identify(typeId, name, arityKind);
    sourceKind_ = kUserCapsule;
}

void UserCapsule::CopyIdentityTo(UserCapsule& copy) const {
    copy.symbolName_ = symbolName_;
    copy.source_ = source_;
    copy.SetName(name_);
}

void UserCapsule::CloneChildrenOver(UserCapsule& copy) const {
    const int common = std::min(ChildCount(), copy.ChildCount());
    for (int i = 0; i < common; ++i)
        if (Node::Ptr child = Child(i)->Clone()) copy.ReplaceChildAt(i, child);
}

ConstantCapsule::ConstantCapsule()
    : UserCapsule(kConstantCapsuleId, "ConstantCapsule", kArityNone) {}

Node::Ptr ConstantCapsule::Clone() {
    auto copy = Safe::MakeX<ConstantCapsule>();
    CopyIdentityTo(*copy);
    copy->values_ = values_;
    return copy;
}

}  // namespace Core
