#include "app/project_comment.h"

#include "foundation/event_bus.h"

namespace Core::ProjectComment {

namespace {

struct CommentState {
    std::string text = kDefaultText;
    Safe::XPtr<Winplus::Command> editor;
};

CommentState& State() {
    static CommentState state;
    return state;
}

void ResetState() {
    State() = CommentState();
}
[[maybe_unused]] const bool kResets = RegisterProcessReset(&ResetState);

constexpr int kHandIn = 0;
constexpr int kShow = 1;

void Tell(int code) {
    // Held here: the editor may replace itself while it runs.
    const Safe::XPtr<Winplus::Command> editor = State().editor;
    if (editor) editor->Execute(code);
}

}  // namespace

std::string Get(bool sync) {
    if (sync) Tell(kHandIn);
    return State().text;
}

void Set(const std::string& text, bool notify) {
    State().text = text;
    if (notify) Tell(kShow);
}

void Reset() {
    Set(kDefaultText, true);
}

void SetObserver(const Safe::XPtr<Winplus::Command>& editor) {
    State().editor = editor;
}

}  // namespace Core::ProjectComment
