#include "functions/tuples.h"

#include <algorithm>

#include "foundation/numeric.h"
#include "functions/numbers.h"
#include "functions/operators.h"
#include "functions/parameters.h"
#include "model/basic.h"

namespace Capsule {

// --- Tuples ---

Tuple::Tuple(int typeId, const char* name, int arityKind, std::vector<const char*> members) {
    Identify(typeId, name, arityKind);
    for (const char* member : members) AdoptChild(MakeParameter<Basic>(member, 0.0));
    FitValues();
}

void Tuple::FitValues() {
    const auto size = static_cast<std::size_t>(std::max(1, ChildCount()));
    if (values_.size() != size) values_.resize(size, Complex(0.0, 0.0));
    if (ChildCount() == 0) values_[0] = Complex(0.0, 0.0);
}

bool Tuple::IsActive() const {
    for (const Ptr& member : Children())
        if (!member->IsActive()) return false;
    return true;
}

void Tuple::SetValues(const std::vector<Complex>& v) {
    const std::size_t count = std::min(v.size(), Children().size());
    for (std::size_t k = 0; k < count; ++k) Children()[k]->SetValue(v[k], 0);
}

const Complex& Tuple::Evaluate() {
    FitValues();  // members removed through the base operations
    for (std::size_t k = 0; k < Children().size(); ++k) values_[k] = Children()[k]->Compute();
    return values_[0];
}

Tuple2::Tuple2() : Tuple(3000, "tuple-2", Core::kArityFixed, {"t1", "t2"}) {}
Tuple4::Tuple4() : Tuple(3001, "tuple-4", Core::kArityFixed, {"t1", "t2", "t3", "t4"}) {}

TupleN::TupleN() : Tuple(3002, "tuple-n", Core::kArityVariadic, {"t"}) {
    list_ = 1;
    prepareOnChange_ = 1;
}

void TupleN::Prepare(Node* from) {
    FitValues();
    Node::Prepare(from);
}

Core::Node::Ptr TupleN::AddChild(const Ptr& child) {
    Ptr added = Node::AddChild(child);
    if (!added) return added;
    FitValues();
    if (Node* parent = ParentNode()) parent->Prepare(added.Get());
    Evaluate();
    return added;
}

Core::Node::Ptr TupleN::RemoveChild(const int& index) {
    Ptr removed = Node::RemoveChild(index);
    if (!removed) return removed;
    FitValues();
    if (Node* parent = ParentNode()) parent->Prepare(removed.Get());
    Evaluate();
    return removed;
}

Core::Node::Ptr TupleN::RemoveChildByName(const std::string& name) {
    Ptr removed = Node::RemoveChild(IndexOfChild(name));
    if (!removed) return removed;
    FitValues();
    Evaluate();
    return removed;
}

// --- Element selection ---

OutN::OutN() {
    Identify(3003, "out-n", Core::kArityFixed);
    AdoptChild(MakeParameter<Basic>("t", 0.0));
    AdoptChild(MakeParameter<IntegerNumber>("n", 0.0));
}

const Complex& OutN::Evaluate() {
    Node* tuple = Parameter(0);
    tuple->Compute();
    const int n = SaturateToInt(Parameter(1)->GetValue().real());
    const std::vector<Complex>& members = tuple->GetValues();
    const bool inside = n >= 0 && static_cast<std::size_t>(n) < members.size();
    return values_[0] = inside ? members[static_cast<std::size_t>(n)] : Complex(0.0, 0.0);
}

// --- For-each ---

ForEach::ForEach() {
    Identify(3004, "for-each", Core::kArityFixed);
    AdoptChild(MakeParameter<Basic>("init_value", 0.0));
    AdoptChild(MakeParameter<Plus>("action", 0.0));
    AdoptChild(MakeParameter<TupleN>("list"));
    MakeWorking(GetChild(1), working_);
}

bool ForEach::MakeWorking(const Ptr& action, Working& out) {
    if (!action || action->ChildCount() != 2) return false;
    Working made{action->Clone(), Safe::MakeX<ComplexVector>(), Safe::MakeX<ComplexVector>()};
    // A node may hold two children and still refuse to exchange them (a point, a fixed value
    // node): it would fold its own operands instead of the list's.
    if (!made.action || !made.action->ReplaceChildAt(0, made.accumulator) ||
        !made.action->ReplaceChildAt(1, made.element))
        return false;
    out = made;
    return true;
}

Core::Node::Ptr ForEach::ReplaceChildAt(const int& index, const Ptr& child) {
    Working replacement;
    if (index == 1 && !MakeWorking(child, replacement)) return Ptr();
    Ptr old = Node::ReplaceChildAt(index, child);
    if (!old) return old;
    if (index == 1) working_ = replacement;
    Evaluate();
    return old;
}

Core::Node::Ptr ForEach::Clone() {
    Ptr copy = Node::Clone();
    Safe::XPtr<ForEach> each = Safe::DynamicCast<ForEach>(copy);
    // The copy folds with the working action this node has, not with one made afresh from the
    // action as it stands now.
    Ptr action = each ? working_.action->Clone() : Ptr();
    if (action) {
        each->working_ = {action, action->GetChild(0), action->GetChild(1)};
        each->values_ = values_;
    }
    return copy;
}

const Complex& ForEach::Evaluate() {
    Node* init = Parameter(0);
    init->Compute();
    Core::CopyValues(values_, init->GetValues());
    Node* list = Parameter(2);
    if (list->ChildCount() == 0) return values_[0];
    list->Compute();
    working_.accumulator->SetValues(init->GetValues());
    for (int k = 0; k < list->ChildCount(); ++k) {
        working_.element->SetValues(list->Child(k)->GetValues());
        working_.action->Compute();
        working_.accumulator->SetValues(working_.action->GetValues());
    }
    Core::CopyValues(values_, working_.action->GetValues());
    return values_[0];
}

Core::Node::Ptr MakeTuple(int typeId) {
    switch (typeId) {
        case 3000: return Safe::MakeX<Tuple2>();
        case 3001: return Safe::MakeX<Tuple4>();
        case 3002: return Safe::MakeX<TupleN>();
        case 3003: return Safe::MakeX<OutN>();
        case 3004: return Safe::MakeX<ForEach>();
        default: return Core::Node::Ptr();
    }
}

}  // namespace Capsule
