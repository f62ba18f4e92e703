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

struct PanelKind {
    PanelId id;
    const wchar_t* caption;
    Maker make;
};

constexpr PanelKind kPanels[] = {
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
    {PanelId::Builder, L"Builder", MakeLeaf<BuilderLeaf>},
    {PanelId::Anchors, L"Anchors", MakeLeaf<AnchorsLeaf>},
    {PanelId::Adjustment, L"Adjustment", MakeLeaf<AdjustmentLeaf>},
    {PanelId::Fit, L"Auto-Fit", MakeLeaf<FitLeaf>},
    {PanelId::FitParameters, L"Parameters", MakeLeaf<ParametersLeaf>},
    {PanelId::Curves, L"Curve Explorer", MakeLeaf<CurvesLeaf>},
    {PanelId::Visual, L"Visual", MakeLeaf<VisualLeaf>},
    {PanelId::Modify, L"Modify", MakeLeaf<ModifyLeaf>},
};

constexpr bool InIdOrder() {
    for (int i = 0; i < static_cast<int>(std::size(kPanels)); ++i)
        if (kPanels[i].id != static_cast<PanelId>(i)) return false;
    return static_cast<int>(std::size(kPanels)) == static_cast<int>(PanelId::Modify) + 1;
}
static_assert(InIdOrder(), "one row per panel id, in the order of the ids");

const PanelKind& KindOf(PanelId id) {
    return kPanels[static_cast<int>(id)];
}

}  // namespace

const wchar_t* PanelCaption(PanelId id) {
    return KindOf(id).caption;
}

Safe::XPtr<Winplus::Panel> MakePanel(PanelId id, Winplus::Wnd parent) {
    return KindOf(id).make(id, parent);
}

}  // namespace Core
