#include <gtest/gtest.h>

#include <utility>

#include "model/factory.h"
#include "model/map_capsule.h"
#include "model/node.h"
#include "tests/model/test_nodes.h"

namespace {

using Core::Complex;
using Core::Node;
using TestNodes::Leaf;
using TestNodes::MakeParent;
using TestNodes::Parent;

class NodeTest : public ::testing::Test {
protected:
    void SetUp() override { TestNodes::Register(); }
};

std::vector<std::string> ChildNames(const Node& node) {
    std::vector<std::string> names;
    for (const auto& child : node.GetChildren()) names.push_back(child->GetName());
    return names;
}

TEST_F(NodeTest, NewNodeHasTheBaseDefaults) {
    Node::Ptr node = Safe::MakeX<Node>();
    EXPECT_EQ(node->GetTypeId(), -1);
    EXPECT_EQ(node->GetArityKind(), Core::kArityVariadic);
    EXPECT_EQ(node->GetValues(), std::vector<Complex>{Complex(0, 0)});
    EXPECT_EQ(node->ChildCount(), 0);
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(node->GetAnchorMode(slot), -1);
        EXPECT_TRUE(node->GetAnchorNode(slot) == nullptr);
        EXPECT_TRUE(node->GetAnchorChild(slot).IsNull());
    }
    EXPECT_EQ(node->GetKeyChildIndex(), -1);
    EXPECT_FALSE(node->IsActive());
    EXPECT_TRUE(node->GetParent().IsNull());
}

TEST_F(NodeTest, RelatedNodesAreRefusedAndBothTreesStayUnchanged) {
    auto root = MakeParent(TestNodes::kVariadic);
    auto middle = MakeParent(TestNodes::kVariadic);
    ASSERT_TRUE(root->AddChild(middle));
    Node::Ptr deep = middle->GetChild(0);

    EXPECT_TRUE(root->AddChild(root).IsNull());    // itself
    EXPECT_TRUE(middle->AddChild(root).IsNull());  // an ancestor
    EXPECT_TRUE(root->AddChild(deep).IsNull());    // already below it
    EXPECT_TRUE(root->ReplaceChildAt(0, deep).IsNull());
    EXPECT_TRUE(middle->ReplaceChildAt(0, root).IsNull());
    EXPECT_TRUE(root->AddChild(Node::Ptr()).IsNull());
    auto other = MakeParent(TestNodes::kVariadic);  // another tree
    EXPECT_TRUE(other->AddChild(deep).IsNull());
    EXPECT_TRUE(other->ReplaceChildAt(0, middle).IsNull());

    EXPECT_EQ(ChildNames(*root), (std::vector<std::string>{"p0", "p1", "parent"}));
    EXPECT_EQ(ChildNames(*middle), (std::vector<std::string>{"p0", "p1"}));
    EXPECT_EQ(deep->ParentNode(), middle.Get());
    EXPECT_EQ(middle->ParentNode(), root.Get());
    EXPECT_TRUE(root->GetParent().IsNull());
    EXPECT_EQ(ChildNames(*other), (std::vector<std::string>{"p0", "p1"}));
}

TEST_F(NodeTest, ArityDecidesWhichEditsAreAllowed) {
    auto fixed = MakeParent(TestNodes::kFixed);
    auto none = MakeParent(TestNodes::kNone);
    auto variadic = MakeParent(TestNodes::kVariadic);
    Node::Ptr leaf = Safe::MakeX<Leaf>("new");

    EXPECT_TRUE(fixed->AddChild(leaf).IsNull());
    EXPECT_TRUE(none->AddChild(leaf).IsNull());
    EXPECT_TRUE(none->ReplaceChildAt(0, leaf).IsNull());
    EXPECT_TRUE(fixed->RemoveChild(0).IsNull());
    EXPECT_TRUE(fixed->ReplaceChildAt(2, leaf).IsNull());  // index equal to the count
    EXPECT_TRUE(fixed->ReplaceChildAt(-1, leaf).IsNull());

    Node::Ptr old = fixed->ReplaceChild("p1", leaf);
    ASSERT_TRUE(old);
    EXPECT_EQ(old->GetName(), "p1");
    EXPECT_EQ(ChildNames(*fixed), (std::vector<std::string>{"p0", "new"}));
    EXPECT_TRUE(fixed->ReplaceChild("missing", Safe::MakeX<Leaf>()).IsNull());

    EXPECT_EQ(variadic->RemoveChildByName("p0")->GetName(), "p0");
    EXPECT_TRUE(variadic->RemoveChild(1).IsNull());
    EXPECT_EQ(ChildNames(*variadic), (std::vector<std::string>{"p1"}));
    none->ClearChildren();
    EXPECT_EQ(none->ChildCount(), 3);
}

