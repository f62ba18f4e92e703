#include "model/reference_graph.h"

#include <algorithm>
#include <unordered_map>

#include "model/factory.h"
#include "model/map_capsule.h"

namespace Core {

ReferenceGraph DirectReferences(const std::vector<NodeMap::Ptr>& maps) {
    std::unordered_map<const NodeMap*, std::size_t> position;
    for (std::size_t i = 0; i < maps.size(); ++i) position.emplace(maps[i].Get(), i);
    ReferenceGraph refersTo(maps.size());
    for (std::size_t i = 0; i < maps.size(); ++i)
        for (const Node::Ptr& node : maps[i]->FindNodesByType(kMapCapsuleId)) {
            auto* reference = dynamic_cast<MapCapsule*>(node.Get());
            auto target = reference ? position.find(reference->GetMap().Get()) : position.end();
            if (target != position.end()) refersTo[i].push_back(target->second);
        }
    return refersTo;
}

std::vector<std::vector<std::size_t>> StrongComponents(const ReferenceGraph& graph) {
    const std::size_t n = graph.size();
    std::vector<int> index(n, -1), low(n, 0);
    std::vector<bool> onStack(n, false);
    std::vector<std::size_t> stack;
    struct Call {
        std::size_t vertex;
        std::size_t nextEdge;
    };
    std::vector<Call> calls;
    std::vector<std::vector<std::size_t>> components;
    int counter = 0;
    auto open = [&](std::size_t i) {
        index[i] = low[i] = counter++;
        stack.push_back(i);
        onStack[i] = true;
        calls.push_back({i, 0});
    };
    for (std::size_t root = 0; root < n; ++root) {
        if (index[root] >= 0) continue;
        open(root);
        while (!calls.empty()) {
            const std::size_t i = calls.back().vertex;
            if (calls.back().nextEdge < graph[i].size()) {
                const std::size_t j = graph[i][calls.back().nextEdge++];
                if (index[j] < 0)
                    open(j);
                else if (onStack[j])
                    low[i] = std::min(low[i], index[j]);
                continue;
            }
            if (low[i] == index[i]) {
                std::vector<std::size_t>& component = components.emplace_back();
                do {
                    component.push_back(stack.back());
                    onStack[stack.back()] = false;
                    stack.pop_back();
                } while (component.back() != i);
            }
            calls.pop_back();
            if (!calls.empty()) {
                int& callerLow = low[calls.back().vertex];
                callerLow = std::min(callerLow, low[i]);
            }
        }
    }
    return components;
}

}  // namespace Core
