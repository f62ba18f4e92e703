#include "functions/file_table.h"

#include <algorithm>
#include <cmath>

#include "foundation/bracket.h"
#include "foundation/numeric.h"
#include "functions/numbers.h"
#include "functions/operators.h"
#include "functions/parameters.h"

namespace Capsule {

File2C::File2C() {
    Identify(230, "file-2c", Core::kArityFixed);
    AdoptChild(MakeParameter<Basic>("x", 1.0));
    AdoptChild(MakeParameter<StringCapsule>("null-file"));
    AdoptChild(MakeParameter<BooleanNumber>("B", 1.0));
}

Core::Node::Ptr File2C::Clone() {
    Ptr copy = Node::Clone();
    Safe::XPtr<File2C> table = Safe::DynamicCast<File2C>(copy);
    if (table) table->SetData(x_, y_);
    return copy;
}

void File2C::SetSecondName(const std::string& name) {
    Parameter(1)->SetName(name);
}

bool File2C::SetData(const std::vector<double>& x, const std::vector<double>& y) {
    if (x.size() != y.size()) return false;
    x_ = x;
    y_ = y;
    lo_ = 0;
    hi_ = 1;
    return true;
}

double File2C::GetX(int i) const {
    return i >= 0 && i < Count() ? x_[static_cast<std::size_t>(i)] : 0.0;
}

double File2C::GetY(int i) const {
    return i >= 0 && i < Count() ? y_[static_cast<std::size_t>(i)] : 0.0;
}

const Complex& File2C::Evaluate() {
    return values_[0] = Complex(Lookup(Parameter(0)->Compute().real()), 0.0);
}

double File2C::Lookup(double v) {
    const int n = Count();
    if (n == 0) return 0.0;
    if (n == 1) return y_[0];
    if (std::isnan(v)) return v;
    return Parameter(2)->Compute() == Complex(1.0, 0.0) ? EquallySpaced(v) : General(v);
}

double File2C::EquallySpaced(double v) const {
    const int n = Count();
    if (v < x_.front()) return y_.front();
    if (v >= x_.back()) return y_.back();
    const double step = (x_.back() - x_.front()) / (n - 1);
    // Rounding can put a value just below the last abscissa one interval too far.
    const int i = std::clamp(SaturateToInt((v - x_.front()) / step), 0, n - 2);
    return Interpolate(i, v);
}

double File2C::General(double v) {
    LocateBracket(x_, v, lo_, hi_);
    return Interpolate(lo_, v);
}

double File2C::Interpolate(int i, double v) const {
    const auto k = static_cast<std::size_t>(i);
    return y_[k] + (y_[k + 1] - y_[k]) * (v - x_[k]) / (x_[k + 1] - x_[k]);
}

}  // namespace Capsule
