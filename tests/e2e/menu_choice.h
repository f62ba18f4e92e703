#pragma once
// Finding a menu item by the text a person reads on it, with no window in sight (tested
// natively).
#include <string>
#include <vector>

namespace E2e {

struct MenuEntry {
    std::string text;  // as the program gave it: "&Load Data File...", "Cu&t\tCtrl+X"
    bool greyed = false;
    bool separator = false;
};

// The text a person reads: without the '&' that marks an access key ("&&" is one '&') and
// without the shortcut after a tab.
std::string ShownText(const std::string& text);

// The index of the entry that reads text, or -1 and why: no such entry (naming those there
// are) or a greyed one.
int FindMenuEntry(const std::vector<MenuEntry>& entries, const std::string& text,
                  std::string& error);

}  // namespace E2e
