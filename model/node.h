#pragma once
// The base of every model node: identity, place in the tree, arity, anchor bindings and the
// value vector. Evaluation pulls values from the children.
#include <array>
#include <complex>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "foundation/column.h"
#include "foundation/countable.h"

namespace Core {

class Anchor;
class AnchorsInterface;
class ColumnPass;
class Node;

// What indexes the nodes of a tree by name (a definition): an indexed node tells it when it is
// renamed, when a child is attached below it and when it leaves its parent, whoever does it.
class NodeIndex {
public:
    virtual void NodeRenamed(Node& node, const std::string& oldName) = 0;
    virtual void NodeAttached(const Safe::XPtr<Node>& child) = 0;
    virtual void NodeDetached(const Safe::XPtr<Node>& child) = 0;

protected:
    ~NodeIndex() = default;
};

using Complex = std::complex<double>;

// How many children a node may have.
enum ArityKind { kArityNone = -1, kArityFixed = 0, kArityVariadic = 1 };

// Where a node comes from.
enum SourceKind { kBuiltIn = 0, kDefinitionReference = 1, kUserCapsule = 2 };

// Copies a value vector; the common single value inline, anything longer out of line so that the
// evaluation paths stay small.
void CopyLongValues(std::vector<Complex>& to, const std::vector<Complex>& from);
inline void CopyValues(std::vector<Complex>& to, const std::vector<Complex>& from) {
    if (to.size() == 1 && from.size() == 1) [[likely]]
        to[0] = from[0];
    else
        CopyLongValues(to, from);
}

// How a node takes part in evaluation over columns (model/column.h).
enum ColumnKind {
    kColumnPointwise = 0,       // the base EvaluateColumn: Evaluate at every point of the block
    kColumnOwn = 1,             // its own EvaluateColumn, reading every child at every point
    kColumnOrderDependent = 2,  // draws random numbers or writes into other nodes: the model
                                // it stands in is evaluated point by point
};

// Anchor slots: 0 and 1 are the point the user places, 2 and 3 the quantities a drag changes.
constexpr int kAnchorSlots = 4;
// Anchor binding that names the node itself rather than one of its children.
constexpr int kAnchorSelf = -2;

class Node : public Safe::Countable {
public:
    using Ptr = Safe::XPtr<Node>;

    Node();
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    ~Node() override;

    // Factory: a new node of the class of the type id with its defaults; null for unknown ids.
    static Ptr Create(int typeId);
    // The item a list node holds: a dual for 2101, a point for 2102; null otherwise.
    static Ptr CreateListItem(int listTypeId);

