// Sorix.exe: the Windows entry point.
#include <windows.h>

#include "app/shell/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    return Core::RunSorix(instance, showCommand);
}
