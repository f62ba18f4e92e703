#include "plot/curve_summary.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace Winplus {

void CurveSummary::Update(const Safe::XPtr<Data>& xs, const Safe::XPtr<Data>& ys) {
    if (xs == xs_ && ys == ys_ && xs && ys && xs->Changes() == xChanges_ &&
        ys->Changes() == yChanges_)
        return;
    xs_ = xs;
    ys_ = ys;
    blocks_.clear();
    levels_ = 0;
    if (!xs || !ys) return;
    xChanges_ = xs->Changes();
    yChanges_ = ys->Changes();
    // Read through const columns: a writable access would count as a change.
    const std::vector<double>& xValues = std::as_const(*xs).Values();
    const std::vector<double>& yValues = std::as_const(*ys).Values();
    const std::size_t leaves = std::min(xValues.size(), yValues.size()) >> kLeafShift;
    if (leaves == 0) return;
    while ((std::size_t{2} << levels_) <= leaves) ++levels_;
    ++levels_;
    // A slot of no block (one that would reach past the points) fails every comparison.
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    blocks_.assign(2 * leaves, Block{kNaN, kNaN, kNaN, kNaN});

    // The finest level straight from the points. A value that is not finite turns the sum of
    // each value less itself into NaN.
    for (std::size_t b = 0; b < leaves; ++b) {
        const double* x = xValues.data() + (b << kLeafShift);
        const double* y = yValues.data() + (b << kLeafShift);
        Block block{x[0], x[0], y[0], y[0]};
        double nonFinite = 0.0;
        for (int k = 0; k < kLeafSize; ++k) {
            block.xLow = x[k] < block.xLow ? x[k] : block.xLow;
            block.xHigh = x[k] > block.xHigh ? x[k] : block.xHigh;
            block.yLow = y[k] < block.yLow ? y[k] : block.yLow;
            block.yHigh = y[k] > block.yHigh ? y[k] : block.yHigh;
            nonFinite += (x[k] - x[k]) + (y[k] - y[k]);
        }
        if (!(nonFinite == 0.0)) block.xLow = kNaN;
        blocks_[Slot(0, b)] = block;
    }
    // Each coarser level from the two halves of each block; a NaN least abscissa is passed on.
    for (int level = 1; level < levels_; ++level) {
        for (std::size_t b = 0; ((b + 1) << level) <= leaves; ++b) {
            const Block& l = blocks_[Slot(level - 1, 2 * b)];
            const Block& r = blocks_[Slot(level - 1, 2 * b + 1)];
            blocks_[Slot(level, b)] = {l.xLow <= r.xLow || l.xLow != l.xLow ? l.xLow : r.xLow,
                                       std::max(l.xHigh, r.xHigh), std::min(l.yLow, r.yLow),
                                       std::max(l.yHigh, r.yHigh)};
        }
    }
}

void CurveSummary::Prefetch(int from, int to) const {
    if (from < 0 || to < from || !xs_ || !ys_) return;
    const std::vector<double>& x = std::as_const(*xs_).Values();
    const std::vector<double>& y = std::as_const(*ys_).Values();
    const auto begin = static_cast<std::size_t>(from), end = static_cast<std::size_t>(to);
    if (end < x.size() && end < y.size()) {
        __builtin_prefetch(x.data() + begin);
        __builtin_prefetch(y.data() + begin);
        __builtin_prefetch(x.data() + end);
        __builtin_prefetch(y.data() + end);
    }
    // At each level, the first block that begins in the stretch (the walk climbs through
    // those) and the two around its end (it narrows down there).
    for (int level = 0; level < levels_; ++level) {
        const int shift = kLeafShift + level;
        const std::size_t first = ((begin - 1) >> shift) + 1, last = end >> shift;
        for (std::size_t index : {first, last - 1, last}) {
            const std::size_t slot = Slot(level, index);
            if (slot < blocks_.size()) __builtin_prefetch(&blocks_[slot]);
        }
        if (last <= first) break;
    }
}

}  // namespace Winplus
