// Sorix.exe end to end: starts it, finds its main window by the title, checks that the window
// shows something, closes it through the window and expects exit code 0 within seconds.
//   start_and_close PATH_TO_SORIX_EXE
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "winplus/handles.h"

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

// How many different colours the client area shows: a blank one shows one.
size_t CountColours(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    const int width = r.right, height = r.bottom;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = Winplus::CreatePixelBitmap(width, height, &bits);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    std::set<unsigned> colours;
    const auto* pixels = static_cast<const unsigned*>(bits);
    for (int i = 0; i < width * height; ++i) colours.insert(pixels[i] & 0xFFFFFF);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return colours.size();
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
