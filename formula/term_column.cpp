// The term program over a block of points: each instruction runs over the whole block, so a
// formula costs a few loops per block instead of an interpreted pass per point. Point for
// point the results are those of Term::Evaluate.
#include <cstddef>

#include "foundation/column_math.h"
#include "formula/term.h"

namespace {

using Complex = std::complex<double>;

// out := v scaled by the real x (multiply, or divide when divide is set), both parts.
void Scale(const Column& v, double x, bool divide, Column& out) {
    if (v.IsConstant()) {
        const Complex z = v.Value();
        out.SetConstant(divide ? Complex(z.real() / x, z.imag() / x)
                               : Complex(z.real() * x, z.imag() * x));
    } else if (divide) {
        TransformColumn(v, out, [x](double re, double im, double& r, double& i) {
            r = re / x;
            i = im / x;
        });
    } else {
        TransformColumn(v, out, [x](double re, double im, double& r, double& i) {
            r = re * x;
            i = im * x;
        });
    }
}

// out := v * w or v / w, complex.
void Join(const Column& v, const Column& w, bool divide, Column& out) {
    if (v.IsConstant() && w.IsConstant())
        out.SetConstant(divide ? DivideComplex(v.Value(), w.Value())
                               : Multiply(v.Value(), w.Value()));
    else if (divide)
        DivideColumns(v, w, out, DivideComplex);
    else
        MultiplyColumns(v, w, out);
}

// sum := sum + v, or sum - v when subtract is set, part by part; scratch is spare.
void Accumulate(Column& sum, const Column& v, bool subtract, Column& scratch) {
    if (sum.IsConstant() && v.IsConstant()) {
        const Complex a = sum.Value(), b = v.Value();
        sum.SetConstant(subtract ? Complex(a.real() - b.real(), a.imag() - b.imag())
                                 : Complex(a.real() + b.real(), a.imag() + b.imag()));
        return;
    }
    if (subtract)
        CombineColumns(sum, v, scratch,
                       [](double ar, double ai, double br, double bi, double& r, double& i) {
                           r = ar - br;
                           i = ai - bi;
                       });
    else
        CombineColumns(sum, v, scratch,
                       [](double ar, double ai, double br, double bi, double& r, double& i) {
                           r = ar + br;
                           i = ai + bi;
                       });
    sum.Swap(scratch);
}

void Copy(const Column& from, Column& to) {
    if (from.IsConstant()) {
        to.SetConstant(from.Value());
        return;
    }
    TransformColumn(from, to, [](double re, double im, double& r, double& i) {
        r = re;
        i = im;
    });
}

}  // namespace

bool Term::DrawsRandomNumbers() const {
    for (const std::vector<Operation>& level : operations_)
        for (const Operation& operation : level)
            for (int t = 0; t < operation.GetTermCount(); ++t) {
                const int* record = operation.GetTerm(t);
                if (record[2] == kSourceRandom) return true;
                for (const int* f = record + 4; f < record + 3 * record[1] + 1; f += 3)
                    if (f[1] == kSourceRandom) return true;
            }
    return false;
}

void Term::EvaluateColumn(Column& result, const std::vector<const Column*>& arguments,
                          ColumnStorage& storage) {
    if (!valid_) {
        result.SetConstant(Complex());
        return;
    }
    if (columnRegisters_.size() != groups_.size()) {
        columnRegisters_.resize(groups_.size());
        for (std::size_t level = 0; level < groups_.size(); ++level)
            columnRegisters_[level].resize(static_cast<std::size_t>(groups_[level]));
    }
    const std::size_t lent = storage.LentCount();
    for (std::vector<Column>& level : columnRegisters_)
        for (Column& column : level) column.Lend(storage.Lend());
    for (Column& column : work_) column.Lend(storage.Lend());
    sum_.Lend(storage.Lend());
    for (int level = static_cast<int>(operations_.size()) - 1; level >= 0; --level)
        for (const Operation& operation : operations_[level]) RunColumn(operation, arguments);
    Copy(columnRegisters_[0][0], result);
    storage.GiveBack(lent);
}

const Column& Term::FactorColumn(int level, int source, int index,
                                 const std::vector<const Column*>& arguments,
                                 Column& single) const {
    if (source == kSourceArgument && static_cast<std::size_t>(index) < arguments.size())
        return *arguments[static_cast<std::size_t>(index)];
    if (source == kSourceGroup) return columnRegisters_[level + 1][index];
    single.SetConstant(source == kSourceArgument ? Complex() : Factor(level, source, index, {}));
    return single;
}

void Term::RunColumn(const Operation& operation, const std::vector<const Column*>& arguments) {
    const int level = operation.GetLevel();
    // The working columns take turns: an operation never writes the column it reads.
    int next = 0;
    auto spare = [&](const Column* busy) -> Column& {
        if (&work_[next] == busy) next = (next + 1) % 3;
        Column& column = work_[next];
        next = (next + 1) % 3;
        return column;
    };
    for (int t = 0; t < operation.GetTermCount(); ++t) {
        const int* record = operation.GetTerm(t);
        const int factors = record[1];
        const Column* v = &FactorColumn(level, record[2], record[3], arguments, single_[0]);
        for (const int* f = record + 4; f < record + 3 * factors + 1; f += 3) {
            const Column& w = FactorColumn(level, f[1], f[2], arguments, single_[1]);
            Column& out = spare(v);
            if (IsRealFactorSource(f[1]))
                Scale(*v, w.Value().real(), f[0] == 1, out);
            else
                Join(*v, w, f[0] == 1, out);
            v = &out;
        }
        // The sum starts from zero, as Run's does; sum + (-v) is sum - v to the bit.
        if (t == 0) sum_.SetConstant(Complex());
        Accumulate(sum_, *v, record[0] == 1, spare(v));
    }
    if (operation.GetTermCount() == 0) sum_.SetConstant(Complex());
    Column& target = columnRegisters_[level][operation.GetIndex()];
    const int code = operation.GetCode();
    if (code == kFunctionIdentity) {
        target.Swap(sum_);
    } else if (sum_.IsConstant()) {
        Complex z;
        ApplyGroupFunction(code, sum_.Value(), z);
        target.SetConstant(z);
    } else {
        target.SetVarying();
        for (int i = 0; i < kColumnBlock; ++i) {
            Complex z;
            ApplyGroupFunction(code, sum_.At(i), z);
            target.Set(i, z);
        }
    }
}
