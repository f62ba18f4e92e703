#pragma once
// Two bounded histories of commands: what an undo runs and what a redo runs. Running a step
// records its inverse; while an undo runs, what it records goes to the redo history and the
// other way round.
#include <cstdint>
#include <deque>

#include "foundation/command.h"

namespace Winplus {

class Unredo : public Safe::Countable {
public:
    void Push(const Safe::XPtr<Command>& command);
    // Run the newest step of their history; false when it is empty or the step failed.
    bool Undo();
    bool Redo();

    int UndoCount() const { return static_cast<int>(undo_.size()); }
    int RedoCount() const { return static_cast<int>(redo_.size()); }
    std::uint32_t Limit() const { return limit_; }
    // Forgets every step: the steps hold nodes, and through them other definitions.
    void ClearHistory();

private:
    bool Run(std::deque<Safe::XPtr<Command>>& history, bool& routing);

    bool undoing_ = false;
    bool redoing_ = false;
    std::uint32_t limit_ = 10;
    std::deque<Safe::XPtr<Command>> undo_;
    std::deque<Safe::XPtr<Command>> redo_;
};

}  // namespace Winplus
