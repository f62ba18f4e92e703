#pragma once
// The two "Parameters" panels without their windows: the node list's rows and typed values,
// and the fit's check-box tree of adjustable parameters over the working model.
#include <string>
#include <vector>

#include "foundation/event_codes.h"
#include "model/node.h"
#include "winplus/resource_ids.h"

namespace Core {

namespace NodeParameters {

inline constexpr int kParameterColumnWidth = 80;
inline constexpr int kValueColumnWidth = 160;

struct Row {
    std::wstring name;
    std::wstring value;
    int icon = 0;  // the icon resource, 0 for none
    bool operator==(const Row&) const = default;
};

// A value as the list shows it: 16 significant digits.
std::wstring ValueText(double value);
// The icons IDI_NODE_EMPTY, IDI_NODE_INTEGER, IDI_NODE_REAL and IDI_NODE_BOOLEAN of node types
// 100, 600, 602 and 604; 0 for any other type.
int IconOfType(int typeId);
// Model-bus codes that refresh the list: ModelEvent::kModelsReset, ModelEvent::kDefinitionEdited,
// ModelEvent::kCurrentNodeChanged.
bool RefreshesOn(ModelEvent code);
// Codes after which the rows show their nodes' values again, the edit left as it is:
// ModelEvent::kParametersChanged (parameter values changed by a transfer, a tool or a typed value),
// unless a fit runs.
bool ShowsValuesOn(ModelEvent code);
// The current node's active nodes, the node itself when it is active; none without one.
std::vector<Node::Ptr> ListedNodes();
std::vector<Row> Rows(const std::vector<Node::Ptr>& nodes);
// The first listed node of that name, null when none.
Node::Ptr FindListed(const std::vector<Node::Ptr>& nodes, const std::wstring& name);
// The edit's text as the node's value: a valid number other than the value's real part becomes
// value 0 (imaginary part 0), announced with ModelEvent::kParametersChanged. Anything else changes
// nothing and is false.
bool ApplyText(const Node::Ptr& node, const std::string& text);

}  // namespace NodeParameters

namespace FitParameters {

enum ItemKind { kRootItem, kDefinitionItem, kNodeItem };

struct Item {
    int depth = 0;  // the root 0, its children 1, ...
    int kind = kRootItem;
    std::wstring text;
    int typeId = 0;        // node items only
    bool checked = false;  // node items only; the others have no check box
    bool operator==(const Item&) const = default;
};

// The tree's image list: the node bitmaps IDB_NODE_MEAN to IDB_NODE_RANDOM in order, so an image
// is its bitmap's offset from the first. The root shows the tree root, a definition the
// reference, a node the picture of its family (the spare for a type of no family).
inline constexpr int kFirstBitmap = IDB_NODE_MEAN;
inline constexpr int kImageCount = IDB_NODE_RANDOM - IDB_NODE_MEAN + 1;
int ImageOf(const Item& item);

// Fit-bus codes that refill the tree: FitEvent::kMathPathChanged (math path set or cleared).
bool RefillsOn(FitEvent code);
// In order: the root "Parameters"; the target node's subtree; each referenced definition (its
// name) with its root's subtree. Definition references are left out with what lies below them.
std::vector<Item> TreeItems();
// The clicked node (definition empty: the fit's own) and its whole subtree marked or unmarked
// on the working model; the first node of the name in pre-order. False when there is none, and
// while a fit runs (the fit page's refusal box then).
bool SetMarks(const std::wstring& definition, const std::wstring& node, bool mark);

}  // namespace FitParameters

}  // namespace Core
