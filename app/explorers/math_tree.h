#pragma once
// The "Math Explorer" panel: the project's models under "Models", each with its definitions;
// picking an item makes its model and definition current, and its menus add, load, save, rename
// and remove models and definitions.
#include "app/explorers/explorer_leaf.h"
#include "app/explorers/math_explorer.h"

namespace Core {

class ControlMath : public ExplorerTree {
public:
    ControlMath(HWND parent, int id);
    // The items of the model set again, the current definition's (or model's) selected.
    void Refill();
    void Command(int id) override;

protected:
    const ContextMenu* MenuOf(int kind) const override;
    void OnSelectionChanged() override;
    bool EndLabelEdit(const Explorer::Selected& item, const std::string& oldName,
                      const std::string& newName) override;

private:
    ContextMenu rootMenu_{MathExplorer::kRootMenu};
    ContextMenu modelMenu_{MathExplorer::kModelMenu};
    ContextMenu definitionMenu_{MathExplorer::kDefinitionMenu};
};

class MathLeaf : public ExplorerLeaf<ControlMath> {
public:
    explicit MathLeaf(Winplus::Wnd parent);
};

}  // namespace Core
