#pragma once
// The main window of the GUI tests: the top controller in a shown top-level window, over the
// project the program starts with.
#include <windows.h>

#include <string>

#include "app/shell/top_controller.h"
#include "model/current.h"
#include "tests/winplus/gui_test_support.h"

namespace GuiTest {

// The top-level window of this thread with that title, or null: a test program running beside
// may show a window of the same title.
inline HWND OwnWindow(const char* title) {
    struct Search {
        const char* title;
        HWND found = nullptr;
    } search{title};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            char text[128] = {};
            GetWindowTextA(window, text, sizeof text);
            if (std::string(text) != s.title) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct MainWindow {
    Safe::XPtr<Core::TopController> top = Safe::MakeX<Core::TopController>(Core::WorkArea{});
    HWND hwnd;
    MainWindow() {
        Winplus::WindowMaker maker(TestClass(), GetModuleHandleA(nullptr));
        maker.width = 900;
        maker.height = 700;
        hwnd = maker.Create(top);
    }
    // Closing the window asks the loop to end: that request is taken back.
    ~MainWindow() {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
        MSG quit{};
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    void Command(int id) const { SendMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(id), 0); }
    std::string Title() const {
        char text[256] = {};
        GetWindowTextA(hwnd, text, sizeof text);
        return text;
    }
};

}  // namespace GuiTest
