#pragma once
// The property pages of the three tools: "Adjustment Properties", "Anchor Properties" and
// "Builder Properties". Each is a process-wide list of property rows, refreshed from its tool
// core and applied back to it one row at a time.
#include <string>
#include <vector>

#include "winplus/property.h"

namespace Core {

using PropertyRows = std::vector<Safe::XPtr<Winplus::Property>>;

// UpdateView, AutoUser, the X and Y hit and move associations (node, partner, force) of the
// edited node, and the move types and speeds: 24 rows.
class AdjustmentController {
public:
    static PropertyRows GetProperties();
    // Creates the rows on first use, then writes the core's state into them.
    static void RefreshProperties();
    // False for a row it does not apply (headers, an index out of range).
    static bool ApplyProperty(const int& row);
};

// UpdateView and AutoUser: 3 rows.
class AnchorsController {
public:
    static PropertyRows GetProperties();
    static void RefreshProperties();
    static bool ApplyProperty(const int& row);
};

// The adjustment page's rows one further down, after a String row "Function" that shows the
// prototype's name and is never applied: 25 rows.
class BuilderController {
public:
    static PropertyRows GetProperties();
    static void RefreshProperties();
    static bool ApplyProperty(const int& row);
};

// The texts of the force lists, "NONE" -1, "EQUAL" 0, "RATIO" 1, "GAP" 2 (any other force
// shows "NONE", any other text applies -1), and of the move-type lists, "ABSOLUTE" 0, "VALUE" 1,
// "PERCENT" 2 (any other type shows "ABSOLUTE", any other text applies 0).
std::string ForceText(int force);
int ForceOfText(const std::string& text);
std::string MoveTypeText(int type);
int MoveTypeOfText(const std::string& text);

}  // namespace Core
