#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "functions/families.h"
#include "model/map_bar.h"
#include "model/node_map.h"
#include "tests/model/map_reference.h"
#include "tests/common/code_log.h"

namespace {

using Core::Complex;
using Core::Node;
using Core::NodeMap;

class NodeMapTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }

    // A function definition whose root is a Sum, so nodes can be added under it.
    static NodeMap::Ptr SumDefinition() {
        NodeMap::Ptr map = NodeMap::CreateFunction("f");
        map->ReplaceNode("m", Node::Create(208));
        return map;
    }
};

std::vector<std::string> Names(const NodeMap& map) {
    std::vector<std::string> names;
    for (const auto& node : map.Nodes()) names.push_back(node->GetName());
    return names;
}

// The tree as text, to compare whole trees before and after undo and redo.
std::string Shape(const Node::Ptr& node) {
    if (!node) return "-";
    std::string text = node->GetName() + "#" + std::to_string(node->GetTypeId());
    if (node->ChildCount() == 0) return text;
    text += "(";
    for (const auto& child : node->GetChildren()) text += Shape(child) + " ";
    return text + ")";
}

TEST_F(NodeMapTest, FunctionAndVariableDefinitions) {
    NodeMap::Ptr model = NodeMap::CreateFunction("model");
    EXPECT_EQ(model->GetName(), "model");
    EXPECT_EQ(model->GetRoot()->GetName(), "m");
    EXPECT_EQ(model->GetRoot()->GetTypeId(), 100);
    EXPECT_TRUE(model->IsActive());
    NodeMap::Ptr x = NodeMap::CreateVariable("x");
    EXPECT_EQ(x->GetRoot()->GetName(), "v");
    EXPECT_FALSE(x->IsActive());
    EXPECT_EQ(x->UndoCount(), 0);
}

// A value given to a definition reaches its root, and through a reference the definition it
// stands for: a reference back to the first, directly or through another, ends the walk there.
TEST_F(NodeMapTest, ValuesGivenThroughReferencesBackStopOnce) {
    NodeMap::Ptr self = NodeMap::CreateVariable("a");
    self->SetRoot(MapReference(self));
    self->SetValue(Complex(2.5, 0), 0);
    EXPECT_EQ(self->Value(), Complex(2.5, 0));
    EXPECT_EQ(self->GetRoot()->GetValue(), Complex(2.5, 0));

    NodeMap::Ptr a = NodeMap::CreateVariable("a"), b = NodeMap::CreateFunction("b");
    a->SetRoot(MapReference(b));
    b->SetRoot(MapReference(a));
    a->SetValue(Complex(-1, 0), 0);
    for (const NodeMap::Ptr& map : {a, b}) {
        EXPECT_EQ(map->Value(), Complex(-1, 0)) << map->GetName();
        EXPECT_EQ(map->GetRoot()->GetValue(), Complex(-1, 0)) << map->GetName();
    }
    for (const NodeMap::Ptr& map : {self, a, b}) {  // the references hold their definitions
        map->SetRoot(Node::Ptr());
        map->ForgetHistory();
    }
}

TEST_F(NodeMapTest, NodeNamesAreMadeUniqueByCounting) {
    NodeMap::Ptr map = SumDefinition();
    map->AddNode("Sum", Node::Create(208));
    EXPECT_TRUE(map->HasNodeName("Sum:1"));
    map->AddNode("Sum", Node::Create(208));
    EXPECT_TRUE(map->HasNodeName("Sum:2"));

    Node::Ptr taken = Node::Create(100);
    taken->SetName("a:b");
    map->AddNode("Sum", taken);
    Node::Ptr again = Node::Create(100);
    again->SetName("a:b");
    map->AddNode("Sum", again);
    EXPECT_EQ(again->GetName(), "a:2");

    Node::Ptr g5 = Node::Create(100);
    g5->SetName("G:5");
    map->AddNode("Sum", g5);
    Node::Ptr g1 = Node::Create(100);
    g1->SetName("G:1");
    map->AddNode("Sum", g1);
    Node::Ptr g = Node::Create(100);
    g->SetName("G:1");
    map->AddNode("Sum", g);
    EXPECT_EQ(g->GetName(), "G:7");
}

