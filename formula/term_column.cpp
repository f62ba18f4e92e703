// The term program over a block of points: each instruction runs over the whole block, so a
// formula costs a few loops per block instead of an interpreted pass per point. Point for
// point the results are those of Term::Evaluate.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <type_traits>

#include "formula/group_functions.h"
#include "formula/term.h"
#include "foundation/column_math.h"
#include "foundation/kept_column.h"

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

// out := sum + v, or sum - v when subtract is set, part by part; with fromZero, sum is the
// first term still to be added to zero. out must be neither sum nor v.
void Accumulate(const Column& sum, const Column& v, bool subtract, bool fromZero, Column& out) {
    if (sum.IsConstant() && v.IsConstant()) {
        const Complex a = sum.Value(), b = v.Value();
        out.SetConstant(subtract ? Complex(a.real() - b.real(), a.imag() - b.imag())
                                 : Complex(a.real() + b.real(), a.imag() + b.imag()));
        return;
    }
    // -0.0 + x is x, also for x = -0.0: the one loop serves both.
    const double zero = fromZero ? 0.0 : -0.0;
    if (subtract)
        CombineColumns(sum, v, out,
                       [zero](double ar, double ai, double br, double bi, double& r, double& i) {
                           r = (zero + ar) - br;
                           i = (zero + ai) - bi;
                       });
    else
        CombineColumns(sum, v, out,
                       [zero](double ar, double ai, double br, double bi, double& r, double& i) {
                           r = (zero + ar) + br;
                           i = (zero + ai) + bi;
                       });
}

// Calls g with a reader of each of three columns.
template <class G>
void WithReaders(const Column& a, const Column& b, const Column& c, G g) {
    WithReaders(a, [&](auto x) { WithReaders(b, c, [&](auto y, auto z) { g(x, y, z); }); });
}

// out := sum + a * b, or the quotient, or sum minus either: Join and Accumulate in one loop, the
// product never stored, with the same arithmetic; the points that Join gives by the special
// rules are then done again one by one. a or b varies; out is none of sum, a and b. Kept out of
// RunColumn: inlined there, the loops' closures for every kind of column were set up on each call
// of RunColumn, whatever its group computes.
template <bool kSubtract>
[[gnu::noinline]] void AccumulateJoin(const Column& sum, const Column& a, const Column& b,
                                      bool divide, double zero, Column& out) {
    out.SetVarying();
    auto add = [zero](double s, double p) { return kSubtract ? (zero + s) - p : (zero + s) + p; };
    bool special = false;
    WithReaders(sum, a, b, [&](auto s, auto x, auto y) {
        // The special cases are probed for in the loop that computes the values.
        const auto loop = [&](auto join) {
            return ProbedLoop(out.Re(), out.Im(), [&](int i, double* re, double* im) {
                double pr, pi;
                const double probe = join(x.Re(i), x.Im(i), y.Re(i), y.Im(i), pr, pi);
                re[i] = add(s.Re(i), pr);
                im[i] = add(s.Im(i), pi);
                return probe;
            });
        };
        if (!divide) {
            special = loop([](auto&&... v) { return OrdinaryProduct(v...); });
        } else if constexpr (std::is_same_v<decltype(x), ColumnLoop::Single>) {
            // A constant dividend is probed once, not at every point.
            const bool dividend = SpecialDividendProbe(x.re, x.im) != 0.0;
            special = loop([](auto&&... v) { return OrdinaryQuotient<false>(v...); }) || dividend;
        } else {
            special = loop([](auto&&... v) { return OrdinaryQuotient(v...); });
        }
    });
    if (!special) return;
    for (int i = 0; i < kColumnBlock; ++i) {
        const Complex x = a.At(i), y = b.At(i);
        Complex p;
        if (divide) {
            if (IsOrdinaryQuotient(x.real(), x.imag(), y.real(), y.imag())) continue;
            p = DivideComplex(x, y);
        } else {
            p = {x.real() * y.real() - x.imag() * y.imag(),
                 x.real() * y.imag() + x.imag() * y.real()};
            if (!std::isnan(p.real()) || !std::isnan(p.imag())) continue;
            p = Multiply(x, y);
        }
        const Complex z = sum.At(i);
        out.Set(i, {add(z.real(), p.real()), add(z.imag(), p.imag())});
    }
}

