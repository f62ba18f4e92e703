#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>

#include "foundation/spectrum.h"

namespace {

using C = std::complex<double>;

Spectrum::Ptr Make(std::vector<double> x, std::vector<double> re, std::vector<double> im = {}) {
    Spectrum::Ptr s = Safe::MakeX<Spectrum>();
    s->Resize(static_cast<int>(x.size()));
    for (std::size_t i = 0; i < x.size(); ++i)
        s->SetPoint(static_cast<int>(i), x[i], re[i], im.empty() ? 0.0 : im[i]);
    return s;
}

TEST(Spectrum, NewSpectrumIsEmptyWithKindMinusOne) {
    Spectrum s;
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.GetKind(), -1);
    EXPECT_EQ(s.ValueAt(3.0), C(0, 0));
    EXPECT_FALSE(s.Resize(-1));
    EXPECT_EQ(s.Max(0), 0.0);
}

TEST(Spectrum, InterpolatesAndExtrapolates) {
    auto s = Make({1, 2, 3}, {10, 20, 30}, {1, 2, 3});
    EXPECT_EQ(s->ValueAt(2.5), C(25, 2.5));
    EXPECT_EQ(s->ValueAt(4), C(40, 4));
    EXPECT_EQ(s->ValueAt(0), C(0, 0));
    EXPECT_EQ(s->ValueAt(-1), C(-10, -1));
    EXPECT_EQ(s->ValueAt(3), C(30, 3));
    EXPECT_EQ(s->ValueAt(1), C(10, 1));
    EXPECT_EQ(s->ValueAt(2), C(20, 2));
}

TEST(Spectrum, SweepsGiveTheSameValuesAsFreshSearches) {
    std::vector<double> x, re;
    for (int i = 0; i < 100; ++i) {
        x.push_back(i * 0.5 + (i % 3) * 0.1);
        re.push_back(std::sin(i));
    }
    auto sweeping = Make(x, re);
    for (double v = -2; v < 55; v += 0.37) {
        auto fresh = Make(x, re);
        EXPECT_EQ(sweeping->ValueAt(v), fresh->ValueAt(v)) << v;
    }
    for (double v = 55; v > -2; v -= 0.53) EXPECT_EQ(sweeping->ValueAt(v), Make(x, re)->ValueAt(v));
}

TEST(Spectrum, DegenerateTablesGiveDefinedValues) {
    EXPECT_EQ(Make({2}, {7}, {1})->ValueAt(5), C(7, 1));
    auto repeated = Make({1, 1}, {5, 6});
    EXPECT_EQ(repeated->ValueAt(1), C(5, 0));
    EXPECT_EQ(repeated->ValueAt(3), C(5, 0));

    // A bracket left from before a shrink must not be trusted.
    std::vector<double> x(50), re(50);
    for (int i = 0; i < 50; ++i) x[i] = re[i] = i;
    auto s = Make(x, re);
    EXPECT_EQ(s->ValueAt(45.5), C(45.5, 0));
    s->Resize(3);
    EXPECT_EQ(s->ValueAt(45.5), C(45.5, 0));
    s->X()->Resize(2);  // columns resized from outside
    EXPECT_EQ(s->ValueAt(0.5), C(0.5, 0));

    // Abscissas beyond the values' end take no part: the last segment the values reach is
    // extended instead.
    auto longX = Make(x, re);
    longX->Re()->Values() = std::vector<double>{0, 10, 20};
    longX->Im()->Values() = std::vector<double>{0, 1, 2};
    EXPECT_EQ(longX->ValueAt(45.5), C(455, 45.5));
    EXPECT_EQ(longX->ValueAt(0.5), C(5, 0.5));
}

TEST(Spectrum, CopyRange) {
    std::vector<double> x, re;
    for (int i = 0; i < 8; ++i) {
        x.push_back(i);
        re.push_back(10 * i);
    }
    auto source = Make(x, re);
    Spectrum::Ptr target = Safe::MakeX<Spectrum>();
    EXPECT_TRUE(target->CopyRange(source, 5, 2, true));
    ASSERT_EQ(target->Size(), 4);
    EXPECT_EQ((*target->X())[0], 2);
    EXPECT_EQ((*target->Re())[3], 50);
    EXPECT_TRUE(target->CopyRange(source, 3, 3, true));
    EXPECT_EQ(target->Size(), 4);
    EXPECT_FALSE(target->CopyRange(source, 2, 8, true));
    EXPECT_FALSE(target->CopyRange(source, -2, 3, true));
    EXPECT_EQ(target->Size(), 4);

    EXPECT_TRUE(target->CopyRange(source, -1, -1, false));
    EXPECT_EQ(target->Size(), 8);
    EXPECT_EQ((*target->Re())[7], 0);  // values not copied: the resized points are 0

    EXPECT_TRUE(source->CopyRange(source, 1, 2, true));  // onto itself
    ASSERT_EQ(source->Size(), 2);
    EXPECT_EQ((*source->X())[0], 1);
    EXPECT_EQ((*source->Re())[1], 20);
    EXPECT_TRUE(source->CopyRange(Safe::MakeX<Spectrum>(), -1, -1, true));
    EXPECT_EQ(source->Size(), 0);
}

TEST(Spectrum, SaveClearMaxMin) {
    auto s = Make({1, 2}, {3, -4}, {5, 6});
    Data* re = s->Re().Get();
    s->SaveValues();
    EXPECT_EQ(s->SavedRe().Get(), re);
    s->SaveValues();
    EXPECT_EQ(s->Re().Get(), re);
    EXPECT_EQ(s->Max(1), 3);
    EXPECT_EQ(s->Min(1), -4);
    EXPECT_EQ(s->Max(2), 6);
    EXPECT_EQ(s->Min(0), 1);
    EXPECT_EQ(s->Max(3), 0);
    s->ClearValues();
    EXPECT_EQ(s->Max(1), 0);
    EXPECT_EQ(s->Max(0), 2);
}

}  // namespace

// What is made from a column's values keeps while its count of changes stays: every writable
// access counts, reading through a const column does not.
TEST(Spectrum, ColumnsCountEveryAccessThatCanChangeThem) {
    Data column(std::vector<double>{1.0, 2.0, 3.0});
    const Data& reading = column;
    std::uint64_t before = column.Changes();
    EXPECT_EQ(reading[1] + reading.Values()[2] + reading.Max() + reading.Min(), 9.0);
    EXPECT_EQ(column.Changes(), before);
    const std::vector<std::function<void()>> writes = {
        [&] { column[0] = 4.0; },
        [&] { column.Values().push_back(5.0); },
        [&] { column.Resize(2); },
        [&] { column = Data(std::vector<double>{6.0}); },
    };
    for (const auto& write : writes) {
        write();
        EXPECT_GT(column.Changes(), before);
        before = column.Changes();
    }
    // A copy is a column of its own; assigning to it changes it, not the source.
    Data copy = column;
    const std::uint64_t source = column.Changes();
    copy = column;
    EXPECT_EQ(column.Changes(), source);
    EXPECT_EQ(copy.Values(), std::vector<double>{6.0});
}
