#pragma once
// The arithmetic of the property grid and of the scroll controls that shift a grid or a sticker
// bar: rows under a point, the in-place editor's and the drop-down's places, scroll limits.
#include <cstddef>

namespace Winplus {

inline constexpr int kRowHeight = 19;
inline constexpr int kValueColumn = 64;
inline constexpr int kTextOffset = 2;
inline constexpr int kGridScrollWidth = 18;

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
};

// The row under a client y (above the grid: the rows scrolled out above), or -1 where no
// row is.
int RowAt(int y, int firstVisible, int rowCount);
// The largest first visible row: rows that a bar of that height cannot show, 0 when all fit.
int GridScrollMaximum(int rowCount, int barHeight);
// The strip of the value cell that opens a drop-down, a colour chooser or a message.
bool InDropZone(int x, int clientWidth);
// The in-place edit over a row's value cell, in client coordinates; never negative in size.
Box EditorBox(int row, int firstVisible, int clientWidth);
// The drop-down under a row: its top left in client coordinates and its size.
Box DropDownBox(int row, int firstVisible, int clientWidth, int height);
inline constexpr int kBooleanDropHeight = 30;
// A List row's drop-down: 14 pixels per choice, at most six choices high.
int ListDropHeight(std::size_t choices);

// The position a scroll request moves to (the SB_ codes of a scroll bar; thumb for
// SB_THUMBPOSITION and SB_THUMBTRACK); pages are two steps. The result lies in 0 to maximum.
int ScrollTarget(int request, int position, int maximum, int thumb);

}  // namespace Winplus
