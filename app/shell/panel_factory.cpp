#include "app/shell/panel_factory.h"

#include <iterator>

#include "app/selectors/capsule_selector.h"
#include "app/explorers/comments_leaf.h"
#include "app/explorers/curves_leaf.h"
#include "app/explorers/data_explorer.h"
#include "app/explorers/definition_panel.h"
#include "app/selectors/formula_bar.h"
#include "app/selectors/function_selector.h"
#include "app/explorers/layers_leaf.h"
#include "app/explorers/math_tree.h"
#include "app/views/modify_panel.h"
#include "app/views/page_leaves.h"
#include "app/explorers/parameter_leaves.h"
#include "app/selectors/selection_panel.h"
#include "app/shell/view_bar.h"
#include "app/views/view_panel.h"

namespace Core {

namespace {

using Maker = Safe::XPtr<Winplus::Panel> (*)(PanelId, Winplus::Wnd);

template <class Leaf>
Safe::XPtr<Winplus::Panel> MakeLeaf(PanelId, Winplus::Wnd parent) {
    return Safe::MakeX<Leaf>(parent);
}

struct PanelRow {
    PanelId id;
    Maker make;
};

constexpr PanelRow kPanels[] = {
    {PanelId::Selection, MakeLeaf<NodeSelection>},
    {PanelId::MathExplorer, MakeLeaf<MathLeaf>},
    {PanelId::Definition, MakeLeaf<MapLeaf>},
    {PanelId::Parameters, MakeLeaf<NodesLeaf>},
    {PanelId::FunctionSelector, MakeLeaf<FunctionSelector>},
    {PanelId::FormulaEditor, MakeLeaf<FormulaBar>},
    {PanelId::UserFunctionSelector, MakeLeaf<CapsuleSelector>},
    {PanelId::ViewBar, MakeLeaf<ViewBar>},
    {PanelId::Plot, MakeLeaf<ViewLeaf>},
    {PanelId::Comments, MakeLeaf<CommentsLeaf>},
    {PanelId::LayerExplorer, MakeLeaf<LayersLeaf>},
    {PanelId::Properties, MakeLeaf<PropertiesLeaf>},
    {PanelId::DataFiles, MakeLeaf<DataLeaf>},
    {PanelId::Builder, MakeLeaf<BuilderLeaf>},
    {PanelId::Anchors, MakeLeaf<AnchorsLeaf>},
    {PanelId::Adjustment, MakeLeaf<AdjustmentLeaf>},
    {PanelId::Fit, MakeLeaf<FitLeaf>},
    {PanelId::FitParameters, MakeLeaf<ParametersLeaf>},
    {PanelId::Curves, MakeLeaf<CurvesLeaf>},
    {PanelId::Visual, MakeLeaf<VisualLeaf>},
    {PanelId::Modify, MakeLeaf<ModifyLeaf>},
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

Safe::XPtr<Winplus::Panel> MakePanel(PanelId id, Winplus::Wnd parent) {
    const PanelRow* row = RowOf(id);
    return row ? row->make(id, parent) : Safe::XPtr<Winplus::Panel>();
}

}  // namespace Core
