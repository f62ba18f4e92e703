#include "app/base/project_comment.h"

#include <utility>

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

class Editor : public Winplus::Command {
public:
    Editor(std::function<std::string()> readText, std::function<void(const std::string&)> showText)
        : readText_(std::move(readText)), showText_(std::move(showText)) {}
    bool Execute(const int& code) override {
        if (code == kHandIn)
            Set(readText_(), false);
        else
            showText_(Get(false));
        return true;
    }

private:
    std::function<std::string()> readText_;
    std::function<void(const std::string&)> showText_;
};

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

Safe::XPtr<Winplus::Command> MakeEditor(std::function<std::string()> readText,
                                        std::function<void(const std::string&)> showText) {
    return Safe::MakeX<Editor>(std::move(readText), std::move(showText));
}

}  // namespace Core::ProjectComment
