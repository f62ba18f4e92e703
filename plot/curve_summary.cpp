#include "plot/curve_summary.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <utility>

namespace Winplus {

void CurveSummary::Update(const Safe::XPtr<Data>& xs, const Safe::XPtr<Data>& ys) {
    if (xs == xs_ && ys == ys_ && xs && ys && xs->Changes() == xChanges_ &&
        ys->Changes() == yChanges_)
        return;
    xs_ = xs;
    ys_ = ys;
    levels_ = 0;
    if (!xs || !ys) return blocks_.clear();
    xChanges_ = xs->Changes();
    yChanges_ = ys->Changes();
    // Read through const columns: a writable access would count as a change.
    const std::vector<double>& xValues = std::as_const(*xs).Values();
    const std::vector<double>& yValues = std::as_const(*ys).Values();
    const std::size_t leaves = std::min(xValues.size(), yValues.size()) >> kLeafShift;
    if (leaves == 0) return blocks_.clear();
    while ((std::size_t{2} << levels_) <= leaves) ++levels_;
    ++levels_;
    // Kept from the last summary when the size stays: every slot is written below.
    blocks_.resize(2 * leaves);

    // The finest level straight from the points, two at a time (one SSE2 instruction for
    // each step). A value that is not finite turns the sum of each value less itself into NaN.
    // Each block is written as its second half is complete, so the points are read once.
    using Pair = double __attribute__((vector_size(16)));
    auto load = [](const double* at) {
        Pair pair;
        std::memcpy(&pair, at, sizeof pair);
        return pair;
    };
    auto low = [](Pair a, Pair b) { return a < b ? a : b; };
    auto high = [](Pair a, Pair b) { return a > b ? a : b; };
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    std::vector<Block> open(static_cast<std::size_t>(levels_));  // first halves, by level
    for (std::size_t b = 0; b < leaves; ++b) {
        const double* x = xValues.data() + (b << kLeafShift);
        const double* y = yValues.data() + (b << kLeafShift);
        const Pair x0 = load(x), x1 = load(x + 2), x2 = load(x + 4), x3 = load(x + 6);
        const Pair y0 = load(y), y1 = load(y + 2), y2 = load(y + 4), y3 = load(y + 6);
        const Pair xl = low(low(x0, x1), low(x2, x3)), xh = high(high(x0, x1), high(x2, x3));
        const Pair yl = low(low(y0, y1), low(y2, y3)), yh = high(high(y0, y1), high(y2, y3));
        const Pair sum = ((x0 - x0) + (x1 - x1)) + ((x2 - x2) + (x3 - x3)) + ((y0 - y0) + (y1 - y1)) +
                         ((y2 - y2) + (y3 - y3));
        Block block{sum[0] + sum[1] == 0.0 ? std::min(xl[0], xl[1]) : kNaN, std::max(xh[0], xh[1]),
                    std::min(yl[0], yl[1]), std::max(yh[0], yh[1])};
        blocks_[Slot(0, b)] = block;
        // A NaN least abscissa is passed on to every block that holds this one.
        for (int level = 1; level < levels_ && ((b >> (level - 1)) & 1) == 1; ++level) {
            const Block& l = open[static_cast<std::size_t>(level - 1)];
            block = {l.xLow <= block.xLow || l.xLow != l.xLow ? l.xLow : block.xLow,
                     std::max(l.xHigh, block.xHigh), std::min(l.yLow, block.yLow),
                     std::max(l.yHigh, block.yHigh)};
            blocks_[Slot(level, b >> level)] = block;
        }
        open[static_cast<std::size_t>(std::countr_one(b))] = block;
    }
    // A slot of no block (one that would reach past the points) fails every comparison.
    for (int level = 1; Slot(level, 0) < blocks_.size(); ++level) {
        for (std::size_t b = leaves >> level; Slot(level, b) < blocks_.size(); ++b)
            blocks_[Slot(level, b)] = {kNaN, kNaN, kNaN, kNaN};
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
