#pragma once
// The program's menus worked with the real mouse: an item of the menu bar clicked, then the items
// of the popup menus that open, each found by its text (read by the menu probe, menu_probe.h).
#include <windows.h>

#include <string>
#include <vector>

namespace E2e {

// Chooses texts one after the other: the first from the menu bar of main, each further one
// from the popup menu the one before opened. Empty when the last was chosen and the menus
// closed; otherwise why not (a missing or greyed item named by its text).
std::string ChooseFromMenuBar(HANDLE program, HWND main, const std::vector<std::string>& texts,
                              DWORD waitMs);

// Chooses texts from the popup menu that the program shows (a context menu, opened by a right
// click) and the popup menus they open.
std::string ChooseFromPopup(HANDLE program, const std::vector<std::string>& texts, DWORD waitMs);

}  // namespace E2e
