#pragma once
// The rule the model readers' fuzz targets hold: a model that was read saves as a model file, as
// an OSML document and inside a project, and each of those reads back with the same values.
#include <string>

#include "model/math_map.h"

namespace fuzz {

struct RoundTrip {
    // Every form was written. An OSML document is not when the model holds what documents
    // cannot (a value that is not finite, a node without a markup form); that is no fault.
    bool written = false;
    // The writer's message when it was not, naming the form.
    std::string refusal;
    // Why the rule does not hold, naming the form; empty when it holds.
    std::string fault;
};

// Saves the model in the three forms and reads each back, without library folders or DLLs.
// Replaces the running program's project on the way.
RoundTrip SaveAndReadBack(const Core::MathMap::Ptr& model);
// Aborts, saying why on stderr, unless the rule holds; with everyForm, also unless every form
// was written (a model read from a document holds nothing a document cannot).
void RequireRoundTrip(const Core::MathMap::Ptr& model, bool everyForm = false);

}  // namespace fuzz
