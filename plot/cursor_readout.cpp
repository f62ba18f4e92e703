#include "plot/cursor_readout.h"

#include <sstream>

#include "plot/axis_tools.h"

namespace Winplus {

std::wstring CursorReadout::Text(double value) {
    std::wostringstream out;
    out.precision(6);
    out << value;
    return out.str();
}

bool CursorReadout::Execute(int state) {
    if (state != kOff && state != kOn) return false;
    enabled_ = state == kOn;
    Update();
    return true;
}

bool CursorReadout::OnCursorMoved() {
    if (!enabled_) return false;
    Update();
    return true;
}

void CursorReadout::Update() {
    x_ = Text(AxisBar::CursorX());
    y_ = Text(AxisBar::CursorY());
}

ReadoutCells LayOutReadout(int w, int h, bool fullForm, bool cursorInside) {
    ReadoutCells cells;
    if (!cursorInside) {
        cells.blank = true;
        cells.whole = {0, 1, w - 1, h - 3};
        cells.left = {0, 1, w / 2, h - 3};
        cells.outlined = true;
        cells.outline = cells.whole;
        return cells;
    }
    const int y0 = fullForm ? 1 : 2;
    const int cellWidth = fullForm ? w / 2 : w / 2 - 1;
    const int cellHeight = fullForm ? h - 3 : h - 4;
    cells.left = {fullForm ? 0 : 1, y0, cellWidth, cellHeight};
    cells.right = {w / 2, y0, cellWidth, cellHeight};
    cells.leftText = {0, 2, cellWidth + 10, cellHeight};
    cells.rightText = {w / 2, 2, cellWidth + 10, cellHeight};
    cells.outlined = fullForm;
    if (fullForm) cells.outline = {0, y0, w - 1, cellHeight};
    return cells;
}

}  // namespace Winplus