TEST_F(NodeTest, DetachedChildrenForgetTheirParent) {
    auto parent = MakeParent(TestNodes::kVariadic);
    Node::Ptr first = parent->GetChild(0);
    Node::Ptr second = parent->GetChild(1);
    Node::Ptr replaced = parent->ReplaceChildAt(0, Safe::MakeX<Leaf>());
    EXPECT_EQ(replaced, first);
    EXPECT_EQ(first->ParentNode(), nullptr);
    Node::Ptr removed = parent->RemoveChild(1);
    EXPECT_EQ(removed->ParentNode(), nullptr);
    Node::Ptr kept = parent->GetChild(0);
    parent->ClearChildren();
    EXPECT_EQ(kept->ParentNode(), nullptr);

    auto dying = MakeParent(TestNodes::kFixed);
    Node::Ptr survivor = dying->GetChild(0);
    dying = nullptr;
    EXPECT_EQ(survivor->ParentNode(), nullptr);
    EXPECT_TRUE(survivor->GetParent().IsNull());
}

TEST_F(NodeTest, AttachingSetsParentsDownTheSubtree) {
    auto root = MakeParent(TestNodes::kVariadic);
    auto branch = MakeParent(TestNodes::kVariadic);
    root->AddChild(branch);
    EXPECT_EQ(branch->GetParent(), root);
    EXPECT_EQ(branch->GetChild(1)->ParentNode(), branch.Get());
    std::vector<std::string> names;
    for (const auto& node : root->GetDescendants()) names.push_back(node->GetName());
    EXPECT_EQ(names, (std::vector<std::string>{"p0", "p1", "parent", "p0", "p1"}));
}

TEST_F(NodeTest, ChangingTheChildListPreparesOnlyWhenAsked) {
    auto quiet = MakeParent(TestNodes::kVariadic);
    quiet->AddChild(Safe::MakeX<Leaf>());
    EXPECT_EQ(quiet->prepared, 0);
    auto eager = MakeParent(TestNodes::kVariadic);
    eager->SetPrepareOnChange();
    eager->AddChild(Safe::MakeX<Leaf>());
    eager->ReplaceChildAt(0, Safe::MakeX<Leaf>());
    eager->RemoveChild(0);
    eager->ClearChildren();
    eager->ClearChildren();  // nothing left: no change
    EXPECT_EQ(eager->prepared, 4);
}

TEST_F(NodeTest, CloneOfAVariadicNodeCopiesEveryChild) {
    auto original = MakeParent(TestNodes::kVariadic);
    for (int i = 0; i < 3; ++i) original->AddChild(Safe::MakeX<Leaf>("extra", 1.0 + i));
    original->SetName("sum");
    original->SetValue(Complex(4, 5), 0);
    Node::Ptr copy = original->Clone();
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetTypeId(), TestNodes::kVariadic);
    EXPECT_EQ(copy->GetName(), "sum");
    EXPECT_EQ(copy->GetValue(), Complex(4, 5));
    ASSERT_EQ(copy->ChildCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_NE(copy->GetChild(i), original->GetChild(i));
        EXPECT_EQ(copy->GetChild(i)->GetName(), original->GetChild(i)->GetName());
        EXPECT_EQ(copy->GetChild(i)->GetValue(), original->GetChild(i)->GetValue());
        EXPECT_EQ(copy->GetChild(i)->ParentNode(), copy.Get());
    }

    original->RemoveChild(0);
    original->RemoveChild(0);
    original->RemoveChild(0);
    EXPECT_EQ(original->Clone()->ChildCount(), 2);
    original->RemoveChild(0);
    EXPECT_EQ(original->Clone()->ChildCount(), 1);
}