// to := from, or 0 + from with fromZero.
void Copy(const Column& from, bool fromZero, Column& to) {
    if (from.IsConstant()) {
        to.SetConstant(fromZero ? Complex(0.0 + from.Value().real(), 0.0 + from.Value().imag())
                                : from.Value());
        return;
    }
    const double zero = fromZero ? 0.0 : -0.0;
    TransformColumn(from, to, [zero](double re, double im, double& r, double& i) {
        r = zero + re;
        i = zero + im;
    });
}

// out := the group function of code applied to v (plus zero with fromZero) at every point: one
// loop over the block per function, the function inlined. v varies; out is not v.
void ApplyFunction(int code, const Column& v, bool fromZero, Column& out) {
    const double zero = fromZero ? 0.0 : -0.0;  // -0.0 + x is x, also for x = -0.0
    const bool named = GroupFunction::With(code, [&](auto f) {
        out.SetVarying();
        const double* __restrict re = v.Re();
        const double* __restrict im = v.Im();
        double* __restrict outRe = out.Re();
        double* __restrict outIm = out.Im();
        for (int i = 0; i < kColumnBlock; ++i) {
            const Complex y = f(Complex(zero + re[i], zero + im[i]));
            outRe[i] = y.real();
            outIm[i] = y.imag();
        }
    });
    if (!named) out.SetConstant(Complex());  // the point path's zero of a code without function
}

// True when the group reads no other group and draws no random number: its values follow
// from its own words.
bool IsSelfContained(const Term::Operation& operation) {
    for (int t = 0; t < operation.GetTermCount(); ++t) {
        const int* record = operation.GetTerm(t);
        if (record[2] == kSourceGroup || record[2] == kSourceRandom) return false;
        for (const int* f = record + 4; f < record + 3 * record[1] + 1; f += 3)
            if (f[1] == kSourceGroup || f[1] == kSourceRandom) return false;
    }
    return true;
}

// True when the two groups compute the same: the same function of the same terms.
bool IsSameGroup(const Term::Operation& a, const Term::Operation& b) {
    if (a.GetCode() != b.GetCode() || a.GetTermCount() != b.GetTermCount()) return false;
    for (int t = 0; t < a.GetTermCount(); ++t) {
        const int* x = a.GetTerm(t);
        const int* y = b.GetTerm(t);
        if (!std::equal(x, x + 3 * x[1] + 1, y, y + 3 * y[1] + 1)) return false;
    }
    return true;
}

}  // namespace

bool Term::FindRandomDraws() const {
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
    keptValid_ = false;
    RunGroups(result, arguments, storage, nullptr, false);
}

void Term::KeepColumn(Column& result, const std::vector<const Column*>& arguments,
                      ColumnStorage& storage) {
    if (!valid_) {
        result.SetConstant(Complex());
        return;
    }
    keptZero_ = RunGroups(result, arguments, storage, nullptr, true);
    keptValid_ = true;
}

void Term::ReplayColumn(Column& result, const std::vector<const Column*>& arguments,
                        const std::vector<char>& changed, ColumnStorage& storage) {
    if (!valid_ || !keptValid_) {
        EvaluateColumn(result, arguments, storage);
        return;
    }
    FindDirtyGroups(changed);
    RunGroups(result, arguments, storage, &changed, false);
}

