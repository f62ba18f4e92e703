// The main window's controller: its panel tree and the layout on WM_SIZE.
#include <windows.h>

#include <gtest/gtest.h>

#include <exception>
#include <fstream>
#include <new>

#include "app/shell/startup.h"
#include "app/shell/top_controller.h"
#include "foundation/exception.h"
#include "io/data_set.h"
#include "winplus/handles.h"
#include "tests/winplus/gui_test_support.h"

namespace {

RECT InParent(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST(TopController, BuildsThreeColumnsAndLaysThemOutOnResize) {
    auto top = Safe::MakeX<Core::TopController>(Core::WorkArea{0, 0, 1000, 700});
    Winplus::WindowMaker maker(GuiTest::TestClass(), GetModuleHandleA(nullptr));
    maker.width = 800;
    maker.height = 600;
    HWND hwnd = maker.Create(top);
    char title[64] = {};
    GetWindowTextA(hwnd, title, sizeof(title));
    EXPECT_STREQ(title, "Sorix 2.0 - Project");

    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(900, 544));
    const RECT main = InParent(top->MainPanel()->Controller()->Handle());
    EXPECT_EQ(main.left, 0);
    EXPECT_EQ(main.top, 24);
    EXPECT_EQ(main.right, 900);
    EXPECT_EQ(main.bottom, 24 + 500);
    ASSERT_EQ(top->MainPanel()->Children().size(), 3u);
    // Columns share 900 - 4 (the main panel has no header or splitter): the left and centre
    // columns have 4-pixel splitters, the left one a 2-pixel header: minimum extents 6, 4, 0
    // leave 890, shared 1 : 4 : 1.
    int x = 0;
    const int expected[3] = {6 + 148, 4 + 593, 148};
    for (int i = 0; i < 3; ++i) {
        const RECT r = InParent(top->Column(i)->Controller()->Handle());
        EXPECT_EQ(r.left, x) << i;
        EXPECT_EQ(r.right - r.left, expected[i]) << i;
        EXPECT_EQ(r.bottom - r.top, 500) << i;
        x = r.right;
    }
    EXPECT_EQ(top->Column(0)->Children().size(), 4u);
    EXPECT_EQ(top->Column(1)->Children().size(), 6u);
    EXPECT_EQ(top->Column(2)->Children().size(), 3u);

    // Closing ends the program's message loop.
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    MSG quit{};
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(TopController, DataFileOnTheCommandLineBecomesTheCurrentSpectrum) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "sorix-command-line.dat";
    std::ofstream(path) << "1000 0.5\n2000 0.25\n3000 0.125\n";
    Safe::XPtr<Core::TopController> top = Safe::MakeX<Core::TopController>(Core::WorkArea{});
    top->OpenCommandLineFile("\"C:\\Sorix.exe\" \"" + path + "\"");
    ASSERT_EQ(Core::DataSet::GetSet().Count(), 1);
    ASSERT_TRUE(Core::DataSet::GetCurrent());
    EXPECT_EQ(Core::DataSet::GetCurrent()->GetNameA(), "sorix-command-line");
    // Capitals in the extension: nothing is opened.
    top->OpenCommandLineFile("\"C:\\Sorix.exe\" \"" + path.substr(0, path.size() - 3) + "DAT\"");
    EXPECT_EQ(Core::DataSet::GetSet().Count(), 1);
    DeleteFileA(path.c_str());
    // A file that does not load is reported and the selection still runs (the last spectrum).
    GuiTest::Boxes().clear();
    top->OpenCommandLineFile("\"C:\\Sorix.exe\" \"" + path + "\"");
    EXPECT_EQ(GuiTest::Boxes().size(), 1u);
    EXPECT_EQ(Core::DataSet::GetSet().Count(), 1);
    EXPECT_TRUE(Core::DataSet::GetCurrent());
}

TEST(Startup, MainClassHasTheIconTheMenuAndTheArrow) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    Winplus::WndClass windowClass("SorixLike", instance);
    Core::FillMainClass(windowClass);
    const WNDCLASSEXA& record = windowClass.Record();
    EXPECT_NE(record.hIcon, nullptr);
    EXPECT_NE(record.hIconSm, nullptr);
    EXPECT_EQ(record.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(record.lpszMenuName, MAKEINTRESOURCEA(146));
    EXPECT_EQ(record.hbrBackground, GetSysColorBrush(COLOR_BTNFACE));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(record.hIconSm, &info));
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    // File, View, Libraries, Tools, Help.
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(146));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 5);
    char text[32] = {};
    GetMenuStringA(GetSubMenu(menu, 0), 177, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Exit");
    DestroyMenu(menu);
}

TEST(Resources, BannerLoadsThroughGdiplus) {
    // Under Wine the source folder is a Unix path, which drive Z: maps.
    std::string path = std::string(SORIX_SOURCE_DIR) + "/app/resources/Sorix-Banner 2.bmp";
    if (path[0] == '/') path = "Z:" + path;
    std::wstring wide(path.begin(), path.end());
    Gdiplus::GpImage* image = nullptr;
    ASSERT_EQ(Winplus::Gdip::GdipLoadImageFromFile(wide.c_str(), &image), Gdiplus::Ok);
    UINT width = 0, height = 0;
    Winplus::Gdip::GdipGetImageWidth(image, &width);
    Winplus::Gdip::GdipGetImageHeight(image, &height);
    Winplus::Gdip::GdipDisposeImage(image);
    EXPECT_EQ(width, 389u);
    EXPECT_EQ(height, 315u);
}

TEST(Startup, OutOfMemoryThrowsTheSystemsException) {
    const std::terminate_handler previous = std::get_terminate();
    Core::InstallFailureHandlers();
    const std::new_handler handler = std::get_new_handler();
    ASSERT_NE(handler, nullptr);
    try {
        handler();
        ADD_FAILURE() << "no exception";
    } catch (const Winplus::Exception& e) {
        EXPECT_EQ(e.GetMessage(), "Out of memory");
    }
    EXPECT_NE(std::get_terminate(), previous);
    std::set_new_handler(nullptr);
    std::set_terminate(previous);
}

}  // namespace
