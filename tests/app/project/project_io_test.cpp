#include "app/project/project_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/base/project_comment.h"
#include "foundation/text.h"
#include "functions/families.h"
#include "io/spectrum_record.h"
#include "plot/layer_io.h"
#include "tests/app/project/project_samples.h"
#include "tests/common/code_log.h"
#include "tests/io/reader_support.h"

namespace {

namespace ProjectIo = Core::ProjectIo;
using namespace ProjectTest;

ProjectIo::ReadOptions WithExampleLibrary() {
    ProjectIo::ReadOptions options;
    options.libraryFolders = {kDll.empty() ? std::string() : GetDirectory(kDll)};
    return options;
}

std::string Ints(std::initializer_list<int> values) {
    BinaryWriter writer;
    for (int value : values) writer.WriteInt(value);
    return writer.Bytes();
}

std::string Text(const std::string& text) {
    BinaryWriter writer;
    writer.WriteString(text);
    return writer.Bytes();
}

const std::string kHeader = Ints({10001, 10002, 3, -10002});

// Every announcement on the buses a read installs on.
struct BusLogs {
    Safe::XPtr<CodeLog<ModelEvent>> models = NewCodeLog<ModelEvent>();
    Safe::XPtr<CodeLog<DataSetEvent>> dataSet = NewCodeLog<DataSetEvent>();
    Safe::XPtr<CodeLog<LayerEvent>> layers = NewCodeLog<LayerEvent>();
    EventBus::Registration onModels = Core::MenuCore::AddObserver(models);
    EventBus::Registration onDataSet = Core::DataSet::AddObserver(dataSet);
    EventBus::Registration onLayers = Layer::AddObserver(layers);

