// Reading large models: a .mod file and an OSML document with N definitions, and a .mod file
// whose N definitions form one chain of references (each refers to the one before it). Reading
// must grow linearly with N.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "foundation/sha256.h"
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

// 199 roots nested in one another, each with a digest over what follows its secure block and a
// note of 600 letters: some 135 KB. Each root's digest is checked.
std::string NestedRoots() {
    const std::string letters(600, 'n');
    const std::string note = "<annotation>\n" + letters + "\n</annotation>\n";
    const std::string noteLaid = "<annotation>" + letters + "</annotation>";
    const auto secureLaid = [](std::string digest) {
        digest.erase(std::remove(digest.begin(), digest.end(), ' '), digest.end());
        return "<securealgorithm=\"SHA-256\">" + digest + "</secure>";
    };
    std::string text, laid;
    for (int level = 199; level >= 1; --level) {
        const std::string digest = Sha256::Hex(noteLaid + laid);
        const std::string children = secureLaid(digest) + noteLaid + laid;
        laid = "<osml>" + secureLaid(Sha256::Hex(children)) + children + "</osml>";
        text = "<osml>\n<secure algorithm=\"SHA-256\"> " + digest + " </secure>\n" + note + text +
               "</osml>\n";
    }
    return text;
}

void BM_ReadNestedRoots(benchmark::State& state) {
    const std::string text = NestedRoots();
    for (auto _ : state) {
        const Core::Sml::Document document = Core::Sml::ReadText(text);
        if (!document.ok) state.SkipWithError("the digests do not match");
        benchmark::DoNotOptimize(document);
    }
}

BENCHMARK(BM_ReadNestedRoots)->Unit(benchmark::kMillisecond);
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
