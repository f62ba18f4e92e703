#include "app/project/project_io.h"

#include <functional>
#include <new>
#include <utility>

#include "app/base/project_comment.h"
#include "foundation/exception.h"
#include "io/data_set.h"
#include "model/current.h"
#include "plot/layer_io.h"

namespace Core::ProjectIo {

namespace {

using Winplus::Layer;
using Winplus::LayerSet;
namespace LayerIo = Winplus::LayerIo;

[[noreturn]] void Fail(const char* message) {
    throw Winplus::Exception(message);
}

// A missing end tag of any block but the version's.
constexpr const char* kCorrupt = "File corruption.";

std::wstring Wide(const std::string& name) {
    std::wstring wide;
    return ToWide(name, wide) ? wide : std::wstring();
}

void WriteProject(BinaryWriter& writer) {
    writer.WriteInt(TagProjectFile);
    writer.WriteInt(TagProjectHeader);
    writer.WriteInt(kVersion);
    writer.WriteInt(-TagProjectHeader);

    NodeMapIo models;
    writer.WriteInt(TagModelBlock);
    for (const MathMap::Ptr& model : Models()) models.WriteMathMap(model, writer);
    writer.WriteInt(-TagModelBlock);

    writer.WriteInt(TagSpectrumBlock);
    for (const Spectrum::Ptr& spectrum : DataSet::GetSet()) WriteSpectrumRecord(spectrum, writer);
    writer.WriteInt(-TagSpectrumBlock);

    writer.WriteInt(TagLayerBlock);
    for (const Layer::Ptr& layer : Layer::Set()) LayerIo::WriteLayer(writer, layer);
    writer.WriteInt(-TagLayerBlock);

    writer.WriteInt(kCommentTag);
    writer.WriteString(ProjectComment::Get(true));
    writer.WriteInt(-kCommentTag);

    const MathMap::Ptr model = MenuCore::GetCurrentModel();
    const NodeMap::Ptr definition = MenuCore::GetCurrentDefinition();
    const Layer::Ptr& layer = Layer::CurrentLayer();
    writer.WriteInt(kCurrentsTag);
    writer.WriteString(model ? model->GetNameA() : std::string());
    writer.WriteString(definition ? definition->Name() : std::string());
    writer.WriteString(layer ? layer->GetNameA() : std::string());
    writer.WriteInt(-kCurrentsTag);

    writer.WriteInt(-TagProjectFile);
}

// What a record reader gave; a reader that gives nothing is the program's fault.
template <class Pointer>
Pointer Given(Pointer record) {
    if (!record) Fail("Internal error");
    return record;
}

// Installs one block that was read whole into the running program.
using Install = std::function<void()>;

Install Currents(std::string model, std::string definition, std::string layer) {
    return [model = std::move(model), definition = std::move(definition),
            layer = std::move(layer)] {
        const MathMap::Ptr current = Models().Find(Wide(model));
        MenuCore::SetCurrentModel(current);
        if (current) MenuCore::SetCurrentDefinition(current->FindMap(definition));
        Layer::SetCurrentLayer(Layer::Set().Find(Wide(layer)));
    };
}

// What a read installs, one block of each kind: the last the file holds, or an empty one. A
// read replaces the whole project, and the project depends on the file alone.
struct Installs {
    Install models = [] { MenuCore::InstallProjectMaps(ModelSet()); };
    Install spectra = [] { DataSet::Replace(Safe::MakeX<SpectrumSet>()); };
    Install layers = [] { Layer::ReplaceLayers(LayerSet()); };
    Install comment = [] { ProjectComment::Set(std::string(), true); };
    Install currents = Currents(std::string(), std::string(), std::string());

    // Curves name models and spectra, and the currents name a model, a definition and a layer:
    // each block goes in after those it names, whatever the file's order.
    void Run() const {
        for (const Install* install : {&models, &spectra, &layers, &comment, &currents})
            (*install)();
    }
};

// Reads every block of a project file; the running program is left alone until the caller
// runs what was read.
class StagedReader {
public:
    StagedReader(std::string bytes, ReadOptions options)
        : bytes_(std::move(bytes)),
          reader_(BinaryReader::FromBytes(bytes_)),
          models_(std::move(options.libraryFolders)),
          readSpectrum_(std::move(options.readSpectrum)) {}

