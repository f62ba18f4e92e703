#pragma once
// The state dump: a short text of what the program holds and shows (the current objects, the
// selection, the status texts, each layer's limits and curves with a few values, the fit), one
// "key: value" line per item, written on request for diagnostics and the end-to-end tests.
// Making it only reads.
#include <string>
#include <vector>

namespace Core {

// What only the windows know; the window side fills it in.
struct ShownState {
    std::string title;
    int width = 0, height = 0;  // the main window's client area
    bool painted = false;       // no input waits, no window of the main window to be painted
    std::wstring statusLabel, statusDescription, statusFit;
    // What the Properties panel's grid shows: the page's title and the values of its rows.
    std::string propertiesPage;
    std::vector<std::string> propertiesValues;
    // The view panel's visible leaves (app/views/mode_leaves.h names), and the cursor read-out.
    std::string viewPanels;
    // The mode tool bar shown on the Modify plot: "Builder", "Anchors", "Adjustment", "Fit".
    std::string modeBar = "none";
    bool readoutOn = false;
    std::wstring readoutX, readoutY;
    // The User Function Selector's category tabs, one per library of its list.
    std::vector<std::string> userFunctionTabs;
};

std::string StateDumpText(const ShownState& shown);

}  // namespace Core
