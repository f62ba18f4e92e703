#pragma once
// The cursor read-out of the global tool bar without its window: the X and Y texts it shows of
// the axis tools' cursor, its switch, and the cells it paints.
#include <string>

#include "plot/rect.h"

namespace Winplus {

class CursorReadout {
public:
    enum Switch { kOff = 0, kOn = 5 };

    // A value as the read-out writes it: six significant digits, general notation.
    static std::wstring Text(double value);

    // kOff or kOn, each followed by an update; other states change nothing. True when the
    // window is to be drawn (in its partial form).
    bool Execute(int state);
    // AxisEvent::kCursorMoved: while switched on the texts follow the cursor; true when to draw.
    bool OnCursorMoved();

    bool Enabled() const { return enabled_; }
    const std::wstring& XText() const { return x_; }
    const std::wstring& YText() const { return y_; }

private:
    void Update();

    bool enabled_ = false;
    std::wstring x_, y_;
};

// Where the read-out paints in a client area w x h. With the cursor outside the plot: the
// whole bar white, its left half grey, the outline, no text. Inside: the grey X cell, the white
// Y cell, their text boxes, and the outline in the full form only.
struct ReadoutCells {
    bool blank = false;
    PixelRect whole;      // blank form: filled white
    PixelRect left;       // grey
    PixelRect right;      // white; empty in the blank form
    PixelRect leftText;   // X in white
    PixelRect rightText;  // Y in black
    bool outlined = false;
    PixelRect outline;  // 1-pixel pen 0xFF404040
    bool operator==(const ReadoutCells&) const = default;
};
ReadoutCells LayOutReadout(int w, int h, bool fullForm, bool cursorInside);

}  // namespace Winplus
