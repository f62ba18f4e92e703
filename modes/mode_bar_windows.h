#pragma once
// The vertical tool bars of the Modify plot: the adjust, anchor and builder tools' bars, whose
// buttons give the mouse to the tool or back to the axis tools and choose the current anchor's
// force, and the fit bar's start, stop and transfer. Each keeps its buttons in step with what
// its core announces (anchor bar kToolAnchorsChanged, builder bar kToolNodeSet, fit bar
// FitEvent::kFitStarted and FitEvent::kFitEnded).
#include <functional>
#include <initializer_list>
#include <string>

#include "foundation/event_bus.h"
#include "modes/mode_bars.h"
#include "winplus/button_bar.h"

namespace Core {

// One button of a bar, top to bottom: a separator (kind kSeparatorButton, 22 x 6), or a push
// or check button of 22 x 22 with its command id, tooltip, check group and first state.
struct BarButtonRow {
    int kind = Winplus::kSeparatorButton;
    int bitmap = 0;
    int id = 0;
    const char* tooltip = "";
    int group = -1;
    int state = Winplus::kNormal;
};

// What every mode bar shares: the tool bar window, its command and the observer's registration.
class ModeToolBar : public Safe::Countable {
public:
    static constexpr int kWidth = 22;

    void MoveWindow(int x, int y, int width, int height);
    void Repaint();
    void Show(const bool& show);
    HWND Handle() const { return toolBar_->Controller()->Handle(); }
    // -1 when the bar has no button of that id.
    int GetButtonState(int id) const { return toolBar_->Controller()->GetButtonState(id); }
    // The buttons' height: the bar takes no more.
    int Height() const;

protected:
    ModeToolBar(Winplus::Wnd parent, std::initializer_list<BarButtonRow> buttons,
                std::function<bool(int)> command);
    // Enabled, disabled or checked, button by button in order.
    void Apply(const std::vector<BarButton>& states);
    void Follow(EventBus::Registration registration) { registration_ = std::move(registration); }

private:
    Safe::XPtr<Winplus::ToolBar> toolBar_;
    EventBus::Registration registration_;
};

// "Resizing mode" and "Enable anchors".
class AdjustBar : public ModeToolBar {
public:
    explicit AdjustBar(Winplus::Wnd parent);
};

// "Resizing mode", "Enable anchors" and the four forces of the current half-width anchor.
class AnchorBar : public ModeToolBar {
public:
    explicit AnchorBar(Winplus::Wnd parent);
};

// "Resizing mode" and "Add function".
class BuilderBar : public ModeToolBar {
public:
    explicit BuilderBar(Winplus::Wnd parent);
};

// "Start optimization", "Stop optimization" and "Transfert optimized parameters".
class FitBar : public ModeToolBar {
public:
    explicit FitBar(Winplus::Wnd parent);
};

// A new bar of that kind in parent; none for ModeBar::kNone.
Safe::XPtr<ModeToolBar> MakeModeBar(ModeBar bar, Winplus::Wnd parent);

}  // namespace Core