void Term::FindDirtyGroups(const std::vector<char>& changed) {
    for (const DirtySet& set : dirtySets_)
        if (set.changed == changed) {
            dirtySet_ = &set;
            return;
        }
    if (dirtySets_.size() >= 64) dirtySets_.clear();  // a bound on what a model asks for
    DirtySet& set = dirtySets_.emplace_back();
    set.changed = changed;
    set.groups.resize(groups_.size());
    set.terms.resize(groups_.size());
    auto reads = [&](int level, int source, int index) {
        if (source == kSourceArgument)
            return static_cast<std::size_t>(index) < changed.size() &&
                   changed[static_cast<std::size_t>(index)] != 0;
        if (source != kSourceGroup) return false;
        const std::size_t inner = static_cast<std::size_t>(level + 1);
        return set.groups[inner][static_cast<std::size_t>(
                   sameAs_[inner][static_cast<std::size_t>(index)])] != 0;
    };
    for (int level = static_cast<int>(groups_.size()) - 1; level >= 0; --level) {
        const std::size_t l = static_cast<std::size_t>(level);
        set.groups[l].assign(static_cast<std::size_t>(groups_[l]), 0);
        set.terms[l].resize(static_cast<std::size_t>(groups_[l]));
        for (const Operation& operation : operations_[l]) {
            const std::size_t g = static_cast<std::size_t>(operation.GetIndex());
            std::vector<char>& terms = set.terms[l][g];
            terms.assign(static_cast<std::size_t>(operation.GetTermCount()), 0);
            for (int t = 0; t < operation.GetTermCount(); ++t) {
                const int* record = operation.GetTerm(t);
                bool reached = reads(level, record[2], record[3]);
                for (const int* f = record + 4; f < record + 3 * record[1] + 1 && !reached; f += 3)
                    reached = reads(level, f[1], f[2]);
                terms[static_cast<std::size_t>(t)] = reached ? 1 : 0;
                if (reached) set.groups[l][g] = 1;
            }
        }
    }
    dirtySet_ = &set;
}

bool Term::RunGroups(Column& result, const std::vector<const Column*>& arguments,
                     ColumnStorage& storage, const std::vector<char>* changed, bool keep) {
    if (columnRegisters_.size() != groups_.size()) {
        columnRegisters_.resize(groups_.size());
        for (std::size_t level = 0; level < groups_.size(); ++level)
            columnRegisters_[level].resize(static_cast<std::size_t>(groups_[level]));
        FindRepeatedGroups();
    }
    columnMode_ = keep ? kKeepColumns : changed ? kReplayColumns : kOrdinaryColumns;
    if (keep) {
        keptTerms_.resize(columnRegisters_.size());
        for (std::size_t level = 0; level < columnRegisters_.size(); ++level)
            keptTerms_[level].resize(columnRegisters_[level].size());
    }
    auto clean = [&](int level, int index) {
        return changed &&
               dirtySet_->groups[static_cast<std::size_t>(level)][static_cast<std::size_t>(index)] == 0;
    };
    const std::size_t lent = storage.LentCount();
    for (std::size_t level = 0; level < columnRegisters_.size(); ++level)
        for (std::size_t g = 0; g < columnRegisters_[level].size(); ++g) {
            Column& column = columnRegisters_[level][g];
            if (clean(static_cast<int>(level), static_cast<int>(g)))
                ShareColumn(keptRegisters_[level][g], column);  // read only
            else
                column.Lend(storage.Lend());
        }
    for (Column& column : work_) column.Lend(storage.Lend());
    sum_.Lend(storage.Lend());
    // The usual outermost group only adds its one group to zero: the copy into the result does
    // that, so neither that group nor the one it reads adds the zero in a loop of its own.
    const Operation& top = operations_[0][0];
    const int* record = top.GetTermCount() == 1 ? top.GetTerm(0) : nullptr;
    const bool wrapper = record && record[0] == 0 && record[1] == 1 && record[2] == kSourceGroup &&
                         top.GetCode() == kFunctionIdentity;
    const int levels = static_cast<int>(operations_.size());
    // A replay that leaves the outermost group as it was adds the zero as its block did.
    bool zeroToAdd = wrapper || (clean(0, 0) && keptZero_);
    for (int level = levels - 1; level >= (wrapper ? 1 : 0); --level)
        for (const Operation& operation : operations_[level]) {
            if (IsRepeated(level, operation.GetIndex()) || clean(level, operation.GetIndex()))
                continue;
            const bool read =
                wrapper ? level == 1 && operation.GetIndex() == record[3] : level == 0;
            if (RunColumn(operation, arguments, read) && !wrapper) zeroToAdd = true;
        }
    Copy(wrapper ? columnRegisters_[1][record[3]] : columnRegisters_[0][0], zeroToAdd, result);
    if (keep) {  // before the registers' storage goes back
        keptRegisters_.resize(columnRegisters_.size());
        for (std::size_t level = 0; level < columnRegisters_.size(); ++level) {
            keptRegisters_[level].resize(columnRegisters_[level].size());
            for (std::size_t g = 0; g < columnRegisters_[level].size(); ++g)
                if (!IsRepeated(static_cast<int>(level), static_cast<int>(g)))
                    ::KeepColumn(columnRegisters_[level][g], keptRegisters_[level][g]);
        }
    }
    storage.GiveBack(lent);
    columnMode_ = kOrdinaryColumns;
    return zeroToAdd;
}

