// How ordering a chain of references and compiling a deeply nested formula grow with their
// size. Each is timed beside a reference of the same size without the depth (unrelated
// definitions; a flat sum of the same length), and Google Benchmark fits the growth of both:
// the chain and the nesting must grow as their references do (adding N definitions one by one
// orders N times: N^2 for both; compiling: N log N), not faster.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "formula/formula.h"
#include "model/map_capsule.h"
#include "model/math_map.h"

namespace {

using Core::MathMap;
using Core::NodeMap;

// n definitions; with linked, each refers to the next.
std::vector<NodeMap::Ptr> Definitions(int n, bool linked) {
    std::vector<NodeMap::Ptr> maps;
    for (int i = 0; i < n; ++i) maps.push_back(NodeMap::CreateFunction("d" + std::to_string(i)));
    for (int i = 0; linked && i + 1 < n; ++i) {
        auto reference = Safe::MakeX<Core::MapCapsule>();
        reference->SetName("ref");
        reference->SetMap(maps[i + 1]);
        maps[i]->ReplaceNode("m", reference);
    }
    return maps;
}

void AddDefinitions(benchmark::State& state, bool linked) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        const std::vector<NodeMap::Ptr> maps = Definitions(n, linked);
        MathMap::Ptr model = Safe::MakeX<MathMap>();
        state.ResumeTiming();
        for (const NodeMap::Ptr& map : maps) model->AddMap(map);
        if (model->GetEvaluationOrder().size() != static_cast<std::size_t>(n))
            state.SkipWithError("not every definition was ordered");
    }
    state.SetComplexityN(n);
}

void BM_OrderReferenceChain(benchmark::State& state) {
    AddDefinitions(state, true);
}
void BM_OrderUnrelatedDefinitions(benchmark::State& state) {
    AddDefinitions(state, false);
}
BENCHMARK(BM_OrderReferenceChain)->RangeMultiplier(2)->Range(100, 800)->Complexity();
BENCHMARK(BM_OrderUnrelatedDefinitions)->RangeMultiplier(2)->Range(100, 800)->Complexity();

void Compile(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        Formula formula;
        if (!formula.Define(text, false)) state.SkipWithError("the formula does not compile");
    }
    state.SetComplexityN(state.range(0));
}

// f(x)=(-Conjg((-Conjg(...x...)))): depth n.
void BM_CompileNestedFormula(benchmark::State& state) {
    const int depth = static_cast<int>(state.range(0));
    std::string text = "f(x)=";
    for (int i = 0; i < depth; ++i) text += i % 2 ? "Conjg(" : "(-";
    text += "x";
    text.append(depth, ')');
    Compile(state, text);
}

// f(x)=x+x+...+x: as many terms as the nested one has levels.
void BM_CompileFlatFormula(benchmark::State& state) {
    std::string text = "f(x)=x";
    for (int i = 0; i < state.range(0); ++i) text += "+x";
    Compile(state, text);
}
BENCHMARK(BM_CompileNestedFormula)->RangeMultiplier(4)->Range(1000, 16000)->Complexity();
BENCHMARK(BM_CompileFlatFormula)->RangeMultiplier(4)->Range(1000, 16000)->Complexity();

}  // namespace

BENCHMARK_MAIN();
