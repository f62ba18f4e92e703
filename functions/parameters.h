#pragma once
// Construction of the parameter children of function nodes.
#include <string>

#include "model/node.h"

namespace Capsule {

// A new parameter node of class T with its name and default value.
template <class T>
Core::Node::Ptr MakeParameter(const std::string& name, const Core::Complex& value) {
    Core::Node::Ptr parameter = Safe::MakeX<T>();
    parameter->SetName(name);
    parameter->SetValue(value, 0);
    return parameter;
}

// A new parameter node of class T that keeps its class's default value.
template <class T>
Core::Node::Ptr MakeParameter(const std::string& name) {
    Core::Node::Ptr parameter = Safe::MakeX<T>();
    parameter->SetName(name);
    return parameter;
}

}  // namespace Capsule
