#pragma once
// The program's entry: platform services, the main window and the message loop.
#include <windows.h>

namespace Core {

// The process's exit code: the quit message's, or -1 when an exception ended the program.
int RunSorix(HINSTANCE instance, int showCommand);

}  // namespace Core
