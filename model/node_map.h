#pragma once
// One named definition of a model: a root node with its tree, every node of the tree indexed by
// a name unique within the definition, and undoable structural edits.
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/name_index.h"
#include "foundation/unique_name.h"
#include "model/node.h"
#include "model/unredo.h"

namespace Core {

class NodeMap;

// What indexes definitions by name (a model): a definition it holds tells it of every rename.
class DefinitionIndex {
public:
    virtual void DefinitionRenamed(NodeMap& map, const std::string& oldName) = 0;

protected:
    ~DefinitionIndex() = default;
};

class NodeMap : public Winplus::Unredo, private NodeIndex {
public:
    using Ptr = Safe::XPtr<NodeMap>;

    NodeMap();
    ~NodeMap() override;

    // A function definition: root a basic node "m", evaluated by its model.
    static Ptr CreateFunction(const std::string& name);
    // A variable definition: root a basic node "v", inactive (its value is set from outside).
    static Ptr CreateVariable(const std::string& name);

    std::string GetName() const { return name_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // The indexes that hold the definition (its model); each adds and removes itself.
    bool IsIndexedBy(const DefinitionIndex* index) const;
    void AddDefinitionIndex(DefinitionIndex* index) { definitionIndexes_.push_back(index); }
    void RemoveDefinitionIndex(DefinitionIndex* index);
    bool IsActive() const { return active_; }
    void SetActive(bool active) { active_ = active; }
    Node::Ptr GetRoot() const { return root_; }
    Node::Ptr GetPreviousRoot() const { return lastReplaced_; }
    std::vector<Complex> GetValues() const { return values_; }
    const Complex& Value() const { return values_[0]; }
    const std::vector<Complex>& CachedValues() const { return values_; }
    const std::vector<Node::Ptr>& Nodes() const { return nodes_; }

    // Installs a new root (recording the replacement of an old one).
    void SetRoot(const Node::Ptr& root);
    // Drops the root and the index; records nothing.
    void ClearRoot();
    // Lets go of the undo and redo steps and of the last replaced node, which may hold
    // references to other definitions (the model is letting go of its definitions).
    void ForgetHistory();

    Node::Ptr FindNode(const std::string& name) const;
    bool HasNodeName(const std::string& name) const { return static_cast<bool>(FindNode(name)); }
    // True when the node or any node below it is indexed here.
    bool Contains(const Node::Ptr& node) const;

    // Structural edits; each records its inverse. They return the added, removed or replaced
    // node, null when refused.
    Node::Ptr AddNode(const std::string& parentName, const Node::Ptr& node);
    Node::Ptr RemoveNode(const std::string& name);
    Node::Ptr ReplaceNode(const std::string& name, const Node::Ptr& node);

    // Evaluates the root and keeps a copy of its values. Without a root, or when a cycle of
    // references leads back here while evaluating, the stored value is returned.
    const Complex& Evaluate() {
        if (!root_ || !Enter()) return values_[0];
        root_->Compute();
        CopyValues(values_, root_->GetValues());
        Leave();
        return values_[0];
    }
    void SetValue(const Complex& value, int index);
    void SetValues(const std::vector<Complex>& values);
    // Set by the model while its evaluation pass holds this definition's value for the
    // references that follow it; they read the value rather than evaluating again.
    bool IsEvaluatedInPass() const { return evaluatedInPass_; }
    void SetEvaluatedInPass(bool evaluated) { evaluatedInPass_ = evaluated; }
    // True when a node of the tree draws random numbers or writes into other nodes, so that
    // evaluating it again may give another value. Kept until the tree changes.
    bool DependsOnOrder() const;

    std::vector<Node::Ptr> GetActiveNodes() const;
    std::vector<Node::Ptr> FindNodesByType(int typeId) const;
    // The references to other definitions in the tree, each referenced definition once.
    std::vector<Node::Ptr> GetReferences() const;
    // The definitions that the reference nodes among nodes stand for, in order.
    static std::vector<Ptr> MapsOf(const std::vector<Node::Ptr>& nodes);

    Ptr Clone() const;

    // Marks a walk through this definition, so that walks that follow references between
    // definitions stop at a cycle. Enter returns false when the walk is already here.
    bool Enter() const {
        if (visiting_) return false;
        visiting_ = true;
        return true;
    }
    void Leave() const { visiting_ = false; }

private:
    class UndoCmd;
    enum StepKind { kReplaceStep = 0, kRemoveStep = 1, kAddStep = 2 };

    void Index(const Node::Ptr& node);
    void Unindex(const Node::Ptr& node);
    // A node of the tree renamed, or a subtree attached or detached, by whoever did it.
    void NodeRenamed(Node& node, const std::string& oldName) override;
    void NodeAttached(const Node::Ptr& child) override { Index(child); }
    void NodeDetached(const Node::Ptr& child) override { Unindex(child); }
    void ClearIndex();
    // The name a node gets when indexed (the ":" rule), from the name index and the counts.
    std::string UniqueNodeName(const std::string& name);
    void RecordUndo(int kind, const Node::Ptr& first, const Node::Ptr& second,
                    const Node::Ptr& third, int index = -1);
    // Adds the node under the parent at the position it had before it was removed.
    Node::Ptr AddNodeAt(const std::string& parentName, const Node::Ptr& node, int index);
    void InstallRoot(const Node::Ptr& root);
    Node::Ptr RestoreRoot(const Node::Ptr& node);

    std::string name_;
    std::vector<DefinitionIndex*> definitionIndexes_;
    Node::Ptr root_;
    Node::Ptr lastReplaced_;
    std::vector<Node::Ptr> nodes_;
    // Every node of nodes_ by the name it bears now. Names are unique within a definition as
    // long as renames from outside keep them so; the nodes of nodes_ tell us of every rename.
    NameIndex<Node> byName_;
    // The ":" rule's counts over the names of nodes_, in list order.
    MarkCounts counts_{':'};
    bool active_ = true;
    std::vector<Complex> values_;
    mutable bool visiting_ = false;
    bool settingValue_ = false;  // while the root is given a value
    bool evaluatedInPass_ = false;
    mutable signed char dependsOnOrder_ = -1;  // -1 not known
};

}  // namespace Core
