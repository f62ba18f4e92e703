#include "tests/app/explorers/explorer_gui_support.h"

#include <cstring>

#include "tests/winplus/gui_test_support.h"

namespace ExplorerGui {

namespace {

LRESULT Send(const Winplus::ControlTree& tree, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendMessageA(tree.Handle(), message, wParam, lParam);
}

std::string Siblings(const Winplus::ControlTree& tree, HTREEITEM first) {
    std::string text;
    for (HTREEITEM item = first; item; item = tree.GetNextSibling(item)) {
        if (!text.empty()) text += ' ';
        text += tree.GetItemText(item) + "(" + std::to_string(tree.GetItemImage(item)) + ")";
        if (HTREEITEM child = tree.GetChild(item)) text += "[" + Siblings(tree, child) + "]";
    }
    return text;
}

std::string DescribeMenu(HMENU menu) {
    std::string text;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (i) text += '|';
        char label[128] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = label;
        info.cch = sizeof label;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            text += '-';
            continue;
        }
        text += label;
        if (info.hSubMenu) text += ">" + DescribeMenu(info.hSubMenu);
    }
    return text;
}

std::string openedMenu;

// The menu window this thread shows: test programs running beside show menus of their own.
HWND OwnMenuWindow() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            char name[16] = {};
            GetClassNameA(window, name, sizeof name);
            if (std::strcmp(name, "#32768") != 0 || !IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs in the menu's modal loop: reads the open menu and closes it.
void CALLBACK ReadAndCloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND popup = OwnMenuWindow();
    if (!popup) return;
    KillTimer(nullptr, id);
    constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU
    openedMenu = DescribeMenu(reinterpret_cast<HMENU>(SendMessageA(popup, kGetMenu, 0, 0)));
    EndMenu();
}

}  // namespace

std::string Items(const Winplus::ControlTree& tree) {
    return Siblings(tree, tree.GetRoot());
}

bool EditLabel(const Winplus::ControlTree& tree, HTREEITEM item, const std::string& text) {
    auto edit =
        reinterpret_cast<HWND>(Send(tree, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item)));
    if (!edit) return false;
    SetWindowTextA(edit, text.c_str());
    Send(tree, TVM_ENDEDITLABELNOW, FALSE, 0);
    return true;
}

std::string RightClick(const Winplus::ControlTree& tree, HTREEITEM item) {
    RECT r{};
    GetClientRect(tree.Handle(), &r);
    POINT at{r.right / 2, r.bottom - 4};
    if (item) {
        std::memcpy(&r, &item, sizeof item);  // TVM_GETITEMRECT takes the item in the rectangle
        Send(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
        at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    ClientToScreen(tree.Handle(), &at);
    GuiTest::ClickedAt(at);
    openedMenu.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadAndCloseMenu);
    NMHDR header{tree.Handle(), static_cast<UINT_PTR>(tree.Id()), static_cast<UINT>(NM_RCLICK)};
    SendMessageA(GetParent(tree.Handle()), WM_NOTIFY, tree.Id(), reinterpret_cast<LPARAM>(&header));
    KillTimer(nullptr, timer);
    return openedMenu;
}

void MenuCommand(const Winplus::ControlTree& tree, int id) {
    SendMessageA(GetParent(tree.Handle()), WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void Select(const Winplus::ControlTree& tree, HTREEITEM item) {
    Send(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

}  // namespace ExplorerGui
