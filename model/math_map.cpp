#include "model/math_map.h"

#include <algorithm>
#include <functional>
#include <unordered_map>

#include "foundation/unique_name.h"
#include "model/factory.h"
#include "model/map_capsule.h"

namespace Core {

namespace {

bool Holds(const std::vector<NodeMap::Ptr>& maps, const NodeMap::Ptr& map) {
    return std::find(maps.begin(), maps.end(), map) != maps.end();
}
}  // namespace

MathMap::~MathMap() {
    UnbindReferences();
}

void MathMap::UnbindReferences() {
    for (const NodeMap::Ptr& map : maps_) {
        map->ForgetHistory();
        for (const Node::Ptr& node : map->FindNodesByType(kMapCapsuleId)) {
            auto reference = Safe::DynamicCast<MapCapsule>(node);
            if (reference && Holds(maps_, reference->GetMap())) reference->Unbind();
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
    for (const NodeMap::Ptr& map : source->maps_) copy->AddMap(map->Clone());
    copy->RelinkMaps();
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
    map->SetName(CountedUniqueName(map->Name(), '@', taken, forEach));
    maps_.push_back(map);
    return true;
}

NodeMap::Ptr MathMap::FindMap(const std::string& name) const {
    for (const NodeMap::Ptr& map : maps_)
        if (map->Name() == name) return map;
    return NodeMap::Ptr();
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
    return !map || Holds(maps_, map);
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
    ReplaceDanglingMaps();
    return map;
}

void MathMap::Clear() {
    UnbindReferences();
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
            if (reference && !Holds(maps_, reference->GetMap())) ReplaceReference(map, node);
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
    const std::size_t n = active.size();
    std::unordered_map<const NodeMap*, std::size_t> position;
    for (std::size_t i = 0; i < n; ++i) position.emplace(active[i].Get(), i);
    // Direct references only: the components and their order are those of the references
    // followed through, and a chain of definitions costs its length rather than its square.
    std::vector<std::vector<std::size_t>> refersTo(n);
    for (std::size_t i = 0; i < n; ++i)
        for (const Node::Ptr& node : active[i]->FindNodesByType(kMapCapsuleId)) {
            auto* reference = dynamic_cast<MapCapsule*>(node.Get());
            auto target = reference ? position.find(reference->GetMap().Get()) : position.end();
            if (target != position.end() && target->second != i)
                refersTo[i].push_back(target->second);
        }

    // Strongly connected components (Tarjan), which come out dependencies first. A component
    // of more than one definition is a cycle: its members cannot be ordered.
    std::vector<int> index(n, -1), low(n, 0);
    std::vector<bool> onStack(n, false);
    std::vector<std::size_t> stack;
    int counter = 0;
    order_.clear();
    cycle_.clear();
    std::function<void(std::size_t)> connect = [&](std::size_t i) {
        index[i] = low[i] = counter++;
        stack.push_back(i);
        onStack[i] = true;
        for (std::size_t j : refersTo[i]) {
            if (index[j] < 0) {
                connect(j);
                low[i] = std::min(low[i], low[j]);
            } else if (onStack[j]) {
                low[i] = std::min(low[i], index[j]);
            }
        }
        if (low[i] != index[i]) return;
        std::vector<std::size_t> component;
        do {
            component.push_back(stack.back());
            onStack[stack.back()] = false;
            stack.pop_back();
        } while (component.back() != i);
        if (component.size() == 1) {
            order_.push_back(active[i]);
        } else {
            std::sort(component.begin(), component.end());
            for (std::size_t k : component) cycle_.push_back(active[k]);
        }
    };
    for (std::size_t i = 0; i < n; ++i)
        if (index[i] < 0) connect(i);
}

void MathMap::EvaluateAll() {
    for (const NodeMap::Ptr& map : order_) map->Evaluate();
}

std::vector<NodeMap::Ptr> MathMap::GetReferableMaps(const NodeMap::Ptr& target) const {
    std::vector<NodeMap::Ptr> referable;
    if (!target) return referable;
    for (const NodeMap::Ptr& map : maps_)
        if (map != target && !Holds(ReferencedMaps(map), target)) referable.push_back(map);
    return referable;
}

}  // namespace Core
