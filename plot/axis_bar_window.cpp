#include "plot/axis_bar_window.h"

#include "plot/axis_tools.h"

namespace Winplus {

namespace {
// The bitmaps of app/sorix.rc.
constexpr int kPreviousBitmap = 157;
constexpr int kFitAllBitmap = 156;
constexpr int kFitCurrentBitmap = 155;
}  // namespace

AxisToolBar::AxisToolBar(Wnd parent) : toolBar_(Safe::MakeX<ToolBar>(parent)) {
    ButtonBar::SetButtonSize({kWidth, kWidth});
    ButtonBar::SetParent(parent);
    auto list = Safe::MakeX<ButtonList>();
    list->Add(
        ButtonBar::AddPush(kPreviousBitmap, AxisBar::kPreviousLimits, "Previous axis limits", -1));
    list->Add(ButtonBar::AddPush(kFitAllBitmap, AxisBar::kFitAllCurves,
                                 "XY limits off all layer curves", -1));
    list->Add(ButtonBar::AddPush(kFitCurrentBitmap, AxisBar::kFitCurrentCurve,
                                 "XY limits off the current curve", -1));
    auto bar = Safe::MakeX<ButtonBar>();
    bar->vertical = true;
    bar->SetButtons(list);
    toolBar_->Controller()->SetButtonBar(bar);
}

void AxisToolBar::SetCommand(const Safe::XPtr<Command>& command) {
    toolBar_->Controller()->SetCommand(command);
}

void AxisToolBar::Place(int x, int y) {
    toolBar_->Move(x, y, kWidth, kHeight, true);
}

void AxisToolBar::Show(bool visible) {
    toolBar_->Show(visible);
}

}  // namespace Winplus
