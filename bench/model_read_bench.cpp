// Reading large models: a .mod file and an OSML document with N definitions, and a .mod file
// whose N definitions form one chain of references (each refers to the one before it). Reading
// must grow linearly with N.
#include <benchmark/benchmark.h>

#include <string>

#include "functions/families.h"
#include "io/binary_stream.h"
#include "io/node_io.h"
#include "io/osml_reader.h"
#include "io/osml_writer.h"
#include "model/map_capsule.h"

namespace {

using Core::MathMap;
using Core::Node;
using Core::NodeMap;

// N function definitions "d0".."dN-1"; with chain each root refers to the definition before it.
MathMap::Ptr LargeModel(int count, bool chain) {
    MathMap::Ptr model = MathMap::CreateModel("large");
    std::vector<NodeMap::Ptr> maps;
    for (int i = 0; i < count; ++i) {
        NodeMap::Ptr map = NodeMap::CreateFunction("d" + std::to_string(i));
        if (chain && i > 0) {
            auto reference = Safe::MakeX<Core::MapCapsule>();
            reference->SetName("r");
            reference->SetMap(maps.back());
            map->SetRoot(reference);
        }
        maps.push_back(map);
    }
    model->AddMaps(maps);
    return model;
}

std::string ModelBytes(int count, bool chain) {
    BinaryWriter writer;
    Core::NodeMapIo().WriteMathMap(LargeModel(count, chain), writer);
    return writer.Bytes();
}

void ReadModelFile(benchmark::State& state, bool chain) {
    Capsule::RegisterFamilies();
    const int count = static_cast<int>(state.range(0));
    const std::string bytes = ModelBytes(count, chain);
    for (auto _ : state) {
        auto reader = BinaryReader::FromBytes(bytes);
        MathMap::Ptr model = Core::NodeMapIo().ReadModelFile(reader);
        if (!model || model->MapCount() != count + 2) state.SkipWithError("model not read whole");
        benchmark::DoNotOptimize(model);
    }
    state.SetComplexityN(state.range(0));
}

void BM_ReadModelFile(benchmark::State& state) {
    ReadModelFile(state, false);
}
void BM_ReadModelFileChain(benchmark::State& state) {
    ReadModelFile(state, true);
}

void BM_ReadOsmlDocument(benchmark::State& state) {
    Capsule::RegisterFamilies();
    const int count = static_cast<int>(state.range(0));
    const std::string text =
        Core::Sml::WriteText(Core::Sml::ModelDocument(LargeModel(count, false)));
    for (auto _ : state) {
        MathMap::Ptr model = Core::Sml::OsmlReader().ReadModel(Core::Sml::ReadText(text));
        if (!model || model->MapCount() != count + 2) state.SkipWithError("model not read whole");
        benchmark::DoNotOptimize(model);
    }
    state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_ReadModelFile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ReadModelFileChain)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_ReadOsmlDocument)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
