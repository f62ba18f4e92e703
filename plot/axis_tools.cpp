#include "plot/axis_tools.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Winplus {

namespace {

struct State {
    int mode = AxisBar::kNone;
    int disabled = 0;
    bool inside = false;
    double position[2] = {0.0, 0.0};
    int action = -1;
    int delta[2] = {0, 0};
};

State& Global() {
    static State* state = new State;
    return *state;
}

void ResetAxisState() {
    Global() = State();
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetAxisState);

}  // namespace

EventBus::Registration AxisBar::AddObserver(const Safe::XPtr<EventObserver<AxisEvent>>& observer) {
    return BusOf<AxisEvent>().Add(observer);
}

void AxisBar::NotifyObservers(AxisEvent code) {
    BusOf<AxisEvent>().Notify(code);
}

void AxisBar::SetMode(const int& mode) {
    Global().mode = mode;
}

int AxisBar::GetMode() {
    return Global().disabled != 0 ? kNone : Global().mode;
}

void AxisBar::SetDisabled(const int& flag) {
    Global().disabled = flag;
}

void AxisBar::SetCursorPosition(const double position[2]) {
    Global().inside = true;
    Global().position[0] = position[0];
    Global().position[1] = position[1];
    NotifyObservers(AxisEvent::kCursorMoved);
}

void AxisBar::SetCursorInside(const bool& inside) {
    Global().inside = inside;
    NotifyObservers(AxisEvent::kCursorMoved);
}

void AxisBar::PublishMouseAction(const int& action, const int delta[2]) {
    Global().action = action;
    Global().delta[0] = delta[0];
    Global().delta[1] = delta[1];
    NotifyObservers(AxisEvent::kAxisActionChanged);
}

bool AxisBar::CursorInside() {
    return Global().inside;
}
double AxisBar::CursorX() {
    return Global().position[0];
}
double AxisBar::CursorY() {
    return Global().position[1];
}
int AxisBar::MouseAction() {
    return Global().action;
}
int AxisBar::MouseDeltaX() {
    return Global().delta[0];
}
int AxisBar::MouseDeltaY() {
    return Global().delta[1];
}

void AxisResizing::SetLayer(const Layer::Ptr& layer) {
    layer_ = layer;
    dragging_ = false;
    const LayerCurve::Ptr curves = Safe::DynamicCast<LayerCurve>(layer);
    frame_ = curves ? curves->GetFrame() : nullptr;
}

bool AxisResizing::OnButtonDown(int x, int y, unsigned) {
    const int mode = AxisBar::GetMode();
    if (!frame_ || mode < AxisBar::kZoom || mode > AxisBar::kShift || dragging_) return true;
    dragging_ = true;
    startX_ = x;
    startY_ = y;
    return true;
}

bool AxisResizing::OnMouseMove(int x, int y, unsigned) {
    if (!frame_) return true;
    if (dragging_) DrawBand(AxisBar::GetMode(), x, y);
    const double position[2] = {frame_->PixelToX(x), frame_->PixelToY(y)};
    AxisBar::SetCursorPosition(position);
    return true;
}

bool AxisResizing::OnButtonUp(int x, int y, unsigned) {
    if (!frame_ || !dragging_) return true;
    endX_ = x;
    endY_ = y;
    dragging_ = false;
    switch (AxisBar::GetMode()) {
        case AxisBar::kZoom: ApplyZoom(); break;
        case AxisBar::kShrink: ApplyShrink(); break;
        case AxisBar::kShift: ApplyShift(); break;
        default: break;
    }
    startX_ = startY_ = endX_ = endY_ = -1;
    return true;
}

void AxisResizing::DrawBand(int mode, int x, int y) {
    if (!band_ || startX_ == -1) return;
    auto draw = [&](int toX, int toY) {
        if (mode == AxisBar::kShift)
            band_->Line(startX_, startY_, toX, toY);
        else if (mode == AxisBar::kZoom || mode == AxisBar::kShrink)
            band_->Rectangle(startX_, startY_, toX, toY);
    };
    if (endX_ != -1) draw(endX_, endY_);  // erases the previous band
    draw(x, y);
    endX_ = x;
    endY_ = y;
}

void AxisResizing::Apply(const Rect& limits) {
    if (layer_) layer_->SetLimits(limits);
    if (resize_) resize_->Execute(0);
}

void AxisResizing::Change(const Rect& limits) {
    previous_ = frame_->GetLimits();
    Apply(limits);
}

void AxisResizing::ApplyZoom() {
    if (!frame_ || startX_ == endX_ || startY_ == endY_) return;
    const double x0 = frame_->PixelToX(startX_), x1 = frame_->PixelToX(endX_);
    const double y0 = frame_->PixelToY(startY_), y1 = frame_->PixelToY(endY_);
    Change({std::min(x0, x1), std::min(y0, y1), std::fabs(x1 - x0), std::fabs(y1 - y0)});
}

