#pragma once
// A model: a named collection of definitions that refer to each other, evaluated in an order
// in which every definition comes after those it refers to.
#include <string>
#include <vector>

#include "foundation/label.h"
#include "foundation/name_index.h"
#include "foundation/unique_name.h"
#include "model/node_map.h"

namespace Core {

class MathMap : public Label, private DefinitionIndex {
public:
    using Ptr = Safe::XPtr<MathMap>;

    MathMap() = default;
    ~MathMap() override;

    // A model holding the variable "x" and the function "model".
    static Ptr CreateModel(const std::string& name);
    // A copy named "clone-" and the source's name whose references point at its own copies.
    static Ptr Clone(const Ptr& source);

    // Adds a definition under a unique name ("@N"); null when it is null or already here.
    NodeMap::Ptr AddMap(const NodeMap::Ptr& map);
    // AddMap for each, ordering once at the end (a model read from a file).
    void AddMaps(const std::vector<NodeMap::Ptr>& maps);
    NodeMap::Ptr FindMap(const std::string& name) const;
    NodeMap::Ptr GetMapAt(int index) const;
    int MapCount() const { return static_cast<int>(maps_.size()); }
    std::vector<NodeMap::Ptr> GetMaps() const { return maps_; }
    std::vector<NodeMap::Ptr> GetInactiveMaps() const;
    const std::vector<NodeMap::Ptr>& GetEvaluationOrder() const { return order_; }
    bool HasMap(const NodeMap::Ptr& map) const;
    bool HasMapName(const std::string& name) const { return static_cast<bool>(FindMap(name)); }
    bool SetMapName(const std::string& oldName, const std::string& newName);
    // Removes the definition and turns references to it into basic nodes.
    NodeMap::Ptr RemoveMap(const std::string& name);
    void Clear();

    // References to definitions this model does not hold become basic nodes of the same name.
    void ReplaceDanglingMaps();
    // Points every reference at this model's definition of the same name.
    void RelinkMaps();
    // Orders the active definitions after those they refer to. Definitions that refer to each
    // other in a cycle cannot be ordered: they are left out and listed by GetCycleMaps.
    void RebuildOrder();
    const std::vector<NodeMap::Ptr>& GetCycleMaps() const { return cycle_; }
    // True, as of the last ordering, when some definition refers to itself, directly or
    // through others (inactive ones included).
    bool HasDefinitionReachingItself() const { return reachesItself_; }
    void EvaluateAll();

    // The definitions the target may refer to without closing a cycle: all others except those
    // that refer to the target, directly or through others.
    std::vector<NodeMap::Ptr> GetReferableMaps(const NodeMap::Ptr& target) const;

private:
    // Names the definition uniquely and appends it; false when it is null or already here.
    bool Append(const NodeMap::Ptr& map);
    // The definitions a definition refers to, directly or through others.
    static std::vector<NodeMap::Ptr> ReferencedMaps(const NodeMap::Ptr& map);
    // Definitions that refer to each other hold each other, through their trees and through
    // the nodes their histories keep: let go of those when the model lets go of its definitions.
    void UnbindReferences();
    void ReplaceReference(const NodeMap::Ptr& map, const Node::Ptr& reference);
    // True when the definition is one of this model's (false for null).
    bool Holds(const NodeMap::Ptr& map) const;
    void DefinitionRenamed(NodeMap& map, const std::string& oldName) override;
    void Unindex(NodeMap& map);

    std::vector<NodeMap::Ptr> order_;
    std::vector<NodeMap::Ptr> maps_;
    // Every definition of maps_ by the name it bears now.
    NameIndex<NodeMap> byName_;
    // The "@" rule's counts over the names of maps_, in list order.
    MarkCounts counts_{'@'};
    std::vector<NodeMap::Ptr> cycle_;
    bool reachesItself_ = false;
};

}  // namespace Core
