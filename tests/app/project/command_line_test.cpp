#include "app/project/command_line.h"

#include <gtest/gtest.h>

#include "../../common/code_log.h"
#include "../../io/reader_support.h"
#include "app/base/project_comment.h"
#include "app/project/project_commands.h"
#include "tests/app/project/command_line_cases.h"
#include "functions/families.h"
#include "io/data_set.h"
#include "model/current.h"
#include "plot/layer.h"

namespace {

using Core::CommandLineKind;

TEST(CommandLineFile, SplitAsThePlatformSplitsArguments) {
    for (const test::CommandLineCase& c : test::kCommandLineCases)
        EXPECT_EQ(Core::SplitCommandLine(c.line), c.arguments) << c.line;
}

TEST(CommandLineFile, FirstArgumentAfterTheProgramQuotedOrNot) {
    EXPECT_EQ(Core::CommandLineFile("\"C:\\Sorix\\Sorix.exe\" \"C:\\data\\run.dat\""),
              "C:\\data\\run.dat");
    // Unclosed: up to the end.
    EXPECT_EQ(Core::CommandLineFile("\"C:\\Sorix.exe\" \"C:\\a b.pjt"), "C:\\a b.pjt");
    EXPECT_EQ(Core::CommandLineFile("\"C:\\Sorix.exe\" \"first.pjt\" \"second.pjt\""), "first.pjt");
    // As Wine and an unquoted start give it: bare, behind a bare or a quoted program path.
    EXPECT_EQ(Core::CommandLineFile("\"C:\\Sorix.exe\" C:\\data\\run.dat"), "C:\\data\\run.dat");
    EXPECT_EQ(Core::CommandLineFile("C:\\Sorix\\Sorix.exe run.dat"), "run.dat");
    EXPECT_EQ(Core::CommandLineFile("\"C:\\Sorix.exe\""), "");
    EXPECT_EQ(Core::CommandLineFile("C:\\Sorix.exe   "), "");
    EXPECT_EQ(Core::CommandLineFile(""), "");
}

TEST(CommandLineFile, KindByTheExactExtension) {
    EXPECT_EQ(Core::KindOfCommandLineFile("C:\\p.pjt"), CommandLineKind::Project);
    for (const char* path : {"a.dat", "a.dpt", "b.c.txt"})
        EXPECT_EQ(Core::KindOfCommandLineFile(path), CommandLineKind::DataFile) << path;
    for (const char* path : {"a.PJT", "a.Dat", "noextension", "a.pjtx", "a.", ""})
        EXPECT_EQ(Core::KindOfCommandLineFile(path), CommandLineKind::None) << path;
}

// Start-up's layer with a data file named on the command line.
struct CommandLineStart {
    test::ScratchFolder folder{"command-line"};
    test::CapturedBoxes boxes;
    Safe::XPtr<CodeLog<LayerEvent>> layerCodes = NewCodeLog<LayerEvent>();
    EventBus::Registration registration;
    CommandLineStart() {
        Winplus::Layer::NewLayer();
        registration = Winplus::Layer::AddObserver(layerCodes);
    }
    Winplus::LayerCurve::Ptr Layer() const {
        return Safe::DynamicCast<Winplus::LayerCurve>(Winplus::Layer::CurrentLayer());
    }
};

TEST(CommandLineFile, ADataFileShowsAsAFileCurveOfTheCurrentLayer) {
    CommandLineStart start;
    const std::string path = start.folder.Write("two phonons.dat", "100 1.5 0.5\n200 2.5 0.25\n");
    Core::OpenCommandLineFile("\"C:\\Sorix.exe\" \"" + path + "\"");
    ASSERT_TRUE(Core::DataSet::GetCurrent());
    EXPECT_EQ(Core::DataSet::GetCurrent()->GetName(), L"two phonons");
    const Winplus::FileCurveSet& curves = *start.Layer()->FileCurves();
    ASSERT_EQ(curves.Count(), 1);
    EXPECT_EQ(curves.At(0)->GetName(), L"two phonons");
    EXPECT_EQ(curves.At(0)->GetData(), Core::DataSet::GetCurrent());
    EXPECT_EQ(curves.At(0)->GetXEnd(), 200.0);
    EXPECT_EQ(start.layerCodes->codes, std::vector<int>{120});
    EXPECT_TRUE(start.boxes.boxes.empty());
}

TEST(CommandLineFile, AFileThatIsNoSpectrumIsReportedAndMakesNoCurve) {
    CommandLineStart start;
    const std::string path = start.folder.Write("notes.dat", "no numbers here\n");
    Core::OpenCommandLineFile("Sorix.exe " + path);
    EXPECT_EQ(start.boxes.Texts(), std::vector<std::string>{"Invalid Data File"});
    EXPECT_FALSE(Core::DataSet::GetCurrent());
    EXPECT_EQ(start.Layer()->FileCurves()->Count(), 0);
    EXPECT_TRUE(start.layerCodes->codes.empty());
    // A project or another extension loads nothing.
    Core::OpenCommandLineFile("Sorix.exe " + start.folder.Write("a.DAT", "1 2 3\n"));
    EXPECT_EQ(Core::DataSet::GetSet().Count(), 0);
}

TEST(CommandLineFile, AProjectIsOpenedAndAFileThatIsNoProjectIsSaid) {
    CommandLineStart start;
    Capsule::RegisterFamilies();
    Core::MathMapIo::InitProject();
    const std::string path = start.folder.File("my project.pjt");
    ASSERT_TRUE(Core::MenuCore::SaveProject(path).ok);
    Core::MathMapIo::NewProject();
    Core::Models().SetName(std::wstring(L"Project"));
    Core::OpenCommandLineFile("\"C:\\Sorix.exe\" \"" + path + "\"");
    EXPECT_EQ(Core::Models().GetName(), L"my project");
    EXPECT_EQ(Core::MenuCore::GetProjectFile(), path);
    EXPECT_TRUE(start.boxes.boxes.empty());

    // As Open does: the file's comment, and the notes of what the read left out said once.
    Core::MathMap::Ptr twins = Core::MathMap::CreateModel("twins");
    twins->FindMap("model")->SetName("x");
    Core::Models().Add(twins);
    Core::ProjectComment::Set("kept with the project", false);
    ASSERT_TRUE(Core::MenuCore::SaveProject(path).ok);
    Core::ProjectComment::Set("another", false);
    Core::OpenCommandLineFile("\"C:\\Sorix.exe\" \"" + path + "\"");
    EXPECT_EQ(Core::ProjectComment::Get(false), "kept with the project");
    EXPECT_EQ(start.boxes.Texts(),
              std::vector<std::string>{"Parts of the file could not be read as they were stored:"
                                       "\nA second definition \"x\" was left out."});
    start.boxes.boxes.clear();

    // Not a project: said, and the project stays.
    const std::string notes = start.folder.Write("notes.pjt", "no project\n");
    Core::OpenCommandLineFile("Sorix.exe " + notes);
    EXPECT_EQ(start.boxes.Texts(), std::vector<std::string>{"No valid file"});
    EXPECT_EQ(Core::Models().GetName(), L"my project");
}

}  // namespace
