#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "fit/squeeze.h"
#include "foundation/event_bus.h"

namespace {

using Optimize::SqueezeInfo;

// Points x = 0, 1, ..., with the real column from f and the imaginary column from g.
template <class F, class G>
Spectrum::Ptr Sampled(int n, F f, G g) {
    auto spectrum = Safe::MakeX<Spectrum>();
    spectrum->Resize(n);
    for (int i = 0; i < n; ++i) spectrum->SetPoint(i, i, f(i), g(i));
    return spectrum;
}
template <class F>
Spectrum::Ptr Sampled(int n, F f) {
    return Sampled(n, f, [](int) { return 0.0; });
}

// The kept abscissas, which here are the source indices.
std::vector<int> Kept(const Spectrum::Ptr& spectrum) {
    std::vector<int> kept;
    for (double x : spectrum->X()->Values()) kept.push_back(static_cast<int>(x));
    return kept;
}

std::vector<int> Span(int from, int to) {
    std::vector<int> span(static_cast<std::size_t>(to - from + 1));
    std::iota(span.begin(), span.end(), from);
    return span;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

SqueezeInfo Settings(double factor, double slope, int mode = 0) {
    SqueezeInfo info;
    info.SetFactor(factor);
    info.SetSlope(slope);
    info.mode = mode;
    return info;
}

TEST(SqueezeTest, SettersRefuseOutOfRangeValues) {
    SqueezeInfo info;
    EXPECT_EQ(info.GetFactor(), 4.0);
    EXPECT_EQ(info.GetSlope(), 0.05);
    info.SetFactor(1.0);
    info.SetSlope(-0.1);
    EXPECT_EQ(info.GetFactor(), 4.0);
    EXPECT_EQ(info.GetSlope(), 0.05);
    info.SetFactor(2.5);
    info.SetSlope(0.0);
    EXPECT_EQ(info.GetFactor(), 2.5);
    EXPECT_EQ(info.GetSlope(), 0.0);
}

// y = x over 101 points, factor 4, slope 0.05: every step adds 1.05 to the measure and the
// threshold is 1.05 x 100 x 4 / 99, so a point survives every 400/99 = 4.04 steps, plus the ends.
TEST(SqueezeTest, RampKeepsAboutOnePointInFour) {
    auto destination = Safe::MakeX<Spectrum>();
    Optimize::Squeeze(Settings(4.0, 0.05), Sampled(101, [](int i) { return i; }), destination);
    std::vector<int> expected{0};
    for (int k = 1; k * 400.0 / 99.0 <= 100.0; ++k)
        expected.push_back(static_cast<int>(std::ceil(k * 400.0 / 99.0 - 1e-9)));
    if (expected.back() != 100) expected.push_back(100);
    EXPECT_EQ(Kept(destination), expected);
    EXPECT_EQ(expected.size(), 26u);
}

// Slope 0: the measure is the variation alone. A unit step at 50 adds 1 at once against a
// threshold of 4/99, so the points from 50 on are kept until 24 thresholds (0.97) are passed.
TEST(SqueezeTest, StepKeepsThePointsAfterTheJump) {
    auto destination = Safe::MakeX<Spectrum>();
    Optimize::Squeeze(Settings(4.0, 0.0), Sampled(101, [](int i) { return i < 50 ? 0.0 : 1.0; }),
                      destination);
    EXPECT_EQ(Kept(destination), Join(Join({0}, Span(50, 73)), {100}));
    // Only the columns change: values follow their abscissas.
    EXPECT_EQ((*destination->Re())[0], 0.0);
    EXPECT_EQ((*destination->Re())[1], 1.0);
}

// A triangle of height 10 from 40 to 60: variation 20, threshold 80/99. Each point of the
// flanks adds 1, more than a threshold, so all of 41..60 are kept (20 thresholds), and then one
// point per step until the measure of 20 has passed 24 thresholds (19.4): 61..64.
TEST(SqueezeTest, PeakKeepsItsFlanks) {
    auto destination = Safe::MakeX<Spectrum>();
    Optimize::Squeeze(Settings(4.0, 0.0),
                      Sampled(101, [](int i) { return std::max(0.0, 10.0 - std::abs(i - 50)); }),
                      destination);
    EXPECT_EQ(Kept(destination), Join(Join({0}, Span(41, 64)), {100}));
}

TEST(SqueezeTest, FlatSpectrumKeepsEveryPointOfTheRange) {
    SqueezeInfo info = Settings(4.0, 0.05);
    info.first = 3;
    info.last = 30;
    auto destination = Safe::MakeX<Spectrum>();
    for (int mode : {0, 1, 2}) {
        info.mode = mode;
        Optimize::Squeeze(info, Sampled(40, [](int) { return 2.0; }), destination);
        EXPECT_EQ(Kept(destination), Span(3, 30)) << mode;
    }
}

// Nine points are reduced; fewer are copied whole (the cut range), never left as they were.
TEST(SqueezeTest, ShortRangesAreCopiedWhole) {
    const auto ramp = [](int i) { return i * i; };
    auto destination = Safe::MakeX<Spectrum>();
    Optimize::Squeeze(Settings(4.0, 0.05), Sampled(9, ramp), destination);
    EXPECT_EQ(destination->Size(), 3);
    EXPECT_EQ(Kept(destination).front(), 0);
    EXPECT_EQ(Kept(destination).back(), 8);

    Optimize::Squeeze(Settings(4.0, 0.05), Sampled(8, ramp), destination);
    EXPECT_EQ(Kept(destination), Span(0, 7));

    SqueezeInfo info = Settings(4.0, 0.05);
    info.first = 20;
    info.last = 27;
    Optimize::Squeeze(info, Sampled(50, ramp), destination);
    EXPECT_EQ(Kept(destination), Span(20, 27));
    EXPECT_EQ((*destination->Re())[7], 27.0 * 27.0);

    info.last = 200;  // beyond the source: its last point
    info.first = 45;
    Optimize::Squeeze(info, Sampled(50, ramp), destination);
    EXPECT_EQ(Kept(destination), Span(45, 49));
}

// Complex mode: the imaginary variation is scaled to weigh as much as the real one; without
// imaginary variation it weighs nothing (no division by zero) and the real part decides.
TEST(SqueezeTest, ComplexModeWeighsBothParts) {
    SqueezeInfo complex = Settings(4.0, 0.0, 2);
    SqueezeInfo real = Settings(4.0, 0.0, 0);
    const auto step = [](int i) { return i < 50 ? 0.0 : 1.0; };
    auto a = Safe::MakeX<Spectrum>();
    auto b = Safe::MakeX<Spectrum>();
    Optimize::Squeeze(complex, Sampled(101, step), a);
    Optimize::Squeeze(real, Sampled(101, step), b);
    EXPECT_EQ(Kept(a), Kept(b));

    // Real step at 50, imaginary step of another height at 20: both jumps are kept.
    Optimize::Squeeze(complex, Sampled(101, step, [](int i) { return i < 20 ? 0.0 : 7.0; }), a);
    const std::vector<int> kept = Kept(a);
    EXPECT_NE(std::find(kept.begin(), kept.end(), 20), kept.end());
    EXPECT_NE(std::find(kept.begin(), kept.end(), 50), kept.end());
    EXPECT_EQ(kept.front(), 0);
    EXPECT_EQ(kept.back(), 100);
}

TEST(SqueezeTest, TheProcessResetGivesThePageItsDefaults) {
    Optimize::SqueezeSettings().SetFactor(9.0);
    Optimize::SqueezeSettings().first = 3;
    ResetProcessState();
    EXPECT_EQ(Optimize::SqueezeSettings().GetFactor(), 4.0);
    EXPECT_EQ(Optimize::SqueezeSettings().first, -1);
}

}  // namespace
