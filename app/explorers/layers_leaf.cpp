#include "app/explorers/layers_leaf.h"

#include "app/explorers/layer_explorer.h"
#include "winplus/file_dialogs.h"

namespace Core {

namespace {

// The check boxes take effect only when the style is given after the tree was made.
constexpr DWORD kCheckBoxStyle =
    WS_CHILD | WS_VISIBLE | TVS_CHECKBOXES | TVS_EDITLABELS | TVS_HASLINES | TVS_HASBUTTONS;

}  // namespace

ControlLayers::ControlLayers(HWND parent, int id)
    : ExplorerTree(parent, id),
      rootMenu_(LayerExplorer::kRootMenu),
      layerMenu_(LayerExplorer::kLayerMenu,
                 {LayerExplorer::kDisplayMenu, LayerExplorer::kSaveCurvesMenu}),
      curveMenu_(LayerExplorer::kCurveMenu, {LayerExplorer::kSaveMenu}),
      fileCurveMenu_(LayerExplorer::kFileCurveMenu) {
    SetWindowLongPtrA(Handle(), GWL_STYLE, kCheckBoxStyle);
    SetImages(LayerExplorer::kBitmaps);
    SetStateImages(LayerExplorer::kStateBitmaps);
    Observe<LayerEvent>([this](LayerEvent code) {
        if (code == LayerEvent::kLayersReplaced) Rebuild();
    });
    Rebuild();
}

void ControlLayers::Rebuild() {
    HTREEITEM root = Fill(LayerExplorer::Tree());
    ResetChecks(root);
    for (HTREEITEM layer = GetChild(root); layer; layer = GetNextSibling(layer)) Expand(layer);
}

void ControlLayers::ResetChecks(HTREEITEM item) {
    for (; item; item = GetNextSibling(item)) {
        if (GetItemImage(item) >= LayerExplorer::kCurveKind)
            SetCheck(item, false);
        else
            RemoveCheck(item);
        ResetChecks(GetChild(item));
    }
}

void ControlLayers::RefillLayer(HTREEITEM layer) {
    DeleteChildren(layer);
    for (const Explorer::Item& child : LayerExplorer::LayerItem(GetItemText(layer)).children)
        SetCheck(Insert(child, layer), false);
    Expand(layer);
}

std::vector<bool> ControlLayers::SelectedTicks() const {
    std::vector<bool> ticks;
    HTREEITEM selected = GetSelection();
    if (GetItemImage(selected) != LayerExplorer::kLayerKind) return ticks;
    for (HTREEITEM child = GetChild(selected); child; child = GetNextSibling(child))
        ticks.push_back(IsChecked(child));
    return ticks;
}

void ControlLayers::SelectionStep() {
    LayerExplorer::Select(GetSelected());
}

void ControlLayers::OnSelectionChanged() {
    SelectionStep();
}

const ContextMenu* ControlLayers::MenuOf(int kind) const {
    switch (kind) {
        case Explorer::kRootKind: return &rootMenu_;
        case LayerExplorer::kLayerKind:
            EnableMenuItem(
                layerMenu_.Handle(), LayerExplorer::kDisplayMenuPosition,
                MF_BYPOSITION | (LayerExplorer::DisplayTypesEnabled() ? MF_ENABLED : MF_GRAYED));
            return &layerMenu_;
        case LayerExplorer::kCurveKind: return &curveMenu_;
        case LayerExplorer::kFileCurveKind: return &fileCurveMenu_;
        default: return nullptr;
    }
}

bool ControlLayers::EndLabelEdit(const Explorer::Selected& item, const std::string& oldName,
                                 const std::string& newName) {
    return LayerExplorer::Rename(item, oldName, newName);
}

void ControlLayers::Command(int id) {
    LayerExplorer::Context context{GetParent(Handle()), GetSelected(), SelectedTicks(),
                                   [](std::string& folder) { return Winplus::PickFolder(folder); }};
    const LayerExplorer::Result result = LayerExplorer::Command(id, context);
    HTREEITEM selected = GetSelection();
    switch (result.change) {
        case LayerExplorer::TreeChange::kNone: return;
        case LayerExplorer::TreeChange::kAddLayerItem: {
            HTREEITEM layer = Insert(LayerExplorer::LayerItem(result.name), GetRoot());
            ResetChecks(layer);
            Expand(layer);
            SelectionStep();
            Expand(GetRoot());
            break;
        }
        case LayerExplorer::TreeChange::kRefillLayer:
            RefillLayer(selected);
            SelectionStep();
            break;
        case LayerExplorer::TreeChange::kDeleteItem:
            DeleteItem(selected);
            SelectionStep();
            break;
        case LayerExplorer::TreeChange::kSetChecks:
            for (HTREEITEM child = GetChild(selected); child; child = GetNextSibling(child))
                SetCheck(child, result.ticked);
            break;
        case LayerExplorer::TreeChange::kRebuild:
            SelectionStep();
            Rebuild();
            break;
        case LayerExplorer::TreeChange::kContentsOnly: break;
    }
    LayerExplorer::Announce();
}

LayersLeaf::LayersLeaf(Winplus::Wnd parent)
    : ExplorerLeaf("LayersClass", parent, L"Layer Explorer",
                   [](HWND window) { return Safe::MakeX<ControlLayers>(window, 0); }) {}

}  // namespace Core
