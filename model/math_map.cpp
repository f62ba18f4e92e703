#include "model/math_map.h"

#include <algorithm>

#include "foundation/unique_name.h"
#include "model/factory.h"
#include "model/map_capsule.h"
#include "model/reference_graph.h"

namespace Core {

namespace {

bool IsAmong(const std::vector<NodeMap::Ptr>& maps, const NodeMap::Ptr& map) {
    return std::find(maps.begin(), maps.end(), map) != maps.end();
}
}  // namespace

MathMap::~MathMap() {
    UnbindReferences();
    for (const NodeMap::Ptr& map : maps_) map->RemoveDefinitionIndex(this);
}

void MathMap::UnbindReferences() {
    for (const NodeMap::Ptr& map : maps_) {
        map->ForgetHistory();
        for (const Node::Ptr& node : map->FindNodesByType(kMapCapsuleId)) {
            auto reference = Safe::DynamicCast<MapCapsule>(node);
            if (reference && Holds(reference->GetMap())) reference->Unbind();
        }
    }
}

MathMap::Ptr MathMap::CreateModel(const std::string& name) {
    Ptr model = Safe::MakeX<MathMap>();
    model->Label::SetName(name);
    model->AddMap(NodeMap::CreateVariable("x"));
    model->AddMap(NodeMap::CreateFunction("model"));
    return model;
}

MathMap::Ptr MathMap::Clone(const Ptr& source) {
    if (!source) return Ptr();
    Ptr copy = Safe::MakeX<MathMap>();
    copy->Label::SetName(L"clone-" + source->GetName());
    for (const NodeMap::Ptr& map : source->maps_) copy->Append(map->Clone());
    copy->RelinkMaps();  // orders the copy once
    return copy;
}

NodeMap::Ptr MathMap::AddMap(const NodeMap::Ptr& map) {
    if (!Append(map)) return NodeMap::Ptr();
    RebuildOrder();
    return map;
}

void MathMap::AddMaps(const std::vector<NodeMap::Ptr>& maps) {
    for (const NodeMap::Ptr& map : maps) Append(map);
    RebuildOrder();
}

bool MathMap::Append(const NodeMap::Ptr& map) {
    if (HasMap(map)) return false;
    auto taken = [this](const std::string& name) { return HasMapName(name); };
    auto forEach = [this](auto&& f) {
        for (const NodeMap::Ptr& other : maps_) f(other->Name());
    };
    map->SetName(counts_.UniqueName(map->Name(), taken, forEach));
    maps_.push_back(map);
    byName_.Add(map->Name(), map.Get());
    counts_.Count(map->Name());
    map->AddDefinitionIndex(this);
    return true;
}

void MathMap::Unindex(NodeMap& map) {
    byName_.Remove(map.Name(), &map);
    counts_.Invalidate();
    map.RemoveDefinitionIndex(this);
}

void MathMap::DefinitionRenamed(NodeMap& map, const std::string& oldName) {
    byName_.Rename(oldName, &map, map.Name());
    counts_.Invalidate();
}

NodeMap::Ptr MathMap::FindMap(const std::string& name) const {
    return NodeMap::Ptr(byName_.Find(name, maps_));
}

NodeMap::Ptr MathMap::GetMapAt(int index) const {
    return index >= 0 && index < MapCount() ? maps_[static_cast<std::size_t>(index)]
                                            : NodeMap::Ptr();
}

std::vector<NodeMap::Ptr> MathMap::GetInactiveMaps() const {
    std::vector<NodeMap::Ptr> inactive;
    for (const NodeMap::Ptr& map : maps_)
        if (!map->IsActive()) inactive.push_back(map);
    return inactive;
}

bool MathMap::HasMap(const NodeMap::Ptr& map) const {
    return !map || Holds(map);
}

bool MathMap::Holds(const NodeMap::Ptr& map) const {
    return map && map->IsIndexedBy(this);
}

bool MathMap::SetMapName(const std::string& oldName, const std::string& newName) {
    NodeMap::Ptr map = FindMap(oldName);
    if (!map || HasMapName(newName)) return false;
    map->SetName(newName);
    return true;
}

NodeMap::Ptr MathMap::RemoveMap(const std::string& name) {
    NodeMap::Ptr map = FindMap(name);
    if (!map) return NodeMap::Ptr();
    maps_.erase(std::find(maps_.begin(), maps_.end(), map));
    Unindex(*map);
    ReplaceDanglingMaps();
    return map;
}

void MathMap::Clear() {
    UnbindReferences();
    for (const NodeMap::Ptr& map : maps_) map->RemoveDefinitionIndex(this);
    byName_.Clear();
    counts_.Clear();
    order_.clear();
    cycle_.clear();
    maps_.clear();
}

void MathMap::ReplaceReference(const NodeMap::Ptr& map, const Node::Ptr& reference) {
    Node::Ptr basic = Node::Create(kBasicId);
    if (!basic) return;
    basic->SetName(reference->Name());
    map->ReplaceNode(reference->Name(), basic);
}

void MathMap::ReplaceDanglingMaps() {
    for (const NodeMap::Ptr& map : maps_) {
        for (const Node::Ptr& node : map->FindNodesByType(kMapCapsuleId)) {
            auto reference = Safe::DynamicCast<MapCapsule>(node);
            // A reference without a definition, or into another model, is as good as gone.
            if (reference && !Holds(reference->GetMap())) ReplaceReference(map, node);
        }
        if (Node::Ptr root = map->GetRoot()) root->Prepare(nullptr);
    }
    RebuildOrder();
}

void MathMap::RelinkMaps() {
    for (const NodeMap::Ptr& map : maps_) {
        for (const Node::Ptr& node : map->FindNodesByType(kMapCapsuleId)) {
            auto reference = Safe::DynamicCast<MapCapsule>(node);
            if (!reference) continue;
            NodeMap::Ptr target =
                reference->GetMap() ? FindMap(reference->GetMap()->Name()) : NodeMap::Ptr();
            if (target)
                reference->SetMap(target);
            else
                ReplaceReference(map, node);
        }
    }
    RebuildOrder();
}

std::vector<NodeMap::Ptr> MathMap::ReferencedMaps(const NodeMap::Ptr& map) {
    return NodeMap::MapsOf(map->GetReferences());
}

void MathMap::RebuildOrder() {
    std::vector<NodeMap::Ptr> active;
    for (const NodeMap::Ptr& map : maps_)
        if (map->IsActive()) active.push_back(map);
    // Direct references only: the components and their order are those of the references
    // followed through, and a chain of definitions costs its length rather than its square.
    // A component of more than one definition is a cycle: its members cannot be ordered.
    order_.clear();
    cycle_.clear();
    for (std::vector<std::size_t>& component : StrongComponents(DirectReferences(active))) {
        if (component.size() == 1) {
            order_.push_back(active[component[0]]);
        } else {
            std::sort(component.begin(), component.end());
            for (std::size_t k : component) cycle_.push_back(active[k]);
        }
    }
    // Inactive definitions too: a definition evaluated by a reference may lead back to itself
    // through them.
    const ReferenceGraph all = DirectReferences(maps_);
    reachesItself_ = false;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (std::find(all[i].begin(), all[i].end(), i) != all[i].end()) reachesItself_ = true;
    for (const std::vector<std::size_t>& component : StrongComponents(all))
        if (component.size() > 1) reachesItself_ = true;
}

// Each definition is evaluated at its turn, after those it refers to, and then holds its value
// for the rest of the pass: the references that follow read it rather than evaluating it again,
// so a chain of references costs its length, not its square, and no deeper stack. Where a node
// draws random numbers or writes into others, or definitions refer to each other in a cycle,
// every reference evaluates its definition again.
void MathMap::EvaluateAll() {
    bool reuse = cycle_.empty();
    for (const NodeMap::Ptr& map : order_)
        if (reuse && map->DependsOnOrder()) reuse = false;
    for (const NodeMap::Ptr& map : order_) {
        map->Evaluate();
        map->SetEvaluatedInPass(reuse);
    }
    for (const NodeMap::Ptr& map : order_) map->SetEvaluatedInPass(false);
}

std::vector<NodeMap::Ptr> MathMap::GetReferableMaps(const NodeMap::Ptr& target) const {
    std::vector<NodeMap::Ptr> referable;
    if (!target) return referable;
    for (const NodeMap::Ptr& map : maps_)
        if (map != target && !IsAmong(ReferencedMaps(map), target)) referable.push_back(map);
    return referable;
}

}  // namespace Core
