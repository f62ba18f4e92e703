#include "app/views/plot_gestures.h"

#include "app/base/mode_table.h"
#include "app/base/window_layout.h"

namespace Core {

namespace PlotGestures {

// The View panel's layout; the axis bar's place does not matter here.
Winplus::PixelRect LayerRect(int width, int height) {
    const Winplus::Box box = LayOutView(width, height, 0, 0).layer;
    return {box.x, box.y, box.width, box.height};
}

bool StartsGesture(int y, int height) {
    const ViewLayout layout = LayOutView(0, height, 0, 0);
    return y >= layout.dragTop && y < layout.dragBottom;
}

bool InPlotZone(int x, int y, int width, int height) {
    return x >= 15 && x < width - 20 && y >= 20 && y < height - 15;
}

}  // namespace PlotGestures

void ModifyMouse::Publish(int action, int x, int y) {
    const int delta[2] = {x - lastX_, lastY_ - y};
    lastX_ = x;
    lastY_ = y;
    Winplus::AxisBar::PublishMouseAction(action, delta);
}

void ModifyMouse::OnLButtonDown(int x, int y, unsigned keys, int height) {
    if (!PlotGestures::StartsGesture(y, height)) return;
    // The cursor is where the press is: the move that brought the pointer here may have gone to
    // the tool bar beside the plot, which holds the mouse while the pointer is over it.
    resizing_->OnMouseMove(x, y, keys);
    inside_ = true;
    resizing_->OnButtonDown(x, y, keys);
    lastX_ = x;
    lastY_ = y;
    Publish(Winplus::AxisBar::kButtonDown, x, y);
}

void ModifyMouse::OnLButtonUp(int x, int y, unsigned keys) {
    resizing_->OnButtonUp(x, y, keys);
    Publish(Winplus::AxisBar::kButtonUp, x, y);
}

void ModifyMouse::OnRButtonDown(int y, int height) {
    if (!PlotGestures::StartsGesture(y, height)) return;
    const int none[2] = {0, 0};
    Winplus::AxisBar::PublishMouseAction(Winplus::AxisBar::kOtherButton, none);
}

void ModifyMouse::OnMouseMove(int x, int y, unsigned keys, int width, int height) {
    if (PlotGestures::InPlotZone(x, y, width, height)) {
        inside_ = true;
        resizing_->OnMouseMove(x, y, keys);
        Publish(Winplus::AxisBar::kMove, x, y);
    } else if (inside_) {
        inside_ = false;
        Winplus::AxisBar::SetCursorInside(false);
    }
}

ModeBar BarOfMode(int mode) {
    const ViewModeRow* row = FindViewMode(mode);
    return row ? row->bar : ModeBar::kNone;
}

Winplus::PixelRect ModeBarRect(ModeBar bar, int width) {
    int height = 0;
    for (const ViewModeRow& mode : ViewModeRows())
        if (bar != ModeBar::kNone && mode.bar == bar) height = mode.barHeight;
    return {width - 23, 91, 22, height};
}

Winplus::PixelRect AxisBarRect(int width) {
    return {width - 23, 24, 22, 66};
}

int AxisToolsDisabled(int mode, bool toolOn) {
    const ViewModeRow* row = FindViewMode(mode);
    const ModeMouse mouse = row ? row->mouse : ModeMouse::kAxisTools;
    return mouse == ModeMouse::kMode || (mouse == ModeMouse::kToolWhenOn && toolOn) ? -1 : 0;
}

void HandMouseForMode(int mode, bool toolOn) {
    Winplus::AxisBar::SetDisabled(AxisToolsDisabled(mode, toolOn));
}

}  // namespace Core
