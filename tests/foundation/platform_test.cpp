#include <gtest/gtest.h>

#include "foundation/event_bus.h"
#include "foundation/platform.h"
#include "foundation/platform_thread_internal.h"
#include "foundation/random.h"

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

// The process reset also puts back the thread seam and the random generator of start-up: after
// it, a refused creation is allowed again and the draws no longer follow the seed a test gave (a
// generator seeded from the time draws the same first word once in 2^32 starts).
TEST(ProcessReset, RestoresTheThreadSeamAndTheGenerator) {
    Platform::SetCreationRefusal([](Platform::Resource) { return true; });
    ASSERT_TRUE(Platform::CreationRefused(Platform::Resource::Thread));
    Random::SeedWith(5489);
    const std::uint32_t first = Random::Integer();
    Random::SeedWith(5489);
    ResetProcessState();
    EXPECT_FALSE(Platform::CreationRefused(Platform::Resource::Thread));
    EXPECT_NE(Random::Integer(), first);
    Random::SeedWith(5489);
    EXPECT_EQ(Random::Integer(), first);
}
