#pragma once
// The main window's controller: makes the project, the layers, the tool cores and the panel tree
// when the window is created, lays them out on every resize, asks before the window closes and
// ends the program when it goes away.
#include <memory>
#include <string>
#include <vector>

#include "app/base/menu_commands.h"
#include "app/shell/mode_switch_panel.h"
#include "app/base/panel_registry.h"
#include "app/base/placement.h"
#include "app/shell/project_menu.h"
#include "app/base/project_state.h"
#include "winplus/panel.h"
#include "winplus/popups.h"
#include "winplus/status_bar.h"
#include "winplus/window.h"

namespace Core {

class TopController : public Winplus::Controller {
public:
    explicit TopController(const WorkArea& workArea);
    ~TopController() override;

    bool OnCreate() override;
    // A running fit stops (its step ends first), then the unsaved-changes question; the window
    // closes whatever the answer.
    bool OnClose() override;
    bool OnDestroy() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnSize(unsigned width, unsigned height, WPARAM type) override;
    bool OnGetMinMaxInfo(MINMAXINFO& info) override;
    // The View menu's check marks, asked of the panels as the menu opens.
    bool OnInitMenuPopup(HMENU menu, int position) override;
    // Opens the file named on the command line (app/project/command_line.h); the title follows.
    void OpenCommandLineFile(const std::string& commandLine);
    // "Sorix 2.0 - " and the project's name.
    void ShowProjectTitle();

    // Nobody moves the main window.
    bool Move(int, int, int, int, bool) override { return false; }

    // The main panel and its three columns.
    const Safe::XPtr<Winplus::PanelContainer>& MainPanel() const { return mainPanel_; }
    const Safe::XPtr<Winplus::PanelContainer>& Column(int index) const { return columns_[index]; }
    const Safe::XPtr<Winplus::StatusBar>& StatusBar() const { return statusBar_; }
    const Safe::XPtr<ViewPanel>& ModePanel() const { return viewPanel_; }
    // The main menu's commands, by menu id.
    const MenuCommands& Commands() const { return commands_; }

private:
    // The first plot layer, current.
    void StartLayers();
    // The tool cores of the view modes and the fit's.
    void StartModeCores();
    // The splash banner shows, with a pause, once the left column is built; it goes when the
    // holder returned is released.
    Safe::XPtr<Winplus::PopupBanner> BuildPanels();
    // The columns and the three selectors in the panel registry, for the View menu.
    void RegisterPanels();
    void BuildCommands();
    // The status bar, told by the selection and fit buses when its texts changed.
    void StartStatusBar();

    WorkArea workArea_;
    Safe::XPtr<Winplus::PanelContainer> mainPanel_;
    Safe::XPtr<Winplus::PanelContainer> columns_[3];
    Safe::XPtr<Winplus::StatusBar> statusBar_;
    Safe::XPtr<ViewPanel> viewPanel_;
    MenuCommands commands_;
    Safe::XPtr<ProjectMenu> projectMenu_;
    // Adapters of the registered panels, then their registrations (ended first).
    std::vector<std::unique_ptr<RegisteredPanel>> registered_;
    std::vector<PanelRegistry::Registration> registrations_;
};

}  // namespace Core