TEST_F(NodeTest, CloneOfAListNodeAppendsClones) {
    auto list = MakeParent(TestNodes::kList);
    list->AddChild(Safe::MakeX<Leaf>("third"));
    EXPECT_EQ(ChildNames(*list->Clone()), (std::vector<std::string>{"p0", "p1", "third"}));
}

TEST_F(NodeTest, CloneOfAFixedChildNodeCopiesNamesAndValuesOnly) {
    auto none = MakeParent(TestNodes::kNone);
    none->GetChild(2)->SetName("renamed");
    none->GetChild(2)->SetValue(Complex(7, 1), 0);
    Node::Ptr copy = none->Clone();
    EXPECT_EQ(ChildNames(*copy), (std::vector<std::string>{"p0", "p1", "renamed"}));
    EXPECT_EQ(copy->GetChild(2)->GetValue(), Complex(7, 1));

    // A copy with fewer constructor-made children than the original must not be overrun.
    Node::Ptr grown = Safe::MakeX<Parent>(TestNodes::kNone, Core::kArityNone, false, 5);
    Node::Ptr shorter = grown->Clone();
    EXPECT_EQ(shorter->ChildCount(), 3);
}

TEST_F(NodeTest, CloneOfAnUnknownTypeIsNull) {
    Node::Ptr bare = Safe::MakeX<Node>();
    EXPECT_TRUE(bare->Clone().IsNull());
}

TEST_F(NodeTest, SetValueIgnoresIndicesOutsideTheVector) {
    Node::Ptr node = Safe::MakeX<Leaf>();
    node->SetValue(Complex(1, 2), 0);
    node->SetValue(Complex(3, 4), 1);
    node->SetValue(Complex(3, 4), -1);
    EXPECT_EQ(node->GetValues(), std::vector<Complex>{Complex(1, 2)});
    node->SetValues({Complex(5, 0), Complex(6, 0)});
    EXPECT_EQ(node->GetValues().size(), 2u);
    node->SetValues({});
    EXPECT_EQ(node->GetValues().size(), 2u);
}

TEST_F(NodeTest, CollectActiveStopsAtTheFirstActiveNodeOnEachPath) {
    auto root = MakeParent(TestNodes::kVariadic);
    auto branch = MakeParent(TestNodes::kVariadic);
    root->AddChild(branch);
    Safe::DynamicCast<Leaf>(root->GetChild(1))->SetActiveFlag(true);
    Safe::DynamicCast<Leaf>(branch->GetChild(0))->SetActiveFlag(true);
    std::vector<Node*> active;
    root->CollectActive(active);
    ASSERT_EQ(active.size(), 2u);
    EXPECT_EQ(active[0], root->GetChild(1));
    EXPECT_EQ(active[1], branch->GetChild(0));

    auto lone = Safe::MakeX<Leaf>();
    lone->SetActiveFlag(true);
    lone->CollectActive(active);
    EXPECT_EQ(active.size(), 1u);
}

// A node that reports its deletion.
template <class Base>
class Mortal : public Base {
public:
    template <class... Args>
    explicit Mortal(bool* gone, Args&&... args) : Base(std::forward<Args>(args)...), gone_(gone) {}
    ~Mortal() override { *gone_ = true; }

private:
    bool* gone_;
};

// Walks that pass a node itself along also run on a node that nobody holds yet (a constructor
// adding children, say): they must not let go of it.
TEST_F(NodeTest, WalksLeaveANodeThatNobodyHoldsAlive) {
    bool gone = false;
    auto* active = new Mortal<Leaf>(&gone, "lone");
    active->SetActiveFlag(true);
    std::vector<Node*> found;
    active->CollectActive(found);
    EXPECT_EQ(found, std::vector<Node*>{active});
    found.clear();
    EXPECT_FALSE(gone);
    Node::Ptr{active} = nullptr;  // taken at last, and let go
    EXPECT_TRUE(gone);

    gone = false;
    auto* reference = new Mortal<Core::MapCapsule>(&gone);
    reference->SetMap(Core::NodeMap::CreateFunction("f"));
    reference->CollectReferences(found);
    EXPECT_EQ(found, std::vector<Node*>{reference});
    found.clear();
    EXPECT_FALSE(gone);
    Node::Ptr{reference} = nullptr;

    gone = false;
    auto* eager = new Mortal<Parent>(&gone, TestNodes::kVariadic, Core::kArityVariadic, false, 1);
    eager->SetPrepareOnChange();
    eager->AddChild(Safe::MakeX<Leaf>());
    EXPECT_EQ(eager->prepared, 1);
    EXPECT_FALSE(gone);
    Node::Ptr{eager} = nullptr;
}

