#pragma once
// Elementary complex functions of one argument (type ids 300-334) and the two powers.
#include "model/column.h"
#include "model/node.h"

namespace Capsule {

using Core::Complex;

// One child "c" (1, 0); the type id fixes the name and the formula.
template <int TypeId>
class Elementary final : public Core::Node {
public:
    Elementary();
    const Complex& Evaluate() override;
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOwn; }
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

using Real = Elementary<300>;
using Imag = Elementary<301>;
using Abs = Elementary<302>;
using Norm = Elementary<303>;
using Arg = Elementary<304>;
using Conjg = Elementary<305>;
using Sqr = Elementary<306>;
using Sqrt = Elementary<307>;
using Exp = Elementary<308>;
using Ln = Elementary<309>;
using Log = Elementary<310>;
using Cos = Elementary<311>;
using Sin = Elementary<312>;
using Tan = Elementary<313>;
using Cot = Elementary<314>;
using Csc = Elementary<315>;
using Sec = Elementary<316>;
using ArcCos = Elementary<317>;  // of Re z only
using ArcSin = Elementary<318>;  // of Re z only
using ArcTan = Elementary<319>;  // of Re z only
using ArcCot = Elementary<320>;
using ArcCsc = Elementary<321>;
using ArcSec = Elementary<322>;
using Cosh = Elementary<323>;
using Sinh = Elementary<324>;
using Tanh = Elementary<325>;
using Coth = Elementary<326>;
using Csch = Elementary<327>;
using Sech = Elementary<328>;
using ArcCosh = Elementary<329>;
using ArcSinh = Elementary<330>;
using ArcTanh = Elementary<331>;
using ArcCoth = Elementary<332>;
using ArcCsch = Elementary<333>;
using ArcSech = Elementary<334>;

// a^n for the integer n (child "n", truncated toward zero), by repeated squaring.
class Pow final : public Core::Node {
public:
    Pow();
    const Complex& Evaluate() override;
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOwn; }
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

// a^p for the complex exponent p (child "power").
class YPow final : public Core::Node {
public:
    YPow();
    const Complex& Evaluate() override;
    Core::ColumnKind GetColumnKind() const override { return Core::kColumnOwn; }
    const Column& EvaluateColumn(Core::ColumnPass& pass) override;
};

Core::Node::Ptr MakeElementary(int typeId);

}  // namespace Capsule
