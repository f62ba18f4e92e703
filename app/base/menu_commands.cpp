#include "app/base/menu_commands.h"

namespace Core {

void MenuCommands::Add(int menuId, const Safe::XPtr<Winplus::Command>& command) {
    commands_[menuId] = command;
}

bool MenuCommands::Execute(int menuId) const {
    const auto found = commands_.find(menuId);
    return found != commands_.end() && found->second->Execute(menuId);
}

}  // namespace Core
