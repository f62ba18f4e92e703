#include "winplus/controls.h"

#include <cstring>

#include "foundation/exception.h"
#include "foundation/text.h"
#include "winplus/text_checks.h"

namespace Winplus {

namespace {
// Texts read from the controls are capped at 127 characters.
constexpr int kTextCapacity = 128;

// The text in a buffer of kTextCapacity characters that a control filled: some controls leave
// out the terminator when they cut a long text.
std::string Capped(const char* buffer) {
    return std::string(buffer, strnlen(buffer, kTextCapacity - 1));
}
}  // namespace

namespace {
// The window property that binds a control window to its Control object.
constexpr char kControlProperty[] = "Winplus.Control";
}  // namespace

Control::~Control() {
    if (Handle()) {
        RemovePropA(Handle(), kControlProperty);
        DestroyWindow(Handle());
    }
}

void Control::Adopt(HWND hwnd, int id) {
    if (Handle()) RemovePropA(Handle(), kControlProperty);
    SetHandle(hwnd);
    id_ = id;
    if (hwnd) SetPropA(hwnd, kControlProperty, this);
}

Control* FindControl(HWND hwnd) {
    return hwnd ? static_cast<Control*>(GetPropA(hwnd, kControlProperty)) : nullptr;
}

void Control::Create(HWND parent, const char* className, DWORD style, int id, DWORD exStyle) {
    HWND hwnd = CreateWindowExA(exStyle, className, nullptr, WS_CHILD | WS_VISIBLE | style, 0, 0,
                                0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                InstanceOf(parent), nullptr);
    if (!hwnd) throw Exception("Internal error: Window Creation Failed.");
    Adopt(hwnd, id);
}

void Control::SetDefaultFont() {
    if (!Handle()) return;
    LOGFONTA description{};
    description.lfHeight = 8;
    description.lfWeight = FW_NORMAL;
    lstrcpynA(description.lfFaceName, "Ms sans serif", LF_FACESIZE);
    GdiObject<HFONT> font(CreateFontIndirectA(&description));
    if (!font.Get()) return;
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    font_ = std::move(font);
}

HTREEITEM ControlTree::InsertItem(const std::string& text, HTREEITEM parent, HTREEITEM after,
                                  int image, int selectedImage, int bold, int checked) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    if (bold == 1) {
        insert.item.mask |= TVIF_STATE;
        insert.item.state = TVIS_BOLD;
        insert.item.stateMask = TVIS_BOLD;
    }
    auto item = reinterpret_cast<HTREEITEM>(
        Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (item && checked >= 1) SetStateImage(item, 2);
    return item;
}

void ControlTree::DeleteItem(HTREEITEM item) {
    Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
}

void ControlTree::DeleteAll() {
    Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void ControlTree::DeleteChildren(HTREEITEM item) {
    while (HTREEITEM child = GetChild(item)) DeleteItem(child);
}

HTREEITEM ControlTree::Next(HTREEITEM item, UINT relation) const {
    return reinterpret_cast<HTREEITEM>(
        Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

void ControlTree::SelectItem(HTREEITEM item) {
    Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

POINT MessagePoint() {
    const DWORD position = GetMessagePos();
    // Signed: a point on a monitor left of or above the primary one is negative.
    return {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
}

HTREEITEM ControlTree::HitTest(const POINT& screenPoint) const {
    TVHITTESTINFO info{};
    info.pt = screenPoint;
    ScreenToClient(Handle(), &info.pt);
    return reinterpret_cast<HTREEITEM>(Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

HTREEITEM ControlTree::Select(const POINT& screenPoint) {
    HTREEITEM item = HitTest(screenPoint);
    SelectItem(item);
    return item;
}

std::string ControlTree::GetItemText(HTREEITEM item) const {
    if (!item) return std::string();
    char buffer[kTextCapacity] = {};
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = buffer;
    query.cchTextMax = kTextCapacity;
    if (!Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)) || !query.pszText)
        return std::string();
    return Capped(query.pszText);
}

int ControlTree::GetItemImage(HTREEITEM item) const {
    if (!item) return -1;
    TVITEMA query{};
    query.mask = TVIF_IMAGE;
    query.hItem = item;
    if (!Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return -1;
    return query.iImage;
}

void ControlTree::SetStateImage(HTREEITEM item, int image) {
    TVITEMA change{};
    change.mask = TVIF_STATE;
    change.hItem = item;
    change.stateMask = TVIS_STATEIMAGEMASK;
    change.state = INDEXTOSTATEIMAGEMASK(image);
    Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
}

void ControlTree::SetCheck(HTREEITEM item, const bool& on) {
    SetStateImage(item, on ? 2 : 1);
}

void ControlTree::SetCheckRecursive(HTREEITEM item, const bool& on) {
    for (HTREEITEM child = GetChild(item); child; child = GetNextSibling(child)) {
        SetCheck(child, on);
        SetCheckRecursive(child, on);
    }
}

void ControlTree::RemoveCheck(HTREEITEM item) {
    SetStateImage(item, 0);
}

bool ControlTree::IsChecked(HTREEITEM item) const {
    const auto state = static_cast<UINT>(
        Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK));
    return (state >> 12) >= 2;
}

void ControlTree::SetImageList(int type, HIMAGELIST list) {
    Send(TVM_SETIMAGELIST, static_cast<WPARAM>(type), reinterpret_cast<LPARAM>(list));
}

bool ControlListView::InsertItem(const int& index, const std::string& text, int image) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = image;
    return Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) != -1;
}

void ControlListView::SetItemText(const int& index, const int& subitem, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = subitem;
    item.pszText = const_cast<char*>(text.c_str());
    Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

std::string ControlListView::GetItemText(const int& index) const {
    if (index < 0) return std::string();
    char buffer[kTextCapacity] = {};
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = buffer;
    item.cchTextMax = kTextCapacity;
    if (!Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) || !item.pszText)
        return std::string();
    return Capped(item.pszText);
}

int ControlListView::FindItem(const std::string& text) const {
    LVFINDINFOA find{};
    find.flags = LVFI_STRING;
    find.psz = text.c_str();
    return static_cast<int>(Send(LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(&find)));
}

bool ControlListView::DeleteAll() {
    return Send(LVM_DELETEALLITEMS) != 0;
}

int ControlListView::HitTest(const POINT& screenPoint) const {
    LVHITTESTINFO info{};
    info.pt = screenPoint;
    ScreenToClient(Handle(), &info.pt);
    return static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}


void ControlListView::SetImageList(HIMAGELIST list) {
    Send(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(list));
}

void ControlListView::SetSmallImageList(HIMAGELIST list) {
    Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(list));
}

namespace {
// The text of list entry index through the length and text messages of a list or combo box.
std::string ListText(HWND hwnd, UINT lengthMessage, UINT textMessage, LRESULT index) {
    if (index < 0) return std::string();
    const LRESULT length = SendMessageA(hwnd, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    if (SendMessageA(hwnd, textMessage, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text.data())) < 0)
        return std::string();
    text.resize(static_cast<std::size_t>(length));
    if (text.size() > kTextCapacity - 1) text.resize(kTextCapacity - 1);
    return text;
}
}  // namespace

void ControlListBox::AddString(const std::string& text) {
    Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ControlListBox::Reset() {
    Send(LB_RESETCONTENT);
}

int ControlListBox::GetCurSel() const {
    return static_cast<int>(Send(LB_GETCURSEL));
}

std::string ControlListBox::GetSelectedText() const {
    return ListText(Handle(), LB_GETTEXTLEN, LB_GETTEXT, Send(LB_GETCURSEL));
}

void ControlCombo::AddString(const std::string& text) {
    Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ControlCombo::Reset() {
    Send(CB_RESETCONTENT);
}

void ControlCombo::SetCurSel(const int& index) {
    Send(CB_SETCURSEL, static_cast<WPARAM>(index));
}

void ControlCombo::SelectString(const std::string& text) {
    Send(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string ControlCombo::GetSelectedText() const {
    return ListText(Handle(), CB_GETLBTEXTLEN, CB_GETLBTEXT, Send(CB_GETCURSEL));
}

void ControlEdit::SetText(const std::string& text) {
    Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string ControlEdit::GetText() const {
    char buffer[kTextCapacity] = {};
    Send(WM_GETTEXT, kTextCapacity, reinterpret_cast<LPARAM>(buffer));
    return Capped(buffer);
}

void ControlEdit::SetDouble(double value) {
    SetText(DoubleToString(value, 16));
}

double ControlEdit::GetDouble(bool& ok) const {
    const std::string text = GetText();
    double value = 0.0;
    ok = IsNumber(text) && ToDouble(text, &value);
    return ok ? value : 0.0;
}

void ControlScroll::SetRange(int maximum, int position) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = maximum;
    info.nPage = 1;
    info.nPos = position;
    SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
    EnableWindow(Handle(), maximum >= 1);
}

void ControlScroll::SetThumb(int position) {
    SetScrollPos(Handle(), SB_CTL, position, TRUE);
}

void ControlUpDown::CreateUpDown(HWND parent, int id) {
    using Creator = HWND(WINAPI*)(DWORD, int, int, int, int, HWND, int, HINSTANCE, HWND, int,
                                  int, int);
    // The up-down control's creation function, export 16 of the common controls.
    HMODULE library = GetModuleHandleA("comctl32.dll");
    if (!library) library = LoadLibraryA("comctl32.dll");
    auto create = library ? reinterpret_cast<Creator>(reinterpret_cast<void*>(
                                GetProcAddress(library, MAKEINTRESOURCEA(16))))
                          : nullptr;
    HWND hwnd = create ? create(WS_CHILD | WS_VISIBLE | UDS_HORZ | UDS_WRAP, 0, 0, 32, 18, parent,
                                id, InstanceOf(parent), nullptr, 3, 0, 0)
                       : nullptr;
    if (!hwnd) throw Exception("Internal error: Window Creation Failed.");
    Adopt(hwnd, id);
}

}  // namespace Winplus