TEST_F(NodeTest, MarksAndKeyChild) {
    auto root = MakeParent(TestNodes::kVariadic);
    root->SetMarkRecursive(true);
    EXPECT_TRUE(root->IsMarked());
    EXPECT_TRUE(root->GetChild(1)->IsMarked());
    root->SetKeyChild(1);
    EXPECT_EQ(root->GetKeyChildIndex(), -1);  // not active
    Safe::DynamicCast<Leaf>(root->GetChild(1))->SetActiveFlag(true);
    EXPECT_EQ(root->GetKeyChildIndex(), 1);
    root->SetKeyChild(7);
    EXPECT_EQ(root->GetKeyChildIndex(), -1);
}

TEST_F(NodeTest, ReferencesAreCollectedOnceDeepestFirst) {
    auto root = MakeParent(TestNodes::kVariadic);
    auto branch = MakeParent(TestNodes::kVariadic);
    branch->AddChild(Safe::MakeX<TestNodes::Ref>(2));
    root->AddChild(branch);
    root->AddChild(Safe::MakeX<TestNodes::Ref>(1));
    root->AddChild(Safe::MakeX<TestNodes::Ref>(2));
    std::vector<Node*> refs;
    root->CollectReferences(refs);
    ASSERT_EQ(refs.size(), 2u);
    EXPECT_EQ(dynamic_cast<TestNodes::Ref&>(*refs[0]).target, 2);
    EXPECT_EQ(refs[0], branch->GetChild(2).Get());
    EXPECT_EQ(dynamic_cast<TestNodes::Ref&>(*refs[1]).target, 1);
}

TEST(AnchorTransform, Modes) {
    EXPECT_EQ(Core::AnchorTransform(3, 0, 2, 5), 5);
    EXPECT_EQ(Core::AnchorTransform(3, 1, 0, 5), 3);
    EXPECT_EQ(Core::AnchorTransform(3, 1, 2, 5), 7.5);
    EXPECT_EQ(Core::AnchorTransform(3, 2, 2, 5), 6);
    EXPECT_EQ(Core::AnchorTransform(3, 5, 2, 5), 0);
    EXPECT_EQ(Core::AnchorTransform(3, -1, 2, 5), 0);
}

TEST_F(NodeTest, AnchorTablesAreCheckedAndBound) {
    auto node = MakeParent(TestNodes::kFixed);
    EXPECT_TRUE(node->SetAnchorMode(2, -1));
    EXPECT_TRUE(node->SetAnchorMode(2, 2));
    EXPECT_EQ(node->GetAnchorMode(2), 2);
    EXPECT_FALSE(node->SetAnchorMode(2, 3));
    EXPECT_FALSE(node->SetAnchorMode(2, -2));
    EXPECT_FALSE(node->SetAnchorMode(4, 0));
    EXPECT_FALSE(node->SetAnchorMode(-1, 0));
    EXPECT_EQ(node->GetAnchorMode(-1), -1);
    EXPECT_EQ(node->GetAnchorMode(4), -1);
    EXPECT_FALSE(node->SetAnchorChildByName(-1, "p0"));
    EXPECT_FALSE(node->SetAnchorChild(4, "p0"));

    EXPECT_TRUE(node->SetAnchorChildByName(0, "p1"));
    EXPECT_TRUE(node->GetAnchorNode(0) == nullptr);  // p1 is not active
    Safe::DynamicCast<Leaf>(node->GetChild(1))->SetActiveFlag(true);
    EXPECT_EQ(node->GetAnchorNode(0), node->GetChild(1));
    EXPECT_TRUE(node->SetAnchorChildByName(1, "parent"));  // the node's own name
    EXPECT_TRUE(node->GetAnchorNode(1) == nullptr);        // the node is not active
    EXPECT_TRUE(node->SetAnchorChild(0, "p1"));
    EXPECT_EQ(node->GetAnchorChild(0), node->GetChild(1));
}