// The ":" rule written out over the names in list order: what a node named name becomes.
std::string CountedName(const std::vector<std::string>& names, const std::string& name) {
    auto taken = [&](const std::string& n) {
        return std::find(names.begin(), names.end(), n) != names.end();
    };
    if (!taken(name)) return name;
    const std::size_t at = name.find(':');
    const std::string base = at == std::string::npos ? name + ":" : name.substr(0, at + 1);
    long long m = 1;
    for (const std::string& other : names)
        if (other.compare(0, base.size(), base) == 0)
            m = std::max(m, static_cast<long long>(std::atoi(other.c_str() + base.size()))) + 1;
    while (taken(base + std::to_string(m))) ++m;
    return base + std::to_string(m);
}

// The node list holds exactly the root's tree, and each of its nodes is found by its name.
void ExpectIndexFollowsTheTree(const NodeMap& map) {
    std::vector<Node::Ptr> tree = map.GetRoot()->GetDescendants();
    tree.insert(tree.begin(), map.GetRoot());
    ASSERT_EQ(map.Nodes().size(), tree.size());
    for (const Node::Ptr& node : tree) {
        EXPECT_EQ(map.FindNode(node->GetName()), node) << node->GetName();
        EXPECT_TRUE(map.Contains(node));
    }
}

TEST_F(NodeMapTest, TheNameIndexFollowsEveryEditUndoAndRedo) {
    NodeMap::Ptr map = SumDefinition();
    auto add = [&](const std::string& name) {
        Node::Ptr node = Node::Create(100);
        node->SetName(name);
        const std::string expected = CountedName(Names(*map), name);
        ASSERT_TRUE(map->AddNode("Sum", node));
        EXPECT_EQ(node->GetName(), expected);
        ExpectIndexFollowsTheTree(*map);
    };
    for (const char* name : {"G:5", "G", "G:1", "G", "c", "c"}) add(name);
    ASSERT_TRUE(map->RemoveNode("G:5"));  // the counts of G: must forget it
    EXPECT_FALSE(map->HasNodeName("G:5"));
    EXPECT_FALSE(map->Contains(map->GetPreviousRoot()));
    add("G");
    ASSERT_TRUE(map->Undo());
    ASSERT_TRUE(map->Undo());  // G:5 comes back, at the end of the list
    ExpectIndexFollowsTheTree(*map);
    EXPECT_TRUE(map->HasNodeName("G:5"));
    add("G:1");
    ASSERT_TRUE(map->Undo());
    ASSERT_TRUE(map->Redo());
    ExpectIndexFollowsTheTree(*map);
    map->ReplaceNode("G", Node::Create(208));  // a subtree in place of a leaf
    ExpectIndexFollowsTheTree(*map);
    add("c:1");
    EXPECT_EQ(map->FindNode("nothing"), Node::Ptr());
}

TEST_F(NodeMapTest, RefusedEditsChangeNothing) {
    NodeMap::Ptr map = SumDefinition();
    Node::Ptr plus = Node::Create(200);
    ASSERT_TRUE(map->AddNode("Sum", plus));
    const std::string before = Shape(map->GetRoot());
    const int steps = map->UndoCount();

    EXPECT_FALSE(map->AddNode("Sum", plus));                // already in the tree
    EXPECT_FALSE(map->AddNode("Plus", Node::Create(100)));  // fixed arity
    EXPECT_FALSE(map->AddNode("missing", Node::Create(100)));
    EXPECT_FALSE(map->AddNode("Sum", Node::Ptr()));
    EXPECT_FALSE(map->RemoveNode("a"));  // its parent is not variadic
    EXPECT_FALSE(map->RemoveNode("missing"));
    EXPECT_FALSE(map->ReplaceNode("a", plus));
    EXPECT_FALSE(map->ReplaceNode("Sum", map->GetRoot()));

    EXPECT_EQ(Shape(map->GetRoot()), before);
    EXPECT_EQ(map->UndoCount(), steps);

    // A subtree cannot take a node of the tree, which has its parent there.
    Node::Ptr holder = Node::Create(208);
    EXPECT_FALSE(holder->AddChild(plus->GetChild(0)));
    EXPECT_FALSE(holder->ReplaceChildAt(0, plus->GetChild(0)));
}

TEST_F(NodeMapTest, HistoriesKeepTheLastTenSteps) {
    NodeMap::Ptr map = SumDefinition();
    while (map->UndoCount() > 0) map->Undo();  // start from an empty history
    map->Redo();
    for (int i = 0; i < 11; ++i) map->AddNode("Sum", Node::Create(100));
    EXPECT_EQ(map->UndoCount(), 10);
    EXPECT_EQ(map->RedoCount(), 0);
    int undone = 0;
    while (map->Undo()) ++undone;
    EXPECT_EQ(undone, 10);
    EXPECT_EQ(map->RedoCount(), 10);
    EXPECT_EQ(map->GetRoot()->ChildCount(), 2);  // "c" and the one whose step was dropped
}

