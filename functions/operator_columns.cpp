// The column paths of the operators and of the composite numbers: the arithmetic of their
// Evaluate, in the same order, over a block at a time.
#include <limits>
#include <typeinfo>

#include "foundation/column_math.h"
#include "foundation/numeric.h"
#include "functions/numbers.h"
#include "functions/operators.h"

namespace Capsule {

namespace {

using Core::ColumnPass;

// The block of (1, 0) or (0, 0) from a test of the real parts of x and a.
template <class Test>
void Compare(const Column& x, const Column& a, Column& out, Test test) {
    CombineColumns(x, a, out, [&](double xr, double, double ar, double, double& re, double& im) {
        re = test(xr, ar) ? 1.0 : 0.0;
        im = 0.0;
    });
}

// A Times or Div child whose parent adds or subtracts its product or quotient as it is made
// (JoinColumns) rather than stored and read again in a pass of its own: its operands' columns,
// computed (in storage the caller gives back). Null for any other child, and for one whose
// column is constant or read after the evaluation.
struct JoinOperands {
    const Column* a = nullptr;
    const Column* b = nullptr;
    bool divide = false;

    JoinOperands(Core::Node& child, ColumnPass& pass) {
        divide = typeid(child) == typeid(Div);
        if ((!divide && typeid(child) != typeid(Times)) || child.OwnColumn().IsConstant() ||
            child.IsColumnPinned())
            return;
        a = &child.Child(0)->ComputeColumn(pass);
        b = &child.Child(1)->ComputeColumn(pass);
    }
    explicit operator bool() const { return a != nullptr; }

