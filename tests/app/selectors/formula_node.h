#pragma once
// A formula node defined by its text.
#include <gtest/gtest.h>

#include <string>

#include "formula/formula.h"
#include "model/formula_capsule.h"

inline Core::Node::Ptr FormulaNode(const std::string& text) {
    auto formula = Safe::MakeX<Formula>();
    EXPECT_TRUE(formula->Define(text, false));
    auto node = Safe::MakeX<Core::FormulaCapsule>();
    node->SetFormula(formula);
    return node;
}
