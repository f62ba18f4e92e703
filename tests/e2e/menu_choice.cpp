#include "menu_choice.h"

namespace E2e {

std::string ShownText(const std::string& text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size() && text[i] != '\t'; ++i) {
        if (text[i] == '&' && ++i == text.size()) break;
        shown += text[i];
    }
    return shown;
}

int FindMenuEntry(const std::vector<MenuEntry>& entries, const std::string& text,
                  std::string& error) {
    std::string there;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].separator) continue;
        const std::string shown = ShownText(entries[i].text);
        if (shown == text) {
            if (!entries[i].greyed) return static_cast<int>(i);
            error = "the menu item \"" + text + "\" is greyed";
            return -1;
        }
        there += (there.empty() ? "\"" : ", \"") + shown + "\"";
    }
    error = "no menu item \"" + text + "\" (the menu has " + (there.empty() ? "none" : there) + ")";
    return -1;
}

}  // namespace E2e
