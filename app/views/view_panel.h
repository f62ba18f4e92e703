#pragma once
// The View panel: the docked leaf that shows the current plot layer through Direct2D, follows
// the layer, model and view buses, and hands mouse drags to the axis tools.
#include "app/views/plot_target.h"
#include "app/base/window_layout.h"
#include "foundation/event_codes.h"
#include "plot/axis_bar_window.h"
#include "plot/axis_tools.h"
#include "winplus/handles.h"
#include "winplus/panel.h"

namespace Core {

class ViewController : public Winplus::LeafController {
public:
    ViewController();
    ~ViewController() override;

    bool OnCreate() override;
    bool OnPaint() override;
    bool OnLButtonDown(int x, int y, unsigned keys) override;
    bool OnLButtonUp(int x, int y, unsigned keys) override;
    bool OnMouseMove(int x, int y, unsigned keys) override;
    void Layout(int x, int y, int width, int height, bool repaint) override;
    // The layer's name in the caption strip.
    void PaintExtra(Gdiplus::GpGraphics* graphics, const RECT& client) override;

    // The whole picture below the caption, through Direct2D.
    void Repaint();
    // After a change of values: every model curve evaluated again, then the whole picture.
    void RedrawPlot();
    // The axis bar's buttons (Winplus::AxisBar::ButtonId): previous limits, fit all curves, fit
    // the current one.
    bool ExecuteAxisCommand(int code);
    const Safe::XPtr<Winplus::AxisResizing>& Resizing() const { return resizing_; }
    const Safe::XPtr<Winplus::AxisToolBar>& AxisTools() const { return axisBar_; }
    // Where the layer is drawn in a client area of that size.
    static Winplus::PixelRect LayerRect(int width, int height);
    static ViewLayout Areas(int width, int height);

private:
    class AxisCmd;
    // What the buses announce; the observers live as long as the window.
    void OnModelEvent(ModelEvent code);
    void OnLayerEvent(LayerEvent code);
    void OnViewEvent(ViewEvent code);
    // The caption with the current layer's name and the picture below it, painted now.
    void RepaintWithCaption();
    // The axis bar shows while there is a curve layer to act on.
    void ShowAxisBar();
    // Draws into the picture below the caption.
    template <class Draw>
    void Render(const Draw& draw);

    bool cursorInside_ = false;
    int lastX_ = 0, lastY_ = 0;
    Safe::XPtr<Winplus::AxisResizing> resizing_;
    Safe::XPtr<Winplus::AxisToolBar> axisBar_;
    PlotTarget target_;
};

class ViewLeaf : public Winplus::VLeaf {
public:
    explicit ViewLeaf(Winplus::Wnd parent);
};

}  // namespace Core
