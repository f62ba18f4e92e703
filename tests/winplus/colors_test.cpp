#include "winplus/colors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <vector>

#include "foundation/random.h"

namespace {

TEST(ColorByIndex, TableEndsInWhiteAndLaterIndexesAreBlack) {
    EXPECT_EQ(Winplus::ColorByIndex(0), 0xFF76EEC6u);
    EXPECT_EQ(Winplus::ColorByIndex(4), 0xFF000000u);
    EXPECT_EQ(Winplus::ColorByIndex(87), 0xFFFF0000u);  // "red" of the named colours
    EXPECT_EQ(Winplus::ColorByIndex(109), 0xFF9ACD32u);
    EXPECT_EQ(Winplus::ColorByIndex(110), 0xFFFFFFFFu);
    EXPECT_EQ(Winplus::ColorByIndex(111), 0xFF000000u);
    EXPECT_EQ(Winplus::ColorByIndex(0xFFFFFFFFu), 0xFF000000u);
    // Two entries appear twice.
    EXPECT_EQ(Winplus::ColorByIndex(43), Winplus::ColorByIndex(60));
    EXPECT_EQ(Winplus::ColorByIndex(39), Winplus::ColorByIndex(62));
    for (unsigned i = 0; i <= 110; ++i) EXPECT_EQ(Winplus::ColorByIndex(i) >> 24, 0xFFu) << i;
}

TEST(RandomColor, DrawsTheGeneratorsWordModulo110AndNeverWhite) {
    Random::SeedWith(4357u);
    std::vector<std::uint32_t> words;
    for (int i = 0; i < 50; ++i) words.push_back(Random::Integer());
    Random::SeedWith(4357u);
    for (std::uint32_t word : words) EXPECT_EQ(Winplus::RandomColor(), Winplus::ColorByIndex(word % 110));
    std::map<unsigned, int> seen;
    for (int i = 0; i < 20000; ++i) {
        const auto colour = Winplus::RandomColor();
        EXPECT_NE(colour, 0xFFFFFFFFu);
        ++seen[colour];
    }
    // 108 distinct colours (green and magenta twice in the table).
    EXPECT_EQ(seen.size(), 108u);
}

}  // namespace

// The system's colour order (COLORREF: red in the low byte) and Direct2D's fractions.
TEST(Colors, OneConversionBetweenTheSystemsOrderAndArgb) {
    EXPECT_EQ(Winplus::FromColorRef(0x000000FF), 0xFFFF0000u);  // RGB(255, 0, 0)
    EXPECT_EQ(Winplus::FromColorRef(0x00563412), 0xFF123456u);
    EXPECT_EQ(Winplus::ToColorRef(0x80123456u), 0x00563412u);  // alpha dropped
    const Winplus::ColorFractions f = Winplus::Fractions(0x80FF0033u);
    EXPECT_FLOAT_EQ(f.red, 1.0f);
    EXPECT_FLOAT_EQ(f.green, 0.0f);
    EXPECT_FLOAT_EQ(f.blue, 0.2f);
    EXPECT_FLOAT_EQ(f.alpha, 128.0f / 255.0f);
}
