#include "foundation/random.h"

#include <ctime>
#include <mutex>

#include "foundation/event_bus.h"
namespace {

constexpr int kWords = 624;
constexpr int kShift = 397;
constexpr int kUnseeded = kWords + 1;
constexpr std::uint32_t kUpperMask = 0x80000000u;
constexpr std::uint32_t kLowerMask = 0x7FFFFFFFu;
constexpr std::uint32_t kMatrix[2] = {0u, 0x9908B0DFu};

struct Generator {
    std::mutex mutex;
    std::uint32_t state[kWords] = {};
    int position = kUnseeded;
};

// Made on first use, so static constructors elsewhere may draw too (the mutex is not
// constant-initialised with every thread library).
Generator& TheGenerator() {
    static Generator generator;
    return generator;
}

// Back to the state at start-up: unseeded, so the next draw seeds from the time.
void ResetGenerator() {
    Generator& generator = TheGenerator();
    std::lock_guard<std::mutex> lock(generator.mutex);
    generator.position = kUnseeded;
}
[[maybe_unused]] const bool kGeneratorReset = RegisterProcessReset(&ResetGenerator);

// The 1998 reference seeding (multiplier 69069), not the later 1812433253 rule.
void SeedLocked(Generator& generator, std::uint32_t first) {
    generator.state[0] = first;
    for (int i = 1; i < kWords; ++i) generator.state[i] = generator.state[i - 1] * 69069u;
    generator.position = kWords;
}

void Regenerate(Generator& generator) {
    std::uint32_t* mt = generator.state;
    for (int k = 0; k < kWords; ++k) {
        const std::uint32_t y = (mt[k] & kUpperMask) | (mt[(k + 1) % kWords] & kLowerMask);
        mt[k] = mt[(k + kShift) % kWords] ^ (y >> 1) ^ kMatrix[y & 1u];
    }
    generator.position = 0;
}

std::uint32_t NextWord() {
    Generator& generator = TheGenerator();
    std::lock_guard<std::mutex> lock(generator.mutex);
    if (generator.position >= kWords) {
        if (generator.position == kUnseeded)
            SeedLocked(generator, static_cast<std::uint32_t>(std::time(nullptr)));
        Regenerate(generator);
    }
    std::uint32_t y = generator.state[generator.position++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

}  // namespace

namespace Random {

double Real() {
    return NextWord() / 4294967295.0;
}

std::uint32_t Integer() {
    return NextWord();
}

void Seed() {
    Generator& generator = TheGenerator();
    std::lock_guard<std::mutex> lock(generator.mutex);
    SeedLocked(generator, static_cast<std::uint32_t>(std::time(nullptr)));
}

void SeedWith(std::uint32_t first) {
    Generator& generator = TheGenerator();
    std::lock_guard<std::mutex> lock(generator.mutex);
    SeedLocked(generator, first);
}

}  // namespace Random
