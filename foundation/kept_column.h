#pragma once
// A column's values kept beyond the block storage they were computed in: the base evaluation of
// a block keeps them so that evaluations of the same block that change a little of the model
// read them instead of computing them again.
#include <algorithm>

#include "foundation/column.h"

// to := from, into the storage lent to to, else into its own.
inline void KeepColumn(const Column& from, Column& to) {
    if (from.IsConstant()) {
        to.SetConstant(from.Value());
        return;
    }
    to.SetVarying();
    std::copy(from.Re(), from.Re() + kColumnBlock, to.Re());
    std::copy(from.Im(), from.Im() + kColumnBlock, to.Im());
}

// to reads kept's values where they are, without copying them; to is only read until it is lent
// storage again.
inline void ShareColumn(Column& kept, Column& to) {
    if (kept.IsConstant()) {
        to.SetConstant(kept.Value());
    } else {
        to.Lend(kept.Re());
        to.ClearConstant();
    }
}
