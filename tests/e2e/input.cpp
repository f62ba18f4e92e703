#include "input.h"

#include <cstdlib>
#include <fstream>
#include <vector>

#include "program.h"

namespace E2e {

namespace {

struct ClassSearch {
    std::string className;
    int wanted;
    HWND found = nullptr;
};

// The time and place of the last release, and where the pointer was sent last.
DWORD released = GetTickCount() - GetDoubleClickTime();
POINT pointer{}, releasedAt{};

// A press soon after a release and near it would make a double click (the program's windows
// take them); one farther away (the next item of a menu) would not. Waits until a press at the
// pointer's place is none.
void AvoidDoubleClick() {
    if (std::abs(pointer.x - releasedAt.x) > GetSystemMetrics(SM_CXDOUBLECLK) ||
        std::abs(pointer.y - releasedAt.y) > GetSystemMetrics(SM_CYDOUBLECLK))
        return;
    const DWORD since = GetTickCount() - released;
    if (since <= GetDoubleClickTime()) Sleep(GetDoubleClickTime() + 50 - since);
}

// A mouse input; with MOUSEEVENTF_ABSOLUTE at a screen point, which becomes the pointer's.
INPUT MouseInput(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        // Normalised to 0..65535 over the primary screen.
        input.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        pointer = at;
    }
    return input;
}

void NoteRelease(DWORD flags) {
    if (!(flags & MOUSEEVENTF_LEFTUP)) return;
    released = GetTickCount();
    releasedAt = pointer;
}

void SendMouse(HANDLE program, DWORD flags, POINT at = {0, 0}, bool doubled = false,
               bool wait = true) {
    INPUT input = MouseInput(flags, at);
    if ((flags & MOUSEEVENTF_LEFTDOWN) && !doubled) AvoidDoubleClick();
    SendInput(1, &input, sizeof(input));
    NoteRelease(flags);
    Sleep(15);
    if (wait) WaitForInputIdle(program, 5000);
}

void MoveTo(HANDLE program, POINT at) {
    SendMouse(program, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at);
}

void SendKey(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
    Sleep(15);
}

WORD KeyCode(const std::string& name) {
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0])));
    if (name.size() >= 2 && name[0] == 'F' && std::isdigit(static_cast<unsigned char>(name[1]))) {
        const int n = std::atoi(name.c_str() + 1);
        if (n >= 1 && n <= 12) return static_cast<WORD>(VK_F1 + n - 1);
    }
    static const struct {
        const char* name;
        WORD key;
    } kNamed[] = {{"Return", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},
                  {"Space", VK_SPACE},   {"Delete", VK_DELETE}, {"BackSpace", VK_BACK},
                  {"Up", VK_UP},         {"Down", VK_DOWN},     {"Left", VK_LEFT},
                  {"Right", VK_RIGHT},   {"Home", VK_HOME},     {"End", VK_END},
                  {"ctrl", VK_CONTROL},  {"alt", VK_MENU},      {"shift", VK_SHIFT}};
    for (const auto& named : kNamed)
        if (name == named.name) return named.key;
    return 0;
}

// "Class#N": the class and the index N (0 without one).
ClassSearch ParseSearch(const std::string& pattern) {
    const std::size_t hash = pattern.find('#');
    return {pattern.substr(0, hash),
            hash == std::string::npos ? 0 : std::atoi(pattern.c_str() + hash + 1)};
}

// The N-th visible child of that class, in the order of the children.
HWND FindChild(HWND parent, ClassSearch search) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && ClassOf(child) == search.className && search.wanted-- == 0)
            return child;
    return nullptr;
}

}  // namespace

