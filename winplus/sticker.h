#pragma once
// Stickers, the named tabs of a sticker bar, and the bar's layout, hit tests and overflow. No
// windows here: the owner of a bar measures names, routes clicks and paints.
#include <functional>
#include <string>
#include <vector>

#include "foundation/label.h"
#include "winplus/colors.h"

namespace Winplus {

struct Point {
    int x = 0, y = 0;
};

// How a sticker is painted: a plain sticker or a tab opening downward or upward.
struct StickerLook {
    bool tab = false;
    bool downward = true;
    Argb fill = 0xFFBED2FF;     // selected fill
    Argb outline = 0xFF141EC0;  // selected outline, or the tab's line
    Argb text = 0xFF000000;     // text (of unselected tabs)
};

class Sticker : public Label {
public:
    // The two integers are kept for the caller; nothing here reads them.
    static Safe::XPtr<Sticker> CreateBasic(const std::wstring& name, int first, int second,
                                           Argb fill, Argb outline, Argb text, bool flag);
    static Safe::XPtr<Sticker> CreateIntercalary(const std::wstring& name, bool downward, Argb fill,
                                                 Argb line, Argb text, bool flag);

    Point GetRightEdge() const { return {x + width + margin, y}; }
    bool HitTest(const Point& p) const {
        return enabled && x <= p.x && p.x < x + width && y <= p.y && p.y < y + height;
    }

    bool enabled = true;
    bool selected = false;
    int x = 0, y = 0, width = 20, height = 16;
    int textWidth = 40, textHeight = 16;
    int margin = 1;
    bool flag = false;
    Argb background = 0xFF000000;
    StickerLook look;
    int first = -1, second = -1;

private:
    using Label::Label;
};

using StickerList = std::vector<Safe::XPtr<Sticker>>;
// The width and height of a name in the bar's font.
using NameMeasure = std::function<Point(const std::wstring&)>;

// The stickers of a bar and where they lie; the bar rectangle is in its owner's client area.
class StickerStrip {
public:
    // Replaces the list; a measure gives each sticker its width.
    void SetStickers(const StickerList& stickers, const NameMeasure& measure);
    void SetRect(int x, int y, int width, int height, const NameMeasure& measure);
    // Take the index only when it names a sticker, then re-place the stickers.
    void Select(const int& index);
    void SetFirstVisible(const int& index);
    Safe::XPtr<Sticker> GetSelected() const;
    bool HitTest(const Point& p) const;
    // The enabled sticker under the point from the first visible one on, or -1; -1 outside the
    // bar, even where a sticker lies beyond its right end.
    int StickerAt(const Point& p) const;
    // How many stickers must scroll out to the left for the rest to fit, walking from the last
    // enabled sticker; a first visible index beyond it is pulled back to it.
    int UpdateOverflow();
    int EnabledCount() const;

    const StickerList& Stickers() const { return stickers_; }
    int X() const { return x_; }
    int Y() const { return y_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int FirstVisible() const { return first_; }
    int Selected() const { return selected_; }
    int Count() const { return static_cast<int>(stickers_.size()); }

    int margin = 1;
    Argb background = 0xFFF0F0F0;

private:
    void Place(const NameMeasure& measure);

    StickerList stickers_;
    int x_ = 0, y_ = 0, width_ = 100, height_ = 20;
    int first_ = 0;
    int selected_ = 0;
};

}  // namespace Winplus
