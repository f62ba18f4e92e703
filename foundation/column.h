#pragma once
// Values over a block of points, for evaluation a block at a time: real and imaginary parts in
// separate arrays so that the loops over a block vectorise, and constant columns held as one
// value that the loops read without expanding it.
#include <complex>
#include <cstddef>
#include <vector>

// Points per block: a node's column stays in the first-level cache beside a few others.
constexpr int kColumnBlock = 256;

class Column {
public:
    using Complex = std::complex<double>;

    Column() = default;
    Column(const Column&) = delete;
    Column& operator=(const Column&) = delete;
    Column(Column&& other) noexcept { Swap(other); }
    Column& operator=(Column&& other) noexcept {
        Swap(other);
        return *this;
    }

    bool IsConstant() const { return constant_; }
    // One value for every point.
    void SetConstant(const Complex& value) {
        constant_ = true;
        real_ = false;
        value_ = value;
    }
    // Every imaginary part is 0.0 (and stored as such): loops may take real arithmetic. A
    // constant column is real when its value's imaginary part is 0.0.
    bool IsReal() const { return constant_ ? value_.imag() == 0.0 : real_; }
    // Declares the values written into the block real; SetVarying and SetConstant forget it.
    void MarkReal() { real_ = true; }
    // A value per point, written through Re and Im: into the storage lent for this block, else
    // into the column's own, made on first use.
    void SetVarying() {
        constant_ = false;
        real_ = false;
        if (data_) return;
        if (owned_.empty()) owned_.assign(2 * kColumnBlock, 0.0);
        data_ = owned_.data();
    }
    // Values per point are still to come (the storage is chosen when they are written).
    void ClearConstant() {
        constant_ = false;
        real_ = false;
    }
    // The storage of 2 * kColumnBlock doubles that the next values go to; null for the column's
    // own. Lent storage serves one block, while the evaluation needs the values.
    void Lend(double* storage) { data_ = storage; }
    const Complex& Value() const { return value_; }
    double* Re() { return data_; }
    double* Im() { return data_ + kColumnBlock; }
    const double* Re() const { return data_; }
    const double* Im() const { return data_ + kColumnBlock; }
    Complex At(int i) const { return constant_ ? value_ : Complex(Re()[i], Im()[i]); }
    void Set(int i, const Complex& z) {
        Re()[i] = z.real();
        Im()[i] = z.imag();
    }
    // Copies point last into the rest of the block, so that the loops, which always run over a
    // whole block, meet no values beyond the points but those of the points themselves.
    void Pad(int last) {
        for (int i = last + 1; i < kColumnBlock; ++i) Set(i, At(last));
    }
    void Swap(Column& other) {
        owned_.swap(other.owned_);  // the arrays stay where they are: data_ follows them
        std::swap(data_, other.data_);
        std::swap(value_, other.value_);
        std::swap(constant_, other.constant_);
        std::swap(real_, other.real_);
    }

private:
    double* data_ = nullptr;
    std::vector<double> owned_;
    Complex value_;
    bool constant_ = false;
    bool real_ = false;
};

// Storage for the columns of one block, used like a stack: a node's column takes the next
// array, its children's columns those above, which are free again once the node has its
// values. The few arrays in use stay in the first-level cache, where columns of their own for
// every node would not.
class ColumnStorage {
public:
    // An array of 2 * kColumnBlock doubles, until GiveBack returns to a count below it.
    double* Lend() {
        if (lent_ == arrays_.size()) arrays_.emplace_back(2 * kColumnBlock, 0.0);
        return arrays_[lent_++].data();
    }
    std::size_t LentCount() const { return lent_; }
    void GiveBack(std::size_t count) { lent_ = count; }

private:
    std::vector<std::vector<double>> arrays_;
    std::size_t lent_ = 0;
};

// The loops below and in column_math.h check for special values in the loop that produces the
// values: step(i) computes point i and answers a probe, 0.0 for an ordinary point (anything
// else, NaN too, marks a point that may need the special cases). The probes add up in several
// accumulators of doubles: that way the loop vectorises without reordering any sum, and no
// accumulator waits on the last addition.
constexpr int kProbes = 8;

