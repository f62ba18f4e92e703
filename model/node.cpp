#include "model/node.h"

#include <algorithm>

#include "model/anchors.h"

namespace Core {

namespace {

void CollectDescendants(const Node& node, std::vector<Node::Ptr>& out) {
    for (int i = 0; i < node.ChildCount(); ++i) {
        Node::Ptr child = node.GetChild(i);
        out.push_back(child);
        CollectDescendants(*child, out);
    }
}

void SetParentsBelow(Node* node) {
    for (int i = 0; i < node->ChildCount(); ++i) {
        Node::Ptr child = node->GetChild(i);
        child->SetParent(node);
        SetParentsBelow(child.Get());
    }
}

bool IsValidSlot(int slot) {
    return slot >= 0 && slot < kAnchorSlots;
}

}  // namespace

void CopyLongValues(std::vector<Complex>& to, const std::vector<Complex>& from) {
    to.assign(from.begin(), from.end());
}

double AnchorTransform(double a, int mode, double b, double c) {
    switch (mode) {
        case 0: return c;
        case 1: return b == 0.0 ? a : c / b * a;
        case 2: return c - b + a;
        default: return 0.0;
    }
}

Node::Node() : values_(1, Complex(0.0, 0.0)) {
    anchorBound_.fill(-1);
    anchorMode_.fill(-1);
    anchorFollower_.fill(-1);
}

Node::~Node() {
    // Children that stay alive elsewhere (undo history, current node) must not point at us.
    for (Ptr& child : children_)
        if (child->parent_ == this) child->parent_ = nullptr;
}

// --- Virtual operations: base behaviour ---

bool Node::IsSameReference(const Node&) const {
    return false;
}
bool Node::AcceptChild(const Ptr&) const {
    return true;
}
void Node::OnChildAttached(const Ptr&) {}
bool Node::IsActive() const {
    return active_ != 0;
}
void Node::Sort() {}

void Node::NotifyChanged() {
    if (parent_) parent_->NotifyChanged();
}

void Node::Prepare(Node*) {
    for (std::size_t i = 0; i < children_.size(); ++i) {
        Ptr child = children_[i];
        child->Prepare(this);
    }
}

int Node::GetVariableChildIndex() const {
    return -1;
}

void Node::CollectReferences(std::vector<Node*>& out) {
    out.clear();
    std::vector<Node*> below;
    for (const Ptr& child : children_) {
        child->CollectReferences(below);
        MergeReferences(below, out);
    }
    below.clear();
    for (const Ptr& child : children_) below.push_back(child.Get());
    MergeReferences(below, out);
}

void Node::CreateAnchors(std::vector<Safe::XPtr<Anchor>>& out) {
    out.clear();
}
void Node::PlaceAnchor(Anchor*, const bool&) {}
void Node::AnchorMoved(Anchor*, bool&) {}
bool Node::GathersChildAnchors() const {
    return false;
}
double Node::Transform(const int&, const double& value) {
    return value;
}
bool Node::IsVariadic() const {
    return arityKind_ == kArityVariadic;
}

Node::Ptr Node::ReplaceChildAt(const int& index, const Ptr& child) {
    if (!child || !AcceptChild(child) || index < 0 || index >= ChildCount() || !HasListArity() ||
        IsRelated(child))
        return Ptr();
    Ptr old = children_[static_cast<std::size_t>(index)];
    // The old child leaves first, so that an index over the tree counts its name free.
    Detach(old);
    OnChildAttached(child);
    Attach(child);
    children_[static_cast<std::size_t>(index)] = child;
    ChildListChanged();
    return old;
}

Node::Ptr Node::ReplaceChild(const std::string& childName, const Ptr& child) {
    return ReplaceChildAt(IndexOfChild(childName), child);
}

Node::Ptr Node::AddChild(const Ptr& child) {
    if (!child || !AcceptChild(child) || !IsVariadic() || IsRelated(child)) return Ptr();
    OnChildAttached(child);
    Attach(child);
    children_.push_back(child);
    ChildListChanged();
    return child;
}

Node::Ptr Node::Clone() {
    Ptr copy = Create(typeId_);
    if (!copy) return Ptr();
    copy->SetName(name_);
    copy->SetValue(values_[0], 0);
    CloneChildrenInto(*copy);
    return copy;
}

const Complex& Node::Evaluate() {
    return values_[0];
}

void Node::SetValue(const Complex& value, int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < values_.size())
        values_[static_cast<std::size_t>(index)] = value;
}

void Node::SetValues(const std::vector<Complex>& values) {
    // The vector always keeps at least the node's own value.
    if (&values != &values_ && !values.empty()) values_ = values;
}

// --- Tree ---