TEST_F(NodeTest, SetAnchorValueMovesBoundChildrenAndFollowers) {
    auto node = MakeParent(TestNodes::kVariadic);
    node->AddChild(Safe::MakeX<Leaf>("p2", 12.0));
    node->SetAnchors(0, 0, 2, 1);  // x moves p0, p1 keeps its gap
    node->SetAnchors(1, 2, 0, 0);  // y moves p2; a follower at index 0 is ignored
    node->SetAnchorValue(15.0, 3.0);
    EXPECT_EQ(node->GetChild(0)->GetValue(), Complex(15, 0));
    EXPECT_EQ(node->GetChild(1)->GetValue(), Complex(16, 0));
    EXPECT_EQ(node->GetChild(2)->GetValue(), Complex(3, 0));

    node->SetAnchors(0, Core::kAnchorSelf, -1, -1);
    node->SetAnchors(1, 9, 0, 1);  // a binding past the children names nothing
    node->SetAnchorValue(-4.0, 100.0);
    EXPECT_EQ(node->GetValue(), Complex(-4, 0));
    EXPECT_EQ(node->GetChild(1)->GetValue(), Complex(16, 0));
}

TEST_F(NodeTest, DragAnchorValueAppliesTheMoveModes) {
    auto node = MakeParent(TestNodes::kVariadic);
    node->GetChild(0)->SetValue(Complex(4, 0), 0);
    node->GetChild(1)->SetValue(Complex(8, 0), 0);
    node->SetAnchors(2, 0, 1, 1);  // x drag moves p0, p1 keeps its ratio
    node->DragAnchorValue(2, 0.5, 0, 0.0);
    EXPECT_EQ(node->GetChild(0)->GetValue(), Complex(6, 0));
    EXPECT_EQ(node->GetChild(1)->GetValue(), Complex(12, 0));
    node->DragAnchorValue(1, -1.0, 0, 0.0);
    EXPECT_EQ(node->GetChild(0)->GetValue(), Complex(5, 0));
    node->SetAnchors(3, Core::kAnchorSelf, -1, -1);
    node->DragAnchorValue(0, 2.0, 0, 9.0);
    EXPECT_EQ(node->GetChild(0)->GetValue(), Complex(2, 0));
    EXPECT_EQ(node->GetValue(), Complex(9, 0));
}

TEST_F(NodeTest, BasicTellsItsParent) {
    struct Watcher : Node {
        void NotifyChanged() override { ++changes; }
        void Prepare(Node* from) override { prepared.push_back(from); }
        int changes = 0;
        std::vector<Node*> prepared;
    };
    auto parent = Safe::MakeX<Watcher>();
    Node::Ptr basic = Node::Create(Core::kBasicId);  // the factory's own, whatever is registered
    ASSERT_TRUE(basic);
    EXPECT_EQ(basic->GetTypeId(), Core::kBasicId);
    EXPECT_TRUE(basic->IsActive());
    EXPECT_EQ(basic->GetValue(), Complex(1, 0));
    parent->AddChild(basic);
    basic->SetValue({2, 0}, 0);
    EXPECT_EQ(parent->changes, 1);
    EXPECT_TRUE(parent->prepared.empty());
}

TEST_F(NodeTest, FactoryCreatesRegisteredClassesOnly) {
    TestNodes::Register();  // twice changes nothing
    for (int id : {TestNodes::kLeaf, TestNodes::kFixed, TestNodes::kNone, TestNodes::kVariadic,
                   TestNodes::kList, TestNodes::kRef}) {
        Node::Ptr node = Node::Create(id);
        ASSERT_TRUE(node) << id;
        EXPECT_EQ(node->GetTypeId(), id);
        EXPECT_EQ(node->Clone()->GetTypeId(), id);
    }
    for (int id : {14, 1100, -1, 0, 8999}) EXPECT_TRUE(Node::Create(id).IsNull()) << id;
    EXPECT_TRUE(Node::CreateListItem(2001).IsNull());
    EXPECT_TRUE(Node::CreateListItem(0).IsNull());
}

}  // namespace
