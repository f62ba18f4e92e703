// The main menu's project, data, help and tool commands in the main window under Wine: the
// question before unsaved changes are dropped, Save As, New and Open with the title, a refused
// file, the data files' tree, the help pages and tools through a recording shell, and the About
// dialog closed by a timer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/base/about_box.h"
#include "app/base/panel_registry.h"
#include "app/base/project_state.h"
#include "foundation/text.h"
#include "io/data_set.h"
#include "model/current.h"
#include "tests/app/explorers/explorer_gui_support.h"
#include "tests/app/main_window_support.h"
#include "tests/app/scripted_platform.h"
#include "tests/io/reader_support.h"
#include "tests/winplus/gui_test_support.h"
#include "winplus/resource_ids.h"

namespace {

using GuiTest::MainWindow;

// The tree view of the panel whose window class is className.
const Winplus::ControlTree* PanelTree(HWND main, const char* className) {
    struct Search {
        const char* className;
        HWND leaf = nullptr;
    } search{className};
    EnumChildWindows(
        main,
        [](HWND child, LPARAM data) {
            auto& s = *reinterpret_cast<Search*>(data);
            char name[64] = {};
            GetClassNameA(child, name, sizeof name);
            if (std::string(name) != s.className) return TRUE;
            s.leaf = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    HWND tree = search.leaf ? FindWindowExA(search.leaf, nullptr, WC_TREEVIEWA, nullptr) : nullptr;
    return dynamic_cast<const Winplus::ControlTree*>(Winplus::FindControl(tree));
}

std::string Head(const std::string& bytes, size_t count) {
    return bytes.substr(0, std::min(count, bytes.size()));
}

TEST(ProjectMenu, SaveAsNewAndOpenAskFirstAndFollowTheProjectsName) {
    test::ScratchFolder folder("menu");
    test::CapturedBoxes boxes;
    test::ScriptedDialogs dialogs;
    MainWindow main;
    EXPECT_EQ(main.Title(), "Sorix 2.0 - Project");

    // An edit unsaves the project: New asks, Yes saves through the Save Project dialog.
    Core::MenuCore::Notify(ModelEvent::kDefinitionEdited);
    const std::string saved = folder.File("first.pjt");
    boxes.answers = {Platform::BoxAnswer::Yes};
    dialogs.Answer(saved);
    main.Command(ID_FILE_NEW_PROJECT);
    ASSERT_EQ(boxes.Texts(), std::vector<std::string>{"Save project changes?"});
    EXPECT_EQ(dialogs.Last().title, "Save Project");
    EXPECT_EQ(dialogs.Last().fileName, "Project");
    EXPECT_EQ(Head(test::ReadAll(saved), 12),
              std::string("\x11\x27\0\0\x12\x27\0\0\x03\0\0\0", 12));
    EXPECT_EQ(main.Title(), "Sorix 2.0 - Project");
    EXPECT_TRUE(Core::MenuCore::IsSaved());

    // Open: the saved project under its file's name; a file that is no project is refused and
    // changes nothing.
    dialogs.Answer(saved);
    main.Command(ID_FILE_OPEN);
    EXPECT_EQ(main.Title(), "Sorix 2.0 - first");
    EXPECT_EQ(dialogs.Last().title, "Load Project");
    dialogs.Answer(test::TestData("jcamp/fixdec1.jdx"));
    main.Command(ID_FILE_OPEN);
    EXPECT_EQ(boxes.Texts().back(), "No valid file");
    EXPECT_EQ(main.Title(), "Sorix 2.0 - first");
    EXPECT_TRUE(Core::MenuCore::IsSaved());

    // Save writes to the project's own file without a dialog.
    const size_t asked = dialogs.requests.size();
    std::filesystem::remove(saved);
    main.Command(ID_FILE_SAVE);
    EXPECT_EQ(dialogs.requests.size(), asked);
    EXPECT_TRUE(std::filesystem::exists(saved));

    // Closing with unsaved changes asks once; No ends the program.
    Core::MenuCore::Notify(ModelEvent::kDefinitionEdited);
    boxes.boxes.clear();
    boxes.answers = {Platform::BoxAnswer::No};
    boxes.next = 0;
    main.Command(ID_FILE_EXIT);
    GuiTest::Pump();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Save project changes?"});
    EXPECT_FALSE(IsWindow(main.hwnd));
}

TEST(ProjectMenu, LoadDataFileFillsTheDataFilesTree) {
    test::CapturedBoxes boxes;
    test::ScriptedDialogs dialogs;
    MainWindow main;
    const Winplus::ControlTree* tree = PanelTree(main.hwnd, "DataClass");
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(ExplorerGui::Items(*tree), "Files(0)");
    Core::DataSet::SetOpusType(1047);
    dialogs.Answer(test::TestData("jcamp/fixdec1.jdx"));
    main.Command(ID_FILE_LOAD_DATA);
    EXPECT_EQ(ExplorerGui::Items(*tree), "Files(0)[fixdec1(1)]");
    EXPECT_EQ(Core::DataSet::GetOpusType(), 1047);  // a plain load keeps the block type
    dialogs.Answer("");
    main.Command(208);  // "PR spectrum...", cancelled
    EXPECT_EQ(Core::DataSet::GetOpusType(), 14363);
    EXPECT_FALSE(Core::MenuCore::IsSaved());
    const Winplus::ControlTree* models = PanelTree(main.hwnd, "MathClass");
    ASSERT_NE(models, nullptr);
    EXPECT_EQ(ExplorerGui::Items(*models), "Models(0)[basic(1)[x(2) model(3)]]");
}

TEST(ProjectMenu, HelpPagesAndToolsGoToTheShell) {
    std::vector<std::string> opened;
    Platform::SetShellHandler([&opened](const std::string& target) {
        opened.push_back(target);
        return true;
    });
    MainWindow main;
    for (int id :
         {ID_HELP_CONTENTS, ID_HELP_FUNCTIONS, ID_HELP_OSML, ID_TOOLS_NOTEPAD, ID_TOOLS_CALCULATOR})
        main.Command(id);
    Platform::SetShellHandler(nullptr);
    const std::string help = GetProgramFolder() + "\\Help Files\\";
    EXPECT_EQ(opened, (std::vector<std::string>{help + "sorix.html", help + "functions.html",
                                                help + "osml.html", "Notepad.exe", "Calc.exe"}));
}

std::vector<std::string> aboutTexts;

TEST(ProjectMenu, AboutShowsTheVersionAndClosesWithOk) {
    MainWindow main;
    aboutTexts.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND about = GuiTest::OwnWindow(Core::About::kTitle);
        if (!about || !aboutTexts.empty()) return;
        EnumChildWindows(
            about,
            [](HWND child, LPARAM) {
                char text[512] = {};
                GetWindowTextA(child, text, sizeof text);
                aboutTexts.push_back(text);
                return TRUE;
            },
            0);
        PostMessageA(about, WM_COMMAND, IDOK, 0);
    });
    main.Command(ID_HELP_ABOUT);
    KillTimer(nullptr, timer);
    EXPECT_EQ(GuiTest::OwnWindow(Core::About::kTitle), nullptr);
    const auto shows = [](const std::string& text) {
        return std::find(aboutTexts.begin(), aboutTexts.end(), text) != aboutTexts.end();
    };
    EXPECT_TRUE(shows("Sorix version 2.0"));
    EXPECT_TRUE(shows("OK"));
}

// The View menu as it opens: its items' check marks, "x" checked, "-" not, in menu order.
std::string ViewMarks(const MainWindow& main, HMENU view) {
    SendMessageA(main.hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 1);
    std::string marks;
    for (int id : {ID_VIEW_MATH_EXPLORER, ID_VIEW_LAYER_EXPLORER, ID_VIEW_FUNCTION_SELECTOR,
                   ID_VIEW_FORMULA_EDITOR, ID_VIEW_USER_FUNCTIONS})
        marks += GetMenuState(view, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED ? 'x' : '-';
    return marks;
}

TEST(ProjectMenu, ViewItemsShowAndHidePanelsWhoseMarksFollowThemWhenTheMenuOpens) {
    MainWindow main;
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_MENU));
    SetMenu(main.hwnd, menu);
    HMENU view = GetSubMenu(menu, 1);
    const auto shows = [&main](int column) {
        return main.top->Column(column)->Controller()->visible;
    };
    EXPECT_EQ(ViewMarks(main, view), "xxxxx");
    main.Command(ID_VIEW_MATH_EXPLORER);
    EXPECT_FALSE(shows(0));
    EXPECT_EQ(ViewMarks(main, view), "-xxxx");

    // The Layer Explorer's column hidden otherwise than through the menu: unchecked as the menu
    // opens, and its item shows it again.
    Core::PanelRegistry::ShowPanel(Core::PanelId::RightColumn, false);
    EXPECT_EQ(ViewMarks(main, view), "--xxx");
    main.Command(ID_VIEW_LAYER_EXPLORER);
    EXPECT_TRUE(shows(2));
    main.Command(ID_VIEW_MATH_EXPLORER);
    main.Command(ID_VIEW_FORMULA_EDITOR);
    EXPECT_TRUE(shows(0));
    EXPECT_EQ(ViewMarks(main, view), "xxx-x");
}

}  // namespace
