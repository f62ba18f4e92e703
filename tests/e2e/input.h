#pragma once
// What the end-to-end driver does with the mouse, the keyboard and the screen: real input
// through SendInput, at positions computed from the program's windows.
#include <windows.h>

#include <string>
#include <vector>

namespace E2e {

// A window of the program named by pattern: "main", or a window class with an optional "#N" (the
// N-th visible window of that class below the main window, from 0, in the order the system
// enumerates them), or "outer/inner": a child window of the one outer names (inner's "#N" counts
// that window's visible children of the class), e.g. "main/ToolBarClass" for the global tool bar
// or "LayersClass/SysTreeView32". Null when there is none.
HWND FindWindowByPattern(HWND main, const std::string& pattern);

// A screen point of the window from a position in its window rectangle: a number from its left
// or top, a negative one from its right or bottom (-1 is the last pixel), or "mid".
bool ScreenPoint(HWND window, const std::string& x, const std::string& y, POINT& point);

// Moves the pointer to a screen point and waits until the program has taken the move. Each
// pointer move of the driver warps the X pointer, and the program's X driver reports the warp
// as a move of its own some time later: the wait lets that report come while the pointer is
// still there, where it changes nothing.
void MovePointer(HANDLE program, POINT at);
// Each input event waits until the program has taken it: a window that reads the cursor's
// position when it handles a press must see where the press was. right: the right button.
// Unless wait is false, each button waits for the program to take it (WaitForInputIdle).
void Click(HANDLE program, POINT at, bool right = false, bool wait = true);
// A click as one input: the move to the point, the press and the release, each at the point,
// with nothing between them. An open menu holds the X pointer, so that the driver's moves leave
// it where it was; the program's late report of that place would otherwise come between them
// and take the press or the release off the menu's item.
void ClickInOneGo(HANDLE program, POINT at);
// Two clicks within the double-click time, as a double click.
void DoubleClick(HANDLE program, POINT at);
// Presses at from, moves to from + delta in steps and releases there.
void Drag(HANDLE program, POINT from, POINT delta, int moves = 8);
// A quick hand's drag: the press, one move by delta and the release in one go. They queue up
// together, and the program handles them after the pointer has come to rest at the end. Waits
// for nothing. The pointer must be at from already (moved there by MovePointer, or the end of the
// drag before): a move there now would wait for the program, and the gesture would no longer
// queue up behind what it is busy with. False, with nothing sent, when it is elsewhere.
bool QueuedDrag(POINT from, POINT delta);
// Keys such as "Return", "F4", "a", with "ctrl+", "alt+", "shift+" before them, to the
// program's foreground window; false for an unknown key name.
bool PressKeys(HWND main, const std::string& keys);

// Types a text character by character as the characters themselves (whatever the keyboard's
// layout); false for a text beyond ASCII.
bool TypeText(HWND main, const std::string& text);

// A picture of part of the screen: rows from the top, 0xRRGGBB each.
struct Pixels {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;
    bool operator==(const Pixels&) const = default;
};

// What the screen shows in area (screen coordinates); empty when it cannot be read.
Pixels CaptureScreen(const RECT& area);
// As a 32-bit BMP file; false for an empty picture or a file that cannot be written.
bool SaveBitmap(const std::string& path, const Pixels& picture);
// The whole screen as a BMP file.
bool SaveScreenshot(const std::string& path);

}  // namespace E2e
