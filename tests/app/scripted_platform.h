#pragma once
// File dialogs that answer as a test scripts them, keeping what they were asked, for the life of
// the object.
#include <string>
#include <vector>

#include "foundation/platform.h"

namespace test {

// Answers each dialog with the next scripted path (none: cancelled) and keeps the requests.
class ScriptedDialogs {
public:
    ScriptedDialogs() {
        Platform::SetFileDialogHandler([this](const Platform::FileDialogRequest& request) {
            requests.push_back(request);
            std::vector<std::string> answer;
            if (next < answers.size() && !answers[next].empty()) answer.push_back(answers[next]);
            ++next;
            return answer;
        });
    }
    ~ScriptedDialogs() { Platform::SetFileDialogHandler(nullptr); }
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    void Answer(const std::string& path) { answers.push_back(path); }
    const Platform::FileDialogRequest& Last() const { return requests.back(); }

    std::vector<std::string> answers;
    std::size_t next = 0;
    std::vector<Platform::FileDialogRequest> requests;
};

}  // namespace test
