// The two programs of tests/wine/desktop_check.sh, which checks that no process that Wine
// starts for a test holds the test's output open after it ended:
//   desktop_probe window DONE_FILE SECONDS   opens and closes a window (which starts Wine's
//                                            desktop when none runs), creates DONE_FILE (a
//                                            Windows path), then stays SECONDS more
//   desktop_probe stay SECONDS               stays SECONDS, opening nothing
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

bool OpenAndCloseWindow() {
    HWND window = CreateWindowExA(0, "STATIC", "desktop probe", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    return window && DestroyWindow(window);
}

bool CreateDoneFile(const char* path) {
    HANDLE file =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "window") == 0) {
        if (!OpenAndCloseWindow() || !CreateDoneFile(argv[2])) return 1;
        Sleep(1000 * std::atoi(argv[3]));
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "stay") == 0) {
        Sleep(1000 * std::atoi(argv[2]));
        return 0;
    }
    return 2;
}
