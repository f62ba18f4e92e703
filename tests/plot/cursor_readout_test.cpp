#include <gtest/gtest.h>

#include <tuple>

#include "plot/axis_tools.h"
#include "plot/cursor_readout.h"

namespace {

using Winplus::AxisBar;
using Winplus::CursorReadout;
using Winplus::PixelRect;

void MoveCursor(double x, double y) {
    const double position[2] = {x, y};
    AxisBar::SetCursorPosition(position);
}

TEST(CursorReadoutTest, TextsHaveSixSignificantDigitsAndFollowTheCursorOnlyWhileSwitchedOn) {
    // value, text as a default stream of precision 6 writes it
    for (const auto& [value, text] : {std::tuple{1234.5678, L"1234.57"},
                                      {0.000123456789, L"0.000123457"},
                                      {1234567.0, L"1.23457e+06"},
                                      {-0.5, L"-0.5"},
                                      {100.0, L"100"},
                                      {1e-5, L"1e-05"},
                                      {0.0, L"0"}}) {
        EXPECT_EQ(CursorReadout::Text(value), text);
    }

    CursorReadout readout;
    MoveCursor(12.3456789, -2.0);
    EXPECT_FALSE(readout.OnCursorMoved());
    EXPECT_TRUE(readout.XText().empty());
    EXPECT_FALSE(readout.Execute(3));
    EXPECT_FALSE(readout.Enabled());
    // Switching on updates at once.
    EXPECT_TRUE(readout.Execute(CursorReadout::kOn));
    EXPECT_EQ(readout.XText(), L"12.3457");
    EXPECT_EQ(readout.YText(), L"-2");
    MoveCursor(5e7, 0.25);
    EXPECT_TRUE(readout.OnCursorMoved());
    EXPECT_EQ(readout.XText(), L"5e+07");
    EXPECT_EQ(readout.YText(), L"0.25");
    // Switching off updates once more; moves then leave the last texts.
    MoveCursor(1.0, 1.0);
    EXPECT_TRUE(readout.Execute(CursorReadout::kOff));
    MoveCursor(7.0, 8.0);
    EXPECT_FALSE(readout.OnCursorMoved());
    EXPECT_EQ(readout.XText(), L"1");
    EXPECT_EQ(readout.YText(), L"1");
}

TEST(CursorReadoutTest, CellsOfTheBlankFullAndPartialForms) {
    using Winplus::ReadoutCells;
    const ReadoutCells blank = Winplus::LayOutReadout(120, 22, true, false);
    EXPECT_TRUE(blank.blank);
    EXPECT_EQ(blank.whole, (PixelRect{0, 1, 119, 19}));
    EXPECT_EQ(blank.left, (PixelRect{0, 1, 60, 19}));
    EXPECT_EQ(blank.outline, (PixelRect{0, 1, 119, 19}));
    EXPECT_EQ(Winplus::LayOutReadout(120, 22, false, false), blank);

    const ReadoutCells full = Winplus::LayOutReadout(121, 22, true, true);
    EXPECT_FALSE(full.blank);
    EXPECT_EQ(full.left, (PixelRect{0, 1, 60, 19}));
    EXPECT_EQ(full.right, (PixelRect{60, 1, 60, 19}));
    EXPECT_EQ(full.leftText, (PixelRect{0, 2, 70, 19}));
    EXPECT_EQ(full.rightText, (PixelRect{60, 2, 70, 19}));
    EXPECT_TRUE(full.outlined);
    EXPECT_EQ(full.outline, (PixelRect{0, 1, 120, 19}));

    const ReadoutCells partial = Winplus::LayOutReadout(121, 22, false, true);
    EXPECT_EQ(partial.left, (PixelRect{1, 2, 59, 18}));
    EXPECT_EQ(partial.right, (PixelRect{60, 2, 59, 18}));
    EXPECT_EQ(partial.leftText, (PixelRect{0, 2, 69, 18}));
    EXPECT_FALSE(partial.outlined);
}

}  // namespace
