#pragma once
// The axis tools: the process-wide axis-tool state (mode, cursor position, last mouse action)
// announced to the tools that follow the mouse on a plot (AxisEvent::kCursorMoved and
// AxisEvent::kAxisActionChanged), and the per-panel resizing tool that turns a drag into a zoom, a
// shrink or a shift of a layer's limits, keeps the previous limits for one step back and fits
// limits around curves.
#include "foundation/command.h"
#include "foundation/event_bus.h"
#include "plot/layer.h"

namespace Winplus {

// The state behind the axis bar, shared by every plot panel.
class AxisBar {
public:
    enum Mode { kNone = -1, kZoom = 0, kShrink = 1, kShift = 2 };
    enum Action { kButtonDown = 0, kButtonUp = 1, kOtherButton = 2, kMove = 3 };
    enum ButtonId { kPreviousLimits = 130, kFitAllCurves = 131, kFitCurrentCurve = 132 };

    [[nodiscard]] static EventBus::Registration AddObserver(
        const Safe::XPtr<EventObserver<AxisEvent>>& observer);
    static void NotifyObservers(AxisEvent code);
    static void SetMode(const int& mode);
    // -1 while a modelling tool has the mouse, whatever the mode.
    static int GetMode();
    static void SetDisabled(const int& flag);
    // Inside := true, position stored, then AxisEvent::kCursorMoved.
    static void SetCursorPosition(const double position[2]);
    // The flag stored (the position stays), then AxisEvent::kCursorMoved.
    static void SetCursorInside(const bool& inside);
    // Action and delta stored, then AxisEvent::kAxisActionChanged.
    static void PublishMouseAction(const int& action, const int delta[2]);

    static bool CursorInside();
    static double CursorX();
    static double CursorY();
    static int MouseAction();
    static int MouseDeltaX();
    static int MouseDeltaY();
};

// Draws the band that follows a drag; drawing the same band twice erases it.
class RubberBand : public Safe::Countable {
public:
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void Line(int x0, int y0, int x1, int y1) = 0;
};

class AxisResizing : public Safe::Countable {
public:
    explicit AxisResizing(const Safe::XPtr<RubberBand>& band = nullptr) : band_(band) {}

    // Ends any drag; the frame is the layer's when it is a curve layer.
    void SetLayer(const Layer::Ptr& layer);
    // Executed with code 0 after every change of limits.
    void SetResizeCommand(const Safe::XPtr<Command>& command) { resize_ = command; }

    // Pixels of the owner window; always true.
    bool OnButtonDown(int x, int y, unsigned keys);
    bool OnButtonUp(int x, int y, unsigned keys);
    bool OnMouseMove(int x, int y, unsigned keys);

    // Swaps the layer's limits with the previous ones.
    void RestorePreviousLimits();
    // Limits around bounds: a zero extent widened to 1, then 2.5 % of the height added below
    // and above; on a Log10 axis the same in decades. Bounds that are not finite, or not
    // positive on a Log10 axis, change nothing.
    void FitLimits(const Rect& bounds);
    // The limits FitLimits sets for bounds on those scales; false when it sets none.
    static bool FittedLimits(const Rect& bounds, Rect& limits, int xScale = Frame::kLinear,
                             int yScale = Frame::kLinear);
    const Rect& PreviousLimits() const { return previous_; }
    bool Dragging() const { return dragging_; }

private:
    void ApplyZoom();
    void ApplyShrink();
    void ApplyShift();
    // Remembers the frame's limits as the previous ones, then applies these.
    void Change(const Rect& limits);
    void Apply(const Rect& limits);
    void DrawBand(int mode, int x, int y);

    Safe::XPtr<RubberBand> band_;
    Layer::Ptr layer_;
    Safe::XPtr<Frame> frame_;
    bool dragging_ = false;
    int startX_ = -1, startY_ = -1;
    int endX_ = -1, endY_ = -1;
    Rect previous_{0.0, 0.0, 1000.0, 1.0};
    Safe::XPtr<Command> resize_;
};

}  // namespace Winplus