    bool Silent() const {
        return models->codes.empty() && dataSet->codes.empty() && layers->codes.empty();
    }
};

// The comment editor: hands in what it shows on 0, shows the comment on 1.
struct Editor : Winplus::Command {
    bool Execute(const int& code) override {
        codes.push_back(code);
        if (code == 0) Core::ProjectComment::Set(shown, false);
        if (code == 1) shown = Core::ProjectComment::Get(false);
        return true;
    }
    std::string shown;
    std::vector<int> codes;
};

class ProjectFile : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

TEST_F(ProjectFile, WrittenProjectsReadBackToTheSameBytes) {
    BuildProject(true);
    const std::string bytes = ProjectIo::Bytes();
    ASSERT_GE(bytes.size(), 12u);
    EXPECT_EQ(bytes.substr(0, 12), std::string("\x11\x27\0\0\x12\x27\0\0\x03\0\0\0", 12));
    EXPECT_EQ(bytes.substr(bytes.size() - 4), Ints({-10001}));

    ReplaceByOther();
    auto editor = Safe::MakeX<Editor>();
    Core::ProjectComment::SetObserver(editor);
    BusLogs logs;
    const ProjectIo::Result result = ProjectIo::ReadBytes(bytes, WithExampleLibrary());
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_TRUE(result.notes.empty()) << result.notes.front();
    // Each block announced as it is installed, in the file's order.
    EXPECT_EQ(logs.models->codes, (std::vector<int>{100, 200, 201}));
    EXPECT_EQ(logs.dataSet->codes, std::vector<int>{130});
    EXPECT_EQ(logs.layers->codes, (std::vector<int>{120, 220}));
    // The whole comment reaches the editor.
    EXPECT_EQ(editor->shown, kComment);
    EXPECT_EQ(editor->codes, std::vector<int>{1});

    ASSERT_EQ(Core::Models().Count(), 3);
    EXPECT_EQ(Core::Models().GetName(), L"Project");  // the reader leaves the name to its caller
    EXPECT_EQ(Core::MenuCore::GetCurrentModel(), Core::Models().Find(L"square"));
    EXPECT_EQ(Core::MenuCore::GetCurrentDefinition()->Name(), "model");
    EXPECT_EQ(Layer::CurrentLayer()->GetName(), L"graph");
    auto graph = Safe::DynamicCast<LayerCurve>(Layer::CurrentLayer());
    // Curves are bound to the models and spectra read with them.
    EXPECT_EQ(graph->Curves()->At(0)->GetUnit()->GetModel(), Core::Models().Find(L"square"));
    EXPECT_EQ(graph->FileCurves()->At(0)->GetData(), Core::DataSet::GetSet().Find(L"measured"));
    EXPECT_EQ(Core::DataSet::GetSet().Find(L"second")->Re()->Values().back(), 0.3 * 19);

    // Written again: the same bytes, with the text the editor shows at that moment.
    EXPECT_TRUE(ProjectIo::Bytes() == bytes);
    editor->shown = "edited";
    const std::string edited = ProjectIo::Bytes();
    EXPECT_NE(edited.find(Text("edited")), std::string::npos);
    EXPECT_EQ(editor->codes, (std::vector<int>{1, 0, 0}));
}

TEST_F(ProjectFile, AStoredProjectReadsAndWritesBackUnchanged) {
    const std::string path = SORIX_SOURCE_DIR "/fuzz/seeds/project/sample.pjt";
    const ProjectIo::Result result = ProjectIo::Read(path);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_TRUE(ProjectIo::Bytes() == test::ReadAll(path));
    ASSERT_EQ(Core::Models().Count(), 2);
    EXPECT_EQ(Core::Models().At(0)->GetName(), L"basic");
    EXPECT_EQ(Core::MenuCore::GetCurrentModel()->GetName(), L"square");
    // m(x) = x * x + 1
    const Core::MathMap::Ptr square = Core::MenuCore::GetCurrentModel();
    square->FindMap("x")->GetRoot()->SetValue(Core::Complex(3.0, 0.0), 0);
    EXPECT_EQ(square->FindMap("model")->GetRoot()->Evaluate(), Core::Complex(10.0, 0.0));
    EXPECT_EQ(Core::DataSet::GetSet().Count(), 2);
    EXPECT_EQ(Layer::Set().Count(), 2);
    EXPECT_EQ(Layer::CurrentLayer()->GetName(), L"graph");
    EXPECT_EQ(Core::ProjectComment::Get(false), kComment);
}

TEST_F(ProjectFile, LibrariesComeFromTheLibraryFoldersOnlyNeverFromBesideTheFile) {
    if (kDll.empty()) GTEST_SKIP() << "no example library in this build";
    BuildProject(true);
    const std::string bytes = ProjectIo::Bytes();
    // The project in a folder of its own with the library it names beside it.
    test::ScratchFolder folder("downloaded");
    const std::string path = folder.Write("project.pjt", bytes);
    folder.Write(GetFileName(kDll), test::ReadAll(kDll));
    ReplaceByOther();
    const std::string other = ProjectIo::Bytes();

    ProjectIo::ReadOptions noLibraries;
    noLibraries.libraryFolders.clear();
    const ProjectIo::Result refused = ProjectIo::Read(path, noLibraries);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, "Dll Function creation failed.");
    EXPECT_TRUE(ProjectIo::Bytes() == other);

    const ProjectIo::Result read = ProjectIo::Read(path, WithExampleLibrary());
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_TRUE(ProjectIo::Bytes() == bytes);
}

