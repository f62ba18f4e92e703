#pragma once
// The main menu's commands on the project and its files: New, Open, Save and Save As (the window
// title follows the project's name), model files and OSML libraries, data files and Opus block
// types, the View items, function libraries, help pages and tools. It also keeps the observer
// that marks the project unsaved, and asks whether to save changes when the main window closes.
#include <windows.h>

#include "app/base/menu_commands.h"
#include "app/base/project_state.h"

namespace Core {

class ProjectMenu : public Safe::Countable {
public:
    explicit ProjectMenu(HWND main);
    // Puts each command into the table, in place of the ids' "not yet" entries.
    void AddTo(MenuCommands& commands);
    // The main window is closing: "Save project changes?" when there are any.
    void OnClose();
    // A menu of the main window opens: the View items are checked when their panels show,
    // however they were shown or hidden.
    void OnMenuOpening(HMENU menu);

private:
    HWND main_;
    MenuCore::ProjectObserver observer_;
};

}  // namespace Core
