#pragma once
// The "Curve Explorer" without its window: the items the tree shows for the current mode's
// layers, the selection each item makes, its context menu, label edits and the commands that
// add, rename and remove curves of the mode's "User curves" layer.
#include <string>
#include <vector>

#include "plot/layer.h"
#include "winplus/resource_ids.h"

namespace Core::CurveExplorer {

// The item kinds, which are also the image indexes.
enum ItemKind {
    kRootItem = 0,
    kToolLayerItem = 1,
    kUserLayerItem = 2,
    kToolCurveItem = 3,
    kToolFileCurveItem = 4,
    kUserCurveItem = 5,
    kUserFileCurveItem = 6,
};
// The image list's bitmaps, in the order of the kinds.
inline constexpr int kImageBitmaps[7] = {IDB_TREE_ROOT,       IDB_TREE_LAYER,      IDB_TREE_LAYER,
                                         IDB_TREE_TOOL_CURVE, IDB_TREE_TOOL_CURVE, IDB_TREE_CURVE,
                                         IDB_TREE_FILE_CURVE};

struct Item {
    int kind = kRootItem;
    std::wstring text;
    bool operator==(const Item&) const = default;
};

// Whether a view-bus code refills the tree: ViewEvent::kViewDataSetChanged and
// ViewEvent::kViewModeChanged outside view mode 0.
bool RefillsOn(ViewEvent code);
// The whole tree in order: the root "Layers"; the user layer with its items; the tool layer
// with its items when it holds any curve. Only the root is at depth 0 and only layers at 1.
std::vector<Item> TreeItems();
// A layer item's children: its model curves, then its data-file curves.
std::vector<Item> LayerChildren(const Winplus::LayerCurve::Ptr& layer, bool toolLayer);

// Makes the item's layer, curve or file curve the mode's current one (no item: kind -1).
void Select(int kind, const std::wstring& text);

enum class Menu { kNone, kLayer, kCurve, kToolCurve, kFileCurve };
// The context menu of a kind; kToolCurve is the curve menu with "Remove" grayed.
Menu MenuOf(int kind);
// The root, tool items and items without text keep their labels.
bool MayEditLabel(int kind, const std::wstring& text);
// Renames a user curve (kind 5) or file curve (6); the builder is told when it is the mode.
bool Rename(int kind, const std::wstring& oldName, const std::wstring& newName);

// "Add Curve": a curve of the current model selection over the user layer's x limits, named
// after its node; announces ViewEvent::kViewDataSetChanged. False without a bound model or a user
// layer.
bool AddCurve();
// "Add File": a file curve of the current spectrum; announces ViewEvent::kViewDataSetChanged.
bool AddFile();
// "Remove" of a user curve (kind 5) or file curve (6); announces ViewEvent::kViewLimitsChanged, so
// the plot drops it.
bool Remove(int kind, const std::wstring& name);

}  // namespace Core::CurveExplorer
