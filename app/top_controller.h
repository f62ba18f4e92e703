#pragma once
// The main window's controller: builds the panel tree when the window is created, lays it out
// on every resize and ends the program when the window goes away.
#include <string>

#include "app/menu_commands.h"
#include "app/placement.h"
#include "app/project_menu.h"
#include "winplus/panel.h"
#include "winplus/status_bar.h"
#include "winplus/window.h"

namespace Core {

class TopController : public Winplus::Controller {
public:
    explicit TopController(const WorkArea& workArea);
    ~TopController() override;

    bool OnCreate() override;
    bool OnClose() override;
    bool OnDestroy() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnSize(unsigned width, unsigned height, WPARAM type) override;
    bool OnGetMinMaxInfo(MINMAXINFO& info) override;
    // Opens the file named on the command line (app/command_line.h).
    void OpenCommandLineFile(const std::string& commandLine);

    // Nobody moves the main window.
    bool Move(int, int, int, int, bool) override { return false; }

    // The main panel and its three columns.
    const Safe::XPtr<Winplus::PanelContainer>& MainPanel() const { return mainPanel_; }
    const Safe::XPtr<Winplus::PanelContainer>& Column(int index) const { return columns_[index]; }
    const Safe::XPtr<Winplus::StatusBar>& StatusBar() const { return statusBar_; }
    // The main menu's commands, by menu id.
    const MenuCommands& Commands() const { return commands_; }

private:
    // The first plot layer, current.
    void StartLayers();
    void BuildPanels();
    void BuildCommands();
    // The status bar, told by the selection and fit buses when its texts changed.
    void StartStatusBar();

    WorkArea workArea_;
    Safe::XPtr<Winplus::PanelContainer> mainPanel_;
    Safe::XPtr<Winplus::PanelContainer> columns_[3];
    Safe::XPtr<Winplus::StatusBar> statusBar_;
    MenuCommands commands_;
    Safe::XPtr<ProjectMenu> projectMenu_;
};

}  // namespace Core
