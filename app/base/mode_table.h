#pragma once
// The view modes, one row each: what the view bar's sticker says, the tool core that owns the
// plot, who has the Modify plot's mouse, the tool bar below the axis bar, and the mode's own
// panels in the view panel's left column. The view bar, the view panel, the Modify panel, the
// gestures and the state dump read it; a new mode is a new row.
#include <span>

#include "app/base/panel_ids.h"
#include "modes/mode_bars.h"
#include "modes/tool_core.h"
#include "modes/view_modes.h"

namespace Core {

// A leaf of the view panel and its name in the state dump.
struct ViewPanelLeaf {
    PanelId panel;
    const char* name;
};

// A tool core seen from the table: started once with the reader of the current view mode,
// found, and reset for a new project.
struct ModeToolCore {
    void (*initialize)(ViewModeReader viewMode);
    ToolCore& (*tool)();
    void (*reset)();
};

// Who has the Modify plot's mouse in a mode: the axis tools, the mode's tool while it is switched
// on in its bar, or the mode for as long as it is current.
enum class ModeMouse { kAxisTools, kToolWhenOn, kMode };

struct ViewModeRow {
    ViewModeId id;
    // The view bar's sticker; also the caption of the mode's property page.
    const wchar_t* caption;
    // Null for a mode whose tool is not a ToolCore (View has none, the fit registers its own).
    const ModeToolCore* core;
    ModeMouse mouse;
    ModeBar bar;
    int barHeight;
    // The mode's own leaves of the left column, its property page first; none for View.
    std::span<const ViewPanelLeaf> leaves;
};

// Every mode in the order of the ids, which is the order of the view bar's stickers.
std::span<const ViewModeRow> ViewModeRows();
// The row of a mode, or null for a number that names none.
const ViewModeRow* FindViewMode(int mode);
// The mode whose own leaves hold panel, or null.
const ViewModeRow* ModeOfPanel(PanelId panel);

}  // namespace Core
