// Entry of the Windows GUI tests: starts the platform services that Sorix.exe starts, replaces
// message boxes by a recorder, and ends the process when a test hangs.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include "plot/rendering_factories.h"
#include "tests/winplus/gui_test_support.h"
#include "winplus/handles.h"

#ifndef SORIX_WATCHDOG_SECONDS
#define SORIX_WATCHDOG_SECONDS 90
#endif

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // A hung test (a modal loop nobody closes) fails the run instead of stalling it.
    std::thread([] {
        Sleep(SORIX_WATCHDOG_SECONDS * 1000);
        std::fputs("winplus_gui_tests: watchdog: a test hangs\n", stderr);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 99);
    }).detach();

    CoInitialize(nullptr);
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    InitCommonControls();
    Winplus::EnsureD2DFactory();
    Winplus::EnsureDWriteFactory();
    Winplus::EnsureWicFactory();
    GuiTest::RecordMessageBoxes();

    const int result = RUN_ALL_TESTS();

    Winplus::ReleaseWicFactory();
    Winplus::ReleaseDWriteFactory();
    Winplus::ReleaseD2DFactory();
    Gdiplus::GdiplusShutdown(token);
    CoUninitialize();
    return result;
}
