#pragma once
// A reference node to a definition, under the given name.
#include <string>

#include "model/map_capsule.h"
#include "model/node_map.h"

inline Core::Node::Ptr MapReference(const Core::NodeMap::Ptr& map,
                                    const std::string& name = "ref") {
    auto reference = Safe::MakeX<Core::MapCapsule>();
    reference->SetName(name);
    reference->SetMap(map);
    return reference;
}
