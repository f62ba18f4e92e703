#include "app/mode_switch_panel.h"

#include "app/panel_factory.h"
#include "modes/view_modes.h"

namespace Core {

namespace {

constexpr int kSplitter = 4;

// The panel each leaf is made as, in the order of ModeLeaf.
constexpr PanelId kLeafPanels[kModeLeafCount] = {
    PanelId::Builder, PanelId::Anchors, PanelId::Adjustment, PanelId::Fit,   PanelId::FitParameters,
    PanelId::Curves,  PanelId::Visual,  PanelId::Plot,       PanelId::Modify};

constexpr ModeLeaf kLeftLeaves[] = {
    ModeLeaf::Builder,       ModeLeaf::Anchors, ModeLeaf::Adjustment, ModeLeaf::Fit,
    ModeLeaf::FitParameters, ModeLeaf::Curves,  ModeLeaf::Visual};

}  // namespace

ViewPanel::ViewPanel(Winplus::Wnd parent) : HPanel(parent) {
    const Winplus::Wnd own(controller_->Handle());
    left_ = Safe::MakeX<Winplus::VPanel>(own);
    right_ = Safe::MakeX<Winplus::VPanel>(own);
    left_->Controller()->SetSplitterSize(true, kSplitter);
    right_->Controller()->SetSplitterSize(true, kSplitter);
    right_->Controller()->weight = 3.0;
    Add(left_);
    Add(right_);
    right_->Controller()->SetSplitterSize(false, 0);
    Layout();

    const auto make = [this](ModeLeaf leaf, Winplus::PanelContainer& column) {
        Safe::XPtr<Winplus::Panel>& made = leaves_[static_cast<int>(leaf)];
        made = MakePanel(kLeafPanels[static_cast<int>(leaf)],
                         Winplus::Wnd(column.Controller()->Handle()));
        made->Controller()->SetOrientation(0);
        column.Add(made);
        return made->Controller();
    };
    for (ModeLeaf leaf : kLeftLeaves) make(leaf, *left_);
    Leaf(ModeLeaf::Visual)->Controller()->SetSplitterSize(false, 0);

    const auto view = make(ModeLeaf::View, *right_);
    const auto modify = make(ModeLeaf::Modify, *right_);
    view->weight = 2.0;
    modify->weight = 3.0;
    view->SetSplitterSize(false, 0);
    modify->SetSplitterSize(false, 0);

    OnModeChanged(ViewModeState::GetMode());
    modeObserver_ = ViewModeState::AddObserver(MakeObserver<ViewEvent>([this](ViewEvent code) {
        if (code == ViewEvent::kViewModeChanged) OnModeChanged(ViewModeState::GetMode());
    }));
}

void ViewPanel::OnModeChanged(const int& mode) {
    const ModeLeaves shape = LeavesOfMode(mode);
    left_->Controller()->Show(shape.leftColumn);
    for (int i = 0; i < kModeLeafCount; ++i) leaves_[i]->Controller()->Show(shape.shown[i]);
    Leaf(ModeLeaf::View)->Controller()->SetSplitterSize(shape.viewSplitter, kSplitter);
    left_->Layout();
    right_->Layout();
    Layout();
}

}  // namespace Core