TEST_F(ProjectFile, EveryRefusalKeepsTheProjectAsItWas) {
    BuildProject(false);
    const std::string before = ProjectIo::Bytes();
    BusLogs logs;
    const std::string spectrum = Ints({10400}) + Text("s") + Ints({0, -10400});
    const struct {
        std::string bytes;
        const char* message;
    } cases[] = {
        {Ints({10002, 10002, 3, -10002, -10001}), "No valid file"},
        {Ints({10001, 10003, 3, -10002, -10001}), "File corruption."},
        {Ints({10001, 10002, 2, -10002, -10001}), "No valid version"},
        {Ints({10001, 10002, 3, 10002, -10001}), "File corruption"},
        {"", "Unexpected end of file."},
        {kHeader, "Unexpected end of file."},
        // Each block's end, and the file's, checked; good blocks before them are not kept.
        {kHeader + Ints({10100, -10500, -10001}), "File corruption."},
        {kHeader + Ints({10500}) + spectrum + Ints({-10100, -10001}), "File corruption."},
        {kHeader + Ints({10300, -10100, -10001}), "File corruption."},
        {kHeader + Ints({10500, -10500, 10700}) + Text(kComment) + Ints({-10600, -10001}),
         "File corruption."},
        {kHeader + Ints({10600}) + Text("square") + Text("") + Text("") + Ints({-10700}),
         "File corruption."},
        {kHeader + Ints({10100, -10100, 10500, -10500, 10001}), "File corruption."},
        {kHeader + Ints({10100, -10100, 10500, -10500}), "Unexpected end of file."},
        // The records' own refusals.
        {kHeader + Ints({10100, 10101}) + Text("m") + Ints({7}), "Model corruption."},
        {kHeader + Ints({10300, 10301}) + Text("l") + Ints({10311}), "File corruption."},
    };
    for (const auto& c : cases) {
        const ProjectIo::Result result = ProjectIo::ReadBytes(c.bytes);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, c.message) << testing::PrintToString(c.bytes);
    }
    // A spectrum reader that gives nothing.
    ProjectIo::ReadOptions failing;
    failing.readSpectrum = [](BinaryReader&) { return Spectrum::Ptr(); };
    const ProjectIo::Result internal =
        ProjectIo::ReadBytes(kHeader + Ints({10500}) + spectrum + Ints({-10500, -10001}), failing);
    EXPECT_EQ(internal.message, "Internal error");

    // A cut at every byte of a whole project.
    for (std::size_t n = 0; n < before.size(); ++n) {
        const ProjectIo::Result result = ProjectIo::ReadBytes(before.substr(0, n));
        ASSERT_FALSE(result.ok) << n;
        ASSERT_EQ(result.message, "Unexpected end of file.") << n;
    }
    EXPECT_TRUE(logs.Silent());
    EXPECT_TRUE(ProjectIo::Bytes() == before);
}

// The blocks of the running project, each on its own, as the project file holds them.
struct Blocks {
    std::string models, spectra, layers, comment, currents;
};

Blocks WrittenBlocks() {
    auto block = [](int tag, const std::function<void(BinaryWriter&)>& content) {
        BinaryWriter writer;
        writer.WriteInt(tag);
        content(writer);
        writer.WriteInt(-tag);
        return writer.Bytes();
    };
    Blocks blocks;
    blocks.models = block(10100, [](BinaryWriter& writer) {
        Core::NodeMapIo io;
        for (const Core::MathMap::Ptr& model : Core::Models()) io.WriteMathMap(model, writer);
    });
    blocks.spectra = block(10500, [](BinaryWriter& writer) {
        for (const Spectrum::Ptr& spectrum : Core::DataSet::GetSet())
            Core::WriteSpectrumRecord(spectrum, writer);
    });
    blocks.layers = block(10300, [](BinaryWriter& writer) {
        for (const Layer::Ptr& layer : Layer::Set()) Winplus::LayerIo::WriteLayer(writer, layer);
    });
    blocks.comment = block(10700, [](BinaryWriter& writer) {
        writer.WriteString(Core::ProjectComment::Get(false));
    });
    blocks.currents = Ints({10600}) + Text("square") + Text("model") + Text("graph") +
                      Ints({-10600});
    return blocks;
}

