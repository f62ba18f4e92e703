#include "model/map_capsule.h"

#include "model/factory.h"

namespace Core {

MapCapsule::MapCapsule() {
    Identify(kMapCapsuleId, "map", kArityNone);
    sourceKind_ = kDefinitionReference;
}

NodeMap::Ptr MapCapsule::SetMap(const NodeMap::Ptr& map) {
    if (!map) return NodeMap::Ptr();
    map_ = map;
    values_ = map->CachedValues();
    return map;
}

bool MapCapsule::IsSameReference(const Node& other) const {
    auto* reference = dynamic_cast<const MapCapsule*>(&other);
    return reference && map_ && reference->map_ == map_;
}

void MapCapsule::CollectReferences(std::vector<Node*>& out) {
    out.clear();
    Node* root = map_ ? map_->GetRoot().Get() : nullptr;
    // A definition already being walked is part of a cycle: do not follow it again.
    if (root && map_->Enter()) {
        std::vector<Node*> below;
        root->CollectReferences(below);
        map_->Leave();
        MergeReferences(below, out);
    }
    MergeReferences({this}, out);
}

Node::Ptr MapCapsule::Clone() {
    auto copy = Safe::MakeX<MapCapsule>();
    copy->SetName(name_);
    copy->values_ = values_;
    copy->SetMap(map_);
    return copy;
}

namespace {

// References evaluated inside one another on this thread. Beyond the limit a reference keeps
// its definition's stored value, as in a cycle, rather than running out of stack (a thread's
// stack is 1 MB on Windows).
constexpr int kMaxNestedReferences = 256;
thread_local int nestedReferences = 0;

}  // namespace

const Complex& MapCapsule::Evaluate() {
    if (!map_) return values_[0] = Complex(0.0, 0.0);
    if (!map_->IsEvaluatedInPass() && nestedReferences < kMaxNestedReferences) {
        struct Nested {
            Nested() { ++nestedReferences; }
            ~Nested() { --nestedReferences; }
        } nested;
        map_->Evaluate();
    }
    CopyValues(values_, map_->CachedValues());
    return values_[0];
}

void MapCapsule::SetValue(const Complex& value, int index) {
    if (map_) map_->SetValue(value, index);
    Node::SetValue(value, index);
}

const Column& MapCapsule::EvaluateColumn(ColumnPass& pass) {
    if (const Column* column = map_ ? pass.Ready(map_.Get()) : nullptr) return *column;
    return Node::EvaluateColumn(pass);
}

}  // namespace Core
