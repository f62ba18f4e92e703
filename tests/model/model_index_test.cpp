// The definition-name index of a model through renames made from outside, and models as large
// as a file may hold: long chains of references ordered and evaluated without a deep stack.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "functions/families.h"
#include "model/current.h"
#include "model/map_capsule.h"
#include "model/math_map.h"
#include "model/math_spectrum.h"
#include "tests/model/map_reference.h"

namespace {

using Core::Complex;
using Core::MapCapsule;
using Core::MathMap;
using Core::Node;
using Core::NodeMap;

class ModelIndexTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

TEST_F(ModelIndexTest, DefinitionsRenamedFromOutsideAreFoundByTheirNewNames) {
    MathMap::Ptr model = MathMap::CreateModel("m");
    NodeMap::Ptr a = model->AddMap(NodeMap::CreateFunction("a"));
    a->SetName("b");  // as an explorer renames it
    EXPECT_FALSE(model->HasMapName("a"));
    EXPECT_EQ(model->FindMap("b"), a);
    EXPECT_EQ(model->AddMap(NodeMap::CreateFunction("a"))->Name(), "a");
    EXPECT_EQ(model->AddMap(NodeMap::CreateFunction("b"))->Name(), "b@1");
    EXPECT_TRUE(model->SetMapName("b", "c"));
    EXPECT_EQ(model->FindMap("c"), a);
    // Renamed onto another's name: the first of the list answers, and each is found again
    // once the names differ.
    NodeMap::Ptr second = model->FindMap("a");
    a->SetName("a");
    EXPECT_EQ(model->FindMap("a"), a);
    a->SetName("d");
    EXPECT_EQ(model->FindMap("a"), second);

    ASSERT_EQ(model->RemoveMap("d"), a);
    EXPECT_FALSE(model->HasMap(a));
    a->SetName("e");  // no longer the model's concern
    EXPECT_FALSE(model->HasMapName("e"));
    EXPECT_TRUE(model->AddMap(a));
    EXPECT_EQ(model->FindMap("e"), a);

    model = nullptr;
    a->SetName("f");  // the model is gone: nobody is told
    EXPECT_EQ(a->Name(), "f");
}

TEST_F(ModelIndexTest, AChainOfAHundredThousandReferencesIsOrderedAndEvaluated) {
    constexpr int n = 100000;
    std::vector<NodeMap::Ptr> chain;
    for (int i = 0; i < n; ++i) {
        chain.push_back(NodeMap::CreateFunction("d" + std::to_string(i)));
        if (i > 0) chain[i]->SetRoot(MapReference(chain[i - 1], "r"));
    }
    chain[0]->GetRoot()->SetValue({3, -1}, 0);
    MathMap::Ptr model = MathMap::CreateModel("m");
    model->FindMap("model")->SetRoot(MapReference(chain.back(), "r"));
    model->AddMaps(chain);
    ASSERT_EQ(model->GetEvaluationOrder().size(), static_cast<std::size_t>(n + 1));
    EXPECT_EQ(model->GetEvaluationOrder().front(), chain.front());
    model->EvaluateAll();
    EXPECT_EQ(model->FindMap("model")->Value(), Complex(3, -1));
    chain[0]->GetRoot()->SetValue({4, 0}, 0);
    model->EvaluateAll();
    EXPECT_EQ(model->FindMap("model")->Value(), Complex(4, 0));
    // Outside the model's pass a reference evaluates its definition, some hundreds deep at most.
    EXPECT_EQ(model->FindMap("model")->Evaluate(), Complex(4, 0));

    // Over a grid, by columns and at the last point by the per-point path: the chain passes
    // the abscissa on.
    chain[0]->SetRoot(MapReference(model->FindMap("x"), "r"));
    model->RebuildOrder();
    Core::Models().Add(model);
    auto spectrum = Safe::MakeX<Core::MathSpectrum>();
    spectrum->Resize(3);
    for (int i = 0; i < 3; ++i) (*spectrum->X())[static_cast<std::size_t>(i)] = i + 1.0;
    NodeMap::Ptr output = model->FindMap("model");
    spectrum->GetUnit()->Bind(model, output, output->GetRoot(), model->FindMap("x"));
    ASSERT_TRUE(spectrum->GetUnit()->EvaluateAll(spectrum->X(), spectrum->Re(), spectrum->Im()));
    EXPECT_EQ(spectrum->Re()->Values(), (std::vector<double>{1, 2, 3}));
}

}  // namespace
