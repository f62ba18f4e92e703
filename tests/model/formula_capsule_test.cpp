#include <gtest/gtest.h>

#include "functions/families.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"
#include "model/math_map.h"

namespace {

using Core::Complex;
using Core::FormulaCapsule;
using Core::MapCapsule;
using Core::MathMap;
using Core::Node;
using Core::NodeMap;

class FormulaCapsuleTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

Safe::XPtr<Formula> Define(const std::string& text) {
    auto formula = Safe::MakeX<Formula>();
    EXPECT_TRUE(formula->Define(text, false)) << formula->GetMessage();
    return formula;
}

Safe::XPtr<FormulaCapsule> Capsule(const std::string& text) {
    auto capsule = Safe::DynamicCast<FormulaCapsule>(Node::Create(12));
    capsule->SetFormula(Define(text));
    return capsule;
}

Node::Ptr Reference(const NodeMap::Ptr& map, const std::string& name) {
    auto reference = Safe::MakeX<MapCapsule>();
    reference->SetName(name);
    reference->SetMap(map);
    return reference;
}

TEST_F(FormulaCapsuleTest, ArgumentsBecomeBasicChildren) {
    Safe::XPtr<FormulaCapsule> capsule = Capsule("f(x,w)=x*w");
    EXPECT_EQ(capsule->GetName(), "f");
    EXPECT_EQ(capsule->GetSymbolName(), "f");
    ASSERT_EQ(capsule->ChildCount(), 2);
    EXPECT_EQ(capsule->GetChild(0)->GetName(), "x");
    EXPECT_EQ(capsule->GetChild(1)->GetName(), "w");
    EXPECT_EQ(capsule->GetChild(1)->ParentNode(), capsule.Get());
    capsule->GetChild(0)->SetValue({3, 0}, 0);
    capsule->GetChild(1)->SetValue({0, 2}, 0);
    EXPECT_EQ(capsule->Evaluate(), Complex(0, 6));

    // A formula without arguments renames the capsule and keeps the old, unused children.
    EXPECT_TRUE(capsule->SetFormula(Define("Error()=0.0")));
    EXPECT_EQ(capsule->GetName(), "Error");
    EXPECT_EQ(capsule->ChildCount(), 2);
    EXPECT_EQ(capsule->Evaluate(), Complex(0, 0));
    EXPECT_FALSE(capsule->SetFormula(Safe::XPtr<Formula>()));
}

TEST_F(FormulaCapsuleTest, WithoutAFormulaItEvaluatesToZero) {
    auto empty = Safe::DynamicCast<FormulaCapsule>(Node::Create(12));
    EXPECT_EQ(empty->Evaluate(), Complex(0, 0));
    EXPECT_EQ(empty->GetFormulaText(), "");
    Node::Ptr copy = empty->Clone();
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Evaluate(), Complex(0, 0));
}

TEST_F(FormulaCapsuleTest, CloneHasItsOwnFormulaAndChildren) {
    Safe::XPtr<FormulaCapsule> capsule = Capsule("g(a,b)=a-b");
    capsule->GetChild(0)->SetValue({5, 0}, 0);
    capsule->GetChild(1)->SetValue({2, 0}, 0);
    capsule->SetSource("library");
    auto copy = Safe::DynamicCast<FormulaCapsule>(capsule->Clone());
    ASSERT_TRUE(copy);
    EXPECT_NE(copy->GetFormula(), capsule->GetFormula());
    EXPECT_EQ(copy->GetFormulaText(), capsule->GetFormulaText());
    EXPECT_EQ(copy->GetSource(), "library");
    EXPECT_EQ(copy->Evaluate(), Complex(3, 0));
    EXPECT_NE(copy->GetChild(0), capsule->GetChild(0));
}

// Model m1: a(t) = t*t of x, and the model m(u) = 2*u+1 of a.
MathMap::Ptr BuildM1() {
    MathMap::Ptr m1 = MathMap::CreateModel("m1");
    NodeMap::Ptr a = m1->AddMap(NodeMap::CreateFunction("a"));
    a->ReplaceNode("m", Capsule("a(t)=t*t"));
    a->ReplaceNode("t", Reference(m1->FindMap("x"), "t"));
    NodeMap::Ptr model = m1->FindMap("model");
    model->ReplaceNode("m", Capsule("m(u)=2*u+1"));
    model->ReplaceNode("u", Reference(a, "u"));
    m1->RebuildOrder();
    return m1;
}

std::vector<double> Sweep(const MathMap::Ptr& model) {
    std::vector<double> values;
    for (double x : {1.0, 2.0, 3.0}) {
        model->FindMap("x")->SetValue({x, 0}, 0);
        model->EvaluateAll();
        values.push_back(model->FindMap("model")->GetValues()[0].real());
    }
    return values;
}

TEST_F(FormulaCapsuleTest, ModelOfFormulasEvaluatesInDependencyOrder) {
    MathMap::Ptr m1 = BuildM1();
    std::vector<std::string> order;
    for (const auto& map : m1->GetEvaluationOrder()) order.push_back(map->GetName());
    EXPECT_EQ(order, (std::vector<std::string>{"a", "model"}));
    EXPECT_EQ(Sweep(m1), (std::vector<double>{3, 9, 19}));

    MathMap::Ptr copy = MathMap::Clone(m1);
    EXPECT_EQ(copy->GetName(), L"clone-m1");
    auto u = Safe::DynamicCast<MapCapsule>(copy->FindMap("model")->FindNode("u"));
    ASSERT_TRUE(u);
    EXPECT_EQ(u->GetMap(), copy->FindMap("a"));
    auto t = Safe::DynamicCast<MapCapsule>(copy->FindMap("a")->FindNode("t"));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->GetMap(), copy->FindMap("x"));
    EXPECT_EQ(Sweep(copy), (std::vector<double>{3, 9, 19}));
}

}  // namespace
