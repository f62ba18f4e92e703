#pragma once
// What the plot panels share: a Direct2D target drawn into the picture below a panel's caption,
// and the rubber band of an axis drag drawn on the panel's window.
#include <functional>

#include "plot/axis_tools.h"
#include "winplus/handles.h"

struct ID2D1DCRenderTarget;
struct ID2D1RenderTarget;

namespace Core {

// A DC render target bound to the window's device context for each drawing: a window render
// target on a child window shows nothing under Wine. It keeps nothing between drawings (under
// Wine each starts black), so every drawing is the whole picture of its area.
class PlotTarget {
public:
    PlotTarget();
    ~PlotTarget();
    PlotTarget(const PlotTarget&) = delete;
    PlotTarget& operator=(const PlotTarget&) = delete;

    // Draws into the area of the window's client area, in client coordinates; nothing for an
    // empty area. A lost device drops the target: the next drawing makes a new one.
    void Render(HWND window, const RECT& area, const std::function<void(ID2D1RenderTarget&)>& draw);

private:
    Winplus::ComPtr<ID2D1DCRenderTarget> target_;
};

// The band of a drag, drawn so that drawing it again erases it.
class WindowBand : public Winplus::RubberBand {
public:
    explicit WindowBand(HWND hwnd) : hwnd_(hwnd) {}
    void Rectangle(int left, int top, int right, int bottom) override;
    void Line(int x0, int y0, int x1, int y1) override;

private:
    void Draw(const POINT* points, int count);
    HWND hwnd_;
};

}  // namespace Core
