#include "model/versatile_capsule.h"

#include <algorithm>

#include "model/column_evaluation.h"
#include "model/factory.h"

namespace Core {

VersatileCapsule::VersatileCapsule()
    : UserCapsule(kVersatileCapsuleId, "VersatileCapsule", kArityFixed) {}

MathMap::Ptr VersatileCapsule::SelectDefinition(const MathMap::Ptr& model,
                                                const std::string& name) {
    if (!model) return MathMap::Ptr();
    SetName(name);
    SetSymbolName(name);
    model_ = model;
    model->ReplaceDanglingMaps();
    for (const NodeMap::Ptr& map : model->GetMaps()) {
        if (map->Name() == name) {
            selected_ = map;
            continue;
        }
        Node::Ptr root = map->GetRoot();
        if (!root || !root->IsActive()) continue;
        Node::Ptr input = Node::Create(root->GetTypeId());
        if (!input) continue;
        input->SetName(map->Name());
        root->Compute();
        input->SetValues(root->GetValues());
        variables_.push_back(map);
        AdoptChild(input);
    }
    return model;
}

const Complex& VersatileCapsule::Evaluate() {
    if (!model_ || !selected_) return values_[0] = Complex(0.0, 0.0);
    const int inputs = std::min(ChildCount(), static_cast<int>(variables_.size()));
    for (int i = 0; i < inputs; ++i) {
        Node* input = Child(i);
        input->Compute();
        variables_[static_cast<std::size_t>(i)]->SetValues(input->GetValues());
    }
    model_->EvaluateAll();
    CopyValues(values_, selected_->CachedValues());
    return values_[0];
}

ColumnKind VersatileCapsule::GetColumnKind() const {
    return model_ && ColumnEvaluation::DependsOnOrder(*model_) ? kColumnOrderDependent
                                                               : kColumnPointwise;
}

Node::Ptr VersatileCapsule::Clone() {
    auto copy = Safe::MakeX<VersatileCapsule>();
    if (model_) copy->SelectDefinition(MathMap::Clone(model_), GetDefinitionName());
    CopyIdentityTo(*copy);
    CloneChildrenOver(*copy);
    return copy;
}

}  // namespace Core