// Runs step(i, re, im) over the block, writing point i's parts to re[i] and im[i]; true when
// some probe was not 0.0. The arrays written are passed in, not captured, so that the compiler
// knows that they overlap nothing the step reads.
template <class Step>
[[gnu::noinline]] bool ProbedLoop(double* __restrict re, double* __restrict im, Step step) {
    double sums[kProbes] = {};
    for (int i = 0; i < kColumnBlock; i += kProbes)
        for (int k = 0; k < kProbes; ++k) sums[k] += step(i + k, re, im);
    double all = 0.0;
    for (double sum : sums) all += sum;
    return all != 0.0;
}

namespace ColumnLoop {

// The two ways a loop reads a column: one value for every point, or a value per point.
struct Single {
    explicit Single(const Column& c) : re(c.Value().real()), im(c.Value().imag()) {}
    double Re(int) const { return re; }
    double Im(int) const { return im; }
    double re, im;
};
struct Spread {
    explicit Spread(const Column& c) : re(c.Re()), im(c.Im()) {}
    double Re(int i) const { return re[i]; }
    double Im(int i) const { return im[i]; }
    const double* __restrict re;
    const double* __restrict im;
};

}  // namespace ColumnLoop

// Calls g with a reader of each column: one value for a constant column, else the array.
template <class G>
void WithReaders(const Column& a, G g) {
    if (a.IsConstant())
        g(ColumnLoop::Single(a));
    else
        g(ColumnLoop::Spread(a));
}
template <class G>
void WithReaders(const Column& a, const Column& b, G g) {
    WithReaders(a, [&](auto x) { WithReaders(b, [&](auto y) { g(x, y); }); });
}

// sum := sum + c at every point, part by part, in place. sum must not be c.
inline void AccumulateColumn(Column& sum, const Column& c) {
    if (sum.IsConstant()) {
        const Column::Complex start = sum.Value();
        sum.SetVarying();
        for (int i = 0; i < kColumnBlock; ++i) sum.Set(i, start);
    }
    double* __restrict re = sum.Re();
    double* __restrict im = sum.Im();
    WithReaders(c, [&](auto x) {
        for (int i = 0; i < kColumnBlock; ++i) {
            re[i] = re[i] + x.Re(i);
            im[i] = im[i] + x.Im(i);
        }
    });
}

// out = f(a) at every point of the block: f(are, aim, re&, im&). out must not be a.
template <class F>
void TransformColumn(const Column& a, Column& out, F f) {
    out.SetVarying();
    double* __restrict re = out.Re();
    double* __restrict im = out.Im();
    WithReaders(a, [&](auto x) {
        for (int i = 0; i < kColumnBlock; ++i) f(x.Re(i), x.Im(i), re[i], im[i]);
    });
}

// CombineColumns with a probe: f(are, aim, bre, bim, re&, im&) answers the point's probe
// (ProbedLoop). True when some probe was not 0.0.
template <class F>
bool CombineProbedColumns(const Column& a, const Column& b, Column& out, F f) {
    out.SetVarying();
    bool any = false;
    WithReaders(a, b, [&](auto x, auto y) {
        any = ProbedLoop(out.Re(), out.Im(), [&](int i, double* re, double* im) {
            return f(x.Re(i), x.Im(i), y.Re(i), y.Im(i), re[i], im[i]);
        });
    });
    return any;
}

// out = f(a, b) at every point of the block: f(are, aim, bre, bim, re&, im&). out must be
// neither a nor b.
template <class F>
void CombineColumns(const Column& a, const Column& b, Column& out, F f) {
    out.SetVarying();
    double* __restrict re = out.Re();
    double* __restrict im = out.Im();
    WithReaders(a, b, [&](auto x, auto y) {
        for (int i = 0; i < kColumnBlock; ++i) f(x.Re(i), x.Im(i), y.Re(i), y.Im(i), re[i], im[i]);
    });
}
