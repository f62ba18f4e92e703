#include "app/shell/mode_switch_panel.h"

#include "app/shell/panel_factory.h"
#include "modes/view_modes.h"

namespace Core {

namespace {

constexpr int kSplitter = 4;

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

    const auto make = [this](PanelId leaf, Winplus::PanelContainer& column) {
        Safe::XPtr<Winplus::Panel>& made = leaves_[IndexOf(leaf)];
        made = MakePanel(leaf, Winplus::Wnd(column.Controller()->Handle()));
        made->Controller()->SetOrientation(0);
        column.Add(made);
        return made->Controller();
    };
    const std::vector<ViewPanelLeaf> left = LeftColumnLeaves();
    for (const ViewPanelLeaf& leaf : left) make(leaf.panel, *left_);
    Leaf(left.back().panel)->Controller()->SetSplitterSize(false, 0);

    const auto view = make(PanelId::Plot, *right_);
    const auto modify = make(PanelId::Modify, *right_);
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
    for (const ViewPanelLeaf& leaf : ViewPanelLeaves())
        Leaf(leaf.panel)->Controller()->Show(shape.Shows(leaf.panel));
    Leaf(PanelId::Plot)->Controller()->SetSplitterSize(shape.viewSplitter, kSplitter);
    left_->Layout();
    right_->Layout();
    Layout();
}

}  // namespace Core
