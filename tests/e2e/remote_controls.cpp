#include "remote_controls.h"

#include <commctrl.h>

#include <cstring>

#include "program.h"

namespace E2e {

namespace {

// A page in the program's process: an item record at its start, the item's text behind it.
class RemotePage {
public:
    explicit RemotePage(HWND control) {
        DWORD id = 0;
        GetWindowThreadProcessId(control, &id);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
        if (process_)
            base_ = static_cast<char*>(
                VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemotePage() {
        if (base_) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemotePage(const RemotePage&) = delete;
    RemotePage& operator=(const RemotePage&) = delete;

    bool Valid() const { return base_ != nullptr; }
    char* Text() const { return base_ + kTextOffset; }
    // Sends message with the record (whose text pointer points at Text()) and reads it back;
    // false when the control answered 0 (FALSE).
    template <class Record>
    bool Ask(HWND control, UINT message, WPARAM wParam, Record& record, std::string& text) {
        char buffer[kSize - kTextOffset] = {};
        DWORD_PTR result = 0;
        if (!WriteProcessMemory(process_, base_, &record, sizeof(record), nullptr) ||
            !SendMessageTimeoutA(control, message, wParam, reinterpret_cast<LPARAM>(base_),
                                 SMTO_ABORTIFHUNG, 2000, &result) ||
            !result || !ReadProcessMemory(process_, base_, &record, sizeof(record), nullptr) ||
            !ReadProcessMemory(process_, Text(), buffer, sizeof(buffer) - 1, nullptr))
            return false;
        text = buffer;
        return true;
    }

private:
    static constexpr SIZE_T kSize = 4096, kTextOffset = 512;
    HANDLE process_ = nullptr;
    char* base_ = nullptr;
};

LRESULT Ask(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result);
    return static_cast<LRESULT>(result);
}

// A rectangle in the control's client area on the screen; an empty one stays empty.
RECT OnScreen(HWND control, RECT r) {
    if (!IsRectEmpty(&r)) MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ReadTreeLevel(HWND tree, RemotePage& page, HTREEITEM item, const std::string& parent,
                   HTREEITEM caret, std::vector<ControlItem>& items) {
    for (; item; item = reinterpret_cast<HTREEITEM>(
                     Ask(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        TVITEMA record{};
        record.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE | TVIF_HANDLE;
        record.hItem = item;
        record.stateMask = TVIS_STATEIMAGEMASK;
        record.pszText = page.Text();
        record.cchTextMax = 256;
        std::string text;
        if (!page.Ask(tree, TVM_GETITEMA, 0, record, text)) return;
        ControlItem read;
        read.path = parent.empty() ? text : parent + "/" + text;
        read.image = record.iImage;
        read.checked = (record.state & TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
        read.selected = item == caret;
        // TVM_GETITEMRECT takes the item in the rectangle it fills.
        RECT place{};
        std::memcpy(&place, &item, sizeof item);
        if (std::string ignored; page.Ask(tree, TVM_GETITEMRECT, TRUE, place, ignored))
            read.place = OnScreen(tree, place);
        items.push_back(read);
        const auto child = reinterpret_cast<HTREEITEM>(
            Ask(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        ReadTreeLevel(tree, page, child, read.path, caret, items);
    }
}

std::vector<ControlItem> ReadList(HWND list, RemotePage& page) {
    std::vector<ControlItem> items;
    const auto count = static_cast<int>(Ask(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        LVITEMA record{};
        record.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
        record.iItem = i;
        record.stateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED;
        record.pszText = page.Text();
        record.cchTextMax = 256;
        ControlItem read;
        if (!page.Ask(list, LVM_GETITEMA, 0, record, read.path)) break;
        read.image = record.iImage;
        read.checked = (record.state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
        read.selected = (record.state & LVIS_SELECTED) != 0;
        RECT place{LVIR_LABEL, 0, 0, 0};
        std::string ignored;
        if (page.Ask(list, LVM_GETITEMRECT, i, place, ignored)) read.place = OnScreen(list, place);
        items.push_back(read);
    }
    return items;
}

std::string WithoutAmpersands(std::string text) {
    std::erase(text, '&');
    return text;
}

}  // namespace

std::vector<ControlItem> ReadItems(HWND control) {
    RemotePage page(control);
    if (!page.Valid()) return {};
    const std::string kind = ClassOf(control);
    if (kind == WC_LISTVIEWA) return ReadList(control, page);
    if (kind != WC_TREEVIEWA) return {};
    std::vector<ControlItem> items;
    const auto root = reinterpret_cast<HTREEITEM>(Ask(control, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    const auto caret = reinterpret_cast<HTREEITEM>(Ask(control, TVM_GETNEXTITEM, TVGN_CARET, 0));
    ReadTreeLevel(control, page, root, "", caret, items);
    return items;
}

bool PressButton(HWND dialog, const std::string& text) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) != "Button" || WithoutAmpersands(WindowText(child)) != text) continue;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED),
                     reinterpret_cast<LPARAM>(child));
        return true;
    }
    return false;
}

bool FillFileDialog(HWND dialog, const std::string& folder, const std::string& name, bool confirm) {
    if (!confirm) return PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0) != FALSE;
    // The file name field: edt1, or the edit inside the combo box cmb13 (Wine's cmb13 is an
    // extended combo box, which holds a combo box that holds the edit).
    HWND field = GetDlgItem(dialog, 0x480);
    if (!field) {
        HWND combo = GetDlgItem(dialog, 0x47C);
        if (HWND inner = FindWindowExA(combo, nullptr, "ComboBox", nullptr)) combo = inner;
        field = FindWindowExA(combo, nullptr, "Edit", nullptr);
    }
    if (!field) return false;
    const std::string path = folder.empty() ? name : folder + "\\" + name;
    DWORD_PTR result = 0;
    SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                        SMTO_ABORTIFHUNG, 2000, &result);
    return PostMessageA(dialog, WM_COMMAND, IDOK, 0) != FALSE;
}

}  // namespace E2e
