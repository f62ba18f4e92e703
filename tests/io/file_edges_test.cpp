// The readers and writers at the edges of the file system: a folder where a file should be, a
// read the system fails, a link left where the temporary file of a save goes, a read-only target.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "functions/families.h"
#include "io/data_set.h"
#include "io/formula_io.h"
#include "io/node_io.h"
#include "io/osml_reader.h"
#include "io/osml_writer.h"
#include "model_samples.h"
#include "reader_support.h"
#include "record_support.h"
#include "tests/app/scripted_platform.h"

namespace {

using Core::MathMap;
namespace fs = std::filesystem;

class FileEdges : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }

    // What a reader said about the path: the message it showed, returned or threw.
    struct Reader {
        const char* name;
        std::function<std::string(const std::string& path)> read;
    };

    std::vector<Reader> Readers() {
        auto shown = [this](bool read) { return read ? std::string() : boxes.boxes.back().text; };
        return {
            {"x.mod", [=](const std::string& path) {
                 return shown(static_cast<bool>(Core::NodeMapIo().ReadModelFile(path)));
             }},
            {"x.pro", [=](const std::string& path) {
                 return shown(static_cast<bool>(Core::NodeIo().LoadPrototype(path)));
             }},
            {"x.fun", [](const std::string& path) {
                 return Core::FormulaIo::ReadFormulaFile(path).message;
             }},
            {"x.sml", [](const std::string& path) {
                 return test::Message([&] { Core::Sml::OsmlReader().LoadModel(path); });
             }},
            {"library.sml", [](const std::string& path) {
                 return test::Message([&] { Core::Sml::OsmlReader().LoadLibrary(path); });
             }},
        };
    }

    // A save of the path, and the message it gave: empty when it saved.
    struct Writer {
        const char* name;
        std::function<std::string(const std::string& path)> save;
        const char* blocked;  // the message when a folder stands where the new file goes
    };

    std::vector<Writer> Writers() {
        const MathMap::Ptr model = MathMap::CreateModel("m");
        Spectrum::Ptr spectrum = Safe::MakeX<Spectrum>();
        spectrum->Resize(2);
        auto shown = [this](bool saved) { return saved ? std::string() : boxes.boxes.back().text; };
        return {
            {"x.mod", [=](const std::string& path) {
                 return shown(Core::NodeMapIo().WriteModelFile(model, path));
             }, "Couldn't open file."},
            {"x.pro", [=](const std::string& path) {
                 return shown(Core::NodeIo().WritePrototypeFile(
                     path, model->FindMap("model")->GetRoot()));
             }, "Couldn't open file."},
            {"x.cps", [=](const std::string& path) {
                 return shown(Core::NodeIo().WriteCapsuleFile(path, model, "model"));
             }, "Couldn't open file."},
            {"x.fun", [](const std::string& path) {
                 return Core::FormulaIo::WriteFormulaFile(test::FormulaNode("f(x)=2*x"), path)
                     .message;
             }, "Couldn't open file."},
            {"x.sml", [=](const std::string& path) {
                 return shown(Core::Sml::WriteModel(path, model));
             }, "File write failed"},
            {"x.dat", [=, this](const std::string& path) {
                 dialogs.Answer(path);
                 return shown(Core::DataSet::SaveDataFile(nullptr, spectrum, 0));
             }, "File write failed"},
        };
    }

    test::CapturedBoxes boxes;
    test::ScriptedDialogs dialogs;
    test::ScratchFolder folder{"file-edges"};
};

TEST_F(FileEdges, AFolderInTheFilesPlaceIsRefusedWithTheReadersOwnMessage) {
    for (const Reader& reader : Readers()) {
        const std::string path = folder.File(reader.name);
        fs::create_directory(path);
        const std::string expected =
            std::string(reader.name).ends_with(".sml") ? "Invalid file" : "Couldn't open file.";
        EXPECT_EQ(reader.read(path), expected) << reader.name;
    }
}

// /proc/self/mem opens, and reading its first page fails: nothing is mapped there.
TEST_F(FileEdges, AReadTheSystemFailsIsRefusedWithTheReadersOwnMessage) {
    const std::string path = "/proc/self/mem";
    if (!std::ifstream(path).is_open()) GTEST_SKIP() << "no " << path << " on this system";
    for (const Reader& reader : Readers()) {
        const std::string expected =
            std::string(reader.name).ends_with(".sml") ? "Invalid file" : "File read failed";
        EXPECT_EQ(reader.read(path), expected) << reader.name;
    }
}

// A folder where the temporary file goes fails the save, and the old file stays. A link there
// is replaced: its target keeps its bytes, and the save succeeds.
TEST_F(FileEdges, ASaveNeverWritesThroughWhatStandsInTheTemporaryFilesPlace) {
    for (const Writer& writer : Writers()) {
        const std::string path = folder.Write(writer.name, "old");
        fs::create_directory(path + ".part");
        EXPECT_EQ(writer.save(path), writer.blocked) << writer.name;
        EXPECT_EQ(test::ReadAll(path), "old") << writer.name;
        EXPECT_TRUE(fs::is_directory(path + ".part")) << writer.name;
        fs::remove(path + ".part");
    }
    const std::string victim = folder.Write("victim", "not to be touched");
    for (const Writer& writer : Writers()) {
        const std::string path = folder.File(writer.name);
        std::error_code error;
        fs::create_symlink(victim, path + ".part", error);
        if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
        EXPECT_EQ(writer.save(path), "") << writer.name;
        EXPECT_EQ(test::ReadAll(victim), "not to be touched") << writer.name;
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path))) << writer.name;
        EXPECT_NE(test::ReadAll(path), "old") << writer.name;
        EXPECT_FALSE(fs::exists(fs::symlink_status(path + ".part"))) << writer.name;
    }
}

// The mode is what counts: these tests may run as root, whom the system lets write anyway.
TEST_F(FileEdges, AReadOnlyTargetIsRefusedAndKept) {
    for (const Writer& writer : Writers()) {
        const std::string path = folder.Write(writer.name, "old");
        fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        EXPECT_EQ(writer.save(path), "The file \"" + path + "\" is read-only.") << writer.name;
        EXPECT_EQ(test::ReadAll(path), "old") << writer.name;
        EXPECT_FALSE(fs::exists(path + ".part")) << writer.name;
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    }
}

}  // namespace
