#include "app/explorers/explorer_leaf.h"

#include "foundation/exception.h"

namespace Core {

ImageList::ImageList(HINSTANCE instance, std::span<const int> bitmapIds, UINT colour) {
    const int count = static_cast<int>(bitmapIds.size());
    list_ = ImageList_Create(16, 16, colour, count, 1);
    for (int id : bitmapIds) {
        if (!list_) break;
        if (HBITMAP bitmap = LoadBitmapA(instance, MAKEINTRESOURCEA(id))) {
            ImageList_Add(list_, bitmap, nullptr);
            DeleteObject(bitmap);
        }
    }
    if (!list_ || ImageList_GetImageCount(list_) < count) {
        if (list_) ImageList_Destroy(list_);
        throw Winplus::Exception("ImageList initialisation error");
    }
}

ImageList::~ImageList() {
    ImageList_Destroy(list_);
}

namespace {

HMENU BuildMenu(ContextMenu::Entries entries, const ContextMenu::Entries* subMenus, size_t count) {
    HMENU menu = CreatePopupMenu();
    size_t next = 0;
    for (const Explorer::MenuEntry& entry : entries) {
        if (entry.id != 0) {
            AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(entry.id), entry.text);
        } else if (!*entry.text) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else if (next < count) {
            HMENU sub = BuildMenu(subMenus[next++], nullptr, 0);
            AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), entry.text);
        }
    }
    return menu;
}

}  // namespace

ContextMenu::ContextMenu(Entries entries, std::initializer_list<Entries> subMenus)
    : menu_(BuildMenu(entries, subMenus.begin(), subMenus.size())) {}

ContextMenu::~ContextMenu() {
    DestroyMenu(menu_);
}

void ContextMenu::Enable(int id, bool enabled) {
    EnableMenuItem(menu_, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void ContextMenu::PopUp(HWND owner) const {
    const POINT at = Winplus::MessagePoint();
    TrackPopupMenu(menu_, TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
}

ExplorerTree::ExplorerTree(HWND parent, int id, DWORD style) {
    Create(parent, WC_TREEVIEWA, style, id);
}

ExplorerTree::~ExplorerTree() {
    // The lists go before the window: it must not draw with them any more.
    if (Handle()) {
        SetImageList(TVSIL_NORMAL, nullptr);
        SetImageList(TVSIL_STATE, nullptr);
    }
}

void ExplorerTree::SetImages(std::span<const int> bitmapIds) {
    auto list = std::make_unique<ImageList>(Winplus::InstanceOf(Handle()), bitmapIds);
    SetImageList(TVSIL_NORMAL, list->Handle());
    images_ = std::move(list);
}

void ExplorerTree::SetStateImages(std::span<const int> bitmapIds) {
    auto list = std::make_unique<ImageList>(Winplus::InstanceOf(Handle()), bitmapIds, 0);
    SetImageList(TVSIL_STATE, list->Handle());
    stateImages_ = std::move(list);
}

HTREEITEM ExplorerTree::Insert(const Explorer::Item& item, HTREEITEM parent) {
    HTREEITEM inserted =
        InsertItem(item.text, parent ? parent : TVI_ROOT, TVI_LAST, item.kind, item.kind, 0, 0);
    for (const Explorer::Item& child : item.children) Insert(child, inserted);
    return inserted;
}

HTREEITEM ExplorerTree::Fill(const Explorer::Item& root) {
    const bool wasQuiet = std::exchange(quiet_, true);
    DeleteAll();
    HTREEITEM inserted = Insert(root, nullptr);
    Expand(inserted);
    quiet_ = wasQuiet;
    return inserted;
}

bool ExplorerTree::SelectQuietly(const Explorer::Selected& item) {
    HTREEITEM found = Find(item.text, item.kind, nullptr, &item.parentText);
    if (!found) return false;
    const bool wasQuiet = std::exchange(quiet_, true);
    SelectItem(found);
    Expand(found);
    quiet_ = wasQuiet;
    return true;
}

void ExplorerTree::Expand(HTREEITEM item) {
    Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

Explorer::Selected ExplorerTree::Describe(HTREEITEM item) const {
    if (!item) return {};
    return {GetItemImage(item), GetItemText(item), GetItemText(GetParentItem(item))};
}

Explorer::Selected ExplorerTree::GetSelected() const {
    return Describe(GetSelection());
}

HTREEITEM ExplorerTree::Find(const std::string& text, int kind, HTREEITEM parent,
                             const std::string* parentText) const {
    for (HTREEITEM item = parent ? GetChild(parent) : GetRoot(); item;
         item = GetNextSibling(item)) {
        if (GetItemImage(item) == kind && GetItemText(item) == text &&
            (!parentText || GetItemText(parent) == *parentText))
            return item;
        if (HTREEITEM below = Find(text, kind, item, parentText)) return below;
    }
    return nullptr;
}

bool ExplorerTree::BeginLabelEdit(const Explorer::Selected& item) {
    return labelEdit_.Begin(item.kind, item.text);
}

void ExplorerTree::OpenContextMenu() {
    if (HTREEITEM item = HitTest(Winplus::MessagePoint())) SelectItem(item);
    if (const ContextMenu* menu = MenuOf(GetSelected().kind)) menu->PopUp(GetParent(Handle()));
}

std::optional<LRESULT> ExplorerTree::OnLabelEdit(NMHDR& header, bool begin) {
    const auto& info = reinterpret_cast<const NMTVDISPINFOA&>(header);
    const Explorer::Selected edited = Describe(info.item.hItem);
    // TVN_BEGINLABELEDIT: TRUE refuses; TVN_ENDLABELEDIT: TRUE keeps the new label, and no text
    // means the edit was cancelled.
    if (begin) {
        editing_ = BeginLabelEdit(edited);
        return editing_ ? FALSE : TRUE;
    }
    // Some tree views end an edit twice (once more when the edit box loses the focus): only the
    // first end counts.
    if (!std::exchange(editing_, false) || !info.item.pszText) return FALSE;
    return EndLabelEdit(edited, labelEdit_.OldName(), info.item.pszText) ? TRUE : FALSE;
}

std::optional<LRESULT> ExplorerTree::OnNotify(NMHDR& header) {
    switch (header.code) {
        case NM_RCLICK: OpenContextMenu(); return TRUE;
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW:
            if (!quiet_) OnSelectionChanged();
            return 0;
        // The tree is an ANSI window of an ANSI parent: its label edits come in the A form.
        case TVN_BEGINLABELEDITA: return OnLabelEdit(header, true);
        case TVN_ENDLABELEDITA: return OnLabelEdit(header, false);
        default: return std::nullopt;
    }
}

}  // namespace Core
