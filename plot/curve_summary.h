#pragma once
// The least and greatest abscissa and ordinate of aligned blocks of a curve's points (8, 16,
// 32, ... points a block), made once for a pair of columns and kept while neither changes, so
// that a drawing learns whether a whole block lies within one pixel column at one look.
#include <cstdint>
#include <vector>

#include "foundation/spectrum.h"

namespace Winplus {

class CurveSummary {
public:
    // A block with a point that is not finite has a NaN least abscissa: it fails every
    // comparison, so no such block is ever taken in whole.
    struct Block {
        double xLow, xHigh, yLow, yHigh;
    };
    static constexpr int kLeafShift = 3;
    static constexpr int kLeafSize = 1 << kLeafShift;

    // Makes the summary of the columns unless it already is theirs as they are now.
    void Update(const Safe::XPtr<Data>& xs, const Safe::XPtr<Data>& ys);
    int Levels() const { return levels_; }
    // The block of kLeafSize << level points from `start` (a multiple of that size); null where
    // the columns end before it does.
    const Block* At(int level, int start) const {
        const auto index = Slot(level, static_cast<std::size_t>(start) >> (kLeafShift + level));
        return index < blocks_.size() ? &blocks_[index] : nullptr;
    }
    // Starts loading the blocks a walk from point `from` to about point `to` looks at, so that
    // they arrive together rather than one after another as the walk finds it needs them.
    void Prefetch(int from, int to) const;

private:
    // The blocks lie in the order of a binary tree read from left to right (each block between
    // its two halves), so that the blocks of one stretch of points lie together in memory.
    static std::size_t Slot(int level, std::size_t index) {
        return ((2 * index + 1) << level) - 1;
    }

    // Held, so that a column summarised here is never another one at the same address.
    Safe::XPtr<Data> xs_, ys_;
    std::uint64_t xChanges_ = 0, yChanges_ = 0;
    int levels_ = 0;
    std::vector<Block> blocks_;
};

}  // namespace Winplus
