#pragma once
// What the explorer trees have in common apart from their windows: the items a tree shows, the
// item the user picked, and the old name kept between the two label-edit notifications.
#include <string>
#include <vector>

namespace Core::Explorer {

// One tree item: its text (ANSI), its kind (which is also its image's index in the tree's image
// list) and its children in order.
struct Item {
    std::string text;
    int kind = 0;
    std::vector<Item> children;

    bool operator==(const Item&) const = default;
};

// The selected item as the tree holds it: its kind (-1: none selected), its text and its
// parent's text (empty for the root).
struct Selected {
    int kind = -1;
    std::string text;
    std::string parentText;
};

// The kind of every tree's root item.
inline constexpr int kRootKind = 0;

// One entry of a context menu: 0 with no text is a separator.
struct MenuEntry {
    int id = 0;
    const char* text = "";
};

// Between the start and the end of a label edit: the start is refused for the root and for an
// item without text, and the end for a cancelled edit (no new text).
class LabelEdit {
public:
    bool Begin(int kind, const std::string& text) {
        if (kind == kRootKind || text.empty()) return false;
        oldName_ = text;
        return true;
    }
    const std::string& OldName() const { return oldName_; }

private:
    std::string oldName_;
};

}  // namespace Core::Explorer
