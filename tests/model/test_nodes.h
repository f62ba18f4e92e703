#pragma once
// Small node classes that exercise the base class's rules, registered as a family of their own.
#include "model/anchors.h"
#include "model/factory.h"
#include "model/node.h"

namespace TestNodes {

enum Id {
    kLeaf = 9000,
    kFixed = 9001,
    kNone = 9002,
    kVariadic = 9003,
    kList = 9004,
    kRef = 9005,
    kAnchored = 9006,
    kGatherer = 9007
};

class Leaf : public Core::Node {
public:
    explicit Leaf(const std::string& name = "leaf", double value = 0.0) {
        typeId_ = kLeaf;
        name_ = name;
        values_[0] = value;
    }
    void SetActiveFlag(bool on) { active_ = on ? 1 : 0; }
};

// Parent classes whose constructors make children named p0, p1, ...
class Parent : public Core::Node {
public:
    Parent(int typeId, int arity, bool list, int children) {
        typeId_ = typeId;
        name_ = "parent";
        arityKind_ = arity;
        list_ = list ? 1 : 0;
        for (int i = 0; i < children; ++i)
            AdoptChild(Safe::MakeX<Leaf>("p" + std::to_string(i), 10.0 + i));
    }
    void SetKeyChild(int index) { keyChildIndex_ = index; }
    void SetAnchors(int slot, int bound, int mode, int follower) {
        anchorBound_[static_cast<std::size_t>(slot)] = bound;
        anchorMode_[static_cast<std::size_t>(slot)] = mode;
        anchorFollower_[static_cast<std::size_t>(slot)] = follower;
    }
    void SetPrepareOnChange() { prepareOnChange_ = 1; }
    void Prepare(Node* parent) override {
        ++prepared;
        Node::Prepare(parent);
    }
    int prepared = 0;
};

// A reference to a definition, identified by a number.
class Ref : public Core::Node {
public:
    explicit Ref(int target = 0) : target(target) {
        typeId_ = kRef;
        sourceKind_ = Core::kDefinitionReference;
        arityKind_ = Core::kArityNone;
    }
    bool IsSameReference(const Node& other) const override {
        auto* ref = dynamic_cast<const Ref*>(&other);
        return ref && ref->target == target;
    }
    int target;
};

// Two anchors bound to its two children: a top anchor at (p0, p1) and a width anchor at
// (p0 + 1, p1 / 2). Moving an anchor writes its point back; the pair force each other.
class Anchored : public Core::Node {
public:
    Anchored() {
        typeId_ = kAnchored;
        name_ = "anchored";
        arityKind_ = Core::kArityFixed;
        AdoptChild(Safe::MakeX<Leaf>("p0", 1.0));
        AdoptChild(Safe::MakeX<Leaf>("p1", 2.0));
        CreateAnchorSet(true);
    }
    void CreateAnchors(std::vector<Safe::XPtr<Core::Anchor>>& out) override {
        out.clear();
        Safe::XPtr<Core::Anchor> top = Safe::MakeX<Core::AnchorXY>();
        Safe::XPtr<Core::Anchor> width = Safe::MakeX<Core::AnchorDX>();
        top->SetKind(Core::kAnchorTop);
        width->SetKind(Core::kAnchorHalfWidth);
        top->SetBinding(0, GetChild(0).Get());
        top->SetBinding(1, GetChild(1).Get());
        width->SetBinding(0, GetChild(1).Get());  // the partner the top anchor's force moves
        top->SetCommand(Safe::MakeX<Core::Force>(width.Get()));
        out.push_back(top);
        out.push_back(width);
        for (auto& anchor : out) PlaceAnchor(anchor.Get(), true);
    }
    void PlaceAnchor(Core::Anchor* anchor, const bool& keep) override {
        placed.push_back(anchor->GetKind() * 10 + (keep ? 1 : 0));
        const double x = GetChild(0)->GetValue().real(), y = GetChild(1)->GetValue().real();
        if (anchor->GetKind() == Core::kAnchorTop)
            anchor->SetFirstPoint({x, y}, keep);
        else
            anchor->SetFirstPoint({x + 1.0, y / 2.0}, keep);
    }
    void AnchorMoved(Core::Anchor* anchor, bool& notify) override {
        const Core::AnchorPoint p = anchor->First().current;
        if (anchor->GetKind() == Core::kAnchorTop) {
            const double old = GetChild(0)->GetValue().real();
            GetChild(0)->SetValue(p.x, 0);
            GetChild(1)->SetValue(p.y, 0);
            if (auto* force = dynamic_cast<Core::Force*>(anchor->GetCommand().Get()))
                force->SetValues(old, p.x);
        }
        notify = notifyForces;
    }
    bool notifyForces = true;
    std::vector<int> placed;
};

// A variadic node whose anchor set gathers its children's anchors, as a sum's does.
class Gatherer : public Core::Node {
public:
    Gatherer() {
        typeId_ = kGatherer;
        name_ = "gatherer";
        arityKind_ = Core::kArityVariadic;
        CreateAnchorSet(false);
    }
    bool GathersChildAnchors() const override { return true; }
};

inline Core::Node::Ptr Make(int typeId) {
    switch (typeId) {
        case kLeaf: return Safe::MakeX<Leaf>();
        case kFixed: return Safe::MakeX<Parent>(kFixed, Core::kArityFixed, false, 2);
        case kNone: return Safe::MakeX<Parent>(kNone, Core::kArityNone, false, 3);
        case kVariadic: return Safe::MakeX<Parent>(kVariadic, Core::kArityVariadic, false, 2);
        case kList: return Safe::MakeX<Parent>(kList, Core::kArityVariadic, true, 2);
        case kRef: return Safe::MakeX<Ref>();
        default: return Core::Node::Ptr();
    }
}

inline void Register() {
    Core::RegisterFamily(&Make);
}

inline Safe::XPtr<Parent> MakeParent(int typeId) {
    return Safe::DynamicCast<Parent>(Make(typeId));
}

}  // namespace TestNodes
