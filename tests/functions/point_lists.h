#pragma once
// Building point lists and evaluating the functions that read them.
#include <utility>
#include <vector>

#include "model/node.h"

namespace PointLists {

using Core::Complex;
using Core::Node;
using Points = std::vector<std::pair<double, double>>;

inline Node::Ptr Point(double x, double y) {
    Node::Ptr point = Node::Create(899);
    point->GetChild(0)->SetValue(Complex(x, 0), 0);
    point->GetChild(1)->SetValue(Complex(y, 0), 0);
    return point;
}

inline Node::Ptr List(const Points& points) {
    Node::Ptr list = Node::Create(2102);
    for (const auto& [x, y] : points) list->AddChild(Point(x, y));
    return list;
}

// A new node of the type whose child 1 (the point source) is a list of the points.
inline Node::Ptr Over(int typeId, const Points& points) {
    Node::Ptr node = Node::Create(typeId);
    node->ReplaceChildAt(1, List(points));
    return node;
}

inline Complex At(Node& node, Complex s) {
    node.GetChild(0)->SetValue(s, 0);
    return node.Evaluate();
}

inline double RealAt(Node& node, double x) {
    return At(node, Complex(x, 0)).real();
}

}  // namespace PointLists
