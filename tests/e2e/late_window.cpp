// A stand-in for Sorix.exe that the end-to-end driver's own tests work: a main window of the
// program's class that answers the state dump ("painted"), and a child window of the class
// "LateClass" that shows only 3 s after the main window, as a box that the program opens late. Its
// exit code, when the main window is closed, is 0 once the late window was clicked and 1 before.
#include <windows.h>

#include <fstream>

#include "app/shell/diagnostics.h"

namespace {

constexpr UINT_PTR kShowLate = 1;
bool clicked = false;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT stateDump = RegisterWindowMessageA(Core::kStateDumpMessage);
    if (message == stateDump) {
        // As the program says it: not while input waits to be taken.
        const bool waiting = HIWORD(GetQueueStatus(QS_INPUT)) != 0;
        std::ofstream(Core::StateDumpPath(GetCurrentProcessId()), std::ios::binary)
            << "painted: " << (waiting ? "no" : "yes") << "\n";
        return 1;
    }
    switch (message) {
        case WM_TIMER:
            KillTimer(window, kShowLate);
            CreateWindowExA(0, "LateClass", "late", WS_CHILD | WS_VISIBLE | WS_BORDER, 50, 50, 200,
                            100, window, nullptr, GetModuleHandleA(nullptr), nullptr);
            return 0;
        case WM_LBUTTONUP:
            if (GetParent(window)) clicked = true;
            return 0;
        case WM_DESTROY:
            if (!GetParent(window)) PostQuitMessage(clicked ? 0 : 1);
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int main() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    for (const char* name : {"Sorix", "LateClass"}) {
        windowClass.lpszClassName = name;
        if (!RegisterClassA(&windowClass)) return 2;
    }
    HWND main = CreateWindowExA(0, "Sorix", "late window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                100, 400, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!main || !SetTimer(main, kShowLate, 3000, nullptr)) return 2;
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
