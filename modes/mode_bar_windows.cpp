#include "modes/mode_bar_windows.h"

#include "modes/adjust_core.h"
#include "modes/anchor_core.h"
#include "modes/builder_core.h"
#include "modes/fit_core.h"
#include "winplus/resource_ids.h"

namespace Core {

namespace {

constexpr int kSeparatorHeight = 6;
constexpr int kToolGroup = 1;
constexpr int kForceGroup = 2;

constexpr BarButtonRow kSeparator{Winplus::kSeparatorButton, IDB_SEPARATOR_VERTICAL};
constexpr BarButtonRow kResizing{Winplus::kCheckButton, IDB_ARROW,  kResizingButton,
                                 "Resizing mode",       kToolGroup, Winplus::kChecked};

BarButtonRow Check(int bitmap, int id, const char* tooltip, int group, int state) {
    return {Winplus::kCheckButton, bitmap, id, tooltip, group, state};
}

BarButtonRow Push(int bitmap, int id, const char* tooltip, int state) {
    return {Winplus::kPushButton, bitmap, id, tooltip, -1, state};
}

Safe::XPtr<Winplus::Button> MakeButton(const BarButtonRow& row) {
    Safe::XPtr<Winplus::Button> button;
    switch (row.kind) {
        case Winplus::kSeparatorButton:
            return Winplus::ButtonBar::AddSeparator(row.bitmap,
                                                    {ModeToolBar::kWidth, kSeparatorHeight});
        case Winplus::kCheckButton:
            button = Winplus::ButtonBar::AddCheck(row.bitmap, row.id, row.tooltip, row.group);
            break;
        default: button = Winplus::ButtonBar::AddPush(row.bitmap, row.id, row.tooltip, -1);
    }
    button->machine.state = row.state;
    return button;
}

class BarCommand : public Winplus::Command {
public:
    explicit BarCommand(std::function<bool(int)> run) : run_(std::move(run)) {}
    bool Execute(const int& id) override { return run_(id); }

private:
    std::function<bool(int)> run_;
};

}  // namespace

ModeToolBar::ModeToolBar(Winplus::Wnd parent, std::initializer_list<BarButtonRow> buttons,
                         std::function<bool(int)> command)
    : toolBar_(Safe::MakeX<Winplus::ToolBar>(parent)) {
    Winplus::ButtonBar::SetButtonSize({kWidth, kWidth});
    Winplus::ButtonBar::SetParent(parent);
    auto list = Safe::MakeX<Winplus::ButtonList>();
    for (const BarButtonRow& row : buttons) list->Add(MakeButton(row));
    auto bar = Safe::MakeX<Winplus::ButtonBar>();
    bar->vertical = true;
    bar->SetButtons(list);
    toolBar_->Controller()->SetButtonBar(bar);
    toolBar_->Controller()->SetCommand(Safe::MakeX<BarCommand>(std::move(command)));
}

void ModeToolBar::MoveWindow(int x, int y, int width, int height) {
    toolBar_->Move(x, y, width, height, true);
}

void ModeToolBar::Repaint() {
    toolBar_->Controller()->Repaint();
}

void ModeToolBar::Show(const bool& show) {
    // A bar holds the mouse while the cursor is over it: hidden, it would keep taking the
    // clicks meant for the bar shown in its place.
    if (!show && GetCapture() == Handle()) ReleaseCapture();
    toolBar_->Show(show);
}

int ModeToolBar::Height() const {
    return toolBar_->Controller()->Bar()->height;
}

void ModeToolBar::Apply(const std::vector<BarButton>& states) {
    Winplus::BarController& bar = *toolBar_->Controller();
    for (const BarButton& button : states) {
        if (button.state == Winplus::kChecked)
            bar.CheckButton(button.id, true);
        else
            bar.EnableButton(button.id, button.state != Winplus::kDisabled);
    }
}

AdjustBar::AdjustBar(Winplus::Wnd parent)
    : ModeToolBar(parent,
                  {kSeparator, kResizing,
                   Check(IDB_ENABLE_ANCHORS, kAdjustAnchorsButton, "Enable anchors", kToolGroup,
                         Winplus::kNormal)},
                  &AdjustBarCommand) {}

AnchorBar::AnchorBar(Winplus::Wnd parent)
    : ModeToolBar(
          parent,
          {kSeparator, kResizing,
           Check(IDB_ENABLE_ANCHORS, kEnableAnchorsButton, "Enable anchors", kToolGroup,
                 Winplus::kNormal),
           kSeparator,
           Check(IDB_FORCE_NONE, kNoForceButton, "No force", kForceGroup, Winplus::kDisabled),
           Check(IDB_FORCE_EQUAL, kEqualForceButton, "Equal force", kForceGroup,
                 Winplus::kDisabled),
           Check(IDB_FORCE_GAP, kGapForceButton, "Maintain gap force", kForceGroup,
                 Winplus::kDisabled),
           Check(IDB_FORCE_RATIO, kRatioForceButton, "Constant ratio force", kForceGroup,
                 Winplus::kDisabled)},
          &AnchorBarCommand) {
    Follow(AnchorCore::Tool().AddObserver(MakeObserver<ToolCode>([this](ToolCode code) {
        if (code == kToolAnchorsChanged) Apply(AnchorBarStates());
    })));
}

BuilderBar::BuilderBar(Winplus::Wnd parent)
    : ModeToolBar(parent,
                  {kSeparator, kResizing,
                   Check(IDB_ADD_FUNCTION, kAddFunctionButton, "Add function", kToolGroup,
                         Winplus::kDisabled)},
                  &BuilderBarCommand) {
    Follow(BuilderCore::Tool().AddObserver(MakeObserver<ToolCode>([this](ToolCode code) {
        if (code == kToolNodeSet) Apply(BuilderBarOnNodeSet());
    })));
}

FitBar::FitBar(Winplus::Wnd parent)
    : ModeToolBar(
          parent,
          {kSeparator, Push(IDB_FIT_START, kStartFitButton, "Start optimization", Winplus::kNormal),
           Push(IDB_FIT_STOP, kStopFitButton, "Stop optimization", Winplus::kDisabled), kSeparator,
           Push(IDB_FIT_TRANSFER, kTransferButton, "Transfert optimized parameters",
                Winplus::kDisabled)},
          [this](int id) {
              FitBarCommand(id);
              if (id == kTransferButton) Apply({{kTransferButton, Winplus::kDisabled}});
              return true;
          }) {
    Follow(FitCore::AddObserver(
        MakeObserver<FitEvent>([this](FitEvent code) { Apply(FitBarOnFitEvent(code)); })));
}

Safe::XPtr<ModeToolBar> MakeModeBar(ModeBar bar, Winplus::Wnd parent) {
    switch (bar) {
        case ModeBar::kBuilder: return Safe::MakeX<BuilderBar>(parent);
        case ModeBar::kAnchor: return Safe::MakeX<AnchorBar>(parent);
        case ModeBar::kAdjust: return Safe::MakeX<AdjustBar>(parent);
        case ModeBar::kFit: return Safe::MakeX<FitBar>(parent);
        case ModeBar::kNone: break;
    }
    return nullptr;
}

}  // namespace Core
