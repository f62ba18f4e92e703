#pragma once
// The definition explorer's tree window: the current definition as a tree of its nodes, the
// six context menus on them and the command of the definition tool bar. What each command does
// to the definition is the DefinitionEditor's (app/explorers/definition_edits.h); the window fills itself
// again after every edit and follows the model and data-set buses.
#include "app/explorers/definition_edits.h"
#include "app/explorers/explorer_leaf.h"

namespace Core {

class ControlMap : public ExplorerTree {
public:
    // The definition tool bar's buttons (DefinitionBarCode::kCut to kRedo) act on the tree.
    class MapCommand : public Winplus::Command {
    public:
        explicit MapCommand(ControlMap* owner) : owner_(owner) {}
        bool Execute(const int& code) override;

    private:
        ControlMap* owner_;  // the tree holds this command
    };

    // The tree view, its images and menus, as a child of parent; throws "ImageList
    // initialisation error" when the images are not all there.
    ControlMap(HWND parent, int id);

    std::optional<LRESULT> OnNotify(NMHDR& header) override;
    // A context-menu item chosen: its WM_COMMAND reaches the tree's parent, which passes it on.
    void Command(int id) override;
    bool RunBarCommand(int code);
    const Safe::XPtr<Winplus::Command>& BarCommand() const { return command_; }

    // Every item again from the current definition, fully expanded, the current node's item
    // selected (the definition item when there is none).
    void Fill();

    // The context menu of a kind (kNone: the Connect submenu).
    HMENU Menu(DefinitionMenu kind) const;

protected:
    void OnSelectionChanged() override;
    // Nodes are renamed elsewhere: label editing is refused.
    bool BeginLabelEdit(const Explorer::Selected&) override { return false; }

private:
    void ExpandAll(HTREEITEM item);
    void SelectCurrentItem();
    // The selection step: the selected item's node becomes the current node.
    void SyncCurrentNode();
    void ShowContextMenu();
    void RebuildConnectMenu();
    void RebuildFileMenuTail();
    void OnModelEvent(ModelEvent code);
    bool AfterEdit(bool edited);

    DefinitionEditor editor_;
    ContextMenu nodeMenu_;
    ContextMenu referenceMenu_;
    ContextMenu listMenu_;
    ContextMenu elementMenu_;
    ContextMenu fileMenu_;
    Safe::XPtr<Winplus::Command> command_;
    // While the tree is filled its selection notices are not the user's.
    bool filling_ = false;
};

}  // namespace Core
