#include "app/panel_factory.h"

#include <iterator>

#include "app/capsule_selector.h"
#include "app/comments_leaf.h"
#include "app/curves_leaf.h"
#include "app/data_explorer.h"
#include "app/definition_panel.h"
#include "app/formula_bar.h"
#include "app/function_selector.h"
#include "app/layers_leaf.h"
#include "app/math_tree.h"
#include "app/mode_table.h"
#include "app/modify_panel.h"
#include "app/page_leaves.h"
#include "app/parameter_leaves.h"
#include "app/selection_panel.h"
#include "app/view_bar.h"
#include "app/view_panel.h"

namespace Core {

namespace {

using Maker = Safe::XPtr<Winplus::Panel> (*)(PanelId, Winplus::Wnd);

template <class Leaf>
Safe::XPtr<Winplus::Panel> MakeLeaf(PanelId, Winplus::Wnd parent) {
    return Safe::MakeX<Leaf>(parent);
}

struct PanelRow {
    PanelId id;
    const wchar_t* caption;  // null for a mode's property page: its mode's caption
    Maker make;
};

constexpr PanelRow kPanels[] = {
    {PanelId::Selection, L"Selection", MakeLeaf<NodeSelection>},
    {PanelId::MathExplorer, L"Math Explorer", MakeLeaf<MathLeaf>},
    {PanelId::Definition, L"Definition", MakeLeaf<MapLeaf>},
    {PanelId::Parameters, L"Parameters", MakeLeaf<NodesLeaf>},
    {PanelId::FunctionSelector, L"Function Selector", MakeLeaf<FunctionSelector>},
    {PanelId::FormulaEditor, L"Formula Editor", MakeLeaf<FormulaBar>},
    {PanelId::UserFunctionSelector, L"User Function Selector", MakeLeaf<CapsuleSelector>},
    {PanelId::ViewBar, L"View", MakeLeaf<ViewBar>},
    {PanelId::Plot, L"Plot", MakeLeaf<ViewLeaf>},
    {PanelId::Comments, L"Comments", MakeLeaf<CommentsLeaf>},
    {PanelId::LayerExplorer, L"Layer Explorer", MakeLeaf<LayersLeaf>},
    {PanelId::Properties, L"Properties", MakeLeaf<PropertiesLeaf>},
    {PanelId::DataFiles, L"Data Files", MakeLeaf<DataLeaf>},
    {PanelId::Builder, nullptr, MakeLeaf<BuilderLeaf>},
    {PanelId::Anchors, nullptr, MakeLeaf<AnchorsLeaf>},
    {PanelId::Adjustment, nullptr, MakeLeaf<AdjustmentLeaf>},
    {PanelId::Fit, nullptr, MakeLeaf<FitLeaf>},
    {PanelId::FitParameters, L"Parameters", MakeLeaf<ParametersLeaf>},
    {PanelId::Curves, L"Curve Explorer", MakeLeaf<CurvesLeaf>},
    {PanelId::Visual, L"Visual", MakeLeaf<VisualLeaf>},
    {PanelId::Modify, L"Modify", MakeLeaf<ModifyLeaf>},
};

constexpr bool InIdOrder() {
    for (int i = 0; i < static_cast<int>(std::size(kPanels)); ++i)
        if (kPanels[i].id != static_cast<PanelId>(i)) return false;
    return static_cast<int>(std::size(kPanels)) == IndexOf(PanelId::Modify) + 1;
}
static_assert(InIdOrder(), "one row per leaf, in the order of the ids");

// The row of a leaf; null for the containers, which the top controller makes.
const PanelRow* RowOf(PanelId id) {
    return id <= PanelId::Modify ? &kPanels[IndexOf(id)] : nullptr;
}

}  // namespace

const wchar_t* PanelCaption(PanelId id) {
    const PanelRow* row = RowOf(id);
    if (row && row->caption) return row->caption;
    const ViewModeRow* mode = ModeOfPanel(id);
    return mode ? mode->caption : L"";
}

Safe::XPtr<Winplus::Panel> MakePanel(PanelId id, Winplus::Wnd parent) {
    const PanelRow* row = RowOf(id);
    return row ? row->make(id, parent) : Safe::XPtr<Winplus::Panel>();
}

}  // namespace Core
