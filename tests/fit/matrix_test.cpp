#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "fit/matrix.h"

namespace {

DMatrix Make(const std::vector<std::vector<double>>& rows) {
    DMatrix a;
    a.Resize(static_cast<int>(rows.size()), static_cast<int>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) a.Row(static_cast<int>(i)) = rows[i];
    return a;
}

TEST(DMatrixTest, ResizeKeepsEntriesAndZerosNewOnes) {
    DMatrix a;
    EXPECT_EQ(a.RowCount(), 0);
    a.Resize(1, 1);
    a.Row(0)[0] = 7.0;
    a.Resize(2, 3);
    EXPECT_EQ(a.RowCount(), 2);
    EXPECT_EQ(a.ColumnCount(), 3);
    EXPECT_EQ(a.Row(0), (std::vector<double>{7.0, 0.0, 0.0}));
    EXPECT_EQ(a.Row(1), (std::vector<double>{0.0, 0.0, 0.0}));
}

TEST(GaussJordanTest, SolvesAndInverts) {
    DMatrix empty;
    std::vector<double> none;
    EXPECT_TRUE(Optimize::GaussJordan(empty, none));

    DMatrix one = Make({{4.0}});
    std::vector<double> b{2.0};
    ASSERT_TRUE(Optimize::GaussJordan(one, b));
    EXPECT_EQ(one.Row(0)[0], 0.25);
    EXPECT_EQ(b[0], 0.5);

    // A permutation is inverted exactly into its transpose; b is permuted with it.
    DMatrix p = Make({{0, 1, 0}, {0, 0, 1}, {1, 0, 0}});
    std::vector<double> pb{1, 2, 3};
    ASSERT_TRUE(Optimize::GaussJordan(p, pb));
    EXPECT_EQ(p.Row(0), (std::vector<double>{0, 0, 1}));
    EXPECT_EQ(p.Row(1), (std::vector<double>{1, 0, 0}));
    EXPECT_EQ(p.Row(2), (std::vector<double>{0, 1, 0}));
    EXPECT_EQ(pb, (std::vector<double>{3, 1, 2}));

    // The 3 x 3 Hilbert matrix: its inverse and the solution for b = (1, 1, 1) in integers.
    DMatrix h =
        Make({{1, 1.0 / 2, 1.0 / 3}, {1.0 / 2, 1.0 / 3, 1.0 / 4}, {1.0 / 3, 1.0 / 4, 1.0 / 5}});
    std::vector<double> hb{1, 1, 1};
    ASSERT_TRUE(Optimize::GaussJordan(h, hb));
    const double inverse[3][3] = {{9, -36, 30}, {-36, 192, -180}, {30, -180, 180}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(h.Row(i)[j], inverse[i][j], 1e-11);
    EXPECT_NEAR(hb[0], 3, 1e-12);
    EXPECT_NEAR(hb[1], -24, 1e-11);
    EXPECT_NEAR(hb[2], 30, 1e-11);
}

TEST(GaussJordanTest, RefusesSingularAndNonFiniteMatrices) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::vector<std::vector<double>>> cases = {
        {{1, 2}, {0, 0}},    // a zero row
        {{0, 2}, {0, 3}},    // a zero column
        {{1, 2}, {2, 4}},    // rank 1
        {{1, 0}, {0, nan}},  // the second pass finds no candidate: no stale pivot is reused
        {{nan, nan}, {nan, nan}}, {{inf}},  // an infinite pivot
        {{1, 0}, {0, inf}},
    };
    for (const auto& rows : cases) {
        DMatrix a = Make(rows);
        std::vector<double> b(rows.size(), 1.0);
        EXPECT_FALSE(Optimize::GaussJordan(a, b)) << rows.size() << " " << rows[0][0];
    }
}

// Every length, whole groups of eight and the rest: exact where every partial sum is (small
// integers), and within the error bound of an eight-way sum of a sum kept in long double.
TEST(DotTest, SumsEveryTermAndKeepsTheAccuracyOfThePlainSum) {
    for (std::size_t n : {0u, 1u, 7u, 8u, 9u, 15u, 16u, 1001u}) {
        std::vector<double> a(n), b(n);
        double exact = 0.0;
        for (std::size_t k = 0; k < n; ++k) {
            a[k] = static_cast<double>(k % 13) - 6.0;
            b[k] = static_cast<double>(k % 5) + 1.0;
            exact += a[k] * b[k];
        }
        EXPECT_EQ(Optimize::Dot(a.data(), b.data(), n), exact) << n;
    }
    std::mt19937 random(42);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    const std::size_t n = 20000;
    std::vector<double> a(n), b(n);
    long double reference = 0.0L, magnitude = 0.0L;
    for (std::size_t k = 0; k < n; ++k) {
        a[k] = value(random) * std::exp(8.0 * value(random));
        b[k] = value(random);
        reference += static_cast<long double>(a[k]) * b[k];
        magnitude += std::fabs(static_cast<long double>(a[k]) * b[k]);
    }
    const double bound = (n / 8.0 + 4.0) * 0x1p-53 * static_cast<double>(magnitude);
    EXPECT_LE(std::fabs(Optimize::Dot(a.data(), b.data(), n) - static_cast<double>(reference)),
              bound);
}

}  // namespace