Node::Ptr Node::GetChild(const int& index) const {
    if (index < 0 || index >= ChildCount()) return Ptr();
    return children_[static_cast<std::size_t>(index)];
}

Node::Ptr Node::GetChildByName(const std::string& name) const {
    return GetChild(IndexOfChild(name));
}

int Node::IndexOfChild(const std::string& name) const {
    for (std::size_t i = 0; i < children_.size(); ++i)
        if (children_[i]->name_ == name) return static_cast<int>(i);
    return -1;
}

std::vector<Node::Ptr> Node::GetDescendants() const {
    std::vector<Ptr> out;
    CollectDescendants(*this, out);
    return out;
}

bool Node::IsRelated(const Ptr& child) const {
    // A node stands in one tree at most, so a child that has a parent is taken; what is left to
    // refuse is a cycle, the child being this node or one of its ancestors.
    if (child->parent_) return true;
    for (const Node* up = this; up; up = up->parent_)
        if (up == child.Get()) return true;
    return false;
}

Node::Ptr Node::RemoveChild(const int& index) {
    if (index < 0 || index >= ChildCount() || !IsVariadic()) return Ptr();
    Ptr removed = children_[static_cast<std::size_t>(index)];
    children_.erase(children_.begin() + index);
    Detach(removed);
    ChildListChanged();
    return removed;
}

bool Node::MoveChild(int from, int to) {
    if (!IsVariadic() || from < 0 || to < 0 || from >= ChildCount() || to >= ChildCount())
        return false;
    Ptr child = children_[static_cast<std::size_t>(from)];
    children_.erase(children_.begin() + from);
    children_.insert(children_.begin() + to, child);
    ChildListChanged();
    return true;
}

Node::Ptr Node::RemoveChildByName(const std::string& name) {
    return RemoveChild(IndexOfChild(name));
}

void Node::ClearChildren() {
    if (children_.empty() || !IsVariadic()) return;
    std::vector<Ptr> released;
    released.swap(children_);
    for (Ptr& child : released) Detach(child);
    released.clear();
    ChildListChanged();
}

void Node::ReleaseChildren() {
    std::vector<Ptr> released;
    released.swap(children_);
    for (Ptr& child : released) Detach(child);
}

void Node::AdoptChild(const Ptr& child) {
    Attach(child);
    children_.push_back(child);
}

void Node::Attach(const Ptr& child) {
    child->parent_ = this;
    SetParentsBelow(child.Get());
    if (nameIndex_) nameIndex_->NodeAttached(child);
}

void Node::Detach(const Ptr& child) {
    if (!child || child->parent_ != this) return;
    child->parent_ = nullptr;
    if (child->nameIndex_) child->nameIndex_->NodeDetached(child);
}

void Node::Rename(const std::string& name) {
    std::string oldName = std::move(name_);
    name_ = name;
    nameIndex_->NodeRenamed(*this, oldName);
}

void Node::ChildListChanged() {
    if (prepareOnChange_) Prepare(nullptr);
}

void Node::CloneChildrenInto(Node& copy) const {
    const int count = ChildCount();
    if (arityKind_ == kArityNone) {
        // The copy's constructor made its fixed children: copy names and values only.
        const int common = std::min(count, copy.ChildCount());
        for (int i = 0; i < common; ++i) {
            Ptr target = copy.GetChild(i);
            target->SetName(children_[static_cast<std::size_t>(i)]->name_);
            target->SetValue(children_[static_cast<std::size_t>(i)]->values_[0], 0);
        }
    } else if (!list_) {
        const int common = std::min(count, copy.ChildCount());
        for (int i = 0; i < common; ++i) {
            Ptr child = children_[static_cast<std::size_t>(i)]->Clone();
            if (child) copy.ReplaceChildAt(i, child);
        }
        if (copy.IsVariadic()) {
            // The copy must end up with as many children as the original.
            for (int i = common; i < count; ++i)
                copy.AddChild(children_[static_cast<std::size_t>(i)]->Clone());
            while (copy.ChildCount() > count) copy.RemoveChild(copy.ChildCount() - 1);
        }
    } else {
        copy.ClearChildren();
        for (const Ptr& child : children_) copy.AddChild(child->Clone());
    }
}

// --- Parameters ---

void Node::SetMarkRecursive(const bool& mark) {
    mark_ = mark ? 1 : 0;
    for (Ptr& child : children_) child->SetMarkRecursive(mark);
}

void Node::CollectActive(std::vector<Node*>& out) {
    out.clear();
    if (IsActive()) {
        out.push_back(this);
        return;
    }
    for (Ptr& child : children_) {
        if (child->IsActive() && child->ChildCount() == 0) {
            out.push_back(child.Get());
        } else {
            std::vector<Node*> below;
            child->CollectActive(below);
            out.insert(out.end(), below.begin(), below.end());
        }
    }
}

