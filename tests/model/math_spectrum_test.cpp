#include <gtest/gtest.h>

#include "functions/families.h"
#include "model/current.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"
#include "model/math_spectrum.h"
#include "tests/model/map_reference.h"

namespace {

using Core::Complex;
using Core::MathMap;
using Core::MathSpectrum;
using Core::MathUnit;
using Core::Node;
using Core::NodeMap;

class MathSpectrumTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

// m(u) = u*u + 1 of the variable named variableName, in the model set under name.
MathMap::Ptr SquareModel(const std::string& name, const std::string& variableName = "x") {
    MathMap::Ptr model = Safe::MakeX<MathMap>();
    model->Label::SetName(name);
    NodeMap::Ptr variable = model->AddMap(NodeMap::CreateVariable(variableName));
    NodeMap::Ptr result = model->AddMap(NodeMap::CreateFunction("model"));
    auto formula = Safe::MakeX<Formula>();
    formula->Define("m(u)=u*u+1", false);
    auto capsule = Safe::DynamicCast<Core::FormulaCapsule>(Node::Create(12));
    capsule->SetFormula(formula);
    result->ReplaceNode("m", capsule);
    result->ReplaceNode("u", MapReference(variable, "u"));
    model->RebuildOrder();
    Core::Models().Add(model);
    return model;
}

void Bind(MathUnit& unit, const MathMap::Ptr& model, const std::string& variable = "x") {
    NodeMap::Ptr definition = model->FindMap("model");
    unit.Bind(model, definition, definition->GetRoot(), model->FindMap(variable));
}

Safe::XPtr<MathSpectrum> Grid(std::vector<double> xs) {
    auto spectrum = Safe::MakeX<MathSpectrum>();
    spectrum->Resize(static_cast<int>(xs.size()));
    for (std::size_t i = 0; i < xs.size(); ++i) (*spectrum->X())[i] = xs[i];
    return spectrum;
}

std::vector<double> Real(const Safe::XPtr<MathSpectrum>& spectrum) {
    return spectrum->Re()->Values();
}

TEST_F(MathSpectrumTest, RefreshEvaluatesTheBoundNodeOverTheGrid) {
    MathMap::Ptr m1 = SquareModel("m1");
    auto spectrum = Grid({1, 2, 3});
    Bind(*spectrum->GetUnit(), m1);
    EXPECT_TRUE(spectrum->Refresh());
    EXPECT_EQ(Real(spectrum), (std::vector<double>{2, 5, 10}));
    EXPECT_EQ(spectrum->GetUnit()->GetLabel(), "m1.model.m");
    m1->FindMap("model")->GetRoot()->SetName("renamed");  // the node by another name is gone
    EXPECT_EQ(spectrum->GetUnit()->GetLabel(), "Undefined");
    m1->FindMap("model")->GetRoot()->SetName("m");
    Bind(*spectrum->GetUnit(), m1);
    EXPECT_EQ(spectrum->GetUnit()->EvaluateAt(4), Complex(17, 0));
    EXPECT_TRUE(spectrum->GetUnit()->EvaluateOutput(spectrum->X(), spectrum->Re(), spectrum->Im()));
    EXPECT_EQ(Real(spectrum), (std::vector<double>{2, 5, 10}));

    auto empty = Grid({});
    Bind(*empty->GetUnit(), m1);
    EXPECT_TRUE(empty->Refresh());
    EXPECT_EQ(empty->Size(), 0);
}

TEST_F(MathSpectrumTest, RenamedDefinitionUnbindsAndFillsZeros) {
    MathMap::Ptr m1 = SquareModel("m1");
    auto spectrum = Grid({1, 2});
    Bind(*spectrum->GetUnit(), m1);
    m1->SetMapName("model", "other");
    EXPECT_FALSE(spectrum->Refresh());
    EXPECT_EQ(Real(spectrum), (std::vector<double>{0, 0}));
    EXPECT_TRUE(spectrum->GetUnit()->GetModel().IsNull());
    EXPECT_TRUE(spectrum->GetUnit()->GetOutput().IsNull());
    EXPECT_TRUE(spectrum->GetUnit()->GetVariable().IsNull());
    EXPECT_EQ(spectrum->GetUnit()->GetLabel(), "Undefined");
    EXPECT_EQ(spectrum->GetUnit()->EvaluateAt(1), Complex(0, 0));
}

TEST_F(MathSpectrumTest, ReloadedModelIsFollowedByName) {
    MathMap::Ptr first = SquareModel("m1");
    auto spectrum = Grid({2});
    Bind(*spectrum->GetUnit(), first);
    Core::Models().Remove(L"m1");
    MathMap::Ptr second = SquareModel("m1");
    EXPECT_TRUE(spectrum->Refresh());
    EXPECT_EQ(spectrum->GetUnit()->GetModel(), second);
    EXPECT_EQ(spectrum->GetUnit()->GetOutput(), second->FindMap("model")->GetRoot());
}

TEST_F(MathSpectrumTest, MissingVariableFillsZerosButKeepsTheBinding) {
    MathMap::Ptr m1 = SquareModel("m1");
    auto spectrum = Grid({1, 2});
    Bind(*spectrum->GetUnit(), m1);
    spectrum->GetUnit()->SetVariable(NodeMap::Ptr());
    EXPECT_FALSE(spectrum->Refresh());
    EXPECT_EQ(Real(spectrum), (std::vector<double>{0, 0}));
    EXPECT_EQ(spectrum->GetUnit()->GetModel(), m1);
}

TEST_F(MathSpectrumTest, OtherVariablesEvaluateTheOutputExplicitly) {
    // The output node is not part of the evaluation order (its definition is inactive): only
    // the explicit evaluation of a variable other than "x" gives its values.
    MathMap::Ptr m = SquareModel("m", "t");
    m->FindMap("model")->SetActive(false);
    m->RebuildOrder();
    auto spectrum = Grid({1, 3});
    Bind(*spectrum->GetUnit(), m, "t");
    EXPECT_TRUE(spectrum->Refresh());
    EXPECT_EQ(Real(spectrum), (std::vector<double>{2, 10}));
}

TEST_F(MathSpectrumTest, DisabledUnitEvaluatesAPrivateCopy) {
    MathMap::Ptr clone = MathMap::Clone(SquareModel("m1"));
    ASSERT_TRUE(Core::Models().Find(clone->GetName()).IsNull());
    auto spectrum = Grid({3});
    Bind(*spectrum->GetUnit(), clone);
    spectrum->GetUnit()->enabled = false;
    EXPECT_TRUE(spectrum->Refresh());
    EXPECT_EQ(Real(spectrum), std::vector<double>{10});
}

TEST_F(MathSpectrumTest, ColumnsAreSizedToTheAbscissas) {
    MathMap::Ptr m1 = SquareModel("m1");
    MathUnit unit;
    Bind(unit, m1);
    auto x = Safe::MakeX<Data>(std::vector<double>{1, 2, 3});
    auto re = Safe::MakeX<Data>();
    auto im = Safe::MakeX<Data>(std::vector<double>{9});
    EXPECT_TRUE(unit.EvaluateAll(x, re, im));
    EXPECT_EQ(re->Values(), (std::vector<double>{2, 5, 10}));
    EXPECT_EQ(im->Values(), (std::vector<double>{0, 0, 0}));
}

TEST_F(MathSpectrumTest, BindCurrentTakesAllOrNothing) {
    MathMap::Ptr m1 = SquareModel("m1");
    Core::MenuCore::SetCurrentModel(m1);
    Core::MenuCore::SetCurrentDefinition(m1->FindMap("model"));
    Core::MenuCore::SetCurrentNode(Node::Ptr());
    MathUnit unit;
    EXPECT_FALSE(unit.BindCurrent());
    EXPECT_TRUE(unit.GetModel().IsNull());
    Core::MenuCore::SetCurrentNode(m1->FindMap("model")->GetRoot());
    EXPECT_TRUE(unit.BindCurrent());
    EXPECT_EQ(unit.GetVariable(), m1->FindMap("x"));
}

}  // namespace
