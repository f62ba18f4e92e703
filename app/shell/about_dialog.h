#pragma once
// The About dialog: the program's name and version and its terms of use, closed with OK.
#include <windows.h>

#include "winplus/window.h"

namespace Core {

class AboutController : public Winplus::ModalController {};

// Runs the About dialog (resource IDD_ABOUT) owned by the main window; 1 when closed with OK.
INT_PTR ShowAboutDialog(HWND owner);

}  // namespace Core
