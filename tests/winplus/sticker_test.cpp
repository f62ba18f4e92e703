#include "winplus/sticker.h"

#include <gtest/gtest.h>

#include "winplus/status_layout.h"

namespace {

using Winplus::Point;
using Winplus::Sticker;

// Names measured at 6 pixels a character, 13 high.
Point Measure(const std::wstring& name) {
    return {6 * static_cast<int>(name.size()), 13};
}

Winplus::StickerList Tabs(std::initializer_list<const wchar_t*> names) {
    Winplus::StickerList list;
    for (const wchar_t* name : names)
        list.push_back(
            Sticker::CreateIntercalary(name, true, 0xFFFFFFFF, 0xFF000000, 0xFF808080, false));
    return list;
}

TEST(StickerStrip, LaysOutFromTheFirstVisibleSticker) {
    Winplus::StickerStrip strip;
    strip.SetStickers(Tabs({L"ab", L"cdef", L"g"}), Measure);
    strip.SetRect(10, 5, 200, 20, Measure);
    const auto& s = strip.Stickers();
    EXPECT_EQ(s[0]->x, 11);
    EXPECT_EQ(s[0]->width, 12);
    EXPECT_EQ(s[1]->x, 24);  // 11 + 12 + margin 1
    EXPECT_EQ(s[2]->x, 49);
    EXPECT_EQ(s[2]->height, 19);
    EXPECT_TRUE(s[0]->selected);
    strip.Select(2);
    strip.SetFirstVisible(1);
    EXPECT_EQ(s[1]->x, 11);
    EXPECT_EQ(s[2]->x, 36);
    EXPECT_TRUE(s[2]->selected);
    EXPECT_FALSE(s[0]->selected);
    strip.Select(3);  // no such sticker
    strip.SetFirstVisible(-1);
    EXPECT_EQ(strip.Selected(), 2);
    EXPECT_EQ(strip.FirstVisible(), 1);
}

TEST(StickerStrip, HitTests) {
    Winplus::StickerStrip strip;
    strip.SetStickers(Tabs({L"ab", L"cdef", L"ghijklmnopqrstuvwxyz"}), Measure);
    strip.SetRect(0, 0, 60, 20, Measure);
    EXPECT_EQ(strip.StickerAt({1, 5}), 0);
    EXPECT_EQ(strip.StickerAt({13, 5}), -1);  // the margin after the first sticker
    EXPECT_EQ(strip.StickerAt({14, 5}), 1);
    EXPECT_EQ(strip.StickerAt({59, 5}), 2);
    // The third sticker reaches beyond the bar's right end; there a click is ignored.
    EXPECT_EQ(strip.StickerAt({70, 5}), -1);
    EXPECT_EQ(strip.StickerAt({5, 20}), -1);
    strip.Stickers()[1]->enabled = false;
    EXPECT_EQ(strip.StickerAt({14, 5}), -1);
    strip.SetStickers(Winplus::StickerList(), Measure);
    EXPECT_EQ(strip.StickerAt({1, 5}), -1);
}

TEST(StickerStrip, OverflowAndScrolling) {
    Winplus::StickerStrip strip;
    strip.SetStickers(Tabs({L"aaaa", L"bbbb", L"cccc", L"dddd"}), Measure);  // 25 each
    strip.SetRect(0, 0, 100, 20, Measure);
    EXPECT_EQ(strip.UpdateOverflow(), 0);  // 100 pixels hold all four
    strip.SetRect(0, 0, 60, 20, Measure);
    strip.SetFirstVisible(3);
    EXPECT_EQ(strip.UpdateOverflow(), 2);  // the last two fit in 60 pixels
    EXPECT_EQ(strip.FirstVisible(), 2);
    EXPECT_EQ(strip.Stickers()[2]->x, 1);
    strip.Stickers()[3]->enabled = false;  // disabled stickers take no room
    EXPECT_EQ(strip.UpdateOverflow(), 1);
    EXPECT_EQ(strip.FirstVisible(), 1);
    strip.SetRect(0, 0, 500, 20, Measure);
    EXPECT_EQ(strip.UpdateOverflow(), 0);
    EXPECT_EQ(strip.FirstVisible(), 0);
}

TEST(Sticker, KeepsWhatItWasMadeWith) {
    auto s = Sticker::CreateBasic(L"x", 3, 4, 1, 2, 3, true);
    EXPECT_EQ(s->first, 3);
    EXPECT_EQ(s->second, 4);
    EXPECT_TRUE(s->flag);
    EXPECT_FALSE(s->look.tab);
    s->x = 5;
    s->width = 10;
    EXPECT_EQ(s->GetRightEdge().x, 16);
    EXPECT_TRUE(s->HitTest({14, 0}));
    EXPECT_FALSE(s->HitTest({15, 0}));
    EXPECT_EQ(Sticker::CreateIntercalary(L"t", false, 1, 2, 3, false)->first, -1);
}

TEST(StatusLayout, CellsOfAWideBar) {
    const Winplus::StatusLayout layout = Winplus::LayOutStatusBar(1000);
    EXPECT_EQ(layout.descriptionCell.width, 648);
    EXPECT_EQ(layout.fitCell.x, 752);
    EXPECT_EQ(layout.descriptionClip.width, 638);
    EXPECT_EQ(layout.lines[4].x1, 746);
}

TEST(StatusLayout, NoNegativeWidthsInANarrowWindow) {
    for (int width : {0, 50, 200, 361, 362}) {
        const Winplus::StatusLayout layout = Winplus::LayOutStatusBar(width);
        for (const Winplus::Box& b : {layout.labelCell, layout.descriptionCell, layout.fitCell,
                                      layout.labelText, layout.descriptionClip, layout.fitText})
            EXPECT_GE(b.width, 0) << width;
        EXPECT_EQ(layout.descriptionClip.width, 0) << width;  // no room for the description
    }
}

}  // namespace
