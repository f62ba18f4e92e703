#include "app/definition_explorer.h"

#include <initializer_list>
#include <iterator>
#include <utility>

#include "app/resource_ids.h"
#include "foundation/exception.h"
#include "io/data_set.h"
#include "model/current.h"

namespace Core {

namespace {

namespace Id = DefinitionMenuId;
using Entry = std::pair<int, const char*>;  // id 0: a separator

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
constexpr int kImageCount = static_cast<int>(std::size(kImages));
static_assert(kImageCount == 26);
constexpr int kDefinitionImage = 0;
// The file menu's fixed items; the spectra follow.
constexpr int kFileMenuFixedItems = 5;

HIMAGELIST MakeImages(HINSTANCE instance) {
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR8, kImageCount, 1);
    for (int id : kImages) {
        HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(id));
        if (!bitmap) continue;
        ImageList_Add(list, bitmap, nullptr);
        DeleteObject(bitmap);
    }
    if (!list || ImageList_GetImageCount(list) < kImageCount) {
        if (list) ImageList_Destroy(list);
        throw Winplus::Exception("ImageList initialisation error");
    }
    return list;
}

HMENU Append(HMENU menu, std::initializer_list<Entry> entries) {
    for (const Entry& entry : entries) {
        if (entry.first == 0)
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(entry.first), entry.second);
    }
    return menu;
}

HMENU MakeMenu(std::initializer_list<Entry> entries) {
    return Append(CreatePopupMenu(), entries);
}

void Enable(HMENU menu, int id, bool on) {
    EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

void EmptyFrom(HMENU menu, int position) {
    while (GetMenuItemCount(menu) > position) DeleteMenu(menu, position, MF_BYPOSITION);
}

std::size_t Index(DefinitionMenu kind) {
    return static_cast<std::size_t>(kind);
}

}  // namespace

bool ControlMap::MapCommand::Execute(const int& code) {
    owner_->RunBarCommand(code);
    return true;
}

ControlMap::ControlMap(HWND parent, int id) {
    Create(parent, WC_TREEVIEWA, TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS, id);
    images_ = MakeImages(Winplus::InstanceOf(parent));
    SetImageList(TVSIL_NORMAL, images_);
    SetDefaultFont();

    HMENU connect = CreatePopupMenu();
    HMENU node = MakeMenu({{Id::kSetSelection, "Set Selection"},
                           {Id::kSetPrototype, "Set Prototype"},
                           {Id::kReset, "Reset"},
                           {0, nullptr}});
    AppendMenuA(node, MF_POPUP, reinterpret_cast<UINT_PTR>(connect), "Connect");
    Append(node, {{0, nullptr},
                  {Id::kAppendSelection, "Append Selection"},
                  {Id::kAppendPrototype, "Append Prototype"},
                  {Id::kSort, "Sort"},
                  {Id::kRemove, "Remove"}});
    menus_[Index(DefinitionMenu::kNone)] = connect;
    menus_[Index(DefinitionMenu::kNode)] = node;
    menus_[Index(DefinitionMenu::kReference)] =
        MakeMenu({{Id::kSetSelection, "Replace"}, {0, nullptr}, {Id::kReset, "Reset"}});
    menus_[Index(DefinitionMenu::kList)] =
        MakeMenu({{Id::kAppendElement, "Append Element"},
                  {Id::kAppendElementFile, "Append Element File..."},
                  {Id::kSaveElements, "Save Elements..."},
                  {0, nullptr},
                  {Id::kSort, "Sort"},
                  {0, nullptr},
                  {Id::kReset, "Reset"}});
    menus_[Index(DefinitionMenu::kElement)] = MakeMenu({{Id::kRemove, "Remove"}});
    menus_[Index(DefinitionMenu::kFile)] = MakeMenu({{Id::kReset, "Reset"},
                                                     {0, nullptr},
                                                     {Id::kLoadDataFile, "Load Data File..."},
                                                     {Id::kSaveData, "Save Data..."},
                                                     {0, nullptr}});
    command_ = Safe::MakeX<MapCommand>(this);

    onModels_ = MenuCore::AddObserver(
        MakeObserver<ModelEvent>([this](ModelEvent code) { OnModelEvent(code); }));
    onDataSet_ = DataSet::AddObserver(
        MakeObserver<DataSetEvent>([this](DataSetEvent code) { OnDataSetEvent(code); }));
    editor_.RebuildConnectList();
    RebuildConnectMenu();
    editor_.RebuildSpectrumItems();
    RebuildFileMenuTail();
    Fill();
}

ControlMap::~ControlMap() {
    onModels_.Release();
    onDataSet_.Release();
    // The node menu destroys the Connect submenu with it.
    for (std::size_t i = Index(DefinitionMenu::kNode); i < menus_.size(); ++i)
        DestroyMenu(menus_[i]);
    SetImageList(TVSIL_NORMAL, nullptr);
    if (images_) ImageList_Destroy(images_);
}

