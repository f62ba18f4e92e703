// Sorix.exe end to end: starts it, checks that the splash banner shows during start-up, finds
// its main window by the title, waits until the program says it has painted, checks that the
// window shows something, the status bar along its bottom and its View panel the default model
// curve, closes it through the window and expects exit code 0 within seconds.
//   start_and_close PATH_TO_SORIX_EXE
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/program.h"
#include "winplus/handles.h"
#include "winplus/window.h"

namespace {

int Fail(const char* what) {
    std::fprintf(stderr, "start_and_close: %s\n", what);
    return 1;
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

// The default model curve is flat: it is a row of the View panel in one colour over half its
// width or more, like the top and bottom edges of the plot's frame, and lies between them. The
// colour is left open: a new curve takes a random one, black included. Neither the plot's white
// nor the panel's face counts. The panel is read from the main window's picture, which shows
// what the panel drew.
bool ShowsDefaultCurve(HWND main, HWND view) {
    const Picture picture = Capture(main);
    RECT area{};
    GetClientRect(view, &area);
    MapWindowPoints(view, main, reinterpret_cast<POINT*>(&area), 2);
    area.right = std::min<LONG>(area.right, picture.width);
    area.bottom = std::min<LONG>(area.bottom, picture.height);
    const unsigned face = GetSysColor(COLOR_BTNFACE);
    const unsigned faceRgb = ((face & 0xFF) << 16) | (face & 0xFF00) | ((face >> 16) & 0xFF);
    int lines = 0;  // the frame's two edges and the curve
    for (LONG y = std::max<LONG>(area.top, 0); y < area.bottom; ++y) {
        std::map<unsigned, int> counts;
        for (LONG x = std::max<LONG>(area.left, 0); x < area.right; ++x) {
            const unsigned pixel = picture.pixels[static_cast<size_t>(y * picture.width + x)];
            if (pixel != 0xFFFFFF && pixel != faceRgb) ++counts[pixel];
        }
        for (const auto& entry : counts)
            if (entry.second * 2 >= area.right - area.left) {
                ++lines;
                break;
            }
    }
    return lines >= 3;
}

// The main window's title once it is the expected one, or the last one read within 30 s. A
// window may show while the program is still building its panels, and a busy program answers
// WM_GETTEXT late (the driver gives up after 2 s).
std::string WaitForTitle(HWND main, const std::string& expected) {
    std::string title;
    for (int i = 0; i < 300 && title != expected; ++i) {
        if (i) Sleep(100);
        title = E2e::WindowText(main);
    }
    return title;
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
    E2e::Program program(E2e::WindowsPath(argv[1]));
    if (const std::string failed = program.Start("", true, 30000); !failed.empty())
        return Fail(("Sorix.exe: " + failed).c_str());

    int status = 0;
    const HWND window = program.MainWindow(0);
    const std::string title = window ? WaitForTitle(window, "Sorix 2.0 - Project") : "";
    if (title != "Sorix 2.0 - Project") {
        const std::string seen = window ? "its title is \"" + title + "\""
                                        : std::to_string(program.Boxes().size()) + " box(es) showed";
        status = Fail(("no main window titled \"Sorix 2.0 - Project\": " + seen).c_str());
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
        if (!program.BannerSeen()) status = Fail("no splash banner showed during start-up");
        if (!program.WaitPainted(30000)) status = Fail("the main window is not painted in 30 s");
        if (!HasStatusBar(window)) status = Fail("no status bar along the main window's bottom");
        const size_t colours = CountColours(window);
        std::printf("start_and_close: the window shows %zu colours\n", colours);
        if (colours < 4) status = Fail("the main window looks blank");
        const HWND view = Winplus::FindChildOfClass(window, "ViewClass");
        if (!view)
            status = Fail("no View panel");
        else if (!WaitForDefaultCurve(window, view))
            status = Fail("the View panel shows no model curve");
    }
    const long code = program.Close(10000);
    if (code < 0)
        status = Fail("Sorix.exe did not exit within 10 s of WM_CLOSE");
    else if (code != 0)
        status = Fail("Sorix.exe exited with a non-zero code");
    return status;
}
