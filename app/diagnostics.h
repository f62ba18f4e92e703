#pragma once
// What the main window answers to other programs besides the user: the state dump on the
// registered message kStateDumpMessage (written to StateDumpPath of the program's process id,
// answer 1), and the end-to-end tests' fit and mode hooks on kFitHookMessage and
// kModeHookMessage. The driver of the
// end-to-end tests includes this header for the names.
#include <windows.h>

#include <string>

namespace Core {

inline constexpr char kStateDumpMessage[] = "Sorix.StateDump";
// Fits the current spectrum with a model of two phonons (app/fit_hook.cpp); answers 1 when
// the fit started.
inline constexpr char kFitHookMessage[] = "Sorix.TestFit";
// With wParam 1 the fit is only set up, for a window of the program to start it; with wParam 2
// the fit's maximum number of steps becomes lParam.
inline constexpr WPARAM kFitHookPrepare = 1;
inline constexpr WPARAM kFitHookSteps = 2;
// The view mode wParam, after the hook model's phonon lParam (1 or 2, 0 for none) was made the
// current node; answers 1 when the phonon was there.
inline constexpr char kModeHookMessage[] = "Sorix.TestMode";

// "Sorix-state-<process id>.txt" in the temporary folder.
inline std::string StateDumpPath(DWORD processId) {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH + 1, folder);
    return std::string(folder, length > MAX_PATH ? 0 : length) + "Sorix-state-" +
           std::to_string(processId) + ".txt";
}

// Subclasses the main window so that it answers the messages above; the subclass goes with
// the window.
void InstallDiagnostics(HWND main);

}  // namespace Core
