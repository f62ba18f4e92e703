// Checks that a crashing Windows test fails the test run. Under Wine an unhandled exception ends
// as exit code 0, or in a dialog that never closes, unless the Wine prefix is set up for it
// (cmake/wine-prefix.reg); then every crashing test would pass or hang.
//
//   crash_probe                          writes through a null pointer in main
//   crash_probe --in-window-procedure    does so in a window procedure, called by SendMessage
//   crash_probe --exit N                 returns N (checks that exit codes pass through)
//
// The probe has user32 loaded like every test of a window, because that changes what Wine does
// on a crash (it may ask in a message box whether to debug the program).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void WriteThroughNull() {
    std::puts("crash_probe: writing through a null pointer");
    std::fflush(stdout);
    // Both the pointer and the write are volatile: the compiler may neither see the null (and
    // turn the write into a trap instruction) nor drop the write as dead. This must be a real
    // access violation.
    volatile int* volatile target = nullptr;
    *target = 42;
    std::puts("crash_probe: survived the access violation");
}

LRESULT CALLBACK ProbeWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_APP) {
        WriteThroughNull();
        return 1;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

int CrashInWindowProcedure() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = ProbeWindowProcedure;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "SorixCrashProbe";
    if (!RegisterClassA(&window_class)) return 2;
    HWND window = CreateWindowExA(0, window_class.lpszClassName, "crash probe", WS_OVERLAPPEDWINDOW,
                                  0, 0, 100, 100, nullptr, nullptr, window_class.hInstance, nullptr);
    if (!window) return 2;
    SendMessageA(window, WM_APP, 0, 0);
    DestroyWindow(window);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--exit") == 0) return std::atoi(argv[2]);
    if (argc == 2 && std::strcmp(argv[1], "--in-window-procedure") == 0) {
        return CrashInWindowProcedure();
    }
    if (argc != 1) return 2;
    // Loads user32 (see above) without showing anything.
    if (GetSystemMetrics(SM_CXSCREEN) < 0) return 2;
    WriteThroughNull();
    return 0;
}
