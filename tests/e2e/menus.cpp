#include "menus.h"

#include <memory>

#include "input.h"
#include "menu_choice.h"
#include "menu_probe.h"
#include "program.h"

namespace E2e {

namespace {

struct ReadItem {
    MenuEntry entry;
    RECT rect{};
    UINT_PTR submenu = 0;
};

// The probe's library, loaded once into the driver (the hook procedure's address comes from it);
// the system loads it into the program when the hook is first called there.
HMODULE ProbeLibrary() {
    static HMODULE library = [] {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string folder = path;
        folder.erase(folder.find_last_of("\\/") + 1);
        return LoadLibraryA((folder + MenuProbe::kLibrary).c_str());
    }();
    return library;
}

// The items of the menu that window shows, asked of the probe inside the program's thread.
std::vector<ReadItem> ReadMenu(HWND window, std::string& error) {
    const auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
        ProbeLibrary() ? GetProcAddress(ProbeLibrary(), MenuProbe::kHookProcedure) : nullptr));
    if (!hook) {
        error = std::string("no menu probe ") + MenuProbe::kLibrary + " beside the driver";
        return {};
    }
    char name[64];
    MenuProbe::MemoryName(GetCurrentProcessId(), name);
    const std::unique_ptr<void, decltype(&CloseHandle)> memory(
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                           sizeof(MenuProbe::Answer), name),
        &CloseHandle);
    const std::unique_ptr<void, decltype(&UnmapViewOfFile)> view(
        memory ? MapViewOfFile(memory.get(), FILE_MAP_WRITE, 0, 0, 0) : nullptr, &UnmapViewOfFile);
    const std::unique_ptr<HHOOK__, decltype(&UnhookWindowsHookEx)> hooked(
        SetWindowsHookExA(WH_CALLWNDPROC, hook, ProbeLibrary(),
                          GetWindowThreadProcessId(window, nullptr)),
        &UnhookWindowsHookEx);
    if (!view || !hooked) {
        error = "cannot hook the menu probe into the program";
        return {};
    }
    auto& answer = *static_cast<MenuProbe::Answer*>(view.get());
    answer.count = -1;
    static const UINT query = RegisterWindowMessageA(MenuProbe::kQuery);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, query, GetCurrentProcessId(), 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    if (answer.count < 0) {
        error = "the menu probe did not answer";
        return {};
    }
    std::vector<ReadItem> items;
    for (int i = 0; i < answer.count; ++i) {
        const MenuProbe::Item& item = answer.items[i];
        items.push_back({{item.text, (item.state & (MFS_GRAYED | MFS_DISABLED)) != 0,
                          (item.type & MFT_SEPARATOR) != 0},
                         item.rect,
                         item.submenu});
    }
    return items;
}

// The visible popup menus of the program's process; of those showing menu alone unless it is 0.
std::vector<HWND> Popups(DWORD process, UINT_PTR menu = 0) {
    struct Search {
        DWORD process;
        UINT_PTR menu;
        std::vector<HWND> found;
    } search{process, menu, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s.process || !IsWindowVisible(window) || ClassOf(window) != "#32768")
                return TRUE;
            DWORD_PTR shown = 0;
            if (s.menu == 0 ||
                (SendMessageTimeoutA(window, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 2000, &shown) &&
                 shown == s.menu))
                s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForPopup(DWORD process, UINT_PTR menu, DWORD waitMs) {
    for (const DWORD start = GetTickCount();; Sleep(50)) {
        if (const std::vector<HWND> found = Popups(process, menu); !found.empty())
            return found.front();
        if (GetTickCount() - start > waitMs) return nullptr;
    }
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// Clicks texts[0] in the menu that window shows, then each further text in the popup the one
// before opened; at the end the menus must close.
std::string Choose(HANDLE program, HWND window, const std::vector<std::string>& texts,
                   DWORD waitMs) {
    const DWORD process = GetProcessId(program);
    for (std::size_t level = 0; level < texts.size(); ++level) {
        const std::string& text = texts[level];
        std::string error;
        const std::vector<ReadItem> items = ReadMenu(window, error);
        if (!error.empty()) return error;
        std::vector<MenuEntry> entries;
        for (const ReadItem& item : items) entries.push_back(item.entry);
        const int index = FindMenuEntry(entries, text, error);
        if (index < 0) return error;
        const ReadItem& item = items[static_cast<std::size_t>(index)];
        const bool last = level + 1 == texts.size();
        if (last && item.submenu) return "the menu item " + Quoted(text) + " opens a menu";
        if (!last && !item.submenu) return "the menu item " + Quoted(text) + " opens no menu";
        ClickInOneGo(program, {(item.rect.left + item.rect.right) / 2,
                               (item.rect.top + item.rect.bottom) / 2});
        if (last) break;
        window = WaitForPopup(process, item.submenu, waitMs);
        if (!window) return "the menu " + Quoted(text) + " did not open";
    }
    for (const DWORD start = GetTickCount(); !Popups(process).empty(); Sleep(50))
        if (GetTickCount() - start > waitMs)
            return "the menu stays open after " + Quoted(texts.back());
    return "";
}

}  // namespace

std::string ChooseFromMenuBar(HANDLE program, HWND main, const std::vector<std::string>& texts,
                              DWORD waitMs) {
    return Choose(program, main, texts, waitMs);
}

std::string ChooseFromPopup(HANDLE program, const std::vector<std::string>& texts, DWORD waitMs) {
    HWND popup = WaitForPopup(GetProcessId(program), 0, waitMs);
    if (!popup) return "no popup menu opened";
    return Choose(program, popup, texts, waitMs);
}

}  // namespace E2e