int Node::GetKeyChildIndex() const {
    Ptr key = GetChild(keyChildIndex_);
    return key && key->IsActive() ? keyChildIndex_ : -1;
}

void Node::MergeReferences(const std::vector<Node*>& list, std::vector<Node*>& into) {
    for (Node* node : list) {
        if (node->GetSourceKind() != kDefinitionReference) continue;
        bool known = std::any_of(into.begin(), into.end(),
                                 [&](const Node* other) { return node->IsSameReference(*other); });
        if (!known) into.push_back(node);
    }
}

// --- Anchors ---

Safe::XPtr<AnchorsInterface> Node::GetAnchors() {
    if (anchors_) anchors_->Rebuild();
    return anchors_;
}

void Node::CreateAnchorSet(bool placeable) {
    anchors_ = Safe::MakeX<AnchorsInterface>(this);
    anchors_->SetPlaceable(placeable);
}

int Node::GetAnchorMode(int slot) const {
    return IsValidSlot(slot) ? anchorMode_[static_cast<std::size_t>(slot)] : -1;
}

bool Node::SetAnchorMode(int slot, int mode) {
    // -1 stores "no force".
    if (!IsValidSlot(slot) || mode < -1 || mode > 2) return false;
    anchorMode_[static_cast<std::size_t>(slot)] = mode;
    return true;
}

bool Node::SetAnchorChildByName(int slot, const std::string& name) {
    if (!IsValidSlot(slot)) return false;
    anchorBound_[static_cast<std::size_t>(slot)] = name == name_ ? kAnchorSelf : IndexOfChild(name);
    return true;
}

bool Node::SetAnchorChild(int slot, const std::string& name) {
    if (!IsValidSlot(slot)) return false;
    anchorFollower_[static_cast<std::size_t>(slot)] = IndexOfChild(name);
    return true;
}

Node* Node::BoundNode(int binding) const {
    if (binding == kAnchorSelf) return const_cast<Node*>(this);
    return GetChild(binding).Get();
}

Node* Node::GetAnchorNode(int slot) const {
    if (!IsValidSlot(slot)) return nullptr;
    Node* bound = BoundNode(anchorBound_[static_cast<std::size_t>(slot)]);
    return bound && bound->IsActive() ? bound : nullptr;
}

Node::Ptr Node::GetAnchorChild(int slot) const {
    if (!IsValidSlot(slot)) return Ptr();
    Ptr follower = GetChild(anchorFollower_[static_cast<std::size_t>(slot)]);
    return follower && follower->IsActive() ? follower : Ptr();
}

void Node::SetAnchorValue(const double& x, const double& y) {
    for (int slot = 0; slot < 2; ++slot) {
        const auto s = static_cast<std::size_t>(slot);
        const int binding = anchorBound_[s];
        const double target = slot == 0 ? x : y;
        if (binding == kAnchorSelf) {
            SetValue(Complex(target, 0.0), 0);
            continue;
        }
        Ptr bound = GetChild(binding);
        if (!bound) continue;
        const double value = slot == 0 ? target : Transform(1, target);
        // Only children from index 1 on can follow.
        Ptr follower = anchorFollower_[s] >= 1 ? GetChild(anchorFollower_[s]) : Ptr();
        if (follower && anchorMode_[s] != -1)
            follower->SetValue(Complex(AnchorTransform(follower->values_[0].real(), anchorMode_[s],
                                                       bound->values_[0].real(), value),
                                       0.0),
                               0);
        bound->SetValue(Complex(value, 0.0), 0);
    }
}

void Node::DragAnchorValue(int modeX, const double& dx, int modeY, const double& dy) {
    for (int slot = 2; slot < 4; ++slot) {
        const auto s = static_cast<std::size_t>(slot);
        Node* bound = BoundNode(anchorBound_[s]);
        if (!bound) continue;
        const int mode = slot == 2 ? modeX : modeY;
        const double delta = slot == 2 ? dx : dy;
        const double current = bound->values_[0].real();
        double value = delta;
        if (mode == 1)
            value = delta + current;
        else if (mode == 2)
            value = (delta + 1.0) * current;
        bound->SetValue(Complex(value, 0.0), 0);
        if (bound == this) continue;
        Ptr follower = anchorFollower_[s] >= 1 ? GetChild(anchorFollower_[s]) : Ptr();
        if (follower && anchorMode_[s] != -1)
            follower->SetValue(Complex(AnchorTransform(follower->values_[0].real(), anchorMode_[s],
                                                       current, value),
                                       0.0),
                               0);
    }
}

}  // namespace Core
