#pragma once
// The end-to-end tests' fit hook, until a window of the program starts a fit: the current
// spectrum fitted with a new model "oscillators" of two phonons, the fit's worker telling its
// steps to owner.
#include <windows.h>

namespace Core {

// False when there is no current spectrum, a fit runs already or the fit did not start.
bool StartHookFit(HWND owner);

}  // namespace Core
