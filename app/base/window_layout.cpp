#include "app/base/window_layout.h"

#include <algorithm>

#include "winplus/status_layout.h"

namespace Core {

namespace {
constexpr int kGlobalBarHeight = 22;
constexpr int kToolBarBand = 24;
constexpr int kStatusBarHeight = Winplus::kStatusBarHeight;
}  // namespace

MainLayout LayOutMainWindow(int width, int height) {
    MainLayout layout;
    layout.globalBar = {0, 0, width, kGlobalBarHeight};
    // The 2 pixels between the panels and the status bar keep the panels' bottom line in view.
    layout.panels = {0, kToolBarBand, width,
                     std::max(0, height - kToolBarBand - kStatusBarHeight - 2)};
    layout.status = {0, height - kStatusBarHeight, width, kStatusBarHeight};
    return layout;
}

ViewLayout LayOutView(int width, int height, int axisBarWidth, int axisBarHeight) {
    ViewLayout layout;
    layout.picture = {0, kViewCaptionHeight, width, std::max(0, height - kViewCaptionHeight)};
    layout.layer = {1, kViewCaptionHeight + 1, std::max(width - 2, kViewLayerMinimumWidth),
                    std::max(height - kViewCaptionHeight - 1, kViewLayerMinimumHeight)};
    layout.axisBar = {width - axisBarWidth - 1, kViewCaptionHeight + 4, axisBarWidth,
                      axisBarHeight};
    // Not in the splitter band at the bottom.
    layout.dragTop = kViewCaptionHeight + 1;
    layout.dragBottom = height - 5;
    return layout;
}

}  // namespace Core
