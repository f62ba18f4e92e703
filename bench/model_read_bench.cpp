// Reading large models: a .mod file and an OSML document with N definitions, and a .mod file
// whose N definitions form one chain of references (each refers to the one before it). Reading
// must grow linearly with N.
//
// Reads that fill named sets, each timed beside a reference of the same size that is linear by
// construction, with Google Benchmark fitting the growth of both: project files of N spectra
// and of N models, also after a model "model@2147483647" (against the same records read into a
// plain list), a layer record of N curves (against N layers of one curve each) and an OSML
// symbol of N arguments applied once (against N symbols of one argument, each applied once).
// Each must grow as N or N log N.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/project/project_io.h"
#include "foundation/exception.h"
#include "foundation/sha256.h"
#include "functions/families.h"
#include "io/binary_stream.h"
#include "io/data_set.h"
#include "io/node_io.h"
#include "io/osml_reader.h"
#include "io/osml_writer.h"
#include "io/spectrum_record.h"
#include "model/current.h"
#include "model/map_capsule.h"
#include "plot/layer.h"
#include "plot/layer_io.h"

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

// --- Named sets ---

// A project file of one block: its opening tag, the records, its closing tag.
template <class WriteRecords>
std::string ProjectBytes(int blockTag, WriteRecords&& writeRecords) {
    BinaryWriter writer;
    for (int tag :
         std::initializer_list<int>{TagProjectFile, TagProjectHeader, Core::ProjectIo::kVersion,
                                    -TagProjectHeader, blockTag})
        writer.WriteInt(tag);
    writeRecords(writer);
    writer.WriteInt(-blockTag);
    writer.WriteInt(-TagProjectFile);
    return writer.Bytes();
}

// The records of a one-block project, each read by read into a list of its own.
template <class Read>
std::size_t ReadRecordsOnly(const std::string& bytes, int recordTag, Read&& read) {
    BinaryReader reader = BinaryReader::FromBytes(bytes);
    for (int i = 0; i < 5; ++i) reader.ReadInt();
    std::vector<decltype(read(reader))> records;
    while (reader.ReadInt() == recordTag) records.push_back(read(reader));
    return records.size();
}

// N spectra of eight points, "spectrum-0.dat".."spectrum-<N-1>.dat".
std::string SpectraProject(int count) {
    return ProjectBytes(TagSpectrumBlock, [count](BinaryWriter& writer) {
        for (int i = 0; i < count; ++i) {
            auto spectrum = Safe::MakeX<Spectrum>();
            spectrum->SetName(L"spectrum-" + std::to_wstring(i) + L".dat");
            spectrum->Resize(8);
            for (int k = 0; k < 8; ++k) spectrum->SetPoint(k, 100.0 * k, 0.5, 0.25);
            Core::WriteSpectrumRecord(spectrum, writer);
        }
    });
}

// N models of two definitions, every one named "model": read, they become "model",
// "model@1".. "model@<N-1>". With a first name, the first of them bears it.
std::string ModelsProject(int count, const std::string& first = "model") {
    return ProjectBytes(TagModelBlock, [&](BinaryWriter& writer) {
        const MathMap::Ptr model = MathMap::CreateModel("model");
        const MathMap::Ptr firstModel = MathMap::CreateModel(first);
        for (int i = 0; i < count; ++i)
            Core::NodeMapIo().WriteMathMap(i == 0 ? firstModel : model, writer);
    });
}

// Curve records look their models up in the project, and a read project holds memory: each
// benchmark that reads or looks up starts from an empty one.
void EmptyProject() {
    Core::Models().Clear();
    Core::DataSet::Clear();
}

void ReadProject(benchmark::State& state, const std::string& bytes, int count, int (*installed)()) {
    EmptyProject();
    for (auto _ : state) {
        const Core::ProjectIo::Result result = Core::ProjectIo::ReadBytes(bytes);
        if (!result.ok || installed() != count) state.SkipWithError("project not read whole");
    }
    EmptyProject();  // the benchmarks after this one find the memory as they would alone
    state.SetComplexityN(count);
}

void BM_ReadProjectSpectra(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    ReadProject(state, SpectraProject(count), count,
                [] { return Core::DataSet::GetSet().Count(); });
}

