#include <gtest/gtest.h>

#include "foundation/platform.h"

namespace {

TEST(Platform, AnsiRoundTripKeepsWindows1252Characters) {
    std::string text = "a\xE9\x80z";  // a, e acute, euro sign, z
    std::wstring wide;
    ASSERT_TRUE(Platform::AnsiToWide(text, wide));
    ASSERT_EQ(wide.size(), 4u);
    EXPECT_EQ(static_cast<unsigned>(wide[1]), 0xE9u);
    EXPECT_EQ(static_cast<unsigned>(wide[2]), 0x20ACu);
    std::string back;
    ASSERT_TRUE(Platform::WideToAnsi(wide, back));
    EXPECT_EQ(back, text);
}

}  // namespace
