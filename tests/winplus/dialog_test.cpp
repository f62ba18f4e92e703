// Modal dialogs from the program's resources, served by the dialog procedure with the windows'
// rules, driven by a thread timer (every modal loop dispatches it).
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "foundation/exception.h"
#include "tests/winplus/gui_test_support.h"
#include "winplus/resource_ids.h"
#include "winplus/window.h"

namespace {

struct TestDialog : Winplus::ModalController {
    bool initialised = false;
    std::vector<int> commands;
    int timerTicks = 0;
    HWND seen = nullptr;
    bool* destroyed = nullptr;
    ~TestDialog() override {
        if (destroyed) *destroyed = true;
    }
    bool OnInitDialog() override {
        initialised = Handle() != nullptr;
        seen = Handle();
        SetTimer(Handle(), 5, 20, nullptr);
        return true;
    }
    // The general handler answers a notification through DWLP_MSGRESULT.
    std::optional<LRESULT> OnMessage(UINT message, WPARAM, LPARAM) override {
        if (message == WM_NOTIFY) return 42;
        return std::nullopt;
    }
    bool OnTimer(UINT_PTR id) override {
        if (id == 5) ++timerTicks;
        return true;
    }
    bool OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(LOWORD(wParam));
        if (LOWORD(wParam) == 100) throw Winplus::Exception("Broken command");
        return ModalController::OnCommand(wParam, lParam);
    }
};

HWND FindAbout() {
    return FindWindowA(nullptr, "About Sorix...");
}

struct Drive {
    static inline int step = 0;
    static inline LRESULT notifyAnswer = 0;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND dialog = FindAbout();
        if (!dialog) return;
        switch (step++) {
            case 0: {
                NMHDR header{dialog, 1, NM_CLICK};
                notifyAnswer =
                    SendMessageA(dialog, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header));
                break;
            }
            case 1: SendMessageA(dialog, WM_COMMAND, 100, 0); break;
            default: PostMessageA(dialog, WM_COMMAND, IDOK, 0); break;
        }
    }
};

TEST(ModalDialog, RunsAResourceDialogWithTheWindowsRules) {
    GuiTest::Boxes().clear();
    GuiTest::Host host;
    bool destroyed = false;
    auto dialog = Safe::MakeX<TestDialog>();
    dialog->destroyed = &destroyed;
    Drive::step = 0;
    Drive::notifyAnswer = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, Drive::Tick);
    const INT_PTR result = Winplus::RunModalDialog(host.Handle(), IDD_ABOUT, dialog);
    KillTimer(nullptr, timer);

    EXPECT_EQ(result, 1);
    EXPECT_TRUE(dialog->initialised);
    EXPECT_GT(dialog->timerTicks, 0);
    EXPECT_EQ(Drive::notifyAnswer, 42);
    EXPECT_EQ(dialog->commands, (std::vector<int>{100, IDOK}));
    // The exception stopped at the procedure and was shown the dialogs' way.
    ASSERT_EQ(GuiTest::Boxes().size(), 1u);
    EXPECT_EQ(GuiTest::Boxes()[0].text, "Unexpected error");
    EXPECT_EQ(GuiTest::Boxes()[0].caption, "Broken command");
    // Unbound when the dialog went away: nothing reaches the controller any more.
    EXPECT_FALSE(IsWindow(dialog->seen));
    EXPECT_EQ(dialog->Handle(), nullptr);
    EXPECT_EQ(Winplus::FindController(dialog->seen), nullptr);
    dialog = nullptr;
    EXPECT_TRUE(destroyed);
}

TEST(ModalDialog, CancelEndsWithZeroAndAMissingTemplateThrows) {
    GuiTest::Host host;
    auto dialog = Safe::MakeX<Winplus::ModalController>();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        if (HWND about = FindAbout()) PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(Winplus::RunModalDialog(host.Handle(), IDD_ABOUT, dialog), 0);
    KillTimer(nullptr, timer);
    try {
        Winplus::RunModalDialog(host.Handle(), 9999, dialog);
        FAIL() << "no exception";
    } catch (const Winplus::Exception& e) {
        EXPECT_EQ(e.GetMessage(), "Internal error: Window Creation Failed.");
    }
}

}  // namespace
