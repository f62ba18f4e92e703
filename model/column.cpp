#include "model/column.h"

#include "foundation/kept_column.h"
#include "model/node_map.h"

namespace Core {

void ColumnPass::SetPoint(int i) {
    if (variable_) variable_->SetValue(Complex(x_[i], 0.0), 0);
}

void ColumnPass::Keep(const Node* node, const Column& values) {
    if (keptUsed_ == keptColumns_.size()) keptColumns_.emplace_back();
    Column& kept = keptColumns_[keptUsed_++];
    KeepColumn(values, kept);
    kept_[node] = &kept;
}

const Column& Node::ComputeVaryingColumn(ColumnPass& pass) {
    if (pass.GetMode() == ColumnPass::kReplaying && !pass.OnPath(this))
        if (const Column* kept = pass.Kept(this)) return *kept;
    ColumnStorage& storage = pass.Storage();
    const std::size_t lent = storage.LentCount();
    column_.Lend(columnPinned_ ? nullptr : storage.Lend());
    const Column& values = EvaluateColumn(pass);
    if (pass.GetMode() == ColumnPass::kKeeping) pass.Keep(this, values);
    storage.GiveBack(columnPinned_ ? lent : lent + 1);
    return values;
}

ColumnKind Node::GetColumnKind() const {
    return kColumnPointwise;
}

const Column& Node::EvaluateColumn(ColumnPass& pass) {
    column_.SetVarying();
    const int size = pass.Size();
    for (int i = 0; i < size; ++i) {
        pass.SetPoint(i);
        column_.Set(i, Compute());
        pass.PointDone(*this, i);
    }
    column_.Pad(size - 1);
    return column_;
}

}  // namespace Core
