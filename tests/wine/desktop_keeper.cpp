// Keeps Wine's desktop open for a whole test run: desktop_keeper READY_FILE
//
// Under Wine the first program that opens a window starts the desktop process (explorer.exe
// /desktop). It inherits that program's standard output and error and lives while any Windows
// program of the prefix runs, so when a test under ctest starts it, the test's output pipe stays
// open after the test has exited and ctest counts the test as running until the desktop ends.
// cmake/wine-ctest.sh starts this keeper before ctest, with its output away from ctest's pipes:
// it opens the desktop, creates READY_FILE (a Windows path) once the desktop runs, and stays
// until the Wine server ends it. Every test then finds the desktop open and starts none. The
// keeper shows nothing and has no window that a test could find or that could take the focus.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    // Starts the desktop process when none runs and returns once it is up.
    if (!GetDesktopWindow()) return 3;
    HANDLE ready = CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == INVALID_HANDLE_VALUE) return 4;
    CloseHandle(ready);
    Sleep(INFINITE);
    return 0;
}
