// The column paths of the operators and of the composite numbers: the arithmetic of their
// Evaluate, in the same order, over a block at a time.
#include <limits>

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
    CombineColumns(Parameter(0)->ComputeColumn(pass), Parameter(1)->ComputeColumn(pass), column_,
                   [](double ar, double ai, double br, double bi, double& re, double& im) {
                       re = ar + br;
                       im = ai + bi;
                   });
    return column_;
}

const Column& Minus::EvaluateColumn(ColumnPass& pass) {
    CombineColumns(Parameter(0)->ComputeColumn(pass), Parameter(1)->ComputeColumn(pass), column_,
                   [](double ar, double ai, double br, double bi, double& re, double& im) {
                       re = ar - br;
                       im = ai - bi;
                   });
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
    for (const Ptr& child : Children()) AccumulateColumn(column_, child->ComputeColumn(pass));
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
