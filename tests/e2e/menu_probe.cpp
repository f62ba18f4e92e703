// The driver's menu probe: a library that runs in the program's interface thread through a
// WH_CALLWNDPROC hook and answers the driver's query about a menu (see menu_probe.h).
#include "menu_probe.h"

namespace {

// The menu bar of a top-level window, or the menu that a "#32768" popup window shows.
HMENU MenuOf(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32768") != 0) return GetMenu(window);
    return reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0));
}

void Describe(HWND window, HMENU menu, E2e::MenuProbe::Answer& answer) {
    const int count = GetMenuItemCount(menu);
    int written = 0;
    for (int i = 0; i < count && written < E2e::MenuProbe::kMaxItems; ++i) {
        E2e::MenuProbe::Item& item = answer.items[written++];
        item = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = item.text;
        info.cch = E2e::MenuProbe::kMaxText - 1;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        item.type = info.fType;
        item.state = info.fState;
        item.submenu = reinterpret_cast<UINT_PTR>(info.hSubMenu);
        GetMenuItemRect(window, menu, static_cast<UINT>(i), &item.rect);
    }
    answer.count = written;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ReadMenuHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT query = RegisterWindowMessageA(E2e::MenuProbe::kQuery);
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == query) {
        char name[64];
        E2e::MenuProbe::MemoryName(static_cast<DWORD>(call->wParam), name);
        if (HANDLE memory = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name)) {
            if (void* view = MapViewOfFile(memory, FILE_MAP_WRITE, 0, 0, 0)) {
                Describe(call->hwnd, MenuOf(call->hwnd),
                         *static_cast<E2e::MenuProbe::Answer*>(view));
                UnmapViewOfFile(view);
            }
            CloseHandle(memory);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
