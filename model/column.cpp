#include "model/column.h"

#include "model/node_map.h"

namespace Core {

void ColumnPass::SetPoint(int i) {
    if (variable_) variable_->SetValue(Complex(x_[i], 0.0), 0);
}

const Column& Node::ComputeVaryingColumn(ColumnPass& pass) {
    ColumnStorage& storage = pass.Storage();
    const std::size_t lent = storage.LentCount();
    column_.Lend(columnPinned_ ? nullptr : storage.Lend());
    const Column& values = EvaluateColumn(pass);
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
