#pragma once
// Clicks on the mode tool bars' windows: 22-pixel buttons below a 6-pixel separator, the anchor
// bar's forces and the fit bar's transfer below a second one.
#include <windows.h>

namespace ModeTest {

// The middle of a bar's button: y of 17 for the first, 39 for the second, then 67, 89, 111 and
// 133 below the second separator.
inline int ButtonMiddle(int index) {
    return 6 + 22 * index + 11 + (index >= 2 ? 6 : 0);
}

// A press and a release on the index-th button, then the cursor away from the bar.
inline void ClickButton(HWND bar, int index) {
    const LPARAM at = MAKELPARAM(11, ButtonMiddle(index));
    SendMessageA(bar, WM_MOUSEMOVE, 0, at);
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(bar, WM_LBUTTONUP, 0, at);
    SendMessageA(bar, WM_MOUSEMOVE, 0, MAKELPARAM(100, 500));
}

}  // namespace ModeTest
