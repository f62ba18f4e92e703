// What the definition explorer's tree shows: the text and image of each node's item, the context
// menu of each node and the state of the definition tool bar's buttons.
#include "app/explorers/definition_edits.h"
#include "model/current.h"
#include "model/map_bar.h"
#include "model/map_capsule.h"
#include "model/selection.h"

namespace Core {

namespace {

struct ImageRange {
    int first;
    int last;
    int image;
};

// The image list index of each category of node types.
constexpr ImageRange kImages[] = {
    {604, 604, 1},    {600, 600, 2},    {601, 601, 3},    {602, 602, 4},    {603, 603, 5},
    {230, 230, 6},    {610, 610, 7},    {500, 501, 8},    {400, 409, 9},    {13, 13, 9},
    {100, 100, 10},   {101, 206, 11},   {210, 214, 11},   {4000, 4002, 11}, {207, 207, 12},
    {208, 208, 13},   {209, 209, 14},   {300, 337, 15},   {700, 799, 15},   {900, 926, 15},
    {1100, 1103, 15}, {1200, 1205, 15}, {5000, 5003, 15}, {800, 805, 16},   {10, 10, 19},
    {11, 11, 20},     {12, 12, 21},     {899, 899, 22},   {2001, 2001, 22}, {2101, 2102, 23},
    {3000, 3003, 24}, {14, 14, 25}};
constexpr int kReferenceImage = 19;
constexpr int kInactiveReferenceImage = 18;

NodeMap::Ptr ReferencedMap(const Node::Ptr& node) {
    auto reference = Safe::DynamicCast<MapCapsule>(node);
    return reference ? reference->GetMap() : NodeMap::Ptr();
}

bool HasVariadicParent(const Node::Ptr& node) {
    const Node::Ptr parent = node->GetParent();
    return parent && parent->IsVariadic();
}

}  // namespace

std::string DefinitionItemText(const Node::Ptr& node) {
    if (!node) return std::string();
    const NodeMap::Ptr map = ReferencedMap(node);
    return map ? node->Name() + "->" + map->Name() : node->Name();
}

int DefinitionItemImage(const Node::Ptr& node) {
    if (!node) return -1;
    const int type = node->GetTypeId();
    for (const ImageRange& range : kImages) {
        if (type < range.first || type > range.last) continue;
        const NodeMap::Ptr map = range.image == kReferenceImage ? ReferencedMap(node) : nullptr;
        return map && !map->IsActive() ? kInactiveReferenceImage : range.image;
    }
    return -1;
}

DefinitionMenuState DefinitionMenuFor(const Node::Ptr& node) {
    DefinitionMenuState state;
    if (!node) return state;
    const bool prototype = static_cast<bool>(Selection::GetPrototype());
    switch (node->GetTypeId()) {
        case 899:
        case 2001: state.menu = DefinitionMenu::kElement; return state;
        case 10: state.menu = DefinitionMenu::kReference; return state;
        case 230: state.menu = DefinitionMenu::kFile; return state;
        case 2101:
        case 2102: {
            const Node::Ptr parent = node->GetParent();
            state.menu = DefinitionMenu::kList;
            state.sort = node->GetTypeId() == 2102;
            state.reset = !parent || parent->IsVariadic();
            return state;
        }
        case 207:
        case 208:
        case 209:
        case 3002:
            state.appendSelection = true;
            state.sort = true;
            state.appendPrototype = prototype;
            break;
        default: {
            const Node::Ptr parent = node->GetParent();
            if (parent && !parent->HasListArity()) return state;
        }
    }
    state.menu = DefinitionMenu::kNode;
    state.setPrototype = prototype;
    state.remove = HasVariadicParent(node);
    return state;
}

DefinitionBarState DefinitionBarButtons() {
    DefinitionBarState state;
    const bool current = static_cast<bool>(MenuCore::GetCurrentNode());
    state.cut = state.copy = current;
    state.paste = current && MapBar::GetTarget();
    state.undo = MapBar::IsUndoAvailable(1);
    state.redo = MapBar::IsRedoAvailable(1);
    return state;
}

}  // namespace Core
