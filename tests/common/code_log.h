#pragma once
// An observer that records the codes it hears. Buses keep their observers for the life of the
// process, so the log lives in the observer, never in a test's stack frame.
#include <vector>

#include "foundation/command.h"

struct CodeLog : Winplus::Observer {
    bool Notify(const int& code) override {
        codes.push_back(code);
        return false;
    }
    std::vector<int> codes;
};

inline Safe::XPtr<CodeLog> NewCodeLog() {
    return Safe::MakeX<CodeLog>();
}