HMENU ControlMap::Menu(DefinitionMenu kind) const {
    return menus_[Index(kind)];
}

// --- Items ---

void ControlMap::Fill() {
    filling_ = true;
    DeleteAll();
    if (const NodeMap::Ptr definition = MenuCore::GetCurrentDefinition()) {
        HTREEITEM top = InsertItem(definition->Name(), TVI_ROOT, TVI_LAST, kDefinitionImage,
                                   kDefinitionImage, 1, 0);
        InsertNode(definition->GetRoot(), top);
        Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(top));
        SelectCurrentItem();
    }
    filling_ = false;
}

void ControlMap::InsertNode(const Node::Ptr& node, HTREEITEM parent) {
    if (!node) return;
    const int image = DefinitionItemImage(node);
    HTREEITEM item = InsertItem(DefinitionItemText(node), parent, TVI_LAST, image, image, 0, 0);
    if (!item) return;
    for (const Node::Ptr& child : node->GetChildren()) InsertNode(child, item);
    Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

HTREEITEM ControlMap::FindNodeItem(HTREEITEM from, const std::string& name) const {
    for (HTREEITEM item = from; item; item = GetNextSibling(item)) {
        const std::string text = GetItemText(item);
        if (text.substr(0, text.find("->")) == name) return item;
        if (HTREEITEM found = FindNodeItem(GetChild(item), name)) return found;
    }
    return nullptr;
}

void ControlMap::SelectCurrentItem() {
    HTREEITEM top = GetRoot();
    const Node::Ptr node = MenuCore::GetCurrentNode();
    HTREEITEM item = node ? FindNodeItem(GetChild(top), node->Name()) : nullptr;
    SelectItem(item ? item : top);
}

void ControlMap::SyncCurrentNode() {
    HTREEITEM item = GetSelection();
    if (!item || item == GetRoot())
        editor_.SelectNone();
    else
        editor_.SelectItem(GetItemText(item));
}

// --- Notices and menus ---

std::optional<LRESULT> ControlMap::OnNotify(NMHDR& header) {
    if (static_cast<int>(header.idFrom) != Id()) return std::nullopt;
    switch (header.code) {
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW:
            if (!filling_) SyncCurrentNode();
            return 0;
        case NM_RCLICK: ShowContextMenu(); return TRUE;
        // Nodes are renamed elsewhere: label editing is refused.
        case TVN_BEGINLABELEDITA:
        case TVN_BEGINLABELEDITW: return TRUE;
        default: return std::nullopt;
    }
}

void ControlMap::ShowContextMenu() {
    const NodeMap::Ptr definition = MenuCore::GetCurrentDefinition();
    if (!definition || !definition->IsActive()) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    Select(cursor);
    // The item may have been selected already, with no notice.
    SyncCurrentNode();
    const DefinitionMenuState state = DefinitionMenuFor(MenuCore::GetCurrentNode());
    if (state.menu == DefinitionMenu::kNone) return;
    HMENU menu = Menu(state.menu);
    if (state.menu == DefinitionMenu::kNode) {
        Enable(menu, Id::kSetPrototype, state.setPrototype);
        Enable(menu, Id::kAppendSelection, state.appendSelection);
        Enable(menu, Id::kAppendPrototype, state.appendPrototype);
        Enable(menu, Id::kSort, state.sort);
        Enable(menu, Id::kRemove, state.remove);
    } else if (state.menu == DefinitionMenu::kList) {
        Enable(menu, Id::kSort, state.sort);
        Enable(menu, Id::kReset, state.reset);
    }
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, GetParent(Handle()), nullptr);
}

void ControlMap::RebuildConnectMenu() {
    HMENU connect = Menu(DefinitionMenu::kNone);
    EmptyFrom(connect, 0);
    int id = Id::kFirstConnect;
    for (const NodeMap::Ptr& definition : editor_.ConnectList())
        AppendMenuA(connect, MF_STRING, static_cast<UINT_PTR>(id++), definition->Name().c_str());
}

void ControlMap::RebuildFileMenuTail() {
    HMENU file = Menu(DefinitionMenu::kFile);
    EmptyFrom(file, kFileMenuFixedItems);
    int id = Id::kFirstSpectrum;
    for (const std::string& name : editor_.SpectrumItems())
        AppendMenuA(file, MF_STRING, static_cast<UINT_PTR>(id++), name.c_str());
}

// --- Edits and buses ---

bool ControlMap::AfterEdit(bool edited) {
    if (edited) Fill();
    return edited;
}

bool ControlMap::RunMenuCommand(int id) {
    return AfterEdit(editor_.RunMenuCommand(GetParent(Handle()), id));
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

void ControlMap::OnDataSetEvent(DataSetEvent code) {
    if (editor_.OnDataSetEvent(code)) RebuildFileMenuTail();
}

}  // namespace Core
