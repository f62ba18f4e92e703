#pragma once
// The "Layer Explorer" panel: a check-box tree of the layer set whose menus add, remove, tick,
// show and save layers and curves (app/explorers/layer_explorer.h does the work).
#include "app/explorers/explorer_leaf.h"
#include "winplus/handles.h"

namespace Core {

class ControlLayers : public ExplorerTree {
public:
    ControlLayers(HWND parent, int id);

    // The whole tree made again from the layer set (LayerEvent::kLayersReplaced): every tick is
    // lost.
    void Rebuild();
    void Command(int id) override;
    // The layer menu, whose display-type sub-menu follows the current layer.
    HMENU LayerMenu() const { return layerMenu_.Handle(); }

protected:
    const ContextMenu* MenuOf(int kind) const override;
    void OnSelectionChanged() override;
    bool EndLabelEdit(const Explorer::Selected& item, const std::string& oldName,
                      const std::string& newName) override;

private:
    // The root and the layers show no check box; curves an unticked one.
    void ResetChecks(HTREEITEM item);
    // A layer item's children made again from its layer.
    void RefillLayer(HTREEITEM layer);
    // The ticks of the selected layer item's children, in order.
    std::vector<bool> SelectedTicks() const;
    void SelectionStep();

    ContextMenu rootMenu_;
    ContextMenu layerMenu_;
    ContextMenu curveMenu_;
    ContextMenu fileCurveMenu_;
};

using LayersController = ExplorerController<ControlLayers>;

class LayersLeaf : public ExplorerLeaf<ControlLayers> {
public:
    explicit LayersLeaf(Winplus::Wnd parent);
};

}  // namespace Core
