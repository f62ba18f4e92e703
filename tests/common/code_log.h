#pragma once
// An observer that records the numbers of the codes it hears on one bus.
#include <vector>

#include "foundation/event_bus.h"

template <class Code>
struct CodeLog : Winplus::EventObserver<Code> {
    bool Notify(const Code& code) override {
        codes.push_back(CodeNumber(code));
        return false;
    }
    std::vector<int> codes;
};

template <class Code>
Safe::XPtr<CodeLog<Code>> NewCodeLog() {
    return Safe::MakeX<CodeLog<Code>>();
}
