#pragma once
// An observer that records the codes it hears.
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
