#pragma once
// The view panel below the view bar: a left column with the tool panels (Builder, Anchors,
// Adjustment, Auto-Fit and its parameters, Curve Explorer, Visual) beside a right column with
// the View plot over the Modify plot. Each view mode shows its own panels (app/mode_leaves.h).
#include "app/mode_leaves.h"
#include "foundation/event_bus.h"
#include "winplus/panel.h"

namespace Core {

class ViewPanel : public Winplus::HPanel {
public:
    explicit ViewPanel(Winplus::Wnd parent);

    // Shows the panels of the mode and lays the panel out again.
    void OnModeChanged(const int& mode);

    const Safe::XPtr<Winplus::Panel>& Leaf(ModeLeaf leaf) const {
        return leaves_[static_cast<int>(leaf)];
    }
    const Safe::XPtr<Winplus::PanelContainer>& LeftColumn() const { return left_; }
    const Safe::XPtr<Winplus::PanelContainer>& RightColumn() const { return right_; }

private:
    Safe::XPtr<Winplus::PanelContainer> left_, right_;
    Safe::XPtr<Winplus::Panel> leaves_[kModeLeafCount];
    EventBus::Registration modeObserver_;
};

}  // namespace Core
