#include "app/views/modify_panel.h"

#include <d2d1.h>

#include <utility>

#include "app/base/mode_table.h"
#include "app/base/window_layout.h"
#include "foundation/event_bus.h"
#include "modes/fit_core.h"
#include "modes/view_modes.h"
#include "plot/d2d_canvas.h"
#include "winplus/gdip_draw.h"

namespace Core {

namespace {

// After an axis tool changed the limits: every plot of the modes repaints.
class ResizeCmd : public Winplus::Command {
public:
    bool Execute(const int&) override {
        ViewModeState::NotifyAll(ViewEvent::kViewMathPathChanged);
        return true;
    }
};

// The tool layer is drawn in the user layer's frame.
void FollowLimits(Winplus::LayerCurve& tool, const Winplus::LayerCurve& user) {
    if (!(tool.GetLimits() == user.GetLimits())) tool.SetLimits(user.GetLimits());
}

// The tool core of a mode; none for View and the fit.
ToolCore* ToolOfMode(int mode) {
    const ViewModeRow* row = FindViewMode(mode);
    return row && row->core ? &row->core->tool() : nullptr;
}

class AxisCmd : public Winplus::Command {
public:
    explicit AxisCmd(ModifyController* owner) : owner_(owner) {}
    bool Execute(const int& code) override { return owner_->ExecuteAxisCommand(code); }

private:
    ModifyController* owner_;  // owns the bar that holds this command
};

}  // namespace

ModifyController::ModifyController() : LeafController(L"Modify") {}

ModifyController::~ModifyController() = default;

bool ModifyController::OnCreate() {
    LeafController::OnCreate();
    resizing_ = Safe::MakeX<Winplus::AxisResizing>(Safe::MakeX<WindowBand>(Handle()));
    resizing_->SetResizeCommand(Safe::MakeX<ResizeCmd>());
    Reattach();
    mouse_ = std::make_unique<ModifyMouse>(resizing_);
    Observe(BusOf<ModelEvent>(),
            MakeObserver<ModelEvent>([this](ModelEvent c) { OnModelEvent(c); }));
    Observe(BusOf<ViewEvent>(), MakeObserver<ViewEvent>([this](ViewEvent c) { OnViewEvent(c); }));
    axisBar_ = Safe::MakeX<Winplus::AxisToolBar>(Window());
    axisBar_->SetCommand(Safe::MakeX<AxisCmd>(this));
    for (int bar = 0; bar < kModeBarCount; ++bar)
        bars_[static_cast<std::size_t>(bar)] = MakeModeBar(static_cast<ModeBar>(bar), Window());
    FitCore::CreateOptimizer(Safe::MakeX<Optimize::WindowStepSink>(Handle()));
    SetBarsForMode();
    return false;
}

ModeToolBar* ModifyController::BarOf(ModeBar bar) const {
    return bars_[static_cast<std::size_t>(bar)].Get();
}

void ModifyController::OnModelEvent(ModelEvent code) {
    if (ViewModeState::GetMode() == kViewMode) return;
    if (code == ModelEvent::kParametersChanged || code == ModelEvent::kDefinitionEdited)
        RedrawCurves();
}

void ModifyController::OnViewEvent(ViewEvent code) {
    // Entering mode 0 still hides the bars and gives the mouse back to the axis tools, which
    // every plot shares.
    if (ViewModeState::GetMode() == kViewMode && code != ViewEvent::kViewModeChanged) return;
    switch (code) {
        case ViewEvent::kViewModelCurveUpdated:
        case ViewEvent::kViewAnchorsChanged: RedrawCurves(); break;
        case ViewEvent::kViewDataSetChanged:
            Reattach();
            Repaint();
            break;
        case ViewEvent::kViewModeChanged:
            Reattach();
            SetBarsForMode();
            Repaint();
            break;
        case ViewEvent::kViewLimitsChanged:
            if (const auto layer = ViewModeState::GetUserCurves()) layer->RefreshAll();
            Repaint();
            break;
        case ViewEvent::kViewMathPathChanged:
        case ViewEvent::kViewCurveChanged: Repaint(); break;
        default: break;
    }
}

void ModifyController::Reattach() {
    resizing_->SetLayer(ViewModeState::GetUserCurves());
}

void ModifyController::SetBarsForMode() {
    const int mode = ViewModeState::GetMode();
    const ModeBar shown = BarOfMode(mode);
    for (int bar = 0; bar < kModeBarCount; ++bar)
        if (ModeToolBar* window = BarOf(static_cast<ModeBar>(bar)))
            window->Show(static_cast<ModeBar>(bar) == shown);
    ToolCore* tool = ToolOfMode(mode);
    const bool on = tool && tool->HoldsMouse();
    HandMouseForMode(mode, on);
    if (tool && on) tool->Notify(kToolTookMouse);
}

void ModifyController::Render(
    const std::function<void(ID2D1RenderTarget&, const Winplus::PixelRect&)>& draw) {
    if (!IsWindowVisible(Handle())) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    // Below the caption, which stays GDI+'s.
    const RECT area{0, kViewCaptionHeight, client.right, client.bottom};
    target_.Render(Handle(), area, [&](ID2D1RenderTarget& target) {
        draw(target, {0, 0, static_cast<int>(client.right), static_cast<int>(client.bottom)});
    });
    RedrawBars();
}

void ModifyController::RedrawBars() {
    const auto redraw = [](HWND bar) {
        RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    };
    if (axisBar_) redraw(axisBar_->Handle());
    if (ModeToolBar* bar = BarOf(BarOfMode(ViewModeState::GetMode()))) redraw(bar->Handle());
}

void ModifyController::Repaint() {
    Render([](ID2D1RenderTarget& target, const Winplus::PixelRect& client) {
        Winplus::D2DCanvas canvas(&target);
        canvas.Rectangle(client, Winplus::ButtonFace(), true);
        const Winplus::LayerCurve::Ptr user = ViewModeState::GetUserCurves();
        if (!user) return;
        const Winplus::PixelRect plot = PlotGestures::LayerRect(client.width, client.height);
        user->Paint(canvas, plot, true, true);
        if (const Winplus::LayerCurve::Ptr tool = ViewModeState::GetDynamicLayer()) {
            FollowLimits(*tool, *user);
            tool->Paint(canvas, plot, false, false);
        }
    });
}

void ModifyController::RedrawCurves() {
    const Winplus::LayerCurve::Ptr user = ViewModeState::GetUserCurves();
    if (!user) return;
    user->RefreshAll();
    if (const Winplus::LayerCurve::Ptr tool = ViewModeState::GetDynamicLayer()) {
        FollowLimits(*tool, *user);
        tool->RefreshAll();
    }
    // The render target keeps nothing between draws: the whole picture is drawn again.
    Repaint();
}

void ModifyController::Layout(int, int, int width, int, bool) {
    const Winplus::PixelRect axis = AxisBarRect(width);
    if (axisBar_) axisBar_->Place(axis.x, axis.y);
    for (int bar = 0; bar < kModeBarCount; ++bar) {
        const Winplus::PixelRect place = ModeBarRect(static_cast<ModeBar>(bar), width);
        if (ModeToolBar* window = BarOf(static_cast<ModeBar>(bar)))
            window->MoveWindow(place.x, place.y, place.width, place.height);
    }
}

bool ModifyController::OnPaint() {
    LeafController::OnPaint();
    Repaint();
    return true;
}

bool ModifyController::OnNotify(WPARAM wParam, LPARAM lParam) {
    // The worker waits in its send: let it go before the step is handled here.
    if (InSendMessage()) ReplyMessage(1);
    if (wParam != static_cast<WPARAM>(Optimize::Optimizer::kNotifyCode)) return true;
    // A sent notice is handled before any input, and the next step's notice is there again
    // before the queue comes to a click: while the user's input waits (Stop, say), the step is
    // handled on a timer, which comes after the input.
    if (lParam == 0 && HIWORD(GetQueueStatus(QS_INPUT)) != 0) {
        SetTimer(Handle(), kStepTimer, 0, nullptr);
        return true;
    }
    FitCore::OnNotice(static_cast<int>(wParam), lParam);
    return true;
}

bool ModifyController::OnTimer(UINT_PTR id) {
    if (id != kStepTimer) return false;
    KillTimer(Handle(), kStepTimer);
    FitCore::OnNotice(Optimize::Optimizer::kNotifyCode, 0);
    return true;
}

bool ModifyController::OnLButtonDown(int x, int y, unsigned keys) {
    LeafController::OnLButtonDown(x, y, keys);
    RECT client{};
    GetClientRect(Handle(), &client);
    if (!PlotGestures::StartsGesture(y, client.bottom)) return false;
    mouse_->OnLButtonDown(x, y, keys, client.bottom);
    pressing_ = true;
    last_ = {x, y};
    SetCapture(Handle());
    return false;
}

bool ModifyController::OnLButtonUp(int x, int y, unsigned keys) {
    // Before the leaf's handling, which may release the mouse too.
    const bool held = std::exchange(pressing_, false);
    LeafController::OnLButtonUp(x, y, keys);
    mouse_->OnLButtonUp(x, y, keys);
    if (held && GetCapture() == Handle()) ReleaseCapture();
    return false;
}

bool ModifyController::OnCaptureChanged(LPARAM lParam) {
    // The button-up will not come here (another window took the mouse): the drag ends now, so
    // that the tool tells what it moved.
    if (pressing_ && reinterpret_cast<HWND>(lParam) != Handle()) {
        pressing_ = false;
        mouse_->OnLButtonUp(last_.x, last_.y, 0);
    }
    return false;
}

bool ModifyController::OnRButtonDown(int, int y, unsigned) {
    RECT client{};
    GetClientRect(Handle(), &client);
    mouse_->OnRButtonDown(y, client.bottom);
    return false;
}

bool ModifyController::OnMouseMove(int x, int y, unsigned keys) {
    RECT client{};
    GetClientRect(Handle(), &client);
    mouse_->OnMouseMove(x, y, keys, client.right, client.bottom);
    if (pressing_) last_ = {x, y};
    LeafController::OnMouseMove(x, y, keys);
    return false;
}

bool ModifyController::ExecuteAxisCommand(int code) {
    const Winplus::LayerCurve::Ptr layer = ViewModeState::GetUserCurves();
    if (!layer) return true;
    switch (code) {
        case Winplus::AxisBar::kPreviousLimits: resizing_->RestorePreviousLimits(); break;
        case Winplus::AxisBar::kFitAllCurves:
            if (layer->Curves()->Count() + layer->FileCurves()->Count() > 0)
                resizing_->FitLimits(layer->GetCurvesBounds());
            break;
        case Winplus::AxisBar::kFitCurrentCurve:
            if (const auto curve = ViewModeState::GetCurrentCurve())
                resizing_->FitLimits(curve->GetBounds());
            else if (const auto file = ViewModeState::GetCurrentFileCurve())
                resizing_->FitLimits(file->GetBounds());
            break;
        default: break;
    }
    return true;
}

ModifyLeaf::ModifyLeaf(Winplus::Wnd parent) {
    SetController(Safe::MakeX<ModifyController>());
    Winplus::CreatePanelWindow("ModifyClass", parent, controller_);
}

}  // namespace Core
