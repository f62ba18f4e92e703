#include "model/unredo.h"

namespace Winplus {

void Unredo::Push(const Safe::XPtr<Command>& command) {
    if (!command) return;
    if (undoing_) {
        redo_.push_back(command);
    } else if (redoing_) {
        undo_.push_back(command);
    } else {
        // A new edit makes the undone steps meaningless.
        redo_.clear();
        undo_.push_back(command);
    }
    if (redo_.size() > limit_) redo_.pop_front();
    if (undo_.size() > limit_) undo_.pop_front();
}

void Unredo::ClearHistory() {
    undo_.clear();
    redo_.clear();
    undoing_ = redoing_ = false;
}

bool Unredo::Undo() {
    return Run(undo_, undoing_);
}
bool Unredo::Redo() {
    return Run(redo_, redoing_);
}

bool Unredo::Run(std::deque<Safe::XPtr<Command>>& history, bool& routing) {
    if (history.empty()) return false;
    Safe::XPtr<Command> step = history.back();
    history.pop_back();
    routing = true;
    const bool done = step->Execute(0);
    undoing_ = redoing_ = false;
    return done;
}

}  // namespace Winplus