TEST_F(NodeMapTest, UndoThenRedoRestoresTheTreeExactly) {
    NodeMap::Ptr map = SumDefinition();
    map->AddNode("Sum", Node::Create(200));
    map->AddNode("Sum", Node::Create(208));
    map->AddNode("Sum:1", Node::Create(202));
    map->ReplaceNode("a", Node::Create(204));
    map->RemoveNode("c");
    std::vector<std::string> shapes{Shape(map->GetRoot())};
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(map->Undo()) << i;
        shapes.push_back(Shape(map->GetRoot()));
    }
    for (int i = 4; i >= 0; --i) {
        ASSERT_TRUE(map->Redo()) << i;
        EXPECT_EQ(Shape(map->GetRoot()), shapes[static_cast<std::size_t>(i)]);
    }
    EXPECT_FALSE(map->Redo());
    EXPECT_EQ(map->UndoCount(), 6);  // the five edits and the root replacement
}

TEST_F(NodeMapTest, AnEditAfterAnUndoIsUndoable) {
    NodeMap::Ptr map = SumDefinition();
    map->AddNode("Sum", Node::Create(200));
    ASSERT_TRUE(map->Undo());
    EXPECT_EQ(map->RedoCount(), 1);
    map->AddNode("Sum", Node::Create(202));
    EXPECT_EQ(map->RedoCount(), 0);
    EXPECT_TRUE(map->HasNodeName("Times"));
    ASSERT_TRUE(map->Undo());
    EXPECT_FALSE(map->HasNodeName("Times"));
    ASSERT_TRUE(map->Redo());
    EXPECT_TRUE(map->HasNodeName("Times"));
}

TEST_F(NodeMapTest, UndoOnAnEmptyHistoryLeavesRoutingAlone) {
    NodeMap::Ptr map = NodeMap::CreateFunction("f");
    EXPECT_FALSE(map->Undo());
    EXPECT_FALSE(map->Redo());
    map->ReplaceNode("m", Node::Create(208));
    EXPECT_EQ(map->UndoCount(), 1);
    EXPECT_EQ(map->RedoCount(), 0);
}

TEST_F(NodeMapTest, RootReplacementIsOneStep) {
    NodeMap::Ptr map = NodeMap::CreateFunction("f");
    Node::Ptr oldRoot = map->GetRoot();
    Node::Ptr newRoot = Node::Create(200);
    EXPECT_EQ(map->ReplaceNode("m", newRoot), oldRoot);
    EXPECT_EQ(map->GetPreviousRoot(), oldRoot);
    EXPECT_EQ(map->UndoCount(), 1);
    ASSERT_TRUE(map->Undo());
    EXPECT_EQ(map->GetRoot(), oldRoot);
    EXPECT_EQ(map->RedoCount(), 1);
    EXPECT_EQ(Names(*map), std::vector<std::string>{"m"});
    ASSERT_TRUE(map->Redo());
    EXPECT_EQ(map->GetRoot(), newRoot);
    EXPECT_EQ(Names(*map), (std::vector<std::string>{"Plus", "a", "b"}));
}

TEST_F(NodeMapTest, RemovedRootComesBackOnUndo) {
    NodeMap::Ptr map = SumDefinition();
    Node::Ptr root = map->GetRoot();
    EXPECT_EQ(map->RemoveNode("Sum"), root);
    EXPECT_TRUE(map->GetRoot().IsNull());
    EXPECT_TRUE(map->Nodes().empty());
    map->SetValue({4, 0}, 0);
    EXPECT_EQ(map->Evaluate(), Complex(4, 0));  // no root: the stored value
    ASSERT_TRUE(map->Undo());
    EXPECT_EQ(map->GetRoot(), root);
    EXPECT_EQ(Names(*map), (std::vector<std::string>{"Sum", "c"}));
    ASSERT_TRUE(map->Redo());
    EXPECT_TRUE(map->GetRoot().IsNull());
}

