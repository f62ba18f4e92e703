#pragma once
// The plot panels' gesture rules as arithmetic: where the layer is drawn below the caption,
// which presses start a gesture, where the cursor counts as over the plot; and for the Modify
// panel the mouse handed to the axis tools and the active tool, the tool bar of each mode and
// who has the mouse in each mode.
#include "modes/mode_bars.h"
#include "plot/axis_tools.h"

namespace Core {

namespace PlotGestures {

// {1, 21, width - 2, height - 21}, at least 200 by 90.
Winplus::PixelRect LayerRect(int width, int height);
// Presses between the caption strip and the bottom band start a gesture.
bool StartsGesture(int y, int height);
// 15 <= x < width - 20 and 20 <= y < height - 15.
bool InPlotZone(int x, int y, int width, int height);

}  // namespace PlotGestures

// The Modify panel's mouse. Presses that start a gesture go to the resizing tool and are
// published as mouse actions (AxisEvent::kAxisActionChanged) for the active tool, with their pixel
// delta since the last event (y counted upwards); moves over the plot likewise, and leaving it is
// told once (AxisEvent::kCursorMoved). The resizing tool acts only while the axis tools have the
// mouse.
class ModifyMouse {
public:
    explicit ModifyMouse(const Safe::XPtr<Winplus::AxisResizing>& resizing) : resizing_(resizing) {}

    void OnLButtonDown(int x, int y, unsigned keys, int height);
    void OnLButtonUp(int x, int y, unsigned keys);
    void OnRButtonDown(int y, int height);
    void OnMouseMove(int x, int y, unsigned keys, int width, int height);

private:
    void Publish(int action, int x, int y);

    Safe::XPtr<Winplus::AxisResizing> resizing_;
    int lastX_ = 0, lastY_ = 0;
    bool inside_ = false;
};

// The tool bar shown below the axis bar: none in mode 0, else that of the mode's tool.
ModeBar BarOfMode(int mode);
// Where a bar sits at the right edge of a client area that wide; the axis bar above them.
Winplus::PixelRect ModeBarRect(ModeBar bar, int width);
Winplus::PixelRect AxisBarRect(int width);

// The axis tools' disable flag for a mode, by the mode table: the Fit mode always takes the
// mouse, modes 1 to 3 while their tool is switched on; mode 0, and a tool switched off, give it
// back.
int AxisToolsDisabled(int mode, bool toolOn);
// Sets that flag on entering a mode (ViewEvent::kViewModeChanged) or switching its tool.
void HandMouseForMode(int mode, bool toolOn);

}  // namespace Core
