#pragma once
// The splash banner that shows while the main window builds its panels.
#include "winplus/popups.h"

namespace Core {

// The banner, 389 by 315 pixels, centred on the main window, shown and painted at once; it
// goes away with the holder.
Safe::XPtr<Winplus::PopupBanner> ShowSplashBanner(HWND mainWindow);

}  // namespace Core
