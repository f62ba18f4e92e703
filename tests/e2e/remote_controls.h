#pragma once
// Controls of the program read and worked from the driver's process: tree views and list
// views through a buffer in the program's process, boxes and file dialogs through their
// controls.
#include <windows.h>

#include <string>
#include <vector>

namespace E2e {

// An item of a tree view (its path: the texts from the root, joined by '/') or of a list view
// (its text).
struct ControlItem {
    std::string path;
    int image = -1;
    bool checked = false;  // state image 2 (a check box ticked)
    bool selected = false;
    RECT place{};  // its text on the screen; empty when it is out of sight
};

// Every item, depth first; empty when the control is of neither class or cannot be read.
std::vector<ControlItem> ReadItems(HWND control);

// Presses the button whose text (without '&') is text; false when there is none.
bool PressButton(HWND dialog, const std::string& text);

// A file dialog: the file name field gets folder\name, then the dialog is confirmed (its
// default button) or cancelled.
bool FillFileDialog(HWND dialog, const std::string& folder, const std::string& name, bool confirm);

}  // namespace E2e
