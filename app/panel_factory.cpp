#include "app/panel_factory.h"

#include <iterator>

#include "app/caption_leaf.h"
#include "app/comments_leaf.h"
#include "app/data_explorer.h"
#include "app/math_tree.h"
#include "app/view_panel.h"

namespace Core {

namespace {

using Maker = Safe::XPtr<Winplus::Panel> (*)(PanelId, Winplus::Wnd);

Safe::XPtr<Winplus::Panel> CaptionOnly(PanelId id, Winplus::Wnd parent) {
    return Safe::MakeX<CaptionLeaf>(parent, PanelCaption(id));
}

Safe::XPtr<Winplus::Panel> PlotPanel(PanelId, Winplus::Wnd parent) {
    return Safe::MakeX<ViewLeaf>(parent);
}

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
    {PanelId::Selection, L"Selection", CaptionOnly},
    {PanelId::MathExplorer, L"Math Explorer", MakeLeaf<MathLeaf>},
    {PanelId::Definition, L"Definition", CaptionOnly},
    {PanelId::Parameters, L"Parameters", CaptionOnly},
    {PanelId::FunctionSelector, L"Function Selector", CaptionOnly},
    {PanelId::FormulaEditor, L"Formula Editor", CaptionOnly},
    {PanelId::UserFunctionSelector, L"User Function Selector", CaptionOnly},
    {PanelId::ViewBar, L"View", CaptionOnly},
    {PanelId::Plot, L"Plot", PlotPanel},
    {PanelId::Comments, L"Comments", MakeLeaf<CommentsLeaf>},
    {PanelId::LayerExplorer, L"Layer Explorer", CaptionOnly},
    {PanelId::Properties, L"Properties", CaptionOnly},
    {PanelId::DataFiles, L"Data Files", MakeLeaf<DataLeaf>},
    {PanelId::Builder, L"Builder", CaptionOnly},
    {PanelId::Anchors, L"Anchors", CaptionOnly},
    {PanelId::Adjustment, L"Adjustment", CaptionOnly},
    {PanelId::Fit, L"Auto-Fit", CaptionOnly},
    {PanelId::FitParameters, L"Parameters", CaptionOnly},
    {PanelId::Curves, L"Curve Explorer", CaptionOnly},
    {PanelId::Visual, L"Visual", CaptionOnly},
    {PanelId::Modify, L"Modify", CaptionOnly},
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
