#include "winplus/sticker.h"

namespace Winplus {

Safe::XPtr<Sticker> Sticker::CreateBasic(const std::wstring& name, int first, int second, Argb fill,
                                         Argb outline, Argb text, bool flag) {
    Safe::XPtr<Sticker> sticker(new Sticker(name));
    sticker->look = {false, true, fill, outline, text};
    sticker->first = first;
    sticker->second = second;
    sticker->flag = flag;
    return sticker;
}

Safe::XPtr<Sticker> Sticker::CreateIntercalary(const std::wstring& name, bool downward, Argb fill,
                                               Argb line, Argb text, bool flag) {
    Safe::XPtr<Sticker> sticker(new Sticker(name));
    sticker->look = {true, downward, fill, line, text};
    sticker->flag = flag;
    return sticker;
}

void StickerStrip::SetStickers(const StickerList& stickers, const NameMeasure& measure) {
    stickers_ = stickers;
    for (const auto& s : stickers_)
        if (!s) stickers_.clear();
    if (first_ >= Count()) first_ = 0;
    if (selected_ >= Count()) selected_ = 0;
    Place(measure);
}

void StickerStrip::SetRect(int x, int y, int width, int height, const NameMeasure& measure) {
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
    Place(measure);
}

void StickerStrip::Select(const int& index) {
    if (index < 0 || index >= Count()) return;
    selected_ = index;
    Place(nullptr);
}

void StickerStrip::SetFirstVisible(const int& index) {
    if (index < 0 || index >= Count()) return;
    first_ = index;
    Place(nullptr);
}

Safe::XPtr<Sticker> StickerStrip::GetSelected() const {
    if (selected_ < 0 || selected_ >= Count()) return nullptr;
    return stickers_[selected_];
}

bool StickerStrip::HitTest(const Point& p) const {
    return x_ <= p.x && p.x < x_ + width_ && y_ <= p.y && p.y < y_ + height_;
}

int StickerStrip::StickerAt(const Point& p) const {
    if (!HitTest(p)) return -1;
    for (int i = first_; i < Count(); ++i)
        if (stickers_[i]->HitTest(p)) return i;
    return -1;
}

int StickerStrip::UpdateOverflow() {
    int sum = 0, overflow = 0;
    for (int i = Count() - 1; i >= 0; --i) {
        const Sticker& s = *stickers_[i];
        if (!s.enabled) continue;
        sum += s.width + s.margin;
        if (sum > width_) {
            overflow = i + 1;
            break;
        }
    }
    if (first_ > overflow) first_ = overflow;
    if (overflow < 1) first_ = 0;
    Place(nullptr);
    return overflow;
}

int StickerStrip::EnabledCount() const {
    int count = 0;
    for (const auto& s : stickers_) count += s->enabled ? 1 : 0;
    return count;
}

void StickerStrip::Place(const NameMeasure& measure) {
    Point p{x_ + margin, y_};
    for (int i = 0; i < Count(); ++i) {
        Sticker& s = *stickers_[i];
        s.selected = i == selected_;
        if (measure) {
            const Point size = measure(s.Name());
            s.textWidth = size.x;
            s.textHeight = size.y;
            s.width = size.x;
        }
        s.height = height_ - 1;
        s.margin = margin;
        s.background = background;
        if (i < first_) {
            // Scrolled out to the left: nowhere a click can reach.
            s.x = x_ - s.width - s.margin - 1;
            s.y = y_;
            continue;
        }
        s.x = p.x;
        s.y = p.y;
        if (s.enabled) p = s.GetRightEdge();
    }
}

}  // namespace Winplus