    // out := sum + the child's value, or sum - it with kSubtract.
    template <bool kSubtract>
    void Join(const Column& sum, Column& out) const {
        if (divide)
            JoinColumns<true, kSubtract>(sum, *a, *b, out);
        else
            JoinColumns<false, kSubtract>(sum, *a, *b, out);
    }
};

// out := a + b or a - b, with b's product or quotient taken as it is made where it can be.
template <bool kSubtract>
void PlusOrMinus(Core::Node& node, ColumnPass& pass, Column& out) {
    const Column& a = node.Child(0)->ComputeColumn(pass);
    ColumnStorage& storage = pass.Storage();
    const std::size_t lent = storage.LentCount();
    if (const JoinOperands b{*node.Child(1), pass}) {
        b.Join<kSubtract>(a, out);
        storage.GiveBack(lent);
        return;
    }
    CombineColumns(a, node.Child(1)->ComputeColumn(pass), out,
                   [](double ar, double ai, double br, double bi, double& re, double& im) {
                       re = kSubtract ? ar - br : ar + br;
                       im = kSubtract ? ai - bi : ai + bi;
                   });
}

}  // namespace

const Column& Opposite::EvaluateColumn(ColumnPass& pass) {
    TransformColumn(Parameter(0)->ComputeColumn(pass), column_,
                    [](double ar, double ai, double& re, double& im) {
                        re = -ar;
                        im = -ai;
                    });
    return column_;
}

const Column& Inverse::EvaluateColumn(ColumnPass& pass) {
    Column one;
    one.SetConstant(Complex(1.0, 0.0));
    DivideColumns(one, Parameter(0)->ComputeColumn(pass), column_, Divide);
    return column_;
}

const Column& Imaginary::EvaluateColumn(ColumnPass& pass) {
    TransformColumn(Parameter(0)->ComputeColumn(pass), column_,
                    [](double ar, double ai, double& re, double& im) {
                        re = -ai;
                        im = ar;
                    });
    return column_;
}

const Column& Plus::EvaluateColumn(ColumnPass& pass) {
    PlusOrMinus<false>(*this, pass, column_);
    return column_;
}

const Column& Minus::EvaluateColumn(ColumnPass& pass) {
    PlusOrMinus<true>(*this, pass, column_);
    return column_;
}

const Column& Times::EvaluateColumn(ColumnPass& pass) {
    MultiplyColumns(Parameter(0)->ComputeColumn(pass), Parameter(1)->ComputeColumn(pass), column_);
    return column_;
}

const Column& Div::EvaluateColumn(ColumnPass& pass) {
    DivideColumns(Parameter(0)->ComputeColumn(pass), Parameter(1)->ComputeColumn(pass), column_,
                  Divide);
    return column_;
}

const Column& IPlus::EvaluateColumn(ColumnPass& pass) {
    CombineColumns(Parameter(0)->ComputeColumn(pass), Parameter(1)->ComputeColumn(pass), column_,
                   [](double ar, double ai, double br, double bi, double& re, double& im) {
                       re = ar - bi;
                       im = ai + br;
                   });
    return column_;
}

const Column& IMinus::EvaluateColumn(ColumnPass& pass) {
    CombineColumns(Parameter(0)->ComputeColumn(pass), Parameter(1)->ComputeColumn(pass), column_,
                   [](double ar, double ai, double br, double bi, double& re, double& im) {
                       re = ar + bi;
                       im = ai - br;
                   });
    return column_;
}

const Column& Factor::EvaluateColumn(ColumnPass& pass) {
    Column scratch;
    column_.SetConstant(Complex(1.0, 0.0));
    for (const Ptr& child : Children()) {
        MultiplyColumns(column_, child->ComputeColumn(pass), scratch);
        column_.Swap(scratch);
    }
    return column_;
}

const Column& Sum::EvaluateColumn(ColumnPass& pass) {
    column_.SetConstant(Complex(0.0, 0.0));
    // The sum before a child joined as it is made, which the special points read: storage of its
    // own, made for each block (one allocation beside a block of every child).
    Column previous;
    ColumnStorage& storage = pass.Storage();
    for (const Ptr& child : Children()) {
        const std::size_t lent = storage.LentCount();
        if (const JoinOperands operands{*child, pass}) {
            column_.Swap(previous);  // the arrays trade places: no values are copied
            operands.Join<false>(previous, column_);
            storage.GiveBack(lent);
        } else {
            AccumulateColumn(column_, child->ComputeColumn(pass));
        }
    }
    return column_;
}

const Column& Average::EvaluateColumn(ColumnPass& pass) {
    column_.SetConstant(Complex(0.0, 0.0));
    for (const Ptr& child : Children()) AccumulateColumn(column_, child->ComputeColumn(pass));
    if (ChildCount() == 0) return column_;
    const double count = static_cast<double>(ChildCount());
    double* re = column_.Re();  // varying: the sum made it so
    double* im = column_.Im();
    for (int i = 0; i < kColumnBlock; ++i) {
        re[i] = re[i] / count;
        im[i] = im[i] / count;
    }
    return column_;
}

const Column& Comparison::EvaluateColumn(ColumnPass& pass) {
    const Column& x = Parameter(0)->ComputeColumn(pass);
    const Column& a = Parameter(1)->ComputeColumn(pass);
    if (greater_)
        Compare(x, a, column_, [](double u, double v) { return u > v; });
    else
        Compare(x, a, column_, [](double u, double v) { return u < v; });
    return column_;
}

const Column& RationalNumber::EvaluateColumn(ColumnPass& pass) {
    CombineColumns(Parameter(0)->ComputeColumn(pass), Parameter(1)->ComputeColumn(pass), column_,
                   [](double nr, double, double dr, double, double& re, double& im) {
                       re = static_cast<double>(SaturateToInt(nr)) /
                            static_cast<double>(SaturateToInt(dr));
                       im = 0.0;
                   });
    return column_;
}

const Column& ComplexNumber::EvaluateColumn(ColumnPass& pass) {
    CombineColumns(Parameter(0)->ComputeColumn(pass), Parameter(1)->ComputeColumn(pass), column_,
                   [](double ar, double, double br, double, double& re, double& im) {
                       re = ar;
                       im = br;
                   });
    return column_;
}

}  // namespace Capsule
