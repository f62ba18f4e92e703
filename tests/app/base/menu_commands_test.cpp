// The main menu's command table: every item of menu 146 has its entry, and the commands run from
// the menu.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/main_window_support.h"
#include "tests/winplus/gui_test_support.h"
#include "winplus/resource_ids.h"

namespace {

// The command ids of a menu and its sub-menus.
void CollectIds(HMENU menu, std::vector<int>& ids) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            CollectIds(sub, ids);
        } else if (const UINT id = GetMenuItemID(menu, i); id != 0 && id != UINT(-1)) {
            ids.push_back(static_cast<int>(id));  // 0: a separator
        }
    }
}

using GuiTest::MainWindow;

TEST(MenuCommands, EveryItemOfTheMainMenuHasAnEntry) {
    MainWindow main;
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    std::vector<int> ids;
    CollectIds(menu, ids);
    DestroyMenu(menu);
    // 10 File items, 3 of Export Model, 17 of Load Opus File, 5 View, 2 Libraries, 2 Tools,
    // 4 Help.
    EXPECT_EQ(ids.size(), 43u);
    for (int id : ids) EXPECT_TRUE(main.top->Commands().Has(id)) << id;
}

TEST(MenuCommands, AboutOpensTheDialogAndExitCloses) {
    MainWindow main;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        if (HWND about = GuiTest::OwnWindow("About Sorix...")) {
            char text[64] = {};
            GetDlgItemTextA(about, IDOK, text, sizeof(text));
            if (std::string(text) == "OK") PostMessageA(about, WM_COMMAND, IDOK, 0);
        }
    });
    // Returns once the timer has closed the dialog with its OK button.
    EXPECT_EQ(SendMessageA(main.hwnd, WM_COMMAND, ID_HELP_ABOUT, 0), 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(GuiTest::OwnWindow("About Sorix..."), nullptr);

    // Exit closes the window.
    SendMessageA(main.hwnd, WM_COMMAND, ID_FILE_EXIT, 0);
    GuiTest::Pump();
    EXPECT_FALSE(IsWindow(main.hwnd));
    MSG quit{};
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace
