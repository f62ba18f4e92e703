#pragma once
// The two "Parameters" panels: the node list, whose values the user types into its edit
// control, and the fit's check-box tree of adjustable parameters (app/explorers/parameter_panels.h does
// the work).
#include <functional>
#include <optional>
#include <vector>

#include "app/explorers/explorer_leaf.h"
#include "model/node.h"
#include "winplus/button_bar.h"

namespace Core {

// The active nodes of the current node with their values.
class ControlNodes : public Winplus::ControlListView {
public:
    ControlNodes(HWND parent, int id);

    // The current node is cleared and one row made per node, in order.
    void SetNodes(std::vector<Node::Ptr> nodes);
    const std::vector<Node::Ptr>& Nodes() const { return nodes_; }
    // The row clicked, as the list's own current node; null when none.
    Node::Ptr PickRow(int row);
    const Node::Ptr& Current() const { return current_; }
    // The current node's value shown again in its row.
    void ShowValue();
    // Every listed node's value shown again in its row.
    void ShowValues();
    // The list's click notice (NM_CLICK) with the row it was on, -1 for none.
    std::optional<LRESULT> OnNotify(NMHDR& header) override;
    std::function<void(int)> clicked;

private:
    std::vector<Node::Ptr> nodes_;
    Node::Ptr current_;
};

// The edit control that reports its changes to the panel.
class NodesEdit : public Winplus::ControlEdit {
public:
    explicit NodesEdit(std::function<void()> changed) : changed_(std::move(changed)) {}
    bool OnCommand(int code) override;

private:
    std::function<void()> changed_;
};

class NodesController : public Winplus::LeafController {
public:
    NodesController();

    bool OnCreate() override;
    void Layout(int x, int y, int width, int height, bool repaint) override;
    void PaintExtra(Gdiplus::GpGraphics* graphics, const RECT& client) override;

    // The current node's active nodes listed again; the name row and the edit cleared.
    void Refresh();
    ControlNodes* List() const { return list_.Get(); }
    Winplus::ControlEdit* Edit() const { return edit_.Get(); }
    const Safe::XPtr<Winplus::ToolBar>& Bar() const { return bar_; }

private:
    class RefreshCmd;
    void OnRowClicked(int row);
    void OnEditChanged();

    Safe::XPtr<ControlNodes> list_;
    Safe::XPtr<NodesEdit> edit_;
    Safe::XPtr<Winplus::ToolBar> bar_;
    Winplus::GdipFont font_;
    RECT nameBox_{};
    std::wstring shownName_;
};

class NodesLeaf : public Winplus::VLeaf {
public:
    explicit NodesLeaf(Winplus::Wnd parent);
    NodesController* Nodes() const;
};

// The fit's target node and referenced definitions; clicking a node marks or clears it with
// its subtree on the fit's working model.
class ControlParameters : public ExplorerTree {
public:
    ControlParameters(HWND parent, int id);

    void Refill();
    std::optional<LRESULT> OnNotify(NMHDR& header) override;
    // The click on an item: its check state, and the marks of its node's subtree, turned over.
    void Toggle(HTREEITEM item);
};

using ParametersController = ExplorerController<ControlParameters>;

class ParametersLeaf : public ExplorerLeaf<ControlParameters> {
public:
    explicit ParametersLeaf(Winplus::Wnd parent);
};

}  // namespace Core
