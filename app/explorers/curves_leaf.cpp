#include "app/explorers/curves_leaf.h"

#include "app/explorers/curve_explorer.h"
#include "app/explorers/layer_explorer.h"
#include "app/base/wide_text.h"
#include "io/data_set.h"
#include "modes/view_modes.h"

namespace Core {

namespace {

namespace Curves = CurveExplorer;

// The commands' identifiers are the layer explorer's.
using LayerExplorer::kAddCurve, LayerExplorer::kRemoveCurve, LayerExplorer::kAddFile,
    LayerExplorer::kRemoveFileCurve, LayerExplorer::kSaveComplex, LayerExplorer::kSaveImaginary;

constexpr Explorer::MenuEntry kLayerMenu[] = {{kAddCurve, "Add Curve"}, {kAddFile, "Add File"}};

// The tree of the flat item list: layers under the root, curves under the layer before them.
Explorer::Item TreeOf(const std::vector<Curves::Item>& items) {
    Explorer::Item root{"Layers", Curves::kRootItem, {}};
    for (const Curves::Item& item : items) {
        const Explorer::Item made{Narrow(item.text), item.kind, {}};
        if (item.kind == Curves::kToolLayerItem || item.kind == Curves::kUserLayerItem)
            root.children.push_back(made);
        else if (item.kind != Curves::kRootItem && !root.children.empty())
            root.children.back().children.push_back(made);
    }
    return root;
}

}  // namespace

ControlCurves::ControlCurves(HWND parent, int id)
    : ExplorerTree(parent, id),
      layerMenu_(kLayerMenu),
      // The curve menus are the layer explorer's.
      curveMenu_(LayerExplorer::kCurveMenu, {LayerExplorer::kSaveMenu}),
      fileCurveMenu_(LayerExplorer::kFileCurveMenu) {
    SetImages(Curves::kImageBitmaps);
    Observe<ViewEvent>([this](ViewEvent code) {
        if (Curves::RefillsOn(code)) Refill();
    });
    Refill();
}

void ControlCurves::Refill() {
    // The layers open too: their curves are what the user picks.
    for (HTREEITEM layer = GetChild(Fill(TreeOf(Curves::TreeItems()))); layer;
         layer = GetNextSibling(layer))
        Expand(layer);
}

void ControlCurves::SelectionStep() {
    const Explorer::Selected selected = GetSelected();
    Curves::Select(selected.kind, Wide(selected.text));
}

void ControlCurves::OnSelectionChanged() {
    SelectionStep();
}

const ContextMenu* ControlCurves::MenuOf(int kind) const {
    switch (Curves::MenuOf(kind)) {
        case Curves::Menu::kLayer: return &layerMenu_;
        case Curves::Menu::kCurve:
        case Curves::Menu::kToolCurve:
            EnableMenuItem(
                curveMenu_.Handle(), kRemoveCurve,
                MF_BYCOMMAND |
                    (Curves::MenuOf(kind) == Curves::Menu::kCurve ? MF_ENABLED : MF_GRAYED));
            return &curveMenu_;
        case Curves::Menu::kFileCurve: return &fileCurveMenu_;
        default: return nullptr;
    }
}

bool ControlCurves::BeginLabelEdit(const Explorer::Selected& item) {
    return Curves::MayEditLabel(item.kind, Wide(item.text)) &&
           labelEdit_.Begin(item.kind, item.text);
}

bool ControlCurves::EndLabelEdit(const Explorer::Selected& item, const std::string& oldName,
                                 const std::string& newName) {
    return Curves::Rename(item.kind, Wide(oldName), Wide(newName));
}

void ControlCurves::Command(int id) {
    HTREEITEM selected = GetSelection();
    const Explorer::Selected item = GetSelected();
    if (id >= kSaveComplex && id <= kSaveImaginary) {
        if (const auto& curve = ViewModeState::GetCurrentCurve())
            DataSet::SaveDataFile(GetParent(Handle()), curve, id - kSaveComplex);
        return;
    }
    const bool onLayer = item.kind == Curves::kUserLayerItem;
    if ((id == kAddCurve && onLayer && Curves::AddCurve()) ||
        (id == kAddFile && onLayer && Curves::AddFile())) {
        // The announcement may have refilled the tree already: find the layer again.
        HTREEITEM layer = Find(item.text, item.kind);
        if (!layer) return;
        DeleteChildren(layer);
        for (const Curves::Item& child :
             Curves::LayerChildren(ViewModeState::GetUserCurves(), false))
            Insert({Narrow(child.text), child.kind, {}}, layer);
        Expand(layer);
        SelectItem(layer);
        SelectionStep();
        return;
    }
    const bool removable = (id == kRemoveCurve && item.kind == Curves::kUserCurveItem) ||
                           (id == kRemoveFileCurve && item.kind == Curves::kUserFileCurveItem);
    if (removable && Curves::Remove(item.kind, Wide(item.text))) {
        DeleteItem(selected);
        SelectionStep();
    }
}

CurvesLeaf::CurvesLeaf(Winplus::Wnd parent)
    : ExplorerLeaf("CurvesClass", parent, L"Curve Explorer",
                   [](HWND window) { return Safe::MakeX<ControlCurves>(window, 0); }) {}

}  // namespace Core
