#pragma once
// The view panel below the view bar: a left column with the modes' own panels, the Curve
// Explorer and the Visual panel beside a right column with the View plot over the Modify plot.
// Each view mode shows its own panels (app/views/mode_leaves.h).
#include "app/views/mode_leaves.h"
#include "foundation/event_bus.h"
#include "winplus/panel.h"

namespace Core {

class ViewPanel : public Winplus::HPanel {
public:
    explicit ViewPanel(Winplus::Wnd parent);

    // Shows the panels of the mode and lays the panel out again.
    void OnModeChanged(const int& mode);

    // Empty for a panel that is not one of its leaves.
    const Safe::XPtr<Winplus::Panel>& Leaf(PanelId leaf) const { return leaves_[IndexOf(leaf)]; }
    const Safe::XPtr<Winplus::PanelContainer>& LeftColumn() const { return left_; }
    const Safe::XPtr<Winplus::PanelContainer>& RightColumn() const { return right_; }

private:
    Safe::XPtr<Winplus::PanelContainer> left_, right_;
    std::array<Safe::XPtr<Winplus::Panel>, kPanelIdCount> leaves_;
    EventBus::Registration modeObserver_;
};

}  // namespace Core
