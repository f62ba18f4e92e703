#pragma once
// Driving an explorer tree as a person does, through the tree view's own messages: items read
// back as text, label edits typed into the tree's edit box, and the right button at an item with
// the menu it opens read and closed again.
#include <string>

#include "app/explorers/explorer_leaf.h"

namespace ExplorerGui {

// Each item as "text(kind)", children in brackets after their parent, siblings apart by blanks.
std::string Items(const Winplus::ControlTree& tree);

// Starts editing the item's label (TVM_EDITLABEL), types text and ends the edit; false when the
// edit did not start.
bool EditLabel(const Winplus::ControlTree& tree, HTREEITEM item, const std::string& text);

// The right button's notice for the item (null: empty space below the items), handled after the
// pointer moved on (GuiTest::ClickedAt); the menu that opened, read and closed: entries apart by
// "|", "-" a separator, a sub-menu as "text>entries"; empty when none opened.
std::string RightClick(const Winplus::ControlTree& tree, HTREEITEM item);

// The menu command id sent as the menu would: WM_COMMAND without a sender to the tree's parent.
void MenuCommand(const Winplus::ControlTree& tree, int id);

// Selects the item as the user's click does (TVM_SELECTITEM).
void Select(const Winplus::ControlTree& tree, HTREEITEM item);

}  // namespace ExplorerGui
