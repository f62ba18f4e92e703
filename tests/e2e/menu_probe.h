#pragma once
// What the driver and its menu probe share. The probe is a small library that the driver hooks
// into the program's interface thread (a WH_CALLWNDPROC hook): there it reads a menu, which
// another process cannot do under Wine (it answers nothing about another process's menus), and
// writes the items into memory that the driver made.
#include <windows.h>

namespace E2e::MenuProbe {

// Sent to the menu's window (the main window for its menu bar, or a popup menu's "#32768"
// window) with the driver's process id as wParam; the window itself ignores it.
inline constexpr char kQuery[] = "SorixDriver.ReadMenu";
inline constexpr char kHookProcedure[] = "ReadMenuHook";
inline constexpr char kLibrary[] = "sorix_menu_probe.dll";
inline constexpr int kMaxItems = 64, kMaxText = 128;

struct Item {
    char text[kMaxText];  // as the program gave it, with its '&' marks
    RECT rect;            // on the screen
    UINT type, state;     // MFT_ and MFS_ flags
    UINT_PTR submenu;     // the menu the item opens, or 0
};

// count is -1 until the probe has answered.
struct Answer {
    int count;
    Item items[kMaxItems];
};

// The shared memory's name for the driver with that process id.
inline void MemoryName(DWORD driver, char (&name)[64]) {
    wsprintfA(name, "Local\\SorixDriverMenu-%lu", driver);
}

}  // namespace E2e::MenuProbe
