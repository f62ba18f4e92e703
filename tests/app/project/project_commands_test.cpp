#include "app/project/project_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/base/project_comment.h"
#include "app/base/project_state.h"
#include "modes/view_modes.h"
#include "functions/families.h"
#include "tests/app/project/project_samples.h"
#include "tests/app/scripted_platform.h"
#include "tests/common/code_log.h"
#include "tests/io/reader_support.h"

namespace {

namespace MenuCore = Core::MenuCore;
namespace ProjectIo = Core::ProjectIo;
using namespace ProjectTest;
using Platform::BoxAnswer;

std::vector<std::wstring> ModelNames() {
    std::vector<std::wstring> names;
    for (const Core::MathMap::Ptr& model : Core::Models()) names.push_back(model->GetName());
    return names;
}

class ProjectCommands : public ::testing::Test {
protected:
    void SetUp() override {
        Capsule::RegisterFamilies();
        BuildProject(false);
        MenuCore::SetSaved(true);
    }

    // A model edit as the definition tree announces it.
    static void Edit() {
        MenuCore::Notify(ModelEvent::kParametersChanged);
        ASSERT_FALSE(MenuCore::IsSaved());
    }

    test::ScratchFolder folder{"project"};
    test::CapturedBoxes boxes;
    test::ScriptedDialogs dialogs;
    MenuCore::ProjectObserver observer;
};

TEST_F(ProjectCommands, SavingBindsTheProjectOnlyWhenItWorks) {
    MenuCore::SetSaved(false);
    const std::string path = folder.File("sample 4.pjt");
    const std::string where = path.substr(0, path.find_last_of("\\/") + 1);
    ProjectIo::Result saved = MenuCore::SaveProject(path);
    ASSERT_TRUE(saved.ok) << saved.message;
    const std::string bytes = test::ReadAll(path);
    EXPECT_TRUE(bytes == ProjectIo::Bytes());
    EXPECT_TRUE(MenuCore::IsSaved());
    EXPECT_EQ(MenuCore::GetProjectFolder(), where);
    EXPECT_EQ(Core::Models().GetName(), L"sample 4");
    EXPECT_EQ(MenuCore::GetProjectFile(), path);

    // A write that fails part-way keeps the old file and the project's name and flag.
    Layer::Set().Add(Safe::MakeX<Unwritable>());
    MenuCore::SetSaved(false);
    const ProjectIo::Result failed = MenuCore::SaveProject(folder.File("other.pjt"));
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.message, "Internal error.");
    EXPECT_FALSE(MenuCore::SaveProject(path).ok);
    EXPECT_TRUE(test::ReadAll(path) == bytes);
    EXPECT_FALSE(std::filesystem::exists(folder.File("other.pjt")));
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
    EXPECT_FALSE(MenuCore::IsSaved());
    EXPECT_EQ(MenuCore::GetProjectFile(), path);
}

// A read-only project file is not replaced, and a file that cannot be read (a folder named
// like a project, a read the system fails) is not opened: each is said, and the project, the
// file it is bound to and its saved flag stay as they were.
TEST_F(ProjectCommands, FilesThatCannotBeReadOrReplacedLeaveTheProjectAsItIs) {
    namespace fs = std::filesystem;
    const std::string path = folder.File("p.pjt");
    ASSERT_TRUE(MenuCore::SaveProject(path).ok);
    const std::string bytes = test::ReadAll(path);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    Edit();
    const std::string project = ProjectIo::Bytes();
    EXPECT_FALSE(MenuCore::SaveProjectCommand(nullptr));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"The file \"" + path + "\" is read-only."});
    EXPECT_EQ(boxes.boxes.back().icon, Platform::BoxIcon::Stop);
    EXPECT_TRUE(test::ReadAll(path) == bytes);
    EXPECT_FALSE(fs::exists(path + ".part"));
    EXPECT_FALSE(MenuCore::IsSaved());
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);

    std::vector<std::pair<std::string, std::string>> unreadable = {
        {folder.File("folder.pjt"), "Couldn't open file."}};
    fs::create_directory(unreadable[0].first);
    // Reading its first page fails: nothing is mapped there.
    if (fs::exists("/proc/self/mem")) unreadable.push_back({"/proc/self/mem", "File read failed"});
    for (const auto& [file, message] : unreadable) {
        EXPECT_FALSE(MenuCore::OpenProjectAndSay(file)) << file;
        EXPECT_EQ(boxes.Texts().back(), message);
        EXPECT_TRUE(ProjectIo::Bytes() == project) << file;
        EXPECT_EQ(MenuCore::GetProjectFile(), path);
        EXPECT_FALSE(MenuCore::IsSaved());
    }
}