void AxisResizing::ApplyShrink() {
    if (!frame_ || startX_ == endX_ || startY_ == endY_) return;
    const int left = std::min(startX_, endX_), right = std::max(startX_, endX_);
    const int top = std::min(startY_, endY_), bottom = std::max(startY_, endY_);
    const Rect l = frame_->GetLimits();
    const PixelRect& p = frame_->PlotArea();
    double x, xEnd, y, yEnd;
    if (frame_->GetScale(0) == Frame::kLog10) {
        const double d = (std::log10(l.x + l.width) - std::log10(l.x)) / (right - left);
        x = l.x * std::pow(10.0, -(left - p.x) * d);
        xEnd = (l.x + l.width) * std::pow(10.0, (p.x + p.width - right) * d);
    } else {
        const double s = l.width / (right - left);
        x = l.x - (left - p.x) * s;
        xEnd = l.x + l.width + (p.x + p.width - right) * s;
    }
    if (frame_->GetScale(1) == Frame::kLog10) {
        const double d = (std::log10(l.y + l.height) - std::log10(l.y)) / (bottom - top);
        y = l.y * std::pow(10.0, -(p.y + p.height - bottom) * d);
        yEnd = (l.y + l.height) * std::pow(10.0, (top - p.y) * d);
    } else {
        const double s = l.height / (bottom - top);
        y = l.y - (p.y + p.height - bottom) * s;
        yEnd = l.y + l.height + (top - p.y) * s;
    }
    Change({x, y, xEnd - x, yEnd - y});
}

void AxisResizing::ApplyShift() {
    if (!frame_ || (startX_ == endX_ && startY_ == endY_)) return;
    const Rect l = frame_->GetLimits();
    const PixelRect& p = frame_->PlotArea();
    Rect moved = l;
    if (frame_->GetScale(0) == Frame::kLog10) {
        const double d =
            (std::log10(l.x + l.width) - std::log10(l.x)) * (endX_ - startX_) / p.width;
        const double f = std::pow(10.0, -d);
        moved.x = f * l.x;
        moved.width = f * (l.x + l.width) - moved.x;
    } else {
        moved.x = l.x - (frame_->PixelToX(endX_) - frame_->PixelToX(startX_));
    }
    if (frame_->GetScale(1) == Frame::kLog10) {
        const double d =
            (std::log10(l.y + l.height) - std::log10(l.y)) * (endY_ - startY_) / p.height;
        const double f = std::pow(10.0, d);
        moved.y = f * l.y;
        moved.height = f * (l.y + l.height) - moved.y;
    } else {
        moved.y = l.y - (frame_->PixelToY(endY_) - frame_->PixelToY(startY_));
    }
    Change(moved);
}

void AxisResizing::RestorePreviousLimits() {
    if (!frame_) return;
    const Rect back = previous_;
    previous_ = frame_->GetLimits();
    Apply(back);
}

namespace {

// One axis of fitted limits: a zero extent widened to 1, and with margins 2.5 % of the extent
// added on both sides (from the extent, not the offset: data at 1000 to 1001 stays in view). On
// Log10 the same in decades; a range that is not all positive has no place there.
bool FitAxis(double& low, double& extent, bool log, bool margins) {
    if (log) {
        if (!(low > 0.0) || !(low + extent > 0.0)) return false;
        double a = std::log10(low), e = std::log10(low + extent) - a;
        if (!FitAxis(a, e, false, margins)) return false;
        low = std::pow(10.0, a);
        extent = std::pow(10.0, a + e) - low;
        return std::isfinite(extent) && low > 0.0 && extent > 0.0;
    }
    if (extent == 0.0) {
        low -= 0.5;
        extent = 1.0;
    }
    if (margins) {
        low -= 0.025 * extent;
        extent *= 1.05;
    }
    return true;
}

}  // namespace

bool AxisResizing::FittedLimits(const Rect& bounds, Rect& limits, int xScale, int yScale) {
    for (double v : {bounds.x, bounds.y, bounds.width, bounds.height})
        if (!std::isfinite(v)) return false;
    limits = bounds;
    return FitAxis(limits.x, limits.width, xScale == Frame::kLog10, false) &&
           FitAxis(limits.y, limits.height, yScale == Frame::kLog10, true);
}

void AxisResizing::FitLimits(const Rect& bounds) {
    Rect fitted;
    if (frame_ && FittedLimits(bounds, fitted, frame_->GetScale(0), frame_->GetScale(1)))
        Change(fitted);
}

}  // namespace Winplus
