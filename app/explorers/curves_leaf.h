#pragma once
// The "Curve Explorer" panel of the view panel: the current mode's "User curves" layer and tool
// layer as a tree whose menus add, remove and save curves (app/explorers/curve_explorer.h does the work).
#include "app/explorers/explorer_leaf.h"

namespace Core {

class ControlCurves : public ExplorerTree {
public:
    ControlCurves(HWND parent, int id);

    void Refill();
    void Command(int id) override;
    // The curve menu, whose "Remove" is grayed on the tool layer's curves.
    HMENU CurveMenu() const { return curveMenu_.Handle(); }

protected:
    const ContextMenu* MenuOf(int kind) const override;
    void OnSelectionChanged() override;
    bool BeginLabelEdit(const Explorer::Selected& item) override;
    bool EndLabelEdit(const Explorer::Selected& item, const std::string& oldName,
                      const std::string& newName) override;

private:
    void SelectionStep();

    ContextMenu layerMenu_;
    ContextMenu curveMenu_;
    ContextMenu fileCurveMenu_;
};

using CurvesController = ExplorerController<ControlCurves>;

class CurvesLeaf : public ExplorerLeaf<ControlCurves> {
public:
    explicit CurvesLeaf(Winplus::Wnd parent);
};

}  // namespace Core
