#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "functions/families.h"
#include "model/map_capsule.h"
#include "model/math_map.h"
#include "model/versatile_capsule.h"
#include "tests/model/map_reference.h"

namespace {

using Core::Complex;
using Core::MapCapsule;
using Core::MathMap;
using Core::Node;
using Core::NodeMap;

class MathMapTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

std::vector<std::string> Names(const std::vector<NodeMap::Ptr>& maps) {
    std::vector<std::string> names;
    for (const auto& map : maps) names.push_back(map->GetName());
    return names;
}

// A function definition whose root is a Sum holding references to the given definitions.
NodeMap::Ptr Referring(const std::string& name, const std::vector<NodeMap::Ptr>& targets) {
    NodeMap::Ptr map = NodeMap::CreateFunction(name);
    map->ReplaceNode("m", Node::Create(208));
    for (const auto& target : targets) map->AddNode("Sum", MapReference(target));
    return map;
}

TEST_F(MathMapTest, CreateModelHoldsXAndModel) {
    MathMap::Ptr m1 = MathMap::CreateModel("m1");
    EXPECT_EQ(m1->GetName(), L"m1");
    EXPECT_EQ(Names(m1->GetMaps()), (std::vector<std::string>{"x", "model"}));
    EXPECT_FALSE(m1->FindMap("x")->IsActive());
    EXPECT_EQ(Names(m1->GetEvaluationOrder()), std::vector<std::string>{"model"});
    EXPECT_EQ(Names(m1->GetInactiveMaps()), std::vector<std::string>{"x"});
}

TEST_F(MathMapTest, DefinitionNamesAreUniqueAndObjectsAddedOnce) {
    MathMap::Ptr m = MathMap::CreateModel("m");
    NodeMap::Ptr second = NodeMap::CreateFunction("model");
    EXPECT_EQ(m->AddMap(second)->GetName(), "model@1");
    EXPECT_EQ(m->AddMap(NodeMap::CreateFunction("model"))->GetName(), "model@2");
    EXPECT_TRUE(m->AddMap(second).IsNull());
    EXPECT_TRUE(m->AddMap(NodeMap::Ptr()).IsNull());
    EXPECT_FALSE(m->SetMapName("model", "x"));
    EXPECT_FALSE(m->SetMapName("missing", "y"));
    EXPECT_TRUE(m->SetMapName("model@2", "y"));
    EXPECT_TRUE(m->GetMapAt(3)->GetName() == "y");
    EXPECT_TRUE(m->GetMapAt(4).IsNull());
    EXPECT_TRUE(m->GetMapAt(-1).IsNull());
    m->Clear();
    EXPECT_EQ(m->MapCount(), 0);
    EXPECT_TRUE(m->GetEvaluationOrder().empty());
}

// The names each sequence leaves, worked out from the rule: a taken name becomes its text up to
// and including its first "@" (or the name and "@") followed by m, where m starts at 1 and
// each name of the model that begins with that text, in order, makes m one more than the
// larger of m and the number after the text.
TEST_F(MathMapTest, DefinitionNamesFollowTheCountingRuleThroughRemovalsAndRenames) {
    struct Case {
        std::vector<std::string> steps;  // "add N", "remove N", "set OLD NEW" (from outside)
        std::vector<std::string> names;
    };
    const std::vector<Case> cases = {
        {{"add a", "add a", "add a"}, {"a", "a@1", "a@2"}},
        {{"add a@5", "add a@1", "add a", "add a"}, {"a@5", "a@1", "a", "a@7"}},
        {{"add a", "add a", "add a", "remove a@2", "add a"}, {"a", "a@1", "a@2"}},
        {{"add a", "add a", "remove a@1", "add a"}, {"a", "a@1"}},
        {{"add a", "add a", "set a@1 b", "add a"}, {"a", "b", "a@1"}},
        {{"add a", "add b", "set b a@4", "add a", "add a@4"}, {"a", "a@4", "a@5", "a@6"}},
        {{"add a:1", "add a:1", "add a:1@1"}, {"a:1", "a:1@1", "a:1@2"}},
        {{"add a@b", "add a@b"}, {"a@b", "a@2"}},
    };
    for (const Case& c : cases) {
        MathMap::Ptr m = Safe::MakeX<MathMap>();
        std::string trace;
        for (const std::string& step : c.steps) {
            trace += step + "; ";
            const std::size_t blank = step.find(' ', 4);
            const std::string first = step.substr(step.find(' ') + 1, blank - step.find(' ') - 1);
            if (step.rfind("add", 0) == 0) {
                m->AddMap(NodeMap::CreateFunction(first));
            } else if (step.rfind("remove", 0) == 0) {
                m->RemoveMap(first);
            } else {
                ASSERT_TRUE(m->FindMap(first)) << trace;
                m->FindMap(first)->SetName(step.substr(blank + 1));
            }
        }
        EXPECT_EQ(Names(m->GetMaps()), c.names) << trace;
    }
}

TEST_F(MathMapTest, DefinitionsAreEvaluatedAfterThoseTheyReferTo) {
    MathMap::Ptr m = Safe::MakeX<MathMap>();
    NodeMap::Ptr c = NodeMap::CreateFunction("C");
    NodeMap::Ptr b = Referring("B", {c});
    NodeMap::Ptr a = Referring("A", {b});
    m->AddMap(a);
    m->AddMap(b);
    m->AddMap(c);
    EXPECT_EQ(Names(m->GetEvaluationOrder()), (std::vector<std::string>{"C", "B", "A"}));
    c->GetRoot()->SetValue({5, 0}, 0);
    m->EvaluateAll();
    EXPECT_EQ(a->GetValues()[0], Complex(5, 0));
}

TEST_F(MathMapTest, LongChainsOfReferencesAreOrdered) {
    // Each definition refers to the next. Following references through made ordering a chain
    // cost far more than its square (300 definitions took tens of seconds); its growth is
    // measured in bench/growth_bench.cpp.
    constexpr int n = 300;
    std::vector<NodeMap::Ptr> chain;
    for (int i = 0; i < n; ++i) chain.push_back(NodeMap::CreateFunction("d" + std::to_string(i)));
    for (int i = 0; i + 1 < n; ++i) chain[i]->ReplaceNode("m", MapReference(chain[i + 1]));
    MathMap::Ptr m = Safe::MakeX<MathMap>();
    for (const NodeMap::Ptr& map : chain) m->AddMap(map);
    ASSERT_EQ(m->GetEvaluationOrder().size(), static_cast<std::size_t>(n));
    EXPECT_EQ(m->GetEvaluationOrder().front(), chain.back());
    EXPECT_EQ(m->GetEvaluationOrder().back(), chain.front());
}

TEST_F(MathMapTest, CyclesAreReportedAndLeftOutOfTheOrder) {
    MathMap::Ptr m = Safe::MakeX<MathMap>();
    NodeMap::Ptr a = NodeMap::CreateFunction("A");
    NodeMap::Ptr b = Referring("B", {a});
    NodeMap::Ptr c = Referring("C", {b});
    NodeMap::Ptr d = Referring("D", {});
    m->AddMap(a);
    m->AddMap(b);
    m->AddMap(c);
    m->AddMap(d);
    // Close the cycle A -> C -> B -> A; D stays outside.
    a->ReplaceNode("m", Node::Create(208));
    a->AddNode("Sum", MapReference(c));
    m->RebuildOrder();
    EXPECT_EQ(Names(m->GetCycleMaps()), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(Names(m->GetEvaluationOrder()), std::vector<std::string>{"D"});
    // Evaluating into the cycle ends, with the values the cycle members held.
    EXPECT_EQ(a->Evaluate(), Complex(0, 0));
    EXPECT_FALSE(a->GetReferences().empty());
    EXPECT_TRUE(m->GetReferableMaps(a) == std::vector<NodeMap::Ptr>{d});
}

TEST_F(MathMapTest, ReferableMapsExcludeIndirectReferrers) {
    MathMap::Ptr m = MathMap::CreateModel("m");
    NodeMap::Ptr target = NodeMap::CreateFunction("t");
    NodeMap::Ptr direct = Referring("d", {target});
    NodeMap::Ptr indirect = Referring("i", {direct});
    indirect->SetActive(false);
    for (const auto& map : {target, direct, indirect}) m->AddMap(map);
    EXPECT_EQ(Names(m->GetReferableMaps(target)), (std::vector<std::string>{"x", "model"}));
    EXPECT_TRUE(m->GetReferableMaps(NodeMap::Ptr()).empty());
}

TEST_F(MathMapTest, RemovingAReferencedDefinitionLeavesABasicNode) {
    MathMap::Ptr m = MathMap::CreateModel("m");
    NodeMap::Ptr target = m->AddMap(NodeMap::CreateFunction("t"));
    NodeMap::Ptr user = m->AddMap(Referring("u", {target}));
    const int steps = user->UndoCount();
    EXPECT_EQ(m->RemoveMap("t"), target);
    Node::Ptr replaced = user->FindNode("ref");
    ASSERT_TRUE(replaced);
    EXPECT_EQ(replaced->GetTypeId(), 100);
    EXPECT_EQ(user->UndoCount(), steps + 1);
    EXPECT_TRUE(m->RemoveMap("t").IsNull());
}

// References that only undo steps and replaced nodes still hold tie definitions to each other:
// a model that lets go of its definitions lets go of those too.
TEST_F(MathMapTest, DefinitionsTiedByTheirHistoriesAreFreedWithTheModel) {
    for (const bool clear : {false, true}) {
        MathMap::Ptr m = Safe::MakeX<MathMap>();
        NodeMap::Ptr a = m->AddMap(Referring("A", {}));
        NodeMap::Ptr b = m->AddMap(Referring("B", {}));
        a->AddNode("Sum", MapReference(b, "toB"));
        a->RemoveNode("toB");
        b->AddNode("Sum", MapReference(a, "toA"));
        b->RemoveNode("toA");
        ASSERT_EQ(a->GetReferences().size(), 0u);
        if (clear)
            m->Clear();
        else
            m = nullptr;
        EXPECT_EQ(a->RefCount(), 1u) << "clear " << clear;  // held by this test alone
        EXPECT_EQ(b->RefCount(), 1u) << "clear " << clear;
        EXPECT_EQ(a->UndoCount() + a->RedoCount(), 0);
        EXPECT_TRUE(a->GetPreviousRoot().IsNull());
    }
}

TEST_F(MathMapTest, NullAndForeignReferencesAreDangling) {
    MathMap::Ptr m = MathMap::CreateModel("m");
    MathMap::Ptr other = MathMap::CreateModel("other");
    NodeMap::Ptr user = m->AddMap(Referring("u", {other->FindMap("model")}));
    user->AddNode("Sum", Safe::MakeX<MapCapsule>());  // bound to nothing
    m->ReplaceDanglingMaps();
    EXPECT_TRUE(user->FindNodesByType(10).empty());
    EXPECT_EQ(user->FindNodesByType(100).size(), 3u);  // c, ref, map
}

TEST_F(MathMapTest, CloneRelinksReferencesToItsOwnDefinitions) {
    MathMap::Ptr m = MathMap::CreateModel("m1");
    NodeMap::Ptr a = m->AddMap(NodeMap::CreateFunction("a"));
    a->GetRoot()->SetValue({3, 0}, 0);
    m->FindMap("model")->ReplaceNode("m", MapReference(a, "u"));
    MathMap::Ptr copy = MathMap::Clone(m);
    EXPECT_EQ(copy->GetName(), L"clone-m1");
    EXPECT_EQ(Names(copy->GetMaps()), (std::vector<std::string>{"x", "model", "a"}));
    auto reference = Safe::DynamicCast<MapCapsule>(copy->FindMap("model")->GetRoot());
    ASSERT_TRUE(reference);
    EXPECT_EQ(reference->GetMap(), copy->FindMap("a"));
    EXPECT_EQ(Names(copy->GetEvaluationOrder()), (std::vector<std::string>{"a", "model"}));
    copy->EvaluateAll();
    EXPECT_EQ(copy->FindMap("model")->GetValues()[0], Complex(3, 0));
}

TEST_F(MathMapTest, MapCapsuleStandsForItsDefinition) {
    NodeMap::Ptr target = NodeMap::CreateFunction("t");
    auto reference = Safe::DynamicCast<MapCapsule>(MapReference(target));
    reference->SetValue({3, 0}, 0);
    EXPECT_EQ(target->GetRoot()->GetValue(), Complex(3, 0));
    EXPECT_EQ(reference->Evaluate(), Complex(3, 0));
    auto copy = Safe::DynamicCast<MapCapsule>(reference->Clone());
    EXPECT_EQ(copy->GetMap(), target);
    EXPECT_TRUE(copy->IsSameReference(*reference));
    EXPECT_FALSE(copy->IsSameReference(*Node::Create(100)));

    auto unbound = Safe::MakeX<MapCapsule>();
    unbound->SetValue({2, 0}, 0);
    EXPECT_EQ(unbound->Evaluate(), Complex(0, 0));
    EXPECT_TRUE(unbound->SetMap(NodeMap::Ptr()).IsNull());
    EXPECT_FALSE(unbound->IsSameReference(MapCapsule()));
}

TEST_F(MathMapTest, ReferencesOfAReferenceComeFirstAndOnce) {
    NodeMap::Ptr other = NodeMap::CreateFunction("o");
    NodeMap::Ptr middle = Referring("mid", {other, other});
    Node::Ptr reference = MapReference(middle);
    std::vector<Node*> references;
    reference->CollectReferences(references);
    ASSERT_EQ(references.size(), 2u);
    EXPECT_EQ(dynamic_cast<MapCapsule&>(*references[0]).GetMap(), other);
    EXPECT_EQ(references[1], reference);
}

TEST_F(MathMapTest, VersatileCapsuleEvaluatesItsPrivateModel) {
    // f = 2 * k, where k is a parameter definition that becomes the capsule's input.
    MathMap::Ptr inner = Safe::MakeX<MathMap>();
    NodeMap::Ptr k = inner->AddMap(NodeMap::CreateFunction("k"));
    NodeMap::Ptr f = inner->AddMap(NodeMap::CreateFunction("f"));
    Node::Ptr times = Node::Create(202);
    f->ReplaceNode("m", times);
    f->ReplaceNode("a", MapReference(k));
    f->FindNode("b")->SetValue({2, 0}, 0);
    inner->RelinkMaps();

    auto capsule = Safe::DynamicCast<Core::VersatileCapsule>(Node::Create(11));
    ASSERT_TRUE(capsule);
    EXPECT_EQ(capsule->Evaluate(), Complex(0, 0));  // no model yet
    EXPECT_TRUE(capsule->SelectDefinition(MathMap::Ptr(), "f").IsNull());
    ASSERT_TRUE(capsule->SelectDefinition(inner, "f"));
    EXPECT_EQ(capsule->GetName(), "f");
    ASSERT_EQ(capsule->ChildCount(), 1);
    EXPECT_EQ(capsule->GetChild(0)->GetName(), "k");
    capsule->GetChild(0)->SetValue({4, 0}, 0);
    EXPECT_EQ(capsule->Evaluate(), Complex(8, 0));

    Node::Ptr copy = capsule->Clone();
    copy->GetChild(0)->SetValue({5, 0}, 0);
    EXPECT_EQ(copy->Evaluate(), Complex(10, 0));
    EXPECT_EQ(capsule->Evaluate(), Complex(8, 0));
}

}  // namespace
