#pragma once
// Every panel of the main window by one id: the docked leaves, which the panel factory makes, the
// view panel's leaves, and the main panel with its three columns, which the panel registry finds.
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
    // The view panel's leaves: the modes' own panels, the Curve Explorer, the Visual panel and the
    // Modify plot.
    Builder,
    Anchors,
    Adjustment,
    Fit,
    FitParameters,
    Curves,
    Visual,
    Modify,
    // The containers: the main panel and its left, centre and right columns.
    MainPanel,
    LeftColumn,
    CentreColumn,
    RightColumn,
};
inline constexpr int kPanelIdCount = static_cast<int>(PanelId::RightColumn) + 1;

inline constexpr int IndexOf(PanelId id) {
    return static_cast<int>(id);
}

// The caption of a leaf; a mode's property page has its mode's, a container none.
const wchar_t* PanelCaption(PanelId id);

}  // namespace Core