TEST_F(ProjectCommands, UnsavedChangesAreSavedOrDroppedAsTheUserSays) {
    // Nothing to save: no question.
    EXPECT_TRUE(MenuCore::NewProjectCommand(nullptr));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(ModelNames(), std::vector<std::wstring>{L"basic"});
    EXPECT_EQ(Core::Models().GetName(), L"Project");
    EXPECT_EQ(Core::DataSet::GetSet().Count(), 0);
    EXPECT_EQ(Layer::Set().Count(), 1);
    EXPECT_EQ(Core::ProjectComment::Get(false), "//Project comment and description");
    EXPECT_TRUE(MenuCore::IsSaved());

    // No: the changes are dropped.
    Edit();
    boxes.answers = {BoxAnswer::No, BoxAnswer::Yes, BoxAnswer::Yes, BoxAnswer::Yes};
    EXPECT_TRUE(MenuCore::NewProjectCommand(nullptr));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Save project changes?");
    EXPECT_EQ(boxes.boxes[0].caption, "Message");
    EXPECT_EQ(boxes.boxes[0].buttons, Platform::BoxButtons::YesNo);
    EXPECT_TRUE(dialogs.requests.empty());
    EXPECT_TRUE(MenuCore::IsSaved());

    // Yes: saved through the dialog, then the new project.
    Edit();
    const std::string path = folder.File("kept.pjt");
    dialogs.Answer(path);
    dialogs.Answer("");
    dialogs.Answer(folder.File("none/x.pjt"));
    EXPECT_TRUE(MenuCore::NewProjectCommand(nullptr));
    EXPECT_EQ(dialogs.Last().title, "Save Project");
    EXPECT_EQ(dialogs.Last().filter, "Project Files (*.pjt)-*.pjt-All Files (*.*)-*.*-");
    EXPECT_EQ(dialogs.Last().fileName, "Project");
    EXPECT_EQ(dialogs.Last().defaultExtension, "pjt");
    EXPECT_TRUE(ProjectIo::Read(path).ok);
    EXPECT_EQ(Core::Models().GetName(), L"Project");
    EXPECT_EQ(MenuCore::GetProjectFile(), "");

    // Yes and a cancelled dialog: on without saving.
    Edit();
    EXPECT_TRUE(MenuCore::NewProjectCommand(nullptr));
    EXPECT_TRUE(MenuCore::IsSaved());

    // Yes and a save that fails: said, and the project stays as it is.
    Core::Models().Add(Core::MathMap::CreateModel("kept"));
    Edit();
    EXPECT_FALSE(MenuCore::NewProjectCommand(nullptr));
    EXPECT_EQ(boxes.Texts().back(), "Couldn't open file.");
    EXPECT_EQ(boxes.boxes.back().icon, Platform::BoxIcon::Stop);
    EXPECT_EQ(ModelNames(), (std::vector<std::wstring>{L"basic", L"kept"}));
    EXPECT_FALSE(MenuCore::IsSaved());
    EXPECT_EQ(boxes.boxes.size(), 5u);
}

TEST_F(ProjectCommands, SaveWritesToTheProjectsFileOrAsksWhere) {
    std::filesystem::create_directories(folder.File("sub"));
    const std::string path = folder.File("sub/p.pjt");
    dialogs.Answer(path);
    Edit();
    EXPECT_TRUE(MenuCore::SaveProjectCommand(nullptr));
    EXPECT_EQ(dialogs.requests.size(), 1u);
    EXPECT_TRUE(MenuCore::IsSaved());
    EXPECT_EQ(Core::Models().GetName(), L"p");

    // Bound to the file now: no dialog.
    Core::ProjectComment::Set("second thoughts", false);
    MenuCore::SetSaved(false);
    EXPECT_TRUE(MenuCore::SaveProjectCommand(nullptr));
    EXPECT_EQ(dialogs.requests.size(), 1u);
    EXPECT_NE(test::ReadAll(path).find("second thoughts"), std::string::npos);

    // The folder is gone: the failure is said and the project stays unsaved.
    std::filesystem::remove_all(folder.File("sub"));
    Edit();
    EXPECT_FALSE(MenuCore::SaveProjectCommand(nullptr));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Couldn't open file."});
    EXPECT_FALSE(MenuCore::IsSaved());

    // A new project is bound to no file: Save asks again, in the project's folder.
    MenuCore::SetSaved(true);
    EXPECT_TRUE(MenuCore::NewProjectCommand(nullptr));
    EXPECT_FALSE(MenuCore::SaveProjectCommand(nullptr));
    EXPECT_EQ(dialogs.requests.size(), 2u);
    EXPECT_EQ(dialogs.Last().initialFolder, path.substr(0, path.find_last_of("\\/") + 1));
}

TEST_F(ProjectCommands, OpeningReplacesTheProjectOnlyWhenTheFileReads) {
    const std::string path = folder.File("sample.pjt");
    ASSERT_TRUE(MenuCore::SaveProject(path).ok);
    const std::string bytes = test::ReadAll(path);
    ReplaceByOther();
    Safe::XPtr<CodeLog<ViewEvent>> view = NewCodeLog<ViewEvent>();
    EventBus::Registration onView = Core::ViewModeState::AddObserver(view);

    boxes.answers = {BoxAnswer::No};
    dialogs.Answer(folder.Write("damaged.pjt", bytes.substr(0, 100)));
    dialogs.Answer("");
    dialogs.Answer(path);
    EXPECT_FALSE(MenuCore::LoadProjectCommand(nullptr));
    EXPECT_EQ(dialogs.Last().title, "Load Project");
    EXPECT_FALSE(dialogs.Last().save);
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"Save project changes?", "Unexpected end of file."}));
    EXPECT_EQ(ModelNames(), std::vector<std::wstring>{L"other"});
    EXPECT_TRUE(view->codes.empty());
    EXPECT_FALSE(MenuCore::LoadProjectCommand(nullptr));  // cancelled

    EXPECT_TRUE(MenuCore::LoadProjectCommand(nullptr));
    EXPECT_EQ(ModelNames(), (std::vector<std::wstring>{L"basic", L"square"}));
    EXPECT_EQ(Core::Models().GetName(), L"sample");
    EXPECT_EQ(MenuCore::GetProjectFile(), path);
    EXPECT_TRUE(MenuCore::IsSaved());
    EXPECT_EQ(view->codes, std::vector<int>{600});
    // The project stayed unsaved: each load asked first.
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"Save project changes?", "Unexpected end of file.",
                                        "Save project changes?", "Save project changes?"}));
}

}  // namespace
