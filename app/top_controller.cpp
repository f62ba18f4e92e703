#include "app/top_controller.h"

#include <string>

#include "app/about_dialog.h"
#include "app/command_line.h"
#include "app/node_help.h"
#include "modes/fit_core.h"
#include "app/panel_factory.h"
#include "app/resource_ids.h"
#include "app/splash.h"
#include "app/window_layout.h"
#include "foundation/event_bus.h"
#include "foundation/label.h"
#include "model/selection.h"
#include "plot/axis_tools.h"

namespace Core {

namespace {
// The status bar's texts of the node picked last: its help texts, its name for a label where
// they have none.
void PickedNodeTexts(std::wstring& label, std::wstring& description) {
    const Node::Ptr node = Selection::GetNode();
    if (node) ToWide(node->GetName(), label);
    NodeHelp(node.Get(), label, description);
}
}  // namespace

TopController::TopController(const WorkArea& workArea) : workArea_(workArea) {}

TopController::~TopController() {
    statusBar_ = nullptr;
    for (int i = 2; i >= 0; --i) columns_[i] = nullptr;
    mainPanel_ = nullptr;
}

bool TopController::OnCreate() {
    SetWindowTextA(Handle(), (std::string(kTitlePrefix) + "Project").c_str());
    const auto banner = ShowSplashBanner(Handle());
    StartLayers();
    FitCore::Initialize();
    BuildPanels();
    BuildCommands();
    StartStatusBar();
    OpenCommandLineFile(GetCommandLineA());
    return false;
}

void TopController::StartStatusBar() {
    statusBar_ = Safe::MakeX<Winplus::StatusBar>(
        Window(), Winplus::StatusSources{PickedNodeTexts, [] { return FitCore::GetStatusText(); }});
    Observe(BusOf<SelectionEvent>(), MakeObserver<SelectionEvent>([this](SelectionEvent code) {
                if (code == SelectionEvent::kSelectedNodeChanged ||
                    code == SelectionEvent::kSelectedFormulaChanged)
                    statusBar_->Controller()->ShowPicked();
            }));
    Observe(BusOf<FitEvent>(), MakeObserver<FitEvent>([this](FitEvent code) {
                if (code == FitEvent::kFitStatusChanged) statusBar_->Controller()->ShowFitStatus();
            }));
}

void TopController::OpenCommandLineFile(const std::string& commandLine) {
    Core::OpenCommandLineFile(commandLine);
}

void TopController::StartLayers() {
    Winplus::Layer::NewLayer();
    // The first curve is flat at zero, on the bottom axis of the limits 0 to 1: fitted around
    // it, it shows in the middle of the plot.
    auto layer = Safe::DynamicCast<Winplus::LayerCurve>(Winplus::Layer::CurrentLayer());
    Winplus::Rect limits;
    if (layer && Winplus::AxisResizing::FittedLimits(layer->GetCurvesBounds(), limits))
        layer->SetLimits(limits);
}

namespace {

struct LeafRow {
    PanelId id;
    double weight;
};

// Adds a column's leaves in order; the last one has no splitter, as nothing follows it.
void AddLeaves(Winplus::PanelContainer& column, std::initializer_list<LeafRow> rows) {
    const Winplus::Wnd parent(column.Controller()->Handle());
    Safe::XPtr<Winplus::Panel> last;
    for (const LeafRow& row : rows) {
        Safe::XPtr<Winplus::Panel> leaf = MakePanel(row.id, parent);
        leaf->Controller()->SetOrientation(0);
        leaf->Controller()->weight = row.weight;
        column.Add(leaf);
        last = leaf;
    }
    if (last) last->Controller()->SetSplitterSize(false, 0);
}

// A menu command that runs a function of the main window.
class WindowCommand : public Winplus::Command {
public:
    WindowCommand(HWND window, void (*run)(HWND)) : window_(window), run_(run) {}
    bool Execute(const int&) override {
        run_(window_);
        return true;
    }

private:
    HWND window_;
    void (*run_)(HWND);
};

}  // namespace

void TopController::BuildPanels() {
    mainPanel_ = Safe::MakeX<Winplus::HPanel>(Window());
    const Winplus::Wnd main(mainPanel_->Controller()->Handle());
    for (auto& column : columns_) column = Safe::MakeX<Winplus::VPanel>(main);
    columns_[0]->Controller()->SetSplitterSize(true, 4);
    columns_[0]->Controller()->SetHeaderSize(true, 2);
    columns_[1]->Controller()->SetSplitterSize(true, 4);
    columns_[1]->Controller()->weight = 4.0;
    for (const auto& column : columns_) mainPanel_->Add(column);

    AddLeaves(*columns_[0], {{PanelId::Selection, 1.0},
                             {PanelId::MathExplorer, 1.0},
                             {PanelId::Definition, 2.0},
                             {PanelId::Parameters, 1.0}});
    AddLeaves(*columns_[1], {{PanelId::FunctionSelector, 1.0},
                             {PanelId::FormulaEditor, 1.0},
                             {PanelId::UserFunctionSelector, 1.0},
                             {PanelId::ViewBar, 1.0},
                             {PanelId::Plot, 3.0},
                             {PanelId::Comments, 1.0}});
    AddLeaves(
        *columns_[2],
        {{PanelId::LayerExplorer, 2.0}, {PanelId::Properties, 3.0}, {PanelId::DataFiles, 1.0}});
}

void TopController::BuildCommands() {
    HWND main = Handle();
    commands_.Add(ID_FILE_EXIT, Safe::MakeX<WindowCommand>(
                                    main, [](HWND w) { PostMessageA(w, WM_CLOSE, 0, 0); }));
    commands_.Add(ID_HELP_ABOUT,
                  Safe::MakeX<WindowCommand>(main, [](HWND w) { ShowAboutDialog(w); }));
    // Built by the shell's project, model, data, panel, library, tool and help commands.
    constexpr int kNotYet[] = {ID_FILE_NEW_PROJECT,
                               ID_FILE_OPEN,
                               ID_FILE_SAVE,
                               ID_FILE_SAVE_AS,
                               ID_FILE_OPEN_SML_LIBRARY,
                               ID_FILE_ADD_NEW_MODEL,
                               ID_FILE_ADD_MODEL,
                               ID_FILE_ADD_OSML_MODEL,
                               ID_EXPORT_BINARY,
                               ID_EXPORT_OSML,
                               ID_EXPORT_OSML_DECLARATIONS,
                               ID_FILE_LOAD_DATA,
                               ID_VIEW_MATH_EXPLORER,
                               ID_VIEW_LAYER_EXPLORER,
                               ID_VIEW_FUNCTION_SELECTOR,
                               ID_VIEW_FORMULA_EDITOR,
                               ID_VIEW_USER_FUNCTIONS,
                               ID_LIBRARY_LOAD,
                               ID_LIBRARY_EXPORT,
                               ID_TOOLS_NOTEPAD,
                               ID_TOOLS_CALCULATOR,
                               ID_HELP_CONTENTS,
                               ID_HELP_FUNCTIONS,
                               ID_HELP_OSML};
    for (int id : kNotYet) commands_.AddNotYet(id);
    for (int id = ID_OPUS_FIRST; id <= ID_OPUS_LAST; ++id) commands_.AddNotYet(id);
    projectMenu_ = Safe::MakeX<ProjectMenu>(main);
    projectMenu_->AddTo(commands_);
}

bool TopController::OnClose() {
    // The question cannot stop the close.
    if (projectMenu_) projectMenu_->OnClose();
    return false;
}

bool TopController::OnDestroy() {
    PostQuitMessage(0);
    return true;
}

bool TopController::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Menu items only: controls' notices (lParam set) are their own.
    if (lParam != 0 || !commands_.Has(LOWORD(wParam))) return false;
    commands_.Execute(LOWORD(wParam));
    return true;
}

bool TopController::OnSize(unsigned width, unsigned height, WPARAM type) {
    const MainLayout layout = LayOutMainWindow(static_cast<int>(width), static_cast<int>(height));
    const Winplus::Box& panels = layout.panels;
    const Winplus::Box& status = layout.status;
    if (mainPanel_) mainPanel_->Move(panels.x, panels.y, panels.width, panels.height, type != 0);
    if (statusBar_) statusBar_->Move(status.x, status.y, status.width, status.height);
    return false;
}

bool TopController::OnGetMinMaxInfo(MINMAXINFO& info) {
    // The outer size of the smallest client area at which the layout holds.
    RECT outer{0, 0, kMainMinimumWidth, kMainMinimumHeight};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)),
                       GetMenu(Handle()) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
    info.ptMinTrackSize = {outer.right - outer.left, outer.bottom - outer.top};
    return true;
}

}  // namespace Core
