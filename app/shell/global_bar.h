#pragma once
// The global tool bar across the top of the main window: New, Open and Save project, the four
// axis-tool modes of the plots as one radio group, the read-out's toggle and the cursor
// read-out itself. One bar per process, made with the main window.
#include "plot/cursor_readout_window.h"
#include "winplus/button_bar.h"

namespace Core {

namespace GlobalBar {

// The buttons' command ids.
enum ButtonId {
    kNewProject = 105,
    kOpenProject = 106,
    kSaveProject = 107,
    kAxisToolsOff = 110,
    kZoom = 111,
    kShrink = 112,
    kShift = 113,
    kXYPosition = 114,
};
inline constexpr int kHeight = 22;
inline constexpr int kReadoutWidth = 170;

// Builds the bar on the main window once per process; later calls do nothing.
void Create(Winplus::Wnd parent);
// None before Create.
const Safe::XPtr<Winplus::ToolBar>& Get();
const Safe::XPtr<Winplus::XYController>& Readout();

// The bar's command: the project buttons run the main menu's New, Open and Save (sent to the
// window the bar was made on), the radio group sets the axis-tool mode; other ids do nothing.
class GlobalBarCommands : public Winplus::Command {
public:
    explicit GlobalBarCommands(HWND mainWindow) : main_(mainWindow) {}
    bool Execute(const int& id) override;

private:
    HWND main_;
};

}  // namespace GlobalBar

}  // namespace Core
