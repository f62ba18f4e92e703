// Building a wide definition through undoable edits: a Sum whose 8,000 children are added one
// by one, each edit checking relatedness, indexing a unique name and recording its undo step.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "functions/families.h"
#include "model/factory.h"
#include "model/node_map.h"

namespace {

using Core::Node;
using Core::NodeMap;

constexpr int kChildren = 8000;
constexpr int kSumId = 208;

NodeMap::Ptr BuildWideSum() {
    NodeMap::Ptr map = NodeMap::CreateFunction("model");
    map->ReplaceNode("m", Node::Create(kSumId));
    const std::string sum = map->GetRoot()->Name();
    for (int i = 0; i < kChildren; ++i) map->AddNode(sum, Node::Create(Core::kBasicId));
    return map;
}

// The same tree built by the nodes alone, without a definition.
Node::Ptr BuildWideSumNode() {
    Node::Ptr sum = Node::Create(kSumId);
    for (int i = 0; i < kChildren; ++i) sum->AddChild(Node::Create(Core::kBasicId));
    return sum;
}

// Every child must be in the tree under a name of its own for the timing to mean anything.
bool IsWholeAndUnique(const NodeMap& map) {
    if (map.GetRoot()->ChildCount() != kChildren + 1) return false;
    std::vector<std::string> names;
    for (const Node::Ptr& node : map.Nodes()) names.push_back(node->Name());
    std::sort(names.begin(), names.end());
    return names.size() == kChildren + 2 &&
           std::adjacent_find(names.begin(), names.end()) == names.end();
}

void WideSumByEdits(benchmark::State& state) {
    Capsule::RegisterFamilies();
    if (!IsWholeAndUnique(*BuildWideSum())) {
        state.SkipWithError("the built definition lost children or repeated a name");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(BuildWideSum().Get());
    state.SetItemsProcessed(state.iterations() * kChildren);
}

void WideSumByNodes(benchmark::State& state) {
    Capsule::RegisterFamilies();
    if (BuildWideSumNode()->ChildCount() != kChildren + 1) {
        state.SkipWithError("the sum lost children");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(BuildWideSumNode().Get());
    state.SetItemsProcessed(state.iterations() * kChildren);
}

// The least time of the repetitions is the one least disturbed by the rest of the machine.
double Least(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

BENCHMARK(WideSumByEdits)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);
BENCHMARK(WideSumByNodes)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Least);

}  // namespace

BENCHMARK_MAIN();
