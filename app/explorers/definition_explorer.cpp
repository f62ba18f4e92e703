#include "app/explorers/definition_explorer.h"

#include "model/current.h"
#include "winplus/resource_ids.h"

namespace Core {

namespace {

namespace Id = DefinitionMenuId;
using Entry = Explorer::MenuEntry;

// The image list's bitmaps; the index of each is the image of its category of nodes
// (DefinitionItemImage), 0 the definition item's.
constexpr int kImages[] = {IDB_TREE_ROOT,
                           IDB_NODE_BOOLEAN,
                           IDB_NODE_INTEGER,
                           IDB_NODE_RATIONAL,
                           IDB_NODE_REAL,
                           IDB_NODE_COMPLEX,
                           IDB_NODE_FILE,
                           IDB_NODE_STRING,
                           IDB_NODE_RANDOM,
                           IDB_NODE_CONSTANT,
                           IDB_NODE_EMPTY,
                           IDB_NODE_OPERATOR,
                           IDB_NODE_PRODUCT,
                           IDB_NODE_SUM,
                           IDB_NODE_MEAN,
                           IDB_NODE_FUNCTION,
                           IDB_NODE_INTERPOLATION,
                           IDB_NODE_SPARE,
                           IDB_NODE_INACTIVE_REFERENCE,
                           IDB_NODE_REFERENCE,
                           IDB_NODE_VERSATILE,
                           IDB_NODE_FORMULA,
                           IDB_NODE_POINT,
                           IDB_NODE_POINT_LIST,
                           IDB_NODE_TUPLE,
                           IDB_NODE_DLL};
static_assert(std::size(kImages) == 26);
constexpr int kDefinitionImage = 0;

constexpr Entry kNodeMenu[] = {{Id::kSetSelection, "Set Selection"},
                               {Id::kSetPrototype, "Set Prototype"},
                               {Id::kReset, "Reset"},
                               {},
                               {0, "Connect"},
                               {},
                               {Id::kAppendSelection, "Append Selection"},
                               {Id::kAppendPrototype, "Append Prototype"},
                               {Id::kSort, "Sort"},
                               {Id::kRemove, "Remove"}};
constexpr int kConnectPosition = 4;
constexpr Entry kReferenceMenu[] = {{Id::kSetSelection, "Replace"}, {}, {Id::kReset, "Reset"}};
constexpr Entry kListMenu[] = {{Id::kAppendElement, "Append Element"},
                               {Id::kAppendElementFile, "Append Element File..."},
                               {Id::kSaveElements, "Save Elements..."},
                               {},
                               {Id::kSort, "Sort"},
                               {},
                               {Id::kReset, "Reset"}};
constexpr Entry kElementMenu[] = {{Id::kRemove, "Remove"}};
// The spectra follow the fixed items.
constexpr Entry kFileMenu[] = {{Id::kReset, "Reset"},
                               {},
                               {Id::kLoadDataFile, "Load Data File..."},
                               {Id::kSaveData, "Save Data..."},
                               {}};

// A node's item with its subtree.
Explorer::Item ItemOf(const Node::Ptr& node) {
    Explorer::Item item{DefinitionItemText(node), DefinitionItemImage(node), {}};
    for (const Node::Ptr& child : node->GetChildren()) item.children.push_back(ItemOf(child));
    return item;
}

// Removes every item from position on and appends one per name, the first with id.
template <class Names, class NameOf>
void ReplaceTail(HMENU menu, int position, int id, const Names& names, NameOf nameOf) {
    while (GetMenuItemCount(menu) > position) DeleteMenu(menu, position, MF_BYPOSITION);
    for (const auto& name : names)
        AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(id++), nameOf(name).c_str());
}

}  // namespace

bool ControlMap::MapCommand::Execute(const int& code) {
    owner_->RunBarCommand(code);
    return true;
}

ControlMap::ControlMap(HWND parent, int id)
    : ExplorerTree(parent, id, TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS),
      nodeMenu_(kNodeMenu, {{}}),
      referenceMenu_(kReferenceMenu),
      listMenu_(kListMenu),
      elementMenu_(kElementMenu),
      fileMenu_(kFileMenu),
      command_(Safe::MakeX<MapCommand>(this)) {
    SetImages(kImages);
    SetDefaultFont();
    Observe<ModelEvent>([this](ModelEvent code) { OnModelEvent(code); });
    Observe<DataSetEvent>([this](DataSetEvent code) {
        if (editor_.OnDataSetEvent(code)) RebuildFileMenuTail();
    });
    editor_.RebuildConnectList();
    RebuildConnectMenu();
    editor_.RebuildSpectrumItems();
    RebuildFileMenuTail();
    Fill();
}

HMENU ControlMap::Menu(DefinitionMenu kind) const {
    switch (kind) {
        case DefinitionMenu::kNode: return nodeMenu_.Handle();
        case DefinitionMenu::kReference: return referenceMenu_.Handle();
        case DefinitionMenu::kList: return listMenu_.Handle();
        case DefinitionMenu::kElement: return elementMenu_.Handle();
        case DefinitionMenu::kFile: return fileMenu_.Handle();
        default: return GetSubMenu(nodeMenu_.Handle(), kConnectPosition);
    }
}

