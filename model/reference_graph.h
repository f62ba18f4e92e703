#pragma once
// Definitions as a graph of their direct references, and its strongly connected components:
// what orders a model and finds its cycles.
#include <cstddef>
#include <vector>

#include "model/node_map.h"

namespace Core {

// For each definition, the positions among maps of the definitions its tree refers to
// directly (itself included when it does).
using ReferenceGraph = std::vector<std::vector<std::size_t>>;
ReferenceGraph DirectReferences(const std::vector<NodeMap::Ptr>& maps);

// The strongly connected components (Tarjan), those referred to before those that refer to
// them. The walk keeps its own stack, as a chain of references may be as long as the model.
std::vector<std::vector<std::size_t>> StrongComponents(const ReferenceGraph& graph);

}  // namespace Core
