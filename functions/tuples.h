#pragma once
// Nodes whose value is a vector: fixed and variadic tuples, the selection of one member, and a
// left fold of a two-argument action over the members of a tuple.
#include <string>
#include <vector>

#include "model/column.h"
#include "model/node.h"

namespace Capsule {

using Core::Complex;

// values[k] is member k's value; the node's value is values[0]. Active when every member is.
class Tuple : public Core::Node {
public:
    bool IsActive() const override;
    // Sets member k from v[k] for the members that v reaches; the others keep their values.
    void SetValues(const std::vector<Complex>& v) override;
    const Complex& Evaluate() override;

protected:
    Tuple(int typeId, const char* name, int arityKind, std::vector<const char*> members);
    // One value per member, and always the node's own value (0, 0) when there is none.
    void FitValues();
};

class Tuple2 : public Tuple {
public:
    Tuple2();
};

class Tuple4 : public Tuple {
public:
    Tuple4();
};

// Members may be added and removed; every change refits the values and evaluates once.
class TupleN : public Tuple {
public:
    TupleN();
    // Refits the values too: the base operations that change the children prepare it.
    void Prepare(Node* from) override;
    Ptr AddChild(const Ptr& child) override;
    virtual Ptr RemoveChild(const int& index);
    virtual Ptr RemoveChildByName(const std::string& name);
};

// Element "n" (its stored value, truncated) of the values of "t"; (0, 0) outside them.
class OutN : public Core::Node {
public:
    OutN();
    const Complex& Evaluate() override;
};

// Folds "action" over the members of "list" from "init_value": the running vector and the
// member's vector stand in for the action's two operands in a working copy of the action, made
// when the action is replaced (later edits inside the action do not reach it).
class ForEach : public Core::Node {
public:
    ForEach();
    // Replacing the action needs a node with two children that both take the operands.
    Ptr ReplaceChildAt(const int& index, const Ptr& child) override;
    Ptr Clone() override;
    const Complex& Evaluate() override;
    // Runs its working action over the members: a model holding one goes point by point.
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOrderDependent; }

private:
    struct Working {
        Ptr action;
        Ptr accumulator;
        Ptr element;
    };
    static bool MakeWorking(const Ptr& action, Working& out);

    Working working_;
};

Core::Node::Ptr MakeTuple(int typeId);

}  // namespace Capsule
