#include "app/menu_commands.h"

namespace Core {

namespace {
// The place of a command still to be built.
class NotYetCommand : public Winplus::Command {
public:
    bool Execute(const int&) override { return false; }
};
}  // namespace

void MenuCommands::Add(int menuId, const Safe::XPtr<Winplus::Command>& command) {
    commands_[menuId] = command;
}

void MenuCommands::AddNotYet(int menuId) {
    Add(menuId, Safe::MakeX<NotYetCommand>());
}

bool MenuCommands::Execute(int menuId) const {
    const auto found = commands_.find(menuId);
    return found != commands_.end() && found->second->Execute(menuId);
}

std::vector<int> MenuCommands::NotYet() const {
    std::vector<int> ids;
    for (const auto& [id, command] : commands_)
        if (dynamic_cast<const NotYetCommand*>(command.Get())) ids.push_back(id);
    return ids;
}

}  // namespace Core
