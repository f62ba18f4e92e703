#pragma once
// Where things stand in the main window and in the View panel, as arithmetic on the client
// size: the window code only applies these rectangles.
#include "winplus/grid_layout.h"

namespace Core {

// The main window's client area: the global tool bar across the top (22 pixels), the panels
// below it after a gap, and the status bar (18 pixels) along the bottom.
struct MainLayout {
    Winplus::Box globalBar;
    Winplus::Box panels;
    Winplus::Box status;
};
MainLayout LayOutMainWindow(int width, int height);

// The smallest client area at which the main window's layout holds: the View panel keeps its
// whole plot and axis bar, and every caption its collapse button.
inline constexpr int kMainMinimumWidth = 640;
inline constexpr int kMainMinimumHeight = 480;

// The View panel's client area: the caption strip, the picture below it, the plot layer's box,
// the axis bar in the top right corner of the picture and the band where drags start.
struct ViewLayout {
    Winplus::Box picture;
    Winplus::Box layer;
    Winplus::Box axisBar;
    int dragTop = 0, dragBottom = 0;  // a drag starts at dragTop <= y < dragBottom
};
inline constexpr int kViewCaptionHeight = 20;
// The plot layer's box never gets smaller than this: below it the picture is cut, not squeezed.
inline constexpr int kViewLayerMinimumWidth = 200;
inline constexpr int kViewLayerMinimumHeight = 90;
ViewLayout LayOutView(int width, int height, int axisBarWidth, int axisBarHeight);

}  // namespace Core
