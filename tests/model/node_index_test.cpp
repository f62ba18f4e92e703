// The node-name index of a definition against a scan of its tree, through renames made from
// outside the definition, edits, undo, redo and forgotten histories.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "functions/families.h"
#include "model/formula_capsule.h"
#include "model/node_map.h"

namespace {

using Core::Node;
using Core::NodeMap;

class NodeIndexTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

const std::vector<std::string> kNames = {"a", "a:1", "a:2", "b", "c:1", "Sum", "f", "g"};

// Every name ever seen is found as a scan of the tree finds it: the first node of the node list
// bearing it now, none when no node of the tree bears it; the list holds exactly the tree.
void ExpectIndexIsAScanOfTheTree(const NodeMap& map, const std::set<std::string>& seen) {
    std::vector<Node::Ptr> tree;
    if (map.GetRoot()) {
        tree = map.GetRoot()->GetDescendants();
        tree.push_back(map.GetRoot());
    }
    std::set<Node*> inTree, listed;
    for (const Node::Ptr& node : tree) inTree.insert(node.Get());
    for (const Node::Ptr& node : map.Nodes()) listed.insert(node.Get());
    ASSERT_EQ(listed, inTree);
    ASSERT_EQ(map.Nodes().size(), tree.size());
    for (const std::string& name : seen) {
        Node::Ptr first;
        for (const Node::Ptr& node : map.Nodes())
            if (!first && node->Name() == name) first = node;
        ASSERT_EQ(map.FindNode(name), first) << name;
    }
    for (const Node::Ptr& node : tree) ASSERT_TRUE(map.Contains(node));
}

TEST_F(NodeIndexTest, ANodeRenamedAndDroppedIsNeverFoundAgain) {
    NodeMap::Ptr map = NodeMap::CreateFunction("f");
    map->ReplaceNode("m", Node::Create(208));
    Node::Ptr node = Node::Create(100);
    node->SetName("c:1");
    ASSERT_TRUE(map->AddNode("Sum", node));
    node->SetName("d");
    EXPECT_FALSE(map->HasNodeName("c:1"));
    EXPECT_EQ(map->FindNode("d"), node);
    ASSERT_TRUE(map->RemoveNode("d"));
    EXPECT_FALSE(map->Contains(node));
    map->ForgetHistory();
    node = nullptr;
    EXPECT_EQ(map->FindNode("c:1"), Node::Ptr());
    EXPECT_EQ(map->FindNode("d"), Node::Ptr());
    // The name is free again: a new node takes it as it is.
    Node::Ptr again = Node::Create(100);
    again->SetName("c:1");
    ASSERT_TRUE(map->AddNode("Sum", again));
    EXPECT_EQ(again->Name(), "c:1");
}

TEST_F(NodeIndexTest, UndoAndRedoAfterARenameGiveTheNamesBack) {
    NodeMap::Ptr map = NodeMap::CreateFunction("f");
    map->ReplaceNode("m", Node::Create(208));
    std::vector<Node::Ptr> nodes;
    for (int i = 0; i < 3; ++i) {
        nodes.push_back(Node::Create(100));
        nodes.back()->SetName("a");
        ASSERT_TRUE(map->AddNode("Sum", nodes.back()));
    }
    nodes[2]->SetName("x");  // a, a:1, x: the name a:2 is free
    Node::Ptr next = Node::Create(100);
    next->SetName("a:2");
    ASSERT_TRUE(map->AddNode("Sum", next));
    EXPECT_EQ(next->Name(), "a:2");
    ASSERT_TRUE(map->RemoveNode("a:2"));
    ASSERT_TRUE(map->Undo());
    EXPECT_EQ(next->Name(), "a:2");
    ASSERT_TRUE(map->Redo());
    ASSERT_TRUE(map->Undo());
    EXPECT_EQ(next->Name(), "a:2");
    EXPECT_EQ(map->FindNode("x"), nodes[2]);
}

// Random edits by every path that renames, adds or removes a node; after each the index
// equals a scan of the tree. Runs under the sanitizers too: a stale index entry reads a freed
// node there.
TEST_F(NodeIndexTest, RandomEditsKeepTheIndexTrue) {
    std::mt19937 random(22);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    auto formula = Safe::MakeX<Formula>();
    ASSERT_TRUE(formula->Define("g(a, b) = a + b", false)) << formula->GetMessage();
    for (int round = 0; round < 20; ++round) {
        NodeMap::Ptr map = NodeMap::CreateFunction("f");
        map->ReplaceNode("m", Node::Create(208));
        std::set<std::string> seen(kNames.begin(), kNames.end());
        for (int step = 0; step < 200; ++step) {
            const std::vector<Node::Ptr> nodes = map->Nodes();
            Node::Ptr some = nodes.empty() ? Node::Ptr() : nodes[pick(nodes.size())];
            const std::size_t kind = pick(9);
            SCOPED_TRACE(kind);
            switch (kind) {
                case 0:
                case 1: {  // add a leaf, a sum or a formula under some sum
                    auto sums = map->FindNodesByType(208);
                    if (sums.empty()) break;
                    static const int kTypes[] = {100, 208, 12};
                    Node::Ptr node = Node::Create(kTypes[pick(3)]);
                    if (auto capsule = Safe::DynamicCast<Core::FormulaCapsule>(node))
                        capsule->SetFormula(formula);
                    node->SetName(kNames[pick(kNames.size())]);
                    map->AddNode(sums[pick(sums.size())]->Name(), node);
                    break;
                }
                case 2:  // rename through the node
                    if (some) some->SetName(kNames[pick(kNames.size())]);
                    break;
                case 3:  // a formula renames itself and replaces its arguments
                    for (auto& node : map->FindNodesByType(12))
                        Safe::DynamicCast<Core::FormulaCapsule>(node)->SetFormula(formula);
                    break;
                case 4:
                    if (some) map->RemoveNode(some->Name());
                    break;
                case 5:  // removed from outside the definition
                    if (some && some->ParentNode() && some->ParentNode()->IsVariadic())
                        some->ParentNode()->RemoveChildByName(some->Name());
                    break;
                case 6: map->Undo(); break;
                case 7: map->Redo(); break;
                default: map->ForgetHistory(); break;
            }
            for (const Node::Ptr& node : map->Nodes()) seen.insert(node->Name());
            ExpectIndexIsAScanOfTheTree(*map, seen);
            if (HasFatalFailure()) return;
            if (!map->GetRoot()) map->SetRoot(Node::Create(208));
        }
    }
}

}  // namespace