const Column& Term::FactorColumn(int level, int source, int index,
                                 const std::vector<const Column*>& arguments,
                                 Column& single) const {
    if (source == kSourceArgument && static_cast<std::size_t>(index) < arguments.size())
        return *arguments[static_cast<std::size_t>(index)];
    if (source == kSourceGroup) {
        const std::vector<int>& same = sameAs_[static_cast<std::size_t>(level + 1)];
        return columnRegisters_[level + 1][same[static_cast<std::size_t>(index)]];
    }
    single.SetConstant(source == kSourceArgument ? Complex() : Factor(level, source, index, {}));
    return single;
}

void Term::FindRepeatedGroups() {
    sameAs_.assign(groups_.size(), {});
    for (std::size_t level = 0; level < groups_.size(); ++level) {
        std::vector<int>& same = sameAs_[level];
        const std::vector<Operation>& operations = operations_[level];
        for (int g = 0; g < groups_[level]; ++g) {
            same.push_back(g);
            // The outermost two levels hold the group the result is read from.
            if (level < 2 || !IsSelfContained(operations[static_cast<std::size_t>(g)])) continue;
            for (int h = 0; h < g; ++h)
                if (same[static_cast<std::size_t>(h)] == h &&
                    IsSameGroup(operations[static_cast<std::size_t>(h)],
                                operations[static_cast<std::size_t>(g)])) {
                    same.back() = h;
                    break;
                }
        }
    }
}

bool Term::IsRepeated(int level, int index) const {
    return sameAs_[static_cast<std::size_t>(level)][static_cast<std::size_t>(index)] != index;
}