void BM_ReadSpectrumRecordsOnly(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const std::string bytes = SpectraProject(count);
    for (auto _ : state) {
        if (ReadRecordsOnly(bytes, SpectrumTag, Core::ReadSpectrumRecord) !=
            static_cast<std::size_t>(count))
            state.SkipWithError("records not read whole");
    }
    state.SetComplexityN(count);
}

void BM_ReadProjectModels(benchmark::State& state) {
    Capsule::RegisterFamilies();
    const int count = static_cast<int>(state.range(0));
    ReadProject(state, ModelsProject(count), count, [] { return Core::Models().Count(); });
}

// The number of "model@2147483647" reads as the largest int, as does every number given after
// it: the largest number stays put, yet naming must not search past the names given so far.
void BM_ReadProjectModelsAfterLargestNumber(benchmark::State& state) {
    Capsule::RegisterFamilies();
    const int count = static_cast<int>(state.range(0));
    ReadProject(state, ModelsProject(count, "model@2147483647"), count,
                [] { return Core::Models().Count(); });
}

void BM_ReadModelRecordsOnly(benchmark::State& state) {
    Capsule::RegisterFamilies();
    const int count = static_cast<int>(state.range(0));
    const std::string bytes = ModelsProject(count);
    Core::NodeMapIo models;
    for (auto _ : state) {
        if (ReadRecordsOnly(bytes, TagMathMap, [&](BinaryReader& reader) {
                return models.ReadMathMap(reader);
            }) != static_cast<std::size_t>(count))
            state.SkipWithError("records not read whole");
    }
    state.SetComplexityN(count);
}

// Records of layers holding N curves in all, `perLayer` to a layer, named as the program names
// the curves it adds to a layer: "curve", "curve@1", ...
std::string LayerRecords(int count, int perLayer) {
    BinaryWriter writer;
    for (int first = 0; first < count; first += perLayer) {
        auto layer = Winplus::LayerCurve::CreateEmpty();
        std::vector<Winplus::Curve::Ptr> curves;
        for (int i = first; i < first + perLayer; ++i) {
            auto curve = Safe::MakeX<Winplus::Curve>(Winplus::Curve::kFromRecord);
            curve->SetName(i == 0 ? std::wstring(L"curve") : L"curve@" + std::to_wstring(i));
            curve->DeferGrid(512, 1.0, 1000.0);
            layer->Curves()->Add(curve);
        }
        Winplus::LayerIo::WriteLayer(writer, layer);
    }
    return writer.Bytes();
}

void ReadLayers(benchmark::State& state, int perLayer) {
    EmptyProject();
    const int count = static_cast<int>(state.range(0));
    const std::string bytes = LayerRecords(count, perLayer ? perLayer : count);
    for (auto _ : state) {
        BinaryReader reader = BinaryReader::FromBytes(bytes);
        std::vector<Winplus::Layer::Ptr> layers;
        int curves = 0;
        while (reader.Remaining() > 0 && reader.ReadInt() == Winplus::LayerIo::kLayerTag) {
            layers.push_back(Winplus::LayerIo::ReadLayer(reader));
            curves += Safe::DynamicCast<Winplus::LayerCurve>(layers.back())->Curves()->Count();
        }
        if (curves != count) state.SkipWithError("records not read whole");
    }
    state.SetComplexityN(count);
}

void BM_ReadLayerOfNCurves(benchmark::State& state) {
    ReadLayers(state, 0);
}
void BM_ReadLayersOfOneCurve(benchmark::State& state) {
    ReadLayers(state, 1);
}

// <apply> of the document's symbol `name` to `arguments` numbers.
std::string ApplySymbol(const std::string& name, int arguments) {
    std::string text = "<apply><function name=\"" + name + "\" source=\"document\"/>";
    for (int i = 0; i < arguments; ++i) text += "<number>1</number>";
    return text + "</apply>";
}

