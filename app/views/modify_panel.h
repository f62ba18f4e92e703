#pragma once
// The Modify panel: the editable plot of the tool modes. It draws the current mode's "User
// curves" layer with the mode's tool layer over it, hands mouse gestures to the axis tools or,
// as mouse actions, to the active tool, hosts the axis bar and the modes' bars at its right
// edge, and owns the fit worker, whose step notices it answers at once and then hands to the
// fit driver on this thread.
#include <array>
#include <functional>
#include <memory>

#include "app/views/plot_gestures.h"
#include "app/views/plot_target.h"
#include "foundation/event_codes.h"
#include "modes/mode_bar_windows.h"
#include "plot/axis_bar_window.h"
#include "winplus/panel.h"

namespace Core {

class ModifyController : public Winplus::LeafController {
public:
    ModifyController();
    ~ModifyController() override;

    bool OnCreate() override;
    bool OnPaint() override;
    bool OnNotify(WPARAM wParam, LPARAM lParam) override;
    bool OnTimer(UINT_PTR id) override;
    bool OnLButtonDown(int x, int y, unsigned keys) override;
    bool OnLButtonUp(int x, int y, unsigned keys) override;
    bool OnRButtonDown(int x, int y, unsigned keys) override;
    bool OnMouseMove(int x, int y, unsigned keys) override;
    bool OnCaptureChanged(LPARAM lParam) override;
    void Layout(int x, int y, int width, int height, bool repaint) override;

    // The whole picture below the caption through Direct2D, then the bars on top.
    void Repaint();
    // After a change of values: both layers' curves evaluated again, then the whole picture.
    void RedrawCurves();
    // The axis bar's buttons (Winplus::AxisBar::ButtonId): previous limits, fit all curves, fit
    // the current one.
    bool ExecuteAxisCommand(int code);

    const Safe::XPtr<Winplus::AxisToolBar>& AxisTools() const { return axisBar_; }
    // The bar of a mode's tool; none for mode 0.
    ModeToolBar* BarOf(ModeBar bar) const;

private:
    // Hands a fit step that waited for the user's input.
    static constexpr UINT_PTR kStepTimer = 1;

    void OnModelEvent(ModelEvent code);
    void OnViewEvent(ViewEvent code);
    // The bar of the current mode shown, the others hidden; the mouse to the mode's tool when
    // it is switched on, else to the axis tools.
    void SetBarsForMode();
    // The resizing tool on the mode's "User curves".
    void Reattach();
    void Render(const std::function<void(ID2D1RenderTarget&, const Winplus::PixelRect&)>& draw);
    void RedrawBars();

    PlotTarget target_;
    Safe::XPtr<Winplus::AxisResizing> resizing_;
    std::unique_ptr<ModifyMouse> mouse_;
    // A press on the plot holds the mouse until its button-up, so that the drag always ends.
    bool pressing_ = false;
    POINT last_{};
    Safe::XPtr<Winplus::AxisToolBar> axisBar_;
    // By ModeBar; none for kNone.
    std::array<Safe::XPtr<ModeToolBar>, kModeBarCount> bars_;
};

class ModifyLeaf : public Winplus::VLeaf {
public:
    explicit ModifyLeaf(Winplus::Wnd parent);
};

}  // namespace Core
