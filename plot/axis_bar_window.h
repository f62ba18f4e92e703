#pragma once
// The axis bar's window: three push buttons beside a plot, top to bottom "Previous axis limits"
// (command AxisBar::kPreviousLimits), "XY limits off all layer curves" (kFitAllCurves) and "XY
// limits off the current curve" (kFitCurrentCurve).
#include "winplus/button_bar.h"

namespace Winplus {

class AxisToolBar : public Safe::Countable {
public:
    static constexpr int kWidth = 22;
    static constexpr int kHeight = 66;

    explicit AxisToolBar(Wnd parent);
    // Receives the ids of the buttons clicked.
    void SetCommand(const Safe::XPtr<Command>& command);
    // At the right edge of a client area that wide, below the caption.
    // At (x, y) of the owner's client area, at its own size.
    void Place(int x, int y);
    void Show(bool visible);
    HWND Handle() const { return toolBar_->Controller()->Handle(); }

private:
    Safe::XPtr<ToolBar> toolBar_;
};

}  // namespace Winplus
