#include "app/top_controller.h"

#include <string>

#include "app/caption_leaf.h"
#include "app/command_line.h"
#include "app/fit_core.h"
#include "app/resource_ids.h"
#include "app/splash.h"
#include "app/view_panel.h"
#include "io/data_set.h"
#include "plot/axis_tools.h"

namespace Core {

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
    Winplus::SetStatusSources({nullptr, [] { return FitCore::GetStatusText(); }});
    statusBar_ = Safe::MakeX<Winplus::StatusBar>(Window());
    OpenCommandLineFile(GetCommandLineA());
    return false;
}

void TopController::OpenCommandLineFile(const std::string& commandLine) {
    const std::string path = CommandLineFile(commandLine);
    if (KindOfCommandLineFile(path) != CommandLineKind::DataFile) return;
    // A file that does not load has been reported; the selection runs all the same.
    DataSet::Reload(path);
    DataSet::SelectIndex(-1);
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
    const wchar_t* caption;
    double weight;
};

// Adds a column's leaves in order; the last one has no splitter, as nothing follows it.
void AddLeaves(Winplus::PanelContainer& column, std::initializer_list<LeafRow> rows) {
    const Winplus::Wnd parent(column.Controller()->Handle());
    Safe::XPtr<Winplus::Panel> last;
    for (const LeafRow& row : rows) {
        Safe::XPtr<Winplus::Panel> leaf;
        if (std::wstring(row.caption) == L"Plot")
            leaf = Safe::MakeX<ViewLeaf>(parent);
        else
            leaf = Safe::MakeX<CaptionLeaf>(parent, row.caption);
        leaf->Controller()->SetOrientation(0);
        leaf->Controller()->weight = row.weight;
        column.Add(leaf);
        last = leaf;
    }
    if (last) last->Controller()->SetSplitterSize(false, 0);
}

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

    AddLeaves(*columns_[0], {{L"Selection", 1.0},
                             {L"Math Explorer", 1.0},
                             {L"Definition", 2.0},
                             {L"Parameters", 1.0}});
    AddLeaves(*columns_[1], {{L"Function Selector", 1.0},
                             {L"Formula Editor", 1.0},
                             {L"User Function Selector", 1.0},
                             {L"View", 1.0},
                             {L"Plot", 3.0},
                             {L"Comments", 1.0}});
    AddLeaves(*columns_[2], {{L"Layer Explorer", 2.0},
                             {L"Properties", 3.0},
                             {L"Data Files", 1.0}});
}

bool TopController::OnDestroy() {
    PostQuitMessage(0);
    return true;
}

bool TopController::OnCommand(WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) == ID_FILE_EXIT) PostMessageA(Handle(), WM_CLOSE, 0, 0);
    return 0;
}

bool TopController::OnSize(unsigned width, unsigned height, WPARAM type) {
    // Below the global tool bar (22 pixels and a gap), above the status bar (18 pixels).
    if (mainPanel_)
        mainPanel_->Move(0, 24, static_cast<int>(width), static_cast<int>(height) - 44, type != 0);
    if (statusBar_)
        statusBar_->Move(0, static_cast<int>(height) - Winplus::kStatusBarHeight,
                         static_cast<int>(width), Winplus::kStatusBarHeight);
    return false;
}

}  // namespace Core
