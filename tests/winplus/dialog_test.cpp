// A modal dialog served by the dialog procedure, driven by a timer.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "foundation/exception.h"
#include "tests/winplus/gui_test_support.h"
#include "winplus/window.h"

namespace {

struct TestDialog : Winplus::ModalController {
    bool initialised = false;
    std::vector<int> commands;
    bool OnInitDialog() override {
        initialised = Window().Handle() != nullptr;
        return false;
    }
    bool OnCommand(int id, int) override {
        commands.push_back(id);
        if (id == 100) throw Winplus::Exception("Broken command");
        if (id == IDOK) EndDialog(Window().Handle(), 7);
        return true;
    }
};

HWND openDialog = nullptr;
int step = 0;

void CALLBACK Drive(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!openDialog) return;
    if (step++ == 0) {
        SendMessageA(openDialog, WM_COMMAND, 100, 0);
    } else {
        KillTimer(nullptr, timer);
        PostMessageA(openDialog, WM_COMMAND, IDOK, 0);
    }
}

INT_PTR CALLBACK Spy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) openDialog = hwnd;
    return Winplus::DialogProc(hwnd, message, wParam, lParam);
}

// A captioned dialog without controls, built in memory.
std::vector<WORD> Template() {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    header->cx = 120;
    header->cy = 60;
    for (const wchar_t* c = L"Dialog"; *c; ++c) words.push_back(static_cast<WORD>(*c));
    words.push_back(0);
    return words;
}

TEST(DialogProc, BindsTheControllerAndShowsItsErrors) {
    GuiTest::Boxes().clear();
    GuiTest::Host host;
    auto dialog = Safe::MakeX<TestDialog>();
    openDialog = nullptr;
    step = 0;
    auto words = Template();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, Drive);
    const INT_PTR result = DialogBoxIndirectParamA(
        GetModuleHandleA(nullptr), reinterpret_cast<DLGTEMPLATE*>(words.data()), host.Handle(),
        Spy, reinterpret_cast<LPARAM>(dialog.Get()));
    KillTimer(nullptr, timer);
    EXPECT_EQ(result, 7);
    EXPECT_TRUE(dialog->initialised);
    EXPECT_EQ(dialog->commands, (std::vector<int>{100, IDOK}));
    ASSERT_EQ(GuiTest::Boxes().size(), 1u);
    EXPECT_EQ(GuiTest::Boxes()[0].text, "Unexpected error");
    EXPECT_EQ(GuiTest::Boxes()[0].caption, "Broken command");
}

}  // namespace