TEST_F(ProjectFile, AReadReplacesTheWholeProjectWhateverTheOrderOfTheBlocks) {
    BuildProject(false);
    const std::string whole = ProjectIo::Bytes();
    const Blocks blocks = WrittenBlocks();
    ASSERT_TRUE(whole == kHeader + blocks.models + blocks.spectra + blocks.layers +
                             blocks.comment + blocks.currents + Ints({-10001}));
    const std::string emptyModels = Ints({10100, -10100});

    // Models, spectra, layers, comment and currents are installed in that order, whatever the
    // file's order, so that the curves and the currents find what they name; of two blocks of
    // one kind, the later counts.
    const std::string shuffled = kHeader + blocks.currents + blocks.layers + blocks.comment +
                                 blocks.models + blocks.spectra + emptyModels + blocks.models +
                                 Ints({-10001});
    ReplaceByOther();
    BusLogs logs;
    ASSERT_TRUE(ProjectIo::ReadBytes(shuffled).ok);
    EXPECT_TRUE(ProjectIo::Bytes() == whole);
    EXPECT_EQ(logs.models->codes, (std::vector<int>{100, 200, 201}));
    EXPECT_EQ(logs.dataSet->codes, std::vector<int>{130});
    EXPECT_EQ(logs.layers->codes, (std::vector<int>{120, 220}));

    // A block the file lacks reads as an empty one: only the models block leaves no spectra,
    // no layers, an empty comment and nothing current, as the bytes written back say.
    ASSERT_TRUE(ProjectIo::ReadBytes(kHeader + blocks.models + Ints({-10001})).ok);
    const std::string nothingElse = Ints({10500, -10500, 10300, -10300, 10700}) + Text("") +
                                    Ints({-10700, 10600}) + Text("") + Text("") + Text("") +
                                    Ints({-10600, -10001});
    EXPECT_TRUE(ProjectIo::Bytes() == kHeader + blocks.models + nothingElse);
    EXPECT_EQ(Core::Models().Count(), 2);
    EXPECT_EQ(Layer::Set().Count(), 0);
    EXPECT_TRUE(Core::MenuCore::GetCurrentModel().IsNull());

    // Only the frame: an empty project. Two spectra of one name are told apart.
    const Core::NodeMap::Ptr definition = Core::MenuCore::GetCurrentDefinition();
    ASSERT_TRUE(ProjectIo::ReadBytes(kHeader + Ints({-10001})).ok);
    EXPECT_TRUE(ProjectIo::Bytes() == kHeader + emptyModels + nothingElse);
    const std::string spectrum = Ints({10400}) + Text("s") + Ints({0, -10400});
    ASSERT_TRUE(
        ProjectIo::ReadBytes(kHeader + Ints({10500}) + spectrum + spectrum + Ints({-10500, -10001}))
            .ok);
    EXPECT_EQ(Core::DataSet::GetSet().At(1)->GetName(), L"s@1");
}

// Open, save, open, save: the same bytes both times for every stored project, read over another
// project, which leaves nothing of its own behind.
TEST_F(ProjectFile, EveryStoredProjectReadsBackToWhatItWrote) {
    int read = 0;
    for (const char* folder : {SORIX_SOURCE_DIR "/fuzz/seeds/project",
                               SORIX_SOURCE_DIR "/build/fuzz/corpus/project"}) {
        if (!std::filesystem::is_directory(folder)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string path = entry.path().string();
            BuildProject(false);
            if (!ProjectIo::Read(path, WithExampleLibrary()).ok) continue;
            ++read;
            const std::string saved = ProjectIo::Bytes();
            BuildProject(false);
            const ProjectIo::Result again = ProjectIo::ReadBytes(saved, WithExampleLibrary());
            ASSERT_TRUE(again.ok) << path << ": " << again.message;
            ASSERT_TRUE(ProjectIo::Bytes() == saved) << path;
        }
    }
    EXPECT_GE(read, 3);
}

TEST(ProjectComment, TheEditorHandsInAndShowsTheText) {
    EXPECT_EQ(Core::ProjectComment::Get(true), "//Project comment and description");
    auto editor = Safe::MakeX<Editor>();
    Core::ProjectComment::SetObserver(editor);
    editor->shown = "typed";
    EXPECT_EQ(Core::ProjectComment::Get(false), "//Project comment and description");
    EXPECT_EQ(Core::ProjectComment::Get(true), "typed");
    Core::ProjectComment::Set("quiet", false);
    EXPECT_EQ(editor->shown, "typed");
    Core::ProjectComment::Reset();
    EXPECT_EQ(editor->shown, "//Project comment and description");
    EXPECT_EQ(editor->codes, (std::vector<int>{0, 1}));
}

}  // namespace
