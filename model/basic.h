#pragma once
// The free complex parameter: the leaf of every function's parameters and the root of every new
// definition.
#include "model/node.h"

namespace Capsule {

class Basic final : public Core::Node {
public:
    Basic();
    // Stores the value, tells the parent, and lets a point list rebuild when asked to.
    void SetValue(const Core::Complex& value, int index) override;
};

}  // namespace Capsule