// An OSML symbol "f<k>" of `arguments` arguments "a0".."a<n-1>" (all "a" when equalNames: read,
// they become "a", "a@1", ...) whose definition adds the first argument to 1.
std::string FunctionSymbol(int k, int arguments, bool equalNames) {
    std::string text =
        "<symbol encoding=\"OSML\" name=\"f" + std::to_string(k) + "\" type=\"function\">";
    for (int i = 0; i < arguments; ++i)
        text += "<argument name=\"a" + (equalNames ? std::string() : std::to_string(i)) +
                "\"><number>2</number></argument>";
    return text +
           "<definition name=\"out\"><apply><function name=\"plus\" source=\"core\"/><link>" +
           (equalNames ? "a" : "a0") + "</link><number>1</number></apply></definition></symbol>";
}

// A model document whose definitions apply symbols holding N arguments in all, `perSymbol`
// to a symbol.
std::string SymbolDocument(int count, int perSymbol, bool equalNames) {
    std::string symbols, definitions;
    for (int k = 0; k * perSymbol < count; ++k) {
        symbols += FunctionSymbol(k, perSymbol, equalNames);
        definitions += "<definition name=\"d" + std::to_string(k) + "\">" +
                       ApplySymbol("f" + std::to_string(k), perSymbol) + "</definition>";
    }
    return "<?xml version=\"1.0\" ?><osml version=\"2.0\"><semantics>" + symbols +
           "</semantics><math><definition name=\"x\"></definition>" + definitions +
           "</math></osml>";
}

void ReadSymbols(benchmark::State& state, int perSymbol, bool equalNames = false) {
    Capsule::RegisterFamilies();
    const int count = static_cast<int>(state.range(0));
    const int symbols = perSymbol ? count : 1;
    const std::string text = SymbolDocument(count, perSymbol ? perSymbol : count, equalNames);
    for (auto _ : state) {
        try {
            MathMap::Ptr model = Core::Sml::OsmlReader().ReadModel(Core::Sml::ReadText(text));
            if (!model || model->MapCount() != symbols + 1) state.SkipWithError("model not read");
            benchmark::DoNotOptimize(model);
        } catch (const Winplus::Exception& e) {
            state.SkipWithError(e.what());
            break;
        }
    }
    state.SetComplexityN(count);
}

void BM_ReadSymbolOfNArguments(benchmark::State& state) {
    ReadSymbols(state, 0);
}
void BM_ReadSymbolOfNEqualArguments(benchmark::State& state) {
    ReadSymbols(state, 0, true);
}
void BM_ReadSymbolsOfOneArgument(benchmark::State& state) {
    ReadSymbols(state, 1);
}

double Least(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

// 10^3 to 10^4 and on to `largest` in steps of about 3, with the growth fitted.
template <int largest>
void Sizes(benchmark::internal::Benchmark* benchmark) {
    for (int n : {1000, 3000, 10000, 30000, 100000})
        if (n <= largest) benchmark->Arg(n);
    benchmark->Unit(benchmark::kMillisecond)->Complexity()->ComputeStatistics("min", Least);
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

// 10^5 spectra must read within ten times of 10^4.
BENCHMARK(BM_ReadProjectSpectra)->Apply(Sizes<100000>);
BENCHMARK(BM_ReadSpectrumRecordsOnly)->Apply(Sizes<100000>);
BENCHMARK(BM_ReadProjectModels)->Apply(Sizes<100000>);
BENCHMARK(BM_ReadProjectModelsAfterLargestNumber)->Apply(Sizes<100000>);
BENCHMARK(BM_ReadModelRecordsOnly)->Apply(Sizes<100000>);
BENCHMARK(BM_ReadLayerOfNCurves)->Apply(Sizes<30000>);
BENCHMARK(BM_ReadLayersOfOneCurve)->Apply(Sizes<30000>);
// A read makes at most 200,000 nodes: 30,000 arguments stay well below.
BENCHMARK(BM_ReadSymbolOfNArguments)->Apply(Sizes<30000>);
BENCHMARK(BM_ReadSymbolOfNEqualArguments)->Apply(Sizes<30000>);
// Each symbol of one argument makes some ten nodes where an argument makes three: 10^4 of them
// stay within the budget.
BENCHMARK(BM_ReadSymbolsOfOneArgument)->Apply(Sizes<10000>);

}  // namespace

BENCHMARK_MAIN();