HWND FindWindowByPattern(HWND main, const std::string& pattern) {
    // "outer/inner": inner among the children of the window that outer finds.
    if (const std::size_t slash = pattern.rfind('/'); slash != std::string::npos) {
        HWND outer = FindWindowByPattern(main, pattern.substr(0, slash));
        return outer ? FindChild(outer, ParseSearch(pattern.substr(slash + 1))) : nullptr;
    }
    if (pattern == "main") return main;
    ClassSearch search = ParseSearch(pattern);
    EnumChildWindows(
        main,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<ClassSearch*>(data);
            if (!IsWindowVisible(child) || ClassOf(child) != s->className) return TRUE;
            if (s->wanted-- > 0) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ScreenPoint(HWND window, const std::string& x, const std::string& y, POINT& point) {
    RECT r{};
    if (!window || !GetWindowRect(window, &r)) return false;
    const auto place = [](const std::string& text, LONG low, LONG high) {
        if (text == "mid") return (low + high) / 2;
        const long value = std::atol(text.c_str());
        return value < 0 ? high + value : low + value;
    };
    point = {place(x, r.left, r.right), place(y, r.top, r.bottom)};
    return true;
}

void Click(HANDLE program, POINT at, bool right, bool wait) {
    SendMouse(program, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at, false, wait);
    SendMouse(program, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, {0, 0}, false, wait);
    SendMouse(program, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, {0, 0}, false, wait);
}

void ClickInOneGo(HANDLE program, POINT at) {
    constexpr DWORD kAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    INPUT click[] = {MouseInput(kAt, at), MouseInput(MOUSEEVENTF_LEFTDOWN | kAt, at),
                     MouseInput(MOUSEEVENTF_LEFTUP | kAt, at)};
    AvoidDoubleClick();
    SendInput(3, click, sizeof(INPUT));
    NoteRelease(MOUSEEVENTF_LEFTUP);
    Sleep(15);
    WaitForInputIdle(program, 5000);
}

void DoubleClick(HANDLE program, POINT at) {
    Click(program, at);
    SendMouse(program, MOUSEEVENTF_LEFTDOWN, {0, 0}, true);
    SendMouse(program, MOUSEEVENTF_LEFTUP);
}

// Gives the window under the point time to take the move queued last: a move not taken yet merges
// with the next (Wine keeps one mouse move a queue), and the program would see one long move
// instead of several short ones. Of two messages sent, the second is usually handled only once
// the thread asks for messages again, after the queued input; a thread that peeks for sent
// messages alone (while it paints, say) may still let two moves merge now and then.
void WaitUntilTaken(POINT at) {
    HWND window = WindowFromPoint(at);
    DWORD_PTR answer = 0;
    for (int i = 0; i < 2; ++i)
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
}

void MovePointer(HANDLE program, POINT at) {
    MoveTo(program, at);
    WaitUntilTaken(at);
}

void Drag(HANDLE program, POINT from, POINT delta, int moves) {
    MoveTo(program, from);
    SendMouse(program, MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= moves; ++i) {
        const POINT at{from.x + delta.x * i / moves, from.y + delta.y * i / moves};
        MoveTo(program, at);
        WaitUntilTaken(at);
    }
    SendMouse(program, MOUSEEVENTF_LEFTUP);
}

bool QueuedDrag(POINT from, POINT delta) {
    if (pointer.x != from.x || pointer.y != from.y) return false;
    AvoidDoubleClick();
    INPUT gesture[] = {
        MouseInput(MOUSEEVENTF_LEFTDOWN, {}),
        MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {from.x + delta.x, from.y + delta.y}),
        MouseInput(MOUSEEVENTF_LEFTUP, {})};
    SendInput(3, gesture, sizeof(INPUT));
    NoteRelease(MOUSEEVENTF_LEFTUP);
    return true;
}

bool PressKeys(HWND main, const std::string& keys) {
    std::vector<WORD> codes;
    for (std::size_t at = 0; at <= keys.size();) {
        const std::size_t plus = keys.find('+', at + 1);
        const WORD code = KeyCode(keys.substr(at, plus == std::string::npos ? plus : plus - at));
        if (!code) return false;
        codes.push_back(code);
        at = plus == std::string::npos ? keys.size() + 1 : plus + 1;
    }
    SetForegroundWindow(main);
    for (const WORD code : codes) SendKey(code, false);
    for (auto code = codes.rbegin(); code != codes.rend(); ++code) SendKey(*code, true);
    return true;
}

bool TypeText(HWND main, const std::string& text) {
    SetForegroundWindow(main);
    for (const char c : text) {
        if (static_cast<unsigned char>(c) > 0x7F) return false;
        for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<WORD>(c);
            input.ki.dwFlags = KEYEVENTF_UNICODE | up;
            SendInput(1, &input, sizeof(input));
            Sleep(15);
        }
    }
    return true;
}

Pixels CaptureScreen(const RECT& area) {
    Pixels picture;
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return picture;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = -height;  // top-down
    header.biPlanes = 1;
    header.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<std::size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, old);
    const bool read = GetDIBits(memory, bitmap, 0, height, pixels.data(),
                                reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (copied && read) {
        picture.width = width;
        picture.height = height;
        // The unused top byte is whatever the driver left there.
        for (DWORD& pixel : pixels) pixel &= 0xFFFFFF;
        picture.pixels = std::move(pixels);
    }
    return picture;
}

bool SaveBitmap(const std::string& path, const Pixels& picture) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = picture.width;
    header.biHeight = -picture.height;  // top-down
    header.biPlanes = 1;
    header.biBitCount = 32;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    const auto bytes = static_cast<DWORD>(picture.pixels.size() * sizeof(DWORD));
    file.bfSize = file.bfOffBits + bytes;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(reinterpret_cast<const char*>(picture.pixels.data()), bytes);
    return !picture.pixels.empty() && static_cast<bool>(out);
}

bool SaveScreenshot(const std::string& path) {
    return SaveBitmap(
        path, CaptureScreen({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
}

}  // namespace E2e
