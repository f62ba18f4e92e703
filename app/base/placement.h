#pragma once
// Where the main window and the splash banner stand in the work area.
namespace Core {

struct WorkArea {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct Placement {
    int x = 0, y = 0, width = 0, height = 0;
};

// A tenth of the work area's width from its left edge, at the top, four fifths of its width
// and its full height.
Placement MainWindowPlacement(const WorkArea& area);

// The window title for a project name.
inline constexpr const char* kTitlePrefix = "Sorix 2.0 - ";

}  // namespace Core
