#pragma once
// The project comment: a free text saved with the project, and the one editor that shows it.
// The editor is a command: code 0 asks it to hand in its text, code 1 to show the comment.
#include <functional>
#include <string>

#include "foundation/command.h"

namespace Core::ProjectComment {

inline constexpr const char* kDefaultText = "//Project comment and description";

// With sync, the editor hands in its text first.
std::string Get(bool sync);
// With notify, the editor shows the new text.
void Set(const std::string& text, bool notify);
// The default text, shown by the editor.
void Reset();
// A new editor replaces the old one; null leaves none.
void SetObserver(const Safe::XPtr<Winplus::Command>& editor);

// The editor's command over its text: readText hands in the editor's whole text (code 0), and
// showText shows the comment (any other code).
Safe::XPtr<Winplus::Command> MakeEditor(std::function<std::string()> readText,
                                        std::function<void(const std::string&)> showText);

}  // namespace Core::ProjectComment
