#pragma once
// The two one-operation interfaces that bind controls, tools and event buses to the model. The
// integer is the whole message: a command id, an event code, a row index.
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