    // --- Virtual operations, in their fixed order ---
    virtual bool IsSameReference(const Node& other) const;
    virtual bool AcceptChild(const Ptr& child) const;
    virtual void OnChildAttached(const Ptr& child);
    virtual bool IsActive() const;
    virtual void Sort();
    virtual void NotifyChanged();
    // The parent and the collections below are raw: these walks also run on a node that nobody
    // holds yet (a constructor adding children), which a counted pointer to it would delete.
    virtual void Prepare(Node* parent);
    virtual int GetVariableChildIndex() const;
    virtual void CollectReferences(std::vector<Node*>& out);
    virtual void CreateAnchors(std::vector<Safe::XPtr<Anchor>>& out);
    virtual void PlaceAnchor(Anchor* anchor, const bool& flag);
    virtual void AnchorMoved(Anchor* anchor, bool& notify);
    // Whether the node's anchor set also gathers its children's anchors (sums, products and
    // averages do).
    virtual bool GathersChildAnchors() const;
    virtual double Transform(const int& axis, const double& value);
    virtual bool IsVariadic() const;
    // Child list edits return the replaced or added child, null when refused.
    virtual Ptr ReplaceChildAt(const int& index, const Ptr& child);
    virtual Ptr ReplaceChild(const std::string& childName, const Ptr& child);
    virtual Ptr AddChild(const Ptr& child);
    virtual Ptr Clone();
    // Computes the node's value, leaves it in values[0] and returns it (valid until the next
    // evaluation).
    virtual const Complex& Evaluate();
    // Evaluate for the evaluation paths of parents: nodes whose value is simply what they hold
    // (parameters, stored constants) answer without the virtual call.
    const Complex& Compute() { return holdsValue_ ? values_[0] : Evaluate(); }
    virtual void SetValue(const Complex& value, int index);
    virtual void SetValues(const std::vector<Complex>& values);
    // Evaluation over a block of points (model/column.h). The base EvaluateColumn evaluates the
    // node point by point.
    virtual ColumnKind GetColumnKind() const;
    virtual const Column& EvaluateColumn(ColumnPass& pass);
    // EvaluateColumn for the column paths of parents: a column constant for the whole pass is
    // not computed again. The values are valid until the caller's own ComputeColumn returns,
    // unless the column is pinned (model/column.h).
    const Column& ComputeColumn(ColumnPass& pass) {
        return column_.IsConstant() ? column_ : ComputeVaryingColumn(pass);
    }
    Column& OwnColumn() { return column_; }
    void PinColumn(bool pinned) { columnPinned_ = pinned; }
    // A pinned column is read after the evaluation: its node always fills it.
    bool IsColumnPinned() const { return columnPinned_; }
    // True for the nodes whose value is simply what they hold (parameters, stored constants).
    bool HoldsValue() const { return holdsValue_; }

    // --- Identity ---
    int GetTypeId() const { return typeId_; }
    int GetSourceKind() const { return sourceKind_; }
    std::string GetName() const { return name_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) {
        if (&name == &name_ || name == name_) return;
        if (nameIndex_)
            Rename(name);
        else
            name_ = name;
    }
    // The index that holds the node, null when none; set and cleared by that index.
    NodeIndex* GetNameIndex() const { return nameIndex_; }
    void SetNameIndex(NodeIndex* index) { nameIndex_ = index; }

    // --- Flags and values ---
    // Set by the nodes whose children form a list (Factor, Sum, Average, point and dual lists).
    bool IsList() const { return list_ != 0; }
    void SetActive(bool active) { active_ = active ? 1 : 0; }
    // With it, setting the node's value also prepares its parent again (point coordinates).
    void SetParentRefresh(bool on) { parentRefresh_ = on ? 1 : 0; }
    bool IsMarked() const { return mark_ != 0; }
    void SetMarkRecursive(const bool& mark);
    const Complex& GetValue() const { return values_[0]; }
    const std::vector<Complex>& GetValues() const { return values_; }

    // --- Tree access ---
    Ptr GetParent() const { return Ptr(parent_); }
    Node* ParentNode() const { return parent_; }
    void SetParent(Node* parent) { parent_ = parent; }
    int ChildCount() const { return static_cast<int>(children_.size()); }
    Ptr GetChild(const int& index) const;
    // The same without taking a count, for evaluation paths; null when index is out of range.
    Node* Child(int index) const {
        return index >= 0 && index < ChildCount() ? children_[static_cast<std::size_t>(index)].Get()
                                                  : nullptr;
    }
    Ptr GetChildByName(const std::string& name) const;
    int IndexOfChild(const std::string& name) const;
    std::vector<Ptr> GetChildren() const { return children_; }
    // All nodes below this one in pre-order; the node itself is not included.
    std::vector<Ptr> GetDescendants() const;
    // True when attaching child here would put a node in two places or make a cycle: the child
    // has a parent already, or is this node or one of its ancestors.
    bool IsRelated(const Ptr& child) const;

    // --- Arity and child list ---
    int GetArityKind() const { return arityKind_; }
    bool HasListArity() const { return arityKind_ == kArityFixed || arityKind_ == kArityVariadic; }
    void SetArityKind(const int& kind) { arityKind_ = kind; }
    Ptr RemoveChild(const int& index);
    // Moves a child of a variadic node to another position, shifting those between.
    bool MoveChild(int from, int to);
    Ptr RemoveChildByName(const std::string& name);
    void ClearChildren();

