#include "model/basic.h"

#include "model/factory.h"

namespace Capsule {

Basic::Basic() {
    Identify(Core::kBasicId, "c", Core::kArityNone);
    holdsValue_ = true;
    active_ = 1;
    values_[0] = Core::Complex(1.0, 0.0);
}

void Basic::SetValue(const Core::Complex& value, int index) {
    Node::SetValue(value, index);
    Node* parent = ParentNode();
    if (!parent) return;
    parent->NotifyChanged();
    if (parentRefresh_) parent->Prepare(this);
}

}  // namespace Capsule