bool Term::RunColumn(const Operation& operation, const std::vector<const Column*>& arguments,
                     bool zeroAddedLater) {
    const int level = operation.GetLevel();
    const std::size_t at = static_cast<std::size_t>(operation.GetIndex());
    // The working columns take turns: an operation never writes the column it reads.
    int next = 0;
    auto spare = [&](const Column* busy) -> Column& {
        if (&work_[next] == busy) next = (next + 1) % 3;
        Column& column = work_[next];
        next = (next + 1) % 3;
        return column;
    };
    // KeepColumn's block keeps, per term, the sum before it and the value it adds; a replay
    // starts at the first term that reads a changed value and adds the kept values of the
    // terms after it that read none, with the arithmetic of their own loops.
    KeptTerms* kept = columnMode_ == kOrdinaryColumns
                          ? nullptr
                          : &keptTerms_[static_cast<std::size_t>(level)][at];
    const std::vector<char>* dirtyTerms =
        columnMode_ == kReplayColumns ? &dirtySet_->terms[static_cast<std::size_t>(level)][at]
                                      : nullptr;
    const int terms = operation.GetTermCount();
    if (kept && columnMode_ == kKeepColumns) {
        kept->sums.resize(static_cast<std::size_t>(terms));
        kept->values.resize(static_cast<std::size_t>(terms));
        kept->firstPending.assign(static_cast<std::size_t>(terms), 0);
    }
    // The sum starts from zero, as Run's does. Adding the first term to zero is put off while
    // that term varies (first): the next term's loop, or the loop that reads the sum, does it on
    // the way.
    const Column* first = nullptr;
    int t = 0;
    if (dirtyTerms) {
        while (t < terms && !(*dirtyTerms)[static_cast<std::size_t>(t)]) ++t;
        if (t > 0 && t < terms) {
            Column& before = kept->sums[static_cast<std::size_t>(t)];
            if (kept->firstPending[static_cast<std::size_t>(t)])
                first = &before;  // only read: the next term's loop adds the zero
            else
                ::KeepColumn(before, sum_);
        } else {
            t = 0;
        }
    }
    for (; t < terms; ++t) {
        const std::size_t term = static_cast<std::size_t>(t);
        const int* record = operation.GetTerm(t);
        const int factors = record[1];
        const bool subtract = record[0] == 1;
        if (columnMode_ == kKeepColumns && t > 0) {
            ::KeepColumn(first ? *first : sum_, kept->sums[term]);
            kept->firstPending[term] = first ? 1 : 0;
        }
        if (dirtyTerms && t > 0 && !(*dirtyTerms)[term]) {
            Column& out = spare(nullptr);
            Accumulate(first ? *first : sum_, kept->values[term], subtract, first != nullptr, out);
            sum_.Swap(out);
            first = nullptr;
            continue;
        }
        const Column* v = &FactorColumn(level, record[2], record[3], arguments, single_[0]);
        Column* working = nullptr;
        bool added = false;
        const int* last = record + 3 * (factors - 1) + 1;
        for (const int* f = record + 4; f <= last; f += 3) {
            const Column& w = FactorColumn(level, f[1], f[2], arguments, single_[1]);
            working = &spare(v);
            if (IsRealFactorSource(f[1])) {
                Scale(*v, w.Value().real(), f[0] == 1, *working);
            } else if (f == last && (t > 0 || subtract) && !(v->IsConstant() && w.IsConstant())) {
                // The last product or quotient goes straight into the sum.
                if (columnMode_ == kKeepColumns) Join(*v, w, f[0] == 1, kept->values[term]);
                if (t == 0) sum_.SetConstant(Complex());
                const Column& from = first ? *first : sum_;
                const double zero = first ? 0.0 : -0.0;
                if (subtract)
                    AccumulateJoin<true>(from, *v, w, f[0] == 1, zero, *working);
                else
                    AccumulateJoin<false>(from, *v, w, f[0] == 1, zero, *working);
                sum_.Swap(*working);
                first = nullptr;
                added = true;
            } else {
                Join(*v, w, f[0] == 1, *working);
            }
            v = working;
        }
        if (added) continue;
        if (columnMode_ == kKeepColumns) ::KeepColumn(*v, kept->values[term]);
        if (t == 0 && !subtract && !v->IsConstant()) {
            if (working) {
                sum_.Swap(*working);  // its values may move
                v = &sum_;
            }
            first = v;
            continue;
        }
        if (t == 0) sum_.SetConstant(Complex());
        Column& out = spare(v);
        Accumulate(first ? *first : sum_, *v, subtract, first != nullptr, out);
        sum_.Swap(out);
        first = nullptr;
    }
    if (terms == 0) sum_.SetConstant(Complex());
    return StoreGroup(operation, first, zeroAddedLater);
}

bool Term::StoreGroup(const Operation& operation, const Column* first, bool zeroAddedLater) {
    // The sum is sum_, or the first term's column alone with the zero still to be added.
    const bool fromZero = first != nullptr;
    Column& target = columnRegisters_[operation.GetLevel()][operation.GetIndex()];
    const int code = operation.GetCode();
    if (code == kFunctionIdentity) {
        const bool addZero = fromZero && !zeroAddedLater;
        if (first && first != &sum_) {
            Copy(*first, addZero, target);  // an argument's or a register's column: not ours
        } else {
            if (addZero) {
                double* re = sum_.Re();
                double* im = sum_.Im();
                for (int i = 0; i < kColumnBlock; ++i) {
                    re[i] = 0.0 + re[i];
                    im[i] = 0.0 + im[i];
                }
            }
            target.Swap(sum_);
        }
        return fromZero && zeroAddedLater;
    }
    if (!first && sum_.IsConstant()) {
        Complex z;
        ApplyGroupFunction(code, sum_.Value(), z);
        target.SetConstant(z);
        return false;
    }
    ApplyFunction(code, first ? *first : sum_, fromZero, target);
    return false;
}
