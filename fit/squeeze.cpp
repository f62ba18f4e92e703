#include "fit/squeeze.h"

#include <cmath>
#include <vector>

#include "foundation/event_bus.h"

namespace Optimize {

void SqueezeInfo::SetFactor(const double& factor) {
    if (factor > 1.0) factor_ = factor;
}

void SqueezeInfo::SetSlope(const double& slope) {
    if (slope >= 0.0) slope_ = slope;
}

SqueezeInfo& SqueezeSettings() {
    static auto* settings = new SqueezeInfo();  // lives as long as the process
    return *settings;
}

namespace {
// A new project, or the next test, starts from the page's defaults.
void ResetSqueezeSettings() {
    SqueezeSettings() = SqueezeInfo();
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetSqueezeSettings);
}  // namespace

namespace {

struct Range {
    int first = 0;
    int last = -1;
    int Points() const { return last - first + 1; }
};

Range RangeOf(const SqueezeInfo& info, int size) {
    Range range;
    range.first = info.first >= 0 ? info.first : 0;
    range.last = info.last >= 0 ? std::min(info.last, size - 1) : size - 1;
    return range;
}

// Copies the points of the range whose keep flag is set, or all of them without flags.
void CopyKept(const Spectrum& source, const Range& range, const std::vector<bool>* keep,
              Spectrum& destination) {
    std::vector<int> kept;
    for (int i = range.first; i <= range.last; ++i)
        if (!keep || (*keep)[static_cast<std::size_t>(i)]) kept.push_back(i);
    Data& x = *destination.X();
    Data& re = *destination.Re();
    Data& im = *destination.Im();
    for (Data* column : {&x, &re, &im}) column->Resize(kept.size());
    for (std::size_t j = 0; j < kept.size(); ++j) {
        const auto i = static_cast<std::size_t>(kept[j]);
        x[j] = (*source.X())[i];
        re[j] = (*source.Re())[i];
        im[j] = (*source.Im())[i];
    }
}

double TotalVariation(const Data& y, const Range& range) {
    double sum = 0.0;
    for (int i = range.first; i < range.last; ++i)
        sum += std::fabs(y[static_cast<std::size_t>(i) + 1] - y[static_cast<std::size_t>(i)]);
    return sum;
}

// x / y, or 0 when y is 0: a flat column or a range of one abscissa adds nothing.
double Ratio(double x, double y) {
    return y != 0.0 ? x / y : 0.0;
}

// Walks the range adding step(i) (the measure from point i to i + 1) and keeps a point each time
// the sum passes the next multiple of threshold; the ends are always kept.
template <class Step>
void Reduce(const Spectrum& source, const Range& range, double threshold, Step step,
            Spectrum& destination) {
    std::vector<bool> keep(static_cast<std::size_t>(source.Size()), false);
    keep[static_cast<std::size_t>(range.first)] = true;
    int k = 1;
    double measure = 0.0;
    for (int i = range.first; i < range.last; ++i) {
        measure += step(static_cast<std::size_t>(i));
        if (k * threshold <= measure) {
            keep[static_cast<std::size_t>(i) + 1] = true;
            ++k;
        }
    }
    keep[static_cast<std::size_t>(range.last)] = true;
    CopyKept(source, range, &keep, destination);
}

// The range to reduce, or false after copying a range too short to reduce.
bool Reducible(const SqueezeInfo& info, const Spectrum& source, Spectrum& destination,
               Range& range) {
    range = RangeOf(info, source.Size());
    if (range.Points() >= kSqueezeMinimumPoints) return true;
    CopyKept(source, range, nullptr, destination);
    return false;
}

}  // namespace

void SqueezeColumn(const SqueezeInfo& info, const Spectrum::Ptr& source,
                   const Spectrum::Ptr& destination, bool real) {
    Range range;
    if (!source || !destination || !Reducible(info, *source, *destination, range)) return;
    const Data& x = *source->X();
    const Data& y = real ? *source->Re() : *source->Im();
    const double slope = info.GetSlope();
    const double tv = TotalVariation(y, range);
    const double threshold = (slope + 1.0) * tv * info.GetFactor() / (range.last - range.first - 1);
    const double scale = Ratio(tv, x[range.last] - x[range.first]);
    Reduce(
        *source, range, threshold,
        [&](std::size_t i) {
            return std::fabs(y[i + 1] - y[i]) + (x[i + 1] - x[i]) * scale * slope;
        },
        *destination);
}

void SqueezeComplex(const SqueezeInfo& info, const Spectrum::Ptr& source,
                    const Spectrum::Ptr& destination) {
    Range range;
    if (!source || !destination || !Reducible(info, *source, *destination, range)) return;
    const Data& x = *source->X();
    const Data& re = *source->Re();
    const Data& im = *source->Im();
    const double slope = info.GetSlope();
    const double tv = TotalVariation(re, range);
    // Without imaginary variation (two-column data) the imaginary term has weight 0.
    const double weight = Ratio(tv, TotalVariation(im, range));
    const double threshold = (slope + 1.0) * tv * info.GetFactor() / (range.last - range.first - 1);
    const double scale = Ratio(2.0 * tv, x[range.last] - x[range.first]);
    Reduce(
        *source, range, threshold,
        [&](std::size_t i) {
            return std::fabs(re[i + 1] - re[i]) + (x[i + 1] - x[i]) * scale * slope +
                   std::fabs(im[i + 1] - im[i]) * weight;
        },
        *destination);
}

void Squeeze(const SqueezeInfo& info, const Spectrum::Ptr& source,
             const Spectrum::Ptr& destination) {
    if (info.mode == 0) SqueezeColumn(info, source, destination, true);
    if (info.mode == 1) SqueezeColumn(info, source, destination, false);
    if (info.mode == 2) SqueezeComplex(info, source, destination);
}

void Squeeze(const Spectrum::Ptr& source, const Spectrum::Ptr& destination) {
    Squeeze(SqueezeSettings(), source, destination);
}

}  // namespace Optimize
