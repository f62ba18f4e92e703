#include "model/node_map.h"

#include <algorithm>
#include <unordered_set>

#include "foundation/event_bus.h"
#include "foundation/unique_name.h"
#include "model/factory.h"
#include "model/map_capsule.h"

namespace Core {

namespace {

std::vector<Node::Ptr> WithDescendants(const Node::Ptr& node) {
    std::vector<Node::Ptr> all{node};
    for (const Node::Ptr& below : node->GetDescendants()) all.push_back(below);
    return all;
}

// Where the node stands under its parent; by identity, as siblings renamed from outside may
// share a name.
int PlaceUnderParent(const Node& node) {
    const Node* parent = node.ParentNode();
    for (int i = 0; parent && i < parent->ChildCount(); ++i)
        if (parent->Child(i) == &node) return i;
    return -1;
}
}  // namespace

// A recorded step: running it performs the inverse of the edit that recorded it.
class NodeMap::UndoCmd : public Winplus::Command {
public:
    UndoCmd(int kind, NodeMap* map, const Node::Ptr& first, const Node::Ptr& second,
            const Node::Ptr& third, int index)
        : kind_(kind), map_(map), first_(first), second_(second), third_(third), index_(index) {}

    bool Execute(const int&) override {
        switch (kind_) {
            case kReplaceStep:
                // A root replaced by none: the old root comes back.
                if (!third_) return static_cast<bool>(map_->RestoreRoot(second_));
                return static_cast<bool>(map_->ReplaceNode(third_->Name(), second_));
            case kRemoveStep: return static_cast<bool>(map_->RemoveNode(third_->Name()));
            case kAddStep:
                // A removed root has no parent to add under: it becomes the root again.
                if (!first_) return static_cast<bool>(map_->RestoreRoot(second_));
                return static_cast<bool>(map_->AddNodeAt(first_->Name(), second_, index_));
            default: return false;
        }
    }

private:
    int kind_;
    NodeMap* map_;
    Node::Ptr first_;
    Node::Ptr second_;
    Node::Ptr third_;
    int index_;  // where a removed node stood under its parent
};

NodeMap::NodeMap() : values_(1, Complex(0.0, 0.0)) {}

NodeMap::~NodeMap() {
    // The nodes may outlive the definition (undo histories, the current node, the clipboard).
    ClearIndex();
}

void NodeMap::SetName(const std::string& name) {
    if (&name == &name_ || name == name_) return;
    std::string oldName = std::move(name_);
    name_ = name;
    for (DefinitionIndex* index : definitionIndexes_) index->DefinitionRenamed(*this, oldName);
}

bool NodeMap::IsIndexedBy(const DefinitionIndex* index) const {
    return std::find(definitionIndexes_.begin(), definitionIndexes_.end(), index) !=
           definitionIndexes_.end();
}

void NodeMap::RemoveDefinitionIndex(DefinitionIndex* index) {
    std::erase(definitionIndexes_, index);
}

NodeMap::Ptr NodeMap::CreateFunction(const std::string& name) {
    Ptr map = Safe::MakeX<NodeMap>();
    map->SetName(name);
    Node::Ptr root = Node::Create(kBasicId);
    if (root) {
        root->SetName("m");
        map->SetRoot(root);
    }
    return map;
}

NodeMap::Ptr NodeMap::CreateVariable(const std::string& name) {
    Ptr map = Safe::MakeX<NodeMap>();
    map->SetName(name);
    map->active_ = false;
    Node::Ptr root = Node::Create(kBasicId);
    if (root) {
        root->SetName("v");
        map->SetRoot(root);
    }
    return map;
}

// --- Index ---

std::string NodeMap::UniqueNodeName(const std::string& name) {
    auto taken = [this](const std::string& candidate) { return byName_.Has(candidate); };
    auto forEach = [this](auto&& f) {
        for (const Node::Ptr& node : nodes_) f(node->Name());
    };
    return counts_.UniqueName(name, taken, forEach);
}

void NodeMap::Index(const Node::Ptr& node) {
    dependsOnOrder_ = -1;
    for (const Node::Ptr& item : WithDescendants(node)) {
        if (item->GetNameIndex() == this) continue;  // indexed as it was attached
        item->SetName(UniqueNodeName(item->Name()));
        nodes_.push_back(item);
        byName_.Add(item->Name(), item.Get());
        item->SetNameIndex(this);
        counts_.Count(item->Name());
    }
}

void NodeMap::Unindex(const Node::Ptr& node) {
    std::unordered_set<const Node*> leaving;
    for (const Node::Ptr& item : WithDescendants(node)) {
        if (item->GetNameIndex() != this) continue;
        leaving.insert(item.Get());
        byName_.Remove(item->Name(), item.Get());
        item->SetNameIndex(nullptr);
    }
    if (leaving.empty()) return;
    dependsOnOrder_ = -1;
    std::erase_if(nodes_, [&](const Node::Ptr& indexed) { return leaving.count(indexed.Get()); });
    counts_.Invalidate();
}

void NodeMap::NodeRenamed(Node& node, const std::string& oldName) {
    byName_.Rename(oldName, &node, node.Name());
    counts_.Invalidate();
    dependsOnOrder_ = -1;  // a formula renames itself when given another
}

bool NodeMap::DependsOnOrder() const {
    if (dependsOnOrder_ < 0) {
        dependsOnOrder_ = 0;
        for (const Node::Ptr& node : nodes_)
            if (node->GetColumnKind() == kColumnOrderDependent) dependsOnOrder_ = 1;
    }
    return dependsOnOrder_ == 1;
}

void NodeMap::ClearIndex() {
    dependsOnOrder_ = -1;
    for (const Node::Ptr& node : nodes_)
        if (node->GetNameIndex() == this) node->SetNameIndex(nullptr);
    nodes_.clear();
    byName_.Clear();
    counts_.Clear();
}

Node::Ptr NodeMap::FindNode(const std::string& name) const {
    return Node::Ptr(byName_.Find(name, nodes_));
}

bool NodeMap::Contains(const Node::Ptr& node) const {
    for (const Node::Ptr& item : WithDescendants(node))
        if (item->GetNameIndex() == this) return true;
    return false;
}

// --- Edits ---

void NodeMap::InstallRoot(const Node::Ptr& root) {
    lastReplaced_ = root_;
    ClearIndex();
    if (root) Index(root);
    root_ = root;
}

void NodeMap::SetRoot(const Node::Ptr& root) {
    InstallRoot(root);
    if (lastReplaced_) RecordUndo(kReplaceStep, Node::Ptr(), lastReplaced_, root);
}

void NodeMap::ClearRoot() {
    ClearIndex();
    root_ = nullptr;
}

void NodeMap::ForgetHistory() {
    ClearHistory();
    lastReplaced_ = nullptr;
}

Node::Ptr NodeMap::RestoreRoot(const Node::Ptr& node) {
    if (!node) return Node::Ptr();
    if (root_) return ReplaceNode(root_->Name(), node);
    node->SetParent(nullptr);
    Index(node);
    root_ = node;
    RecordUndo(kRemoveStep, Node::Ptr(), Node::Ptr(), node);
    return node;
}

Node::Ptr NodeMap::AddNode(const std::string& parentName, const Node::Ptr& node) {
    if (!node) return Node::Ptr();
    Node::Ptr parent = FindNode(parentName);
    if (!parent || !parent->IsVariadic() || Contains(node)) return Node::Ptr();
    if (!parent->AddChild(node)) return Node::Ptr();
    Index(node);
    RecordUndo(kRemoveStep, Node::Ptr(), Node::Ptr(), node);
    return node;
}

Node::Ptr NodeMap::AddNodeAt(const std::string& parentName, const Node::Ptr& node, int index) {
    if (!AddNode(parentName, node)) return Node::Ptr();
    Node* parent = node->ParentNode();
    if (parent && index >= 0) parent->MoveChild(parent->ChildCount() - 1, index);
    return node;
}

Node::Ptr NodeMap::RemoveNode(const std::string& name) {
    Node::Ptr node = FindNode(name);
    if (!node) return Node::Ptr();
    if (node == root_) {
        ClearRoot();
        lastReplaced_ = node;
        RecordUndo(kAddStep, Node::Ptr(), node, Node::Ptr());
        return node;
    }
    Node::Ptr parent = node->GetParent();
    if (!parent || !parent->IsVariadic()) return Node::Ptr();
    const int index = PlaceUnderParent(*node);
    if (!parent->RemoveChild(index)) return Node::Ptr();
    Unindex(node);
    lastReplaced_ = node;
    RecordUndo(kAddStep, parent, node, Node::Ptr(), index);
    return node;
}

Node::Ptr NodeMap::ReplaceNode(const std::string& name, const Node::Ptr& node) {
    Node::Ptr old = FindNode(name);
    if (!node || !old || node == old) return Node::Ptr();
    if (old != root_) {
        Node::Ptr parent = old->GetParent();
        if (!parent || !parent->HasListArity() || Contains(node)) return Node::Ptr();
        if (!parent->ReplaceChildAt(PlaceUnderParent(*old), node)) return Node::Ptr();
        Unindex(old);
        Index(node);
        lastReplaced_ = old;
        RecordUndo(kReplaceStep, Node::Ptr(), old, node);
        return old;
    }
    // Promoting a node of the tree: it leaves its old parent, which keeps a copy in its place,
    // so that the old root stays whole for the undo history.
    Node* parent = Contains(node) ? node->ParentNode() : nullptr;
    if (parent) {
        Node::Ptr stand = node->Clone();
        if (!stand) stand = Node::Create(kBasicId);
        if (stand) stand->SetName(node->Name());
        const int index = PlaceUnderParent(*node);
        if (!stand || index < 0 || !parent->HasListArity() || !parent->AcceptChild(stand))
            return Node::Ptr();
        // The index is rebuilt below; dropped first, the stand keeps the names of the node's
        // subtree as it goes in.
        ClearIndex();
        parent->ReplaceChildAt(index, stand);
    }
    node->SetParent(nullptr);
    // One step records the whole replacement, so that one undo takes it back.
    InstallRoot(node);
    lastReplaced_ = old;
    RecordUndo(kReplaceStep, Node::Ptr(), old, node);
    return old;
}

void NodeMap::RecordUndo(int kind, const Node::Ptr& first, const Node::Ptr& second,
                         const Node::Ptr& third, int index) {
    Push(Safe::MakeX<UndoCmd>(kind, this, first, second, third, index));
    const auto& bus = BusOf<DefinitionEvent>();
    bus.Notify(UndoCount() > 0 ? DefinitionEvent::kHistoryUndoable
                               : DefinitionEvent::kHistoryNotUndoable);
    bus.Notify(RedoCount() > 0 ? DefinitionEvent::kHistoryRedoable
                               : DefinitionEvent::kHistoryNotRedoable);
}

// --- Values ---

// A root that refers back to its definition, itself or through other definitions, is given the
// value once: the reference passes it on to the definition it stands for, which is setting it.
void NodeMap::SetValue(const Complex& value, int index) {
    if (index < 0) return;
    if (static_cast<std::size_t>(index) < values_.size())
        values_[static_cast<std::size_t>(index)] = value;
    if (!root_ || settingValue_) return;
    settingValue_ = true;
    root_->SetValue(value, index);
    settingValue_ = false;
}

void NodeMap::SetValues(const std::vector<Complex>& values) {
    if (values.empty()) return;  // the vector always keeps the definition's own value
    values_ = values;
    if (root_) root_->SetValues(values);
}

// --- Queries ---

std::vector<Node::Ptr> NodeMap::GetActiveNodes() const {
    std::vector<Node::Ptr> active;
    for (const Node::Ptr& node : nodes_)
        if (node->IsActive()) active.push_back(node);
    return active;
}

std::vector<Node::Ptr> NodeMap::FindNodesByType(int typeId) const {
    std::vector<Node::Ptr> found;
    for (const Node::Ptr& node : nodes_)
        if (node->GetTypeId() == typeId) found.push_back(node);
    return found;
}

std::vector<Node::Ptr> NodeMap::GetReferences() const {
    std::vector<Node*> found;
    if (root_ && Enter()) {
        root_->CollectReferences(found);
        Leave();
    }
    // Every node found stands in a tree that a definition holds.
    std::vector<Node::Ptr> references;
    for (Node* node : found) references.emplace_back(node);
    return references;
}

std::vector<NodeMap::Ptr> NodeMap::MapsOf(const std::vector<Node::Ptr>& nodes) {
    std::vector<Ptr> maps;
    for (const Node::Ptr& node : nodes) {
        auto reference = Safe::DynamicCast<MapCapsule>(node);
        if (reference && reference->GetMap()) maps.push_back(reference->GetMap());
    }
    return maps;
}

NodeMap::Ptr NodeMap::Clone() const {
    Ptr copy = Safe::MakeX<NodeMap>();
    copy->name_ = name_;
    copy->active_ = active_;
    if (root_) copy->InstallRoot(root_->Clone());
    return copy;
}

}  // namespace Core
