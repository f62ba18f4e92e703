#include "app/shell/top_controller.h"

#include <string>

#include "app/shell/about_dialog.h"
#include "app/selectors/capsule_selector.h"
#include "app/project/command_line.h"
#include "app/selectors/formula_bar.h"
#include "app/selectors/function_catalogue_table.h"
#include "app/selectors/function_selector.h"
#include "app/shell/global_bar.h"
#include "app/views/mode_tools.h"
#include "app/selectors/node_help.h"
#include "app/shell/panel_factory.h"
#include "app/project/project_commands.h"
#include "app/selectors/selection_panel.h"
#include "app/shell/splash.h"
#include "app/base/window_layout.h"
#include "foundation/event_bus.h"
#include "foundation/label.h"
#include "foundation/text.h"
#include "functions/families.h"
#include "io/data_set.h"
#include "model/current.h"
#include "model/selection.h"
#include "modes/fit_core.h"
#include "plot/axis_tools.h"
#include "winplus/resource_ids.h"

namespace Core {

namespace {
// The status bar's texts of the node picked last: its help texts; where they have no label, its
// catalogue caption (a library function's name).
void PickedNodeTexts(std::wstring& label, std::wstring& description) {
    const Node::Ptr node = Selection::GetNode();
    if (!node) return;
    const wchar_t* caption =
        node->GetSourceKind() == kBuiltIn ? CatalogueCaption(node->GetTypeId()) : nullptr;
    if (caption)
        label = caption;
    else
        ToWide(node->GetName(), label);
    NodeHelp(node.Get(), label, description);
}
}  // namespace

TopController::TopController(const WorkArea& workArea) : workArea_(workArea) {}

TopController::~TopController() {
    registrations_.clear();
    viewPanel_ = nullptr;
    statusBar_ = nullptr;
    for (int i = 2; i >= 0; --i) columns_[i] = nullptr;
    mainPanel_ = nullptr;
}

bool TopController::OnCreate() {
    MathMapIo::InitProject();
    StartLayers();
    ShowProjectTitle();
    StartModeCores();
    Capsule::RegisterFamilies();
    const std::string commandLine = GetCommandLineA();
    InitProgramPaths(commandLine);
    const auto banner = BuildPanels();
    BuildCommands();
    MenuCore::Notify(ModelEvent::kModelsReset);
    Winplus::Layer::NotifyObservers(LayerEvent::kLayersReplaced);
    DataSet::Notify(DataSetEvent::kDataSetReplaced);
    MenuCore::SetSaved(true);
    StartStatusBar();
    GlobalBar::Create(Window());
    OpenCommandLineFile(commandLine);
    return false;
}

void TopController::StartModeCores() {
    InstallModeTools();
    FitCore::Initialize();
}

void TopController::ShowProjectTitle() {
    SetWindowTextA(Handle(), MenuCore::WindowTitle(Models().GetNameA()).c_str());
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
    ShowProjectTitle();
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

// The splash banner stays this long while the panels are built.
constexpr DWORD kBannerPauseMs = 1000;

struct LeafRow {
    PanelId id;
    double weight;
    // Made already (the view panel), else made by id.
    Safe::XPtr<Winplus::Panel> made = nullptr;
};

// Adds a column's leaves in order; the last one has no splitter, as nothing follows it.
void AddLeaves(Winplus::PanelContainer& column, std::initializer_list<LeafRow> rows) {
    const Winplus::Wnd parent(column.Controller()->Handle());
    Safe::XPtr<Winplus::Panel> last;
    for (const LeafRow& row : rows) {
        Safe::XPtr<Winplus::Panel> leaf = row.made ? row.made : MakePanel(row.id, parent);
        leaf->Controller()->SetOrientation(0);
        leaf->Controller()->weight = row.weight;
        column.Add(leaf);
        last = leaf;
    }
    if (last) last->Controller()->SetSplitterSize(false, 0);
}

// The first leaf of that class in a column, or null.
template <class Leaf>
Leaf* FindLeaf(const Winplus::PanelContainer& column) {
    for (const auto& child : column.Children())
        if (auto* leaf = dynamic_cast<Leaf*>(child.Get())) return leaf;
    return nullptr;
}

// Every pick of the three selectors reaches the selection panel.
void ConnectSelectors(const Winplus::PanelContainer& left, const Winplus::PanelContainer& centre) {
    const NodeSelection* selection = FindLeaf<NodeSelection>(left);
    if (!selection) return;
    const Safe::XPtr<Winplus::Command> target = selection->GetTarget();
    if (auto* catalogue = FindLeaf<FunctionSelector>(centre)) catalogue->SetTarget(target);
    if (auto* library = FindLeaf<CapsuleSelector>(centre)) library->SetTarget(target);
    if (auto* formula = FindLeaf<FormulaBar>(centre)) formula->SetTarget(target);
}

// The registry's view of a panel of the main window.
class RegistryPanel : public RegisteredPanel {
public:
    explicit RegistryPanel(Winplus::Panel* panel) : panel_(panel) {}
    void SetVisible(bool visible) override { panel_->Controller()->Show(visible); }
    bool IsVisible() const override { return panel_->Controller()->visible; }
    void LayOut() override { panel_->Layout(); }

private:
    Winplus::Panel* panel_;  // held by the top controller, which ends the registration first
};

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

Safe::XPtr<Winplus::PopupBanner> TopController::BuildPanels() {
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
    auto banner = ShowSplashBanner(Handle());
    Sleep(kBannerPauseMs);
    viewPanel_ = Safe::MakeX<ViewPanel>(Winplus::Wnd(columns_[1]->Controller()->Handle()));
    AddLeaves(*columns_[1], {{PanelId::FunctionSelector, 1.0},
                             {PanelId::FormulaEditor, 1.0},
                             {PanelId::UserFunctionSelector, 1.0},
                             {PanelId::ViewBar, 1.0},
                             {PanelId::Plot, 3.0, viewPanel_},
                             {PanelId::Comments, 1.0}});
    AddLeaves(
        *columns_[2],
        {{PanelId::LayerExplorer, 2.0}, {PanelId::Properties, 3.0}, {PanelId::DataFiles, 1.0}});
    ConnectSelectors(*columns_[0], *columns_[1]);
    RegisterPanels();
    return banner;
}

void TopController::RegisterPanels() {
    const auto add = [this](Winplus::Panel* panel, PanelId id, bool layout) {
        if (!panel) return;
        auto view = std::make_unique<RegistryPanel>(panel);
        registrations_.push_back(layout ? PanelRegistry::SetLayoutPanel(view.get(), id)
                                        : PanelRegistry::SetToolPanel(view.get(), id));
        registered_.push_back(std::move(view));
    };
    add(mainPanel_.Get(), PanelId::MainPanel, true);
    constexpr PanelId kColumns[] = {PanelId::LeftColumn, PanelId::CentreColumn,
                                    PanelId::RightColumn};
    for (int i = 0; i < 3; ++i) add(columns_[i].Get(), kColumns[i], true);
    add(FindLeaf<FunctionSelector>(*columns_[1]), PanelId::FunctionSelector, false);
    add(FindLeaf<CapsuleSelector>(*columns_[1]), PanelId::UserFunctionSelector, false);
    add(FindLeaf<FormulaBar>(*columns_[1]), PanelId::FormulaEditor, false);
}

void TopController::BuildCommands() {
    HWND main = Handle();
    commands_.Add(ID_FILE_EXIT, Safe::MakeX<WindowCommand>(
                                    main, [](HWND w) { PostMessageA(w, WM_CLOSE, 0, 0); }));
    commands_.Add(ID_HELP_ABOUT,
                  Safe::MakeX<WindowCommand>(main, [](HWND w) { ShowAboutDialog(w); }));
    projectMenu_ = Safe::MakeX<ProjectMenu>(main);
    projectMenu_->AddTo(commands_);
}

bool TopController::OnClose() {
    // The worker's step must end before the windows it reports to go.
    if (FitCore::IsRunning()) FitCore::Reset();
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
    if (const auto& bar = GlobalBar::Get())
        bar->Move(layout.globalBar.x, layout.globalBar.y, layout.globalBar.width,
                  layout.globalBar.height, true);
    return false;
}

bool TopController::OnInitMenuPopup(HMENU menu, int) {
    if (!projectMenu_) return false;
    projectMenu_->OnMenuOpening(menu);
    return true;
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
