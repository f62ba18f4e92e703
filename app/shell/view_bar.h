#pragma once
// The view bar: a strip of five tabs, "View", "Builder", "Anchors", "Adjustment" and
// "Auto-Fit", above the view panel; choosing one sets the view mode 0 to 4.
#include "winplus/panel.h"
#include "winplus/sticker_bar.h"

namespace Core {

class ViewBarController : public Winplus::AreaController {
public:
    // Where the bar's band lies in the window, and its height.
    static constexpr int kBarLeft = 3;
    static constexpr int kBarHeight = 18;

    bool OnCreate() override;
    bool OnPaint() override;
    // A choice of the sticker bar (its command id 0, the sticker's index).
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool OnLButtonDown(int x, int y, unsigned keys) override;
    void Layout(int x, int y, int width, int height, bool repaint) override;

    const Safe::XPtr<Winplus::StickerBar>& Bar() const { return bar_; }

private:
    // The bar and the short line that joins it to the left edge.
    void PaintBar(Gdiplus::GpGraphics* graphics, const RECT& client) const;

    Safe::XPtr<Winplus::StickerBar> bar_;
    int selected_ = 0;
};

class ViewBar : public Winplus::PanelLeaf {
public:
    explicit ViewBar(Winplus::Wnd parent);
};

}  // namespace Core
