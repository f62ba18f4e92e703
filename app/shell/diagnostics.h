#pragma once
// What the main window answers to other programs besides the user: the state dump on the
// registered message kStateDumpMessage (written to StateDumpPath of the program's process id,
// answer 1), a read-only diagnostic. The driver of the end-to-end tests includes this header for
// the names.
#include <windows.h>

#include <string>

namespace Core {

inline constexpr char kStateDumpMessage[] = "Sorix.StateDump";

// "Sorix-state-<process id>.txt" in the temporary folder.
inline std::string StateDumpPath(DWORD processId) {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH + 1, folder);
    return std::string(folder, length > MAX_PATH ? 0 : length) + "Sorix-state-" +
           std::to_string(processId) + ".txt";
}

// Subclasses the main window so that it answers the message above; the subclass goes with the
// window.
void InstallDiagnostics(HWND main);

}  // namespace Core