TEST_F(NodeMapTest, RootSetToNullComesBackOnUndo) {
    NodeMap::Ptr map = SumDefinition();
    Node::Ptr root = map->GetRoot();
    const std::string shape = Shape(root);
    map->SetRoot(Node::Ptr());
    EXPECT_TRUE(map->GetRoot().IsNull());
    EXPECT_EQ(map->GetPreviousRoot(), root);
    ASSERT_TRUE(map->Undo());
    EXPECT_EQ(map->GetRoot(), root);
    EXPECT_EQ(Shape(map->GetRoot()), shape);
    EXPECT_EQ(Names(*map), (std::vector<std::string>{"Sum", "c"}));
    ASSERT_TRUE(map->Redo());
    EXPECT_TRUE(map->GetRoot().IsNull());
    EXPECT_TRUE(map->Nodes().empty());
    ASSERT_TRUE(map->Undo());
    EXPECT_EQ(map->GetRoot(), root);
}

TEST_F(NodeMapTest, PromotingADescendantToRootKeepsTheOldTreeWhole) {
    NodeMap::Ptr map = SumDefinition();
    Node::Ptr plus = Node::Create(200);
    map->AddNode("Sum", plus);
    Node::Ptr oldRoot = map->GetRoot();
    ASSERT_EQ(map->ReplaceNode("Sum", plus), oldRoot);
    EXPECT_EQ(map->GetRoot(), plus);
    EXPECT_EQ(plus->ParentNode(), nullptr);
    EXPECT_EQ(oldRoot->ChildCount(), 2);
    EXPECT_NE(oldRoot->GetChild(1), plus);
    EXPECT_EQ(oldRoot->GetChild(1)->GetName(), "Plus");
    ASSERT_TRUE(map->Undo());
    EXPECT_EQ(map->GetRoot(), oldRoot);
    EXPECT_EQ(map->Nodes().size(), 5u);
}

// A definition announces what its histories hold after every recorded step; the definition tool
// bar follows on its channel 1.
TEST_F(NodeMapTest, EditsAnnounceUndoAvailability) {
    auto log = NewCodeLog<DefinitionEvent>();
    EventBus::Registration registration = BusOf<DefinitionEvent>().Add(log);
    NodeMap::Ptr map = SumDefinition();
    EXPECT_EQ(log->codes, (std::vector<int>{410, 413}));
    EXPECT_TRUE(Core::MapBar::IsUndoAvailable(1));
    ASSERT_EQ(map->UndoCount(), 1);
    log->codes.clear();
    map->Undo();
    EXPECT_EQ(log->codes, (std::vector<int>{411, 412}));
    EXPECT_FALSE(Core::MapBar::IsUndoAvailable(1));
    EXPECT_TRUE(Core::MapBar::IsRedoAvailable(1));
}

TEST_F(NodeMapTest, EvaluateAndValues) {
    NodeMap::Ptr map = SumDefinition();
    Node::Ptr c = map->FindNode("c");
    c->SetValue({2, 3}, 0);
    EXPECT_EQ(map->Evaluate(), Complex(2, 3));
    EXPECT_EQ(map->GetValues(), std::vector<Complex>{Complex(2, 3)});
    map->SetValue({7, 0}, 0);
    EXPECT_EQ(map->GetRoot()->GetValue(), Complex(7, 0));
    map->SetValue({7, 0}, 5);  // beyond the values: ignored
    EXPECT_EQ(map->GetValues().size(), 1u);
    EXPECT_EQ(map->GetActiveNodes().size(), 1u);  // "c"
    EXPECT_EQ(map->FindNodesByType(208).size(), 1u);
}

TEST_F(NodeMapTest, CloneCopiesTheTreeNameAndFlag) {
    NodeMap::Ptr map = SumDefinition();
    map->AddNode("Sum", Node::Create(200));
    map->SetActive(false);
    NodeMap::Ptr copy = map->Clone();
    EXPECT_EQ(copy->GetName(), "f");
    EXPECT_FALSE(copy->IsActive());
    EXPECT_EQ(Shape(copy->GetRoot()), Shape(map->GetRoot()));
    EXPECT_NE(copy->GetRoot(), map->GetRoot());
    EXPECT_EQ(Names(*copy), Names(*map));
    EXPECT_EQ(copy->UndoCount(), 0);

    map->RemoveNode("Sum");
    NodeMap::Ptr rootless = map->Clone();
    EXPECT_EQ(rootless->GetName(), "f");
    EXPECT_FALSE(rootless->IsActive());
    EXPECT_TRUE(rootless->GetRoot().IsNull());
}

}  // namespace