    // --- Parameters ---
    void CollectActive(std::vector<Node*>& out);
    // The key child's index when that child is active, else -1.
    int GetKeyChildIndex() const;

    // --- Anchors ---
    // The node's anchor set rebuilt from the current parameters; null when the node has none.
    Safe::XPtr<AnchorsInterface> GetAnchors();
    int GetAnchorMode(int slot) const;
    bool SetAnchorMode(int slot, int mode);
    bool SetAnchorChildByName(int slot, const std::string& name);
    bool SetAnchorChild(int slot, const std::string& name);
    Node* GetAnchorNode(int slot) const;
    Ptr GetAnchorChild(int slot) const;
    void SetAnchorValue(const double& x, const double& y);
    void DragAnchorValue(int modeX, const double& dx, int modeY, const double& dy);

    // Appends the definition references of list to into, each referenced definition once.
    static void MergeReferences(const std::vector<Node*>& list, std::vector<Node*>& into);

protected:
    // Concrete classes set these in their constructors.
    std::uint8_t active_ = 0;
    std::uint8_t list_ = 0;
    std::uint8_t mark_ = 0;
    int keyChildIndex_ = -1;
    int typeId_ = -1;
    int sourceKind_ = kBuiltIn;
    std::string name_;
    int arityKind_ = kArityVariadic;
    std::array<int, kAnchorSlots> anchorBound_;
    std::array<int, kAnchorSlots> anchorMode_;
    std::array<int, kAnchorSlots> anchorFollower_;
    Safe::XPtr<AnchorsInterface> anchors_;
    std::uint8_t parentRefresh_ = 0;
    std::uint8_t prepareOnChange_ = 0;
    std::vector<Complex> values_;
    // Set by final classes that keep the base Evaluate.
    bool holdsValue_ = false;
    // The node's values over the block that a column pass is at.
    Column column_;
    bool columnPinned_ = false;

    // What a concrete class fixes in its constructor.
    void Identify(int typeId, const std::string& name, int arityKind) {
        typeId_ = typeId;
        name_ = name;
        arityKind_ = arityKind;
    }
    // Gives the node an anchor set; placeable sets tell the builder it may place the node.
    void CreateAnchorSet(bool placeable);
    // The children, for the evaluation loops of list nodes (no count taken per child).
    const std::vector<Ptr>& Children() const { return children_; }
    // Child i of a class whose constructor made at least i + 1 children that can be replaced
    // but never removed (fixed arity): no range check on the evaluation path.
    Node* Parameter(int i) const { return children_[static_cast<std::size_t>(i)].Get(); }
    // Lets go of every child whatever the arity (a capsule rebuilding its arguments).
    void ReleaseChildren();
    // Appends a child made by the constructor, without the arity and relatedness checks.
    void AdoptChild(const Ptr& child);
    // Exchanges two children (used by sorting); indices must be valid.
    void SwapChildren(int i, int j) { std::swap(children_[i], children_[j]); }
    // Tells the parent, when there is one, that this node changed.
    void NotifyParent() {
        if (parent_) parent_->NotifyChanged();
    }
    // Child k, or the node itself for kAnchorSelf; null when the binding names nothing.
    Node* BoundNode(int binding) const;

private:
    const Column& ComputeVaryingColumn(ColumnPass& pass);
    void Rename(const std::string& name);
    void Attach(const Ptr& child);
    void Detach(const Ptr& child);
    void ChildListChanged();
    void CloneChildrenInto(Node& copy) const;

    Node* parent_ = nullptr;
    std::vector<Ptr> children_;
    NodeIndex* nameIndex_ = nullptr;
};

// The value a follower takes when the node it follows changes from b to c: 0 equal (c),
// 1 constant ratio (c / b * a, a when b is 0), 2 constant gap (c - b + a); 0 for other modes.
double AnchorTransform(double a, int mode, double b, double c);

}  // namespace Core
