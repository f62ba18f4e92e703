#pragma once
// The "Automatic Fit Properties" page: the fit's maximum number of steps, math path, variable
// definition, experimental data, fitted part, fit range and point reduction, shown from the fit
// driver's state and applied back to it one row at a time.
#include <vector>

#include "winplus/property.h"

namespace Core {

class FitController {
public:
    enum Row {
        kMaxSteps = 1,
        kModel = 3,
        kDefinition = 4,
        kTarget = 5,
        kVariable = 6,
        kFile = 8,
        kPart = 9,
        kAllRange = 10,
        kXStart = 11,
        kXEnd = 12,
        kSqueeze = 13,
        kFactor = 14,
        kSlope = 15,
        kRowCount = 16
    };

    static std::vector<Safe::XPtr<Winplus::Property>> GetProperties();
    // Builds the rows on first use, then fills every row from the fit state.
    static void RefreshProperties();
    // True when nothing was applied (the stored value, or the user said No); false after a
    // change or a refusal, when the rows are to be filled again.
    static bool ApplyProperty(const int& row);
    // What the grid's command does: while a fit runs nothing is applied ("Action not possible
    // during optimization."), false then.
    static bool ApplyWhenIdle(const int& row);
    // While a fit runs: the box "Action not possible during optimization." and true; nothing
    // may then change what the worker reads.
    static bool RefusedDuringFit();
};

}  // namespace Core
