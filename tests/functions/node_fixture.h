#pragma once
// A fixture for tests of function nodes: the families registered, the anchor settings at their
// defaults, and nodes made with their children set.
#include <gtest/gtest.h>

#include <complex>
#include <vector>

#include "functions/families.h"
#include "model/anchors.h"
#include "model/node.h"

class FunctionNodeTest : public ::testing::Test {
protected:
    using Complex = std::complex<double>;
    using Node = Core::Node;

    void SetUp() override {
        Capsule::RegisterFamilies();
        Core::SetForceMode(Core::ForceMode::kNone);
        Core::SetAnchorAxisMode(Core::AnchorAxisMode::kBoth);
    }
    void TearDown() override {
        Core::SetForceMode(Core::ForceMode::kNone);
        Core::SetAnchorAxisMode(Core::AnchorAxisMode::kBoth);
    }

    // A new node of the type with its first children set to values.
    static Node::Ptr Make(int id, const std::vector<Complex>& values) {
        Node::Ptr node = Node::Create(id);
        for (std::size_t i = 0; i < values.size() && static_cast<int>(i) < node->ChildCount(); ++i)
            node->GetChild(static_cast<int>(i))->SetValue(values[i], 0);
        return node;
    }
    // The node's value with child 0 (the abscissa) set to x.
    static Complex At(const Node::Ptr& node, double x) {
        node->GetChild(0)->SetValue(Complex(x, 0), 0);
        return node->Evaluate();
    }
    static double Value(const Node::Ptr& node, int child) {
        return node->GetChild(child)->GetValue().real();
    }
    // Within a relative tolerance of the wanted value.
    static void ExpectClose(const Complex& got, const Complex& want, double tolerance = 1e-14) {
        EXPECT_LE(std::abs(got - want), tolerance * std::abs(want) + 1e-300)
            << got << " want " << want;
    }
};
