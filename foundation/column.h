#pragma once
// Values over a block of points, for evaluation a block at a time: real and imaginary parts in
// separate arrays so that the loops over a block vectorise, and constant columns held as one
// value that the loops read without expanding it.
#include <complex>
#include <vector>

// Points per block: a node's column stays in the first-level cache beside a few others.
constexpr int kColumnBlock = 256;

class Column {
public:
    using Complex = std::complex<double>;

    bool IsConstant() const { return constant_; }
    // One value for every point.
    void SetConstant(const Complex& value) {
        constant_ = true;
        value_ = value;
    }
    // A value per point, written through Re and Im; the storage is made on first use.
    void SetVarying() {
        constant_ = false;
        if (data_.empty()) data_.assign(2 * kColumnBlock, 0.0);
    }
    const Complex& Value() const { return value_; }
    double* Re() { return data_.data(); }
    double* Im() { return data_.data() + kColumnBlock; }
    const double* Re() const { return data_.data(); }
    const double* Im() const { return data_.data() + kColumnBlock; }
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
        data_.swap(other.data_);
        std::swap(value_, other.value_);
        std::swap(constant_, other.constant_);
    }

private:
    std::vector<double> data_;
    Complex value_;
    bool constant_ = false;
};

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
