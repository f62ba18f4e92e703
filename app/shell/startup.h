#pragma once
// The program's entry: platform services, the main window and the message loop.
#include <windows.h>

#include "app/base/placement.h"
#include "winplus/window.h"

namespace Core {

// The new-handler ("Out of memory") and the terminate handler (a message box, then abort).
void InstallFailureHandlers();

// The main window class's icon, menu and cursor.
void FillMainClass(Winplus::WndClass& windowClass);

// The main window "Sorix" with the controller made for the work area, shown, and the message
// loop: the quit message's code. When the window cannot be made, -1 (the window procedure has
// said why).
using MainControllerMaker = Safe::XPtr<Winplus::Controller> (*)(const WorkArea& area);
int RunMainWindow(HINSTANCE instance, int showCommand, MainControllerMaker makeController);

// The process's exit code: the quit message's, or -1 when an exception ended the program (its
// message said in a box). Platform services and the main window, then, in this order, the
// process-wide stores, the rendering factories, GDI+ and COM released.
int RunSorix(HINSTANCE instance, int showCommand);

}  // namespace Core
