#pragma once
// The main menu's commands: one command object per menu id, so that a menu item is one entry of
// a table, never a case of a growing switch.
#include <map>

#include "foundation/command.h"
#include "foundation/countable.h"

namespace Core {

class MenuCommands {
public:
    // The command of a menu id; a second entry for the same id replaces the first.
    void Add(int menuId, const Safe::XPtr<Winplus::Command>& command);
    // Runs the id's command; false when the id has no entry or its command fails.
    bool Execute(int menuId) const;
    bool Has(int menuId) const { return commands_.count(menuId) != 0; }

private:
    std::map<int, Safe::XPtr<Winplus::Command>> commands_;
};

}  // namespace Core
