#include "app/base/placement.h"

#include <gtest/gtest.h>

namespace {

TEST(MainWindowPlacement, TenthFromTheLeftFourFifthsWide) {
    const auto place = Core::MainWindowPlacement({0, 0, 1000, 700});
    EXPECT_EQ(place.x, 100);
    EXPECT_EQ(place.y, 0);
    EXPECT_EQ(place.width, 800);
    EXPECT_EQ(place.height, 700);
    // Integer divisions truncate; a work area that does not start at 0.
    const auto shifted = Core::MainWindowPlacement({37, 20, 37 + 1279, 1000});
    EXPECT_EQ(shifted.x, 37 + 127);
    EXPECT_EQ(shifted.y, 0);
    EXPECT_EQ(shifted.width, 1023);
    EXPECT_EQ(shifted.height, 980);
}

}  // namespace
