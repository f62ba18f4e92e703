#include "foundation/spectrum.h"

#include "foundation/bracket.h"

#include <algorithm>
#include <utility>

double Data::Max() const {
    return values_.empty() ? 0.0 : *std::max_element(values_.begin(), values_.end());
}

double Data::Min() const {
    return values_.empty() ? 0.0 : *std::min_element(values_.begin(), values_.end());
}

Spectrum::Spectrum()
    : x_(Safe::MakeX<Data>()),
      re_(Safe::MakeX<Data>()),
      im_(Safe::MakeX<Data>()),
      savedRe_(Safe::MakeX<Data>()),
      savedIm_(Safe::MakeX<Data>()) {}

bool Spectrum::Resize(const int& n) {
    if (n < 0) return false;
    for (Data* column : {x_.Get(), re_.Get(), im_.Get(), savedRe_.Get(), savedIm_.Get()})
        column->Resize(static_cast<std::size_t>(n));
    lo_ = hi_ = 0;
    return true;
}

std::complex<double> Spectrum::ValueAt(const double& x) {
    const std::vector<double>& xs = x_->Values();
    const std::vector<double>& re = re_->Values();
    const std::vector<double>& im = im_->Values();
    // Columns may have been resized from outside: trust only what all three hold.
    const int n = static_cast<int>(std::min({xs.size(), re.size(), im.size()}));
    if (n == 0) return {0.0, 0.0};
    if (n == 1) return {re[0], im[0]};
    LocateBracket({xs.data(), static_cast<std::size_t>(n)}, x, lo_, hi_);
    const double dx = xs[hi_] - xs[lo_];
    if (dx == 0.0) return {re[lo_], im[lo_]};  // a repeated abscissa: the left value
    const double s = (re[hi_] - re[lo_]) / dx;
    const double t = (im[hi_] - im[lo_]) / dx;
    return {re[lo_] - xs[lo_] * s + x * s, im[lo_] - xs[lo_] * t + x * t};
}

const Data* Spectrum::ColumnData(int column) const {
    switch (column) {
        case kX: return x_.Get();
        case kRe: return re_.Get();
        case kIm: return im_.Get();
        default: return nullptr;
    }
}

double Spectrum::Max(int column) const {
    const Data* data = ColumnData(column);
    return data ? data->Max() : 0.0;
}

double Spectrum::Min(int column) const {
    const Data* data = ColumnData(column);
    return data ? data->Min() : 0.0;
}

void Spectrum::SaveValues() {
    std::swap(re_, savedRe_);
    std::swap(im_, savedIm_);
}

void Spectrum::ClearValues() {
    for (Data* column : {re_.Get(), im_.Get(), savedRe_.Get(), savedIm_.Get()})
        std::fill(column->Values().begin(), column->Values().end(), 0.0);
}

bool Spectrum::CopyRange(const Ptr& source, const int& from, const int& to,
                         const bool& withValues) {
    if (!source) return false;
    int first = std::min(from, to), last = std::max(from, to);
    if (from == -1 && to == -1) {
        first = 0;
        last = source->Size() - 1;  // -1 for an empty source: zero points
    } else if (from == to) {
        return true;  // nothing to copy
    } else if (first < 0 || last >= source->Size()) {
        return false;
    }
    const int n = last - first + 1;
    // Copy first: the source may be this spectrum.
    auto slice = [&](const Safe::XPtr<Data>& column) {
        return std::vector<double>(column->Values().begin() + first,
                                   column->Values().begin() + (last + 1));
    };
    std::vector<double> xs = slice(source->x_);
    std::vector<double> re = withValues ? slice(source->re_) : std::vector<double>();
    std::vector<double> im = withValues ? slice(source->im_) : std::vector<double>();
    if (n != Size()) Resize(n);
    x_->Values() = std::move(xs);
    if (withValues) {
        re_->Values() = std::move(re);
        im_->Values() = std::move(im);
    }
    lo_ = hi_ = 0;
    return true;
}

void Spectrum::SetPoint(int i, double x, double re, double im) {
    const auto k = static_cast<std::size_t>(i);
    (*x_)[k] = x;
    (*re_)[k] = re;
    (*im_)[k] = im;
}
