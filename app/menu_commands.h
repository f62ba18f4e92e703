#pragma once
// The main menu's commands: one command object per menu id, so that a menu item is one entry of
// a table, never a case of a growing switch. An item whose command is not built yet has an
// explicit "not yet" entry, so that no id is dropped without anyone knowing.
#include <map>
#include <vector>

#include "foundation/command.h"
#include "foundation/countable.h"

namespace Core {

class MenuCommands {
public:
    // The command of a menu id; a second entry for the same id replaces the first.
    void Add(int menuId, const Safe::XPtr<Winplus::Command>& command);
    // A menu id whose command is still to come: executing it does nothing.
    void AddNotYet(int menuId);

    // Runs the id's command; false when the id has no entry or its command is not built yet.
    bool Execute(int menuId) const;
    bool Has(int menuId) const { return commands_.count(menuId) != 0; }
    // The ids of the "not yet" entries, in increasing order.
    std::vector<int> NotYet() const;

private:
    std::map<int, Safe::XPtr<Winplus::Command>> commands_;
};

}  // namespace Core