// --- Items ---

void ControlMap::Fill() {
    filling_ = true;
    DeleteAll();
    if (const NodeMap::Ptr definition = MenuCore::GetCurrentDefinition()) {
        Explorer::Item top{definition->Name(), kDefinitionImage, {}};
        if (const Node::Ptr root = definition->GetRoot()) top.children.push_back(ItemOf(root));
        HTREEITEM item = Insert(top, nullptr);
        TVITEMA bold{};
        bold.mask = TVIF_STATE;
        bold.hItem = item;
        bold.state = bold.stateMask = TVIS_BOLD;
        Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&bold));
        ExpandAll(item);
        SelectCurrentItem();
    }
    filling_ = false;
}

void ControlMap::ExpandAll(HTREEITEM item) {
    for (HTREEITEM child = GetChild(item); child; child = GetNextSibling(child)) ExpandAll(child);
    Expand(item);
}

void ControlMap::SelectCurrentItem() {
    const NodeMap::Ptr map = MenuCore::GetCurrentDefinition();
    const std::string definition = map->Name();
    const Node::Ptr node = MenuCore::GetCurrentNode();
    // A node of another definition may bear the name of one of this.
    if (node && map->FindNode(node->Name()) == node) {
        const Node::Ptr parent = node->GetParent();
        const std::string parentText = parent ? DefinitionItemText(parent) : definition;
        if (SelectQuietly({DefinitionItemImage(node), DefinitionItemText(node), parentText}))
            return;
    }
    SelectQuietly({kDefinitionImage, definition, ""});
}

void ControlMap::SyncCurrentNode() {
    HTREEITEM item = GetSelection();
    if (!item || item == GetRoot())
        editor_.SelectNone();
    else
        editor_.SelectItem(GetItemText(item));
}

void ControlMap::OnSelectionChanged() {
    if (!filling_) SyncCurrentNode();
}

// --- Notices and menus ---

std::optional<LRESULT> ControlMap::OnNotify(NMHDR& header) {
    if (header.code != static_cast<UINT>(NM_RCLICK)) return ExplorerTree::OnNotify(header);
    ShowContextMenu();
    return TRUE;
}

void ControlMap::ShowContextMenu() {
    const NodeMap::Ptr definition = MenuCore::GetCurrentDefinition();
    if (!definition || !definition->IsActive()) return;
    Select(Winplus::MessagePoint());
    // The item may have been selected already, with no notice.
    SyncCurrentNode();
    const DefinitionMenuState state = DefinitionMenuFor(MenuCore::GetCurrentNode());
    const ContextMenu* menu = nullptr;
    switch (state.menu) {
        case DefinitionMenu::kNode:
            nodeMenu_.Enable(Id::kSetPrototype, state.setPrototype);
            nodeMenu_.Enable(Id::kAppendSelection, state.appendSelection);
            nodeMenu_.Enable(Id::kAppendPrototype, state.appendPrototype);
            nodeMenu_.Enable(Id::kSort, state.sort);
            nodeMenu_.Enable(Id::kRemove, state.remove);
            menu = &nodeMenu_;
            break;
        case DefinitionMenu::kList:
            listMenu_.Enable(Id::kSort, state.sort);
            listMenu_.Enable(Id::kReset, state.reset);
            menu = &listMenu_;
            break;
        case DefinitionMenu::kReference: menu = &referenceMenu_; break;
        case DefinitionMenu::kElement: menu = &elementMenu_; break;
        case DefinitionMenu::kFile: menu = &fileMenu_; break;
        case DefinitionMenu::kNone: return;
    }
    menu->PopUp(GetParent(Handle()));
}

void ControlMap::RebuildConnectMenu() {
    ReplaceTail(Menu(DefinitionMenu::kNone), 0, Id::kFirstConnect, editor_.ConnectList(),
                [](const NodeMap::Ptr& definition) { return definition->Name(); });
}

void ControlMap::RebuildFileMenuTail() {
    ReplaceTail(fileMenu_.Handle(), static_cast<int>(std::size(kFileMenu)), Id::kFirstSpectrum,
                editor_.SpectrumItems(), [](const std::string& name) { return name; });
}

// --- Edits and buses ---

bool ControlMap::AfterEdit(bool edited) {
    if (edited) Fill();
    return edited;
}

void ControlMap::Command(int id) {
    AfterEdit(editor_.RunMenuCommand(GetParent(Handle()), id));
}

bool ControlMap::RunBarCommand(int code) {
    return AfterEdit(editor_.RunBarCommand(code));
}

void ControlMap::OnModelEvent(ModelEvent code) {
    const bool fill = editor_.OnModelEvent(code);
    if (code == ModelEvent::kModelsReset || code == ModelEvent::kCurrentModelChanged ||
        code == ModelEvent::kCurrentDefinitionChanged)
        RebuildConnectMenu();
    if (fill) Fill();
}

}  // namespace Core
