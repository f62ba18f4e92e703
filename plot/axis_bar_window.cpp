#include "plot/axis_bar_window.h"

#include "plot/axis_tools.h"
#include "winplus/resource_ids.h"

namespace Winplus {

AxisToolBar::AxisToolBar(Wnd parent) : toolBar_(Safe::MakeX<ToolBar>(parent)) {
    ButtonBar::SetButtonSize({kWidth, kWidth});
    ButtonBar::SetParent(parent);
    auto list = Safe::MakeX<ButtonList>();
    list->Add(ButtonBar::AddPush(IDB_PREVIOUS_LIMITS, AxisBar::kPreviousLimits,
                                 "Previous axis limits", -1));
    list->Add(ButtonBar::AddPush(IDB_FIT_ALL_CURVES, AxisBar::kFitAllCurves,
                                 "XY limits off all layer curves", -1));
    list->Add(ButtonBar::AddPush(IDB_FIT_CURRENT_CURVE, AxisBar::kFitCurrentCurve,
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
