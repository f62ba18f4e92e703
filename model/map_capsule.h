#pragma once
// A node that stands for another definition of the same model.
#include "model/column.h"
#include "model/node.h"
#include "model/node_map.h"

namespace Core {

class MapCapsule : public Node {
public:
    MapCapsule();

    // Binds the definition and takes its cached values; null (nothing changes) for null.
    NodeMap::Ptr SetMap(const NodeMap::Ptr& map);
    NodeMap::Ptr GetMap() const { return map_; }
    // Lets go of the definition (its model is going away).
    void Unbind() { map_ = nullptr; }

    bool IsSameReference(const Node& other) const override;
    void CollectReferences(std::vector<Node*>& out) override;
    Ptr Clone() override;
    // The definition's value; (0, 0) without a definition.
    const Complex& Evaluate() override;
    // Sets the definition's value too.
    void SetValue(const Complex& value, int index) override;
    ColumnKind GetColumnKind() const override { return kColumnOwn; }
    // The definition's column when the pass has computed it, else the per-point path.
    const Column& EvaluateColumn(ColumnPass& pass) override;

private:
    NodeMap::Ptr map_;
};

}  // namespace Core
