// Sorix.exe end to end: starts it, checks that the splash banner shows during start-up, finds
// its main window by the title, checks that the window shows something, the status bar along its
// bottom and its View panel the default model curve, closes it through the window and expects
// exit code 0 within seconds.
//   start_and_close PATH_TO_SORIX_EXE
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "winplus/handles.h"
#include "winplus/window.h"

namespace {

int Fail(const char* what) {
    std::fprintf(stderr, "start_and_close: %s\n", what);
    return 1;
}

// Under Wine the path comes as a Unix path, which drive Z: maps.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// Waits for the main window; bannerSeen tells whether the splash banner showed meanwhile. The
// banner shows only while the main window builds its panels, so it is looked for often.
HWND WaitForWindow(const char* title, DWORD milliseconds, bool& bannerSeen) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        HWND banner = FindWindowA("PopupBannerClass", nullptr);
        if (banner && IsWindowVisible(banner)) bannerSeen = true;
        HWND window = FindWindowA("Sorix", title);
        if (window && IsWindowVisible(window)) return window;
        Sleep(1);
    }
    return nullptr;
}

// The status bar: a child of the main window, 18 pixels high along the client area's bottom.
bool HasStatusBar(HWND window) {
    HWND bar = FindWindowExA(window, nullptr, "StatusBarClass", nullptr);
    if (!bar || !IsWindowVisible(bar)) return false;
    RECT client{}, place{};
    GetClientRect(window, &client);
    GetWindowRect(bar, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    return place.left == 0 && place.right == client.right && place.bottom == client.bottom &&
           place.bottom - place.top == 18;
}

struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned> pixels;  // 0x00RRGGBB, rows top to bottom
};

// What the window's client area shows.
Picture Capture(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    Picture picture;
    picture.width = r.right;
    picture.height = r.bottom;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = Winplus::CreatePixelBitmap(picture.width, picture.height, &bits);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, picture.width, picture.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const unsigned*>(bits);
    for (int i = 0; i < picture.width * picture.height; ++i)
        picture.pixels.push_back(pixels[i] & 0xFFFFFF);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return picture;
}

// How many different colours the client area shows: a blank one shows one.
size_t CountColours(HWND window) {
    const Picture picture = Capture(window);
    return std::set<unsigned>(picture.pixels.begin(), picture.pixels.end()).size();
}

// The default model curve is flat: some row of the View panel shows one colour, neither the
// plot's white nor the axes' black nor the panel's face, over half its width or more. The panel
// is read from the main window's picture, which shows what the panel drew.
bool ShowsDefaultCurve(HWND main, HWND view) {
    const Picture picture = Capture(main);
    RECT area{};
    GetClientRect(view, &area);
    MapWindowPoints(view, main, reinterpret_cast<POINT*>(&area), 2);
    area.right = std::min<LONG>(area.right, picture.width);
    area.bottom = std::min<LONG>(area.bottom, picture.height);
    const unsigned face = GetSysColor(COLOR_BTNFACE);
    const unsigned faceRgb = ((face & 0xFF) << 16) | (face & 0xFF00) | ((face >> 16) & 0xFF);
    int best = 0;
    for (LONG y = std::max<LONG>(area.top, 0); y < area.bottom; ++y) {
        std::map<unsigned, int> counts;
        for (LONG x = std::max<LONG>(area.left, 0); x < area.right; ++x) {
            const unsigned pixel = picture.pixels[static_cast<size_t>(y * picture.width + x)];
            if (pixel != 0xFFFFFF && pixel != 0 && pixel != faceRgb) ++counts[pixel];
        }
        for (const auto& entry : counts) best = std::max(best, entry.second);
    }
    return best * 2 >= area.right - area.left;
}

bool WaitForDefaultCurve(HWND main, HWND view) {
    for (int i = 0; i < 50; ++i) {
        if (ShowsDefaultCurve(main, view)) return true;
        Sleep(100);
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Fail("usage: start_and_close PATH_TO_SORIX_EXE");
    std::string command = "\"" + WindowsPath(argv[1]) + "\"";
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return Fail("Sorix.exe does not start");
    CloseHandle(process.hThread);

    int status = 0;
    bool bannerSeen = false;
    HWND window = WaitForWindow("Sorix 2.0 - Project", 30000, bannerSeen);
    if (!window) {
        status = Fail("no main window titled \"Sorix 2.0 - Project\"");
    } else {
        // A tenth of the work area from its left, at the top, four fifths wide, full height.
        RECT area{}, place{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
        GetWindowRect(window, &place);
        const long width = area.right - area.left;
        if (place.left != area.left + width / 10 || place.top != 0 ||
            place.right - place.left != 4 * width / 5 ||
            place.bottom - place.top != area.bottom - area.top)
            status = Fail("the main window is not at its place");
        if (!bannerSeen) status = Fail("no splash banner showed during start-up");
        Sleep(500);  // lets the panels paint
        if (!HasStatusBar(window)) status = Fail("no status bar along the main window's bottom");
        const size_t colours = CountColours(window);
        std::printf("start_and_close: the window shows %zu colours\n", colours);
        if (colours < 4) status = Fail("the main window looks blank");
        const HWND view = Winplus::FindChildOfClass(window, "ViewClass");
        if (!view)
            status = Fail("no View panel");
        else if (!WaitForDefaultCurve(window, view))
            status = Fail("the View panel shows no model curve");
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        status = Fail("Sorix.exe did not exit within 10 s of WM_CLOSE");
    } else {
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        if (code != 0) status = Fail("Sorix.exe exited with a non-zero code");
    }
    CloseHandle(process.hProcess);
    return status;
}