    Installs ReadAll() {
        if (reader_.ReadInt() != TagProjectFile) Fail("No valid file");
        if (reader_.ReadInt() != TagProjectHeader) Fail(kCorrupt);
        if (reader_.ReadInt() != kVersion) Fail("No valid version");
        if (reader_.ReadInt() != -TagProjectHeader) Fail("File corruption");
        Installs installs;
        for (;;) {
            switch (const int tag = reader_.ReadInt()) {
                case TagModelBlock: installs.models = ReadModels(); break;
                case TagSpectrumBlock: installs.spectra = ReadSpectra(); break;
                case TagLayerBlock: installs.layers = ReadLayers(); break;
                case kCurrentsTag: installs.currents = ReadCurrents(); break;
                case kCommentTag: installs.comment = ReadComment(); break;
                default:
                    if (tag != -TagProjectFile) Fail(kCorrupt);
                    return installs;
            }
        }
    }

    const std::vector<std::string>& GetNotes() const { return models_.GetNotes(); }

private:
    Install ReadModels() {
        auto models = Safe::MakeX<ModelSet>();
        int tag = reader_.ReadInt();
        for (; tag == TagMathMap; tag = reader_.ReadInt()) {
            MathMap::Ptr model = Given(models_.ReadMathMap(reader_));
            model->ReplaceDanglingMaps();
            models->Add(model);
        }
        if (tag != -TagModelBlock) Fail(kCorrupt);
        return [models] { MenuCore::InstallProjectMaps(*models); };
    }

    Install ReadSpectra() {
        auto spectra = Safe::MakeX<SpectrumSet>();
        int tag = reader_.ReadInt();
        for (; tag == SpectrumTag; tag = reader_.ReadInt()) {
            spectra->Add(Given(readSpectrum_(reader_)));
        }
        if (tag != -TagSpectrumBlock) Fail(kCorrupt);
        return [spectra] { DataSet::Replace(spectra); };
    }

    // Curves name their models and spectra, which are looked up when the layers are installed,
    // after the blocks before them: the records are checked here and read again then.
    Install ReadLayers() {
        const std::uint64_t start = Position();
        int tag = reader_.ReadInt();
        for (; tag == LayerIo::kLayerTag; tag = reader_.ReadInt())
            Given(LayerIo::ReadLayer(reader_));
        if (tag != -TagLayerBlock) Fail(kCorrupt);
        std::string records = bytes_.substr(start, Position() - start);
        return [records = std::move(records)] {
            BinaryReader again = BinaryReader::FromBytes(records);
            LayerSet layers;
            while (again.ReadInt() == LayerIo::kLayerTag) layers.Add(LayerIo::ReadLayer(again));
            Layer::ReplaceLayers(layers);
        };
    }

    Install ReadCurrents() {
        std::string model = reader_.ReadString();
        std::string definition = reader_.ReadString();
        std::string layer = reader_.ReadString();
        if (reader_.ReadInt() != -kCurrentsTag) Fail(kCorrupt);
        return Currents(std::move(model), std::move(definition), std::move(layer));
    }

    Install ReadComment() {
        std::string text = reader_.ReadString();
        if (reader_.ReadInt() != -kCommentTag) Fail(kCorrupt);
        return [text = std::move(text)] { ProjectComment::Set(text, true); };
    }

    std::uint64_t Position() { return bytes_.size() - reader_.Remaining(); }

    const std::string bytes_;
    BinaryReader reader_;
    NodeMapIo models_;
    std::function<Spectrum::Ptr(BinaryReader&)> readSpectrum_;
};

// Runs an operation, turning what it throws into the failure's message.
template <class Operation>
Result Attempt(Operation&& operation) {
    Result result;
    try {
        operation(result);
        result.ok = true;
    } catch (const Winplus::Exception& e) {
        result.message = e.what();
    } catch (const std::bad_alloc&) {
        result.message = "Memory allocation error.";
    }
    return result;
}

}  // namespace

std::string Bytes() {
    BinaryWriter writer;
    WriteProject(writer);
    return writer.Bytes();
}

Result Write(const std::string& path) {
    return Attempt([&](Result&) {
        BinaryWriter writer(path);
        WriteProject(writer);
        writer.Commit();
    });
}

Result Read(const std::string& path, ReadOptions options) {
    std::string bytes;
    Result opened = Attempt([&](Result&) { bytes = BinaryReader::WholeFile(path); });
    if (!opened.ok) return opened;
    return ReadBytes(std::move(bytes), std::move(options));
}

Result ReadBytes(std::string bytes, ReadOptions options) {
    return Attempt([&](Result& result) {
        StagedReader reader(std::move(bytes), std::move(options));
        const Installs installs = reader.ReadAll();
        result.notes = reader.GetNotes();
        installs.Run();
    });
}

}  // namespace Core::ProjectIo
