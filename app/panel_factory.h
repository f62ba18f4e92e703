#pragma once
// The docked panels of the main window, made by id: the top controller lists ids, the factory
// knows which class each id is and what its caption says.
#include "winplus/panel.h"

namespace Core {

enum class PanelId {
    Selection,
    MathExplorer,
    Definition,
    Parameters,
    FunctionSelector,
    FormulaEditor,
    UserFunctionSelector,
    ViewBar,
    Plot,
    Comments,
    LayerExplorer,
    Properties,
    DataFiles,
    // The view panel's leaves: the tool modes' panels, the fit's, and the two plots'.
    Builder,
    Anchors,
    Adjustment,
    Fit,
    FitParameters,
    Curves,
    Visual,
    Modify,
};

// The caption of a panel.
const wchar_t* PanelCaption(PanelId id);

// A new panel of that id in parent.
Safe::XPtr<Winplus::Panel> MakePanel(PanelId id, Winplus::Wnd parent);

}  // namespace Core
