#pragma once
// The program's entry: platform services, the main window and the message loop.
#include <windows.h>

#include "winplus/window.h"

namespace Core {

// The new-handler ("Out of memory") and the terminate handler (a message box, then abort).
void InstallFailureHandlers();

// The main window class's icon, menu and cursor.
void FillMainClass(Winplus::WndClass& windowClass);

// The process's exit code: the quit message's, or -1 when an exception ended the program.
int RunSorix(HINSTANCE instance, int showCommand);

}  // namespace Core
