#pragma once
// The end-to-end tests' fit hook, until a window of the program starts a fit: the current
// spectrum fitted with a new model "oscillators" of two phonons, the fit's worker telling its
// steps to owner.
#include <windows.h>

namespace Core {

// The fit set up without starting it: false when there is no current spectrum or a fit runs.
bool PrepareHookFit();
// Set up and started, the worker telling owner its steps; false when it did not start.
bool StartHookFit(HWND owner);
// Phonon index (1 or 2) of the hook's model made the current node and picked in the selection,
// as a click in the definition tree would; false without it.
bool PickHookPhonon(int index);

}  // namespace Core
