#pragma once
// The two one-operation interfaces that bind controls and tools to the model. The integer is the
// whole message: a command id, a button state, a row index. (The event buses have observers of
// their own code types: foundation/event_bus.h.)
#include "foundation/countable.h"

namespace Winplus {

class Command : public Safe::Countable {
public:
    virtual bool Execute(const int& code) = 0;
};

class Observer : public Safe::Countable {
public:
    virtual bool Notify(const int& code) = 0;
};

}  // namespace Winplus
