#pragma once
// What the vertical tool bars of the adjust, anchor and builder tools do, without windows: the
// command of each button, and the buttons' states that follow their core's own list (anchor
// bar: kToolAnchorsChanged, builder bar: kToolNodeSet) or the fit bus (fit bar:
// FitEvent::kFitStarted, FitEvent::kFitEnded). The Windows bars apply these states to their
// buttons.
#include <vector>

#include "foundation/event_codes.h"
#include "winplus/button_machine.h"

namespace Core {

// The tool bar of a view mode, below the Modify plot's axis bar; none in the View mode.
enum class ModeBar { kNone, kBuilder, kAnchor, kAdjust, kFit };
inline constexpr int kModeBarCount = static_cast<int>(ModeBar::kFit) + 1;

enum ModeBarButton {
    kResizingButton = 110,  // "Resizing mode", every bar
    kAddFunctionButton = 140,
    kEnableAnchorsButton = 150,  // anchor bar
    kNoForceButton = 151,
    kEqualForceButton = 152,
    kGapForceButton = 153,
    kRatioForceButton = 154,
    kAdjustAnchorsButton = 160,  // "Enable anchors" of the adjust bar
    kStartFitButton = 170,       // fit bar
    kStopFitButton = 171,
    kTransferButton = 172,
};

struct BarButton {
    int id = 0;
    int state = Winplus::kNormal;  // kNormal, kDisabled or kChecked
    bool operator==(const BarButton&) const = default;
};

// A button's command (other ids are ignored); always true, as a bar command answers.
bool AdjustBarCommand(int id);
bool AnchorBarCommand(int id);
bool BuilderBarCommand(int id);
// Start, stop or transfer the fit (the bar then disables "Transfert optimized parameters").
bool FitBarCommand(int id);

// The anchor bar after kToolAnchorsChanged: with anchors, "Enable anchors" checked while the tool
// has the mouse, else unchecked with "Resizing mode" checked; without, disabled. The force buttons
// are enabled, the current force checked, for a current half-width anchor only; else disabled.
std::vector<BarButton> AnchorBarStates();
// The builder bar after kToolNodeSet: the tool back to "Resizing mode" (checked), "Add function"
// enabled only while the builder node is a list node.
std::vector<BarButton> BuilderBarOnNodeSet();
// The fit bar after FitEvent::kFitStarted (only "Stop optimization" enabled) and
// FitEvent::kFitEnded ("Stop optimization" only disabled); nothing for other codes.
std::vector<BarButton> FitBarOnFitEvent(FitEvent code);

}  // namespace Core
