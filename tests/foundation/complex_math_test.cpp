#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <random>

#include "foundation/complex_math.h"
#include "foundation/sine_cosine.h"

namespace {

using Complex = std::complex<double>;
using Wide = long double;

constexpr double kUlp = 0x1p-53;

// The quotient in the x87 format, whose exponent range holds every product and square of two
// doubles and whose 64-bit mantissa leaves its rounding well below a double's.
std::complex<Wide> WideQuotient(const Complex& a, const Complex& b) {
    const Wide ar = a.real(), ai = a.imag(), br = b.real(), bi = b.imag();
    const Wide d = br * br + bi * bi;
    return {(ar * br + ai * bi) / d, (ai * br - ar * bi) / d};
}

// |actual - expected| in units of the rounding of |expected|.
double NormwiseUlps(const Complex& actual, const std::complex<Wide>& expected) {
    const Wide dr = actual.real() - expected.real(), di = actual.imag() - expected.imag();
    return static_cast<double>(std::sqrt(dr * dr + di * di) / (std::abs(expected) * kUlp));
}

TEST(Divide, EveryQuotientThatIsADoubleComesOutToAFewUlps) {
    static_assert(std::numeric_limits<Wide>::max_exponent > 2 * 1024,
                  "the reference needs a wider exponent range than double's");
    // Overflow and underflow on the way, though the quotients fit.
    for (const auto& [a, b] : {std::pair<Complex, Complex>{{1e300, 0}, {1e100, 0}},
                               {{1e-300, 0}, {1e-100, 0}},
                               {{1e200, 0}, {1e140, 1e140}},
                               {{1e-200, 1e-200}, {1e100, 1e-300}}})
        EXPECT_LE(NormwiseUlps(Divide(a, b), WideQuotient(a, b)), 2.0) << a << " / " << b;
    // The ratio of the divisor's parts underflows; the quotient's small part must not.
    EXPECT_EQ(Divide({0, 0x1p1000}, {0x1p100, 0x1p-1000}), Complex(0x1p-200, 0x1p900));

    // Parts drawn over the whole range of doubles, one in ten zero.
    std::mt19937_64 engine(2024);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    std::uniform_int_distribution<int> exponent(-1074, 1023), coin(0, 19);
    auto draw = [&] {
        const int toss = coin(engine);
        if (toss < 2) return 0.0;
        const double v = std::ldexp(mantissa(engine), exponent(engine));
        return toss % 2 ? -v : v;
    };
    int checked = 0;
    for (int i = 0; i < 20000; ++i) {
        const Complex a(draw(), draw()), b(draw(), draw());
        if (b == Complex(0, 0)) continue;
        const std::complex<Wide> expected = WideQuotient(a, b);
        const Wide size = std::abs(expected);
        if (size > std::numeric_limits<double>::max() || size < 0x1p-1000L) continue;
        ++checked;
        ASSERT_LE(NormwiseUlps(Divide(a, b), expected), 4.0) << std::hexfloat << a << " / " << b;
    }
    EXPECT_GT(checked, 10000);
}

TEST(Divide, KeepsTheLibrarysRulesForZeroInfinityAndNan) {
    const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
    for (const auto& [a, b] : {std::pair<Complex, Complex>{{1, 2}, {0, 0}},
                               {{inf, 1}, {2, 3}},
                               {{1, 2}, {inf, 0}},
                               {{nan, 1}, {2, 3}},
                               {{1, 1}, {2, nan}},
                               {{1e300, 1}, {nan, 0}}}) {
        const Complex expected = a / b, actual = Divide(a, b);
        EXPECT_TRUE(actual.real() == expected.real() ||
                    (std::isnan(actual.real()) && std::isnan(expected.real())))
            << a << " / " << b;
        EXPECT_TRUE(actual.imag() == expected.imag() ||
                    (std::isnan(actual.imag()) && std::isnan(expected.imag())))
            << a << " / " << b;
    }
}

TEST(SinCos, IsAccurateNextToTheZeros) {
    // mpmath, 25 digits: the doubles nearest k pi/2 for k = 1, 2, 3, 4, 5, 7, 11, 100, 1001 and
    // 524287, some neighbours, and ordinary arguments.
    struct Case {
        double x;
        Wide sin, cos;
    };
    for (const Case& c : {
             Case{0x1.921fb54442d18p+0, 1.0L, 6.12323399573676588613033e-17L},
             {0x1.921fb54442d18p+1, 1.224646799147353177226066e-16L, -1.0L},
             {0x1.2d97c7f3321d2p+2, -1.0L, -1.836970198721029765839099e-16L},
             {0x1.921fb54442d18p+2, -2.449293598294706354452132e-16L, 1.0L},
             {0x1.f6a7a2955385ep+2, 1.0L, 3.061616997868382943065165e-16L},
             {0x1.5fdbbe9bba775p+3, -1.0L, -4.286263797015736120291231e-16L},
             {0x1.1475cc9eedf01p+4, -1.0L, 1.102801099869206217203474e-15L},
             {0x1.3a28c59d5433bp+7, 9.82193361864235972580913e-16L, 1.0L},
             {0x1.89177ef1fa515p+10, 1.0L, -4.431630760484240672914395e-15L},
             {0x1.921f83004c290p+19, -9.999999999999999999995891e-1L,
              2.866762401349355088567253e-11L},
             {0x1.921fb54442d17p+0, 1.0L, 2.832769448823989669460296e-16L},
             {-0x1.2d97c7f3321d2p+2, 1.0L, -1.836970198721029765839099e-16L},
             {0x1.3a28c59d5433cp+7, 2.940390279226824340742588e-14L, 1.0L},
             {0.5, 4.794255386042030002732879e-1L, 8.775825618903727161162816e-1L},
             {-2.5, -5.984721441039564940518547e-1L, -8.011436155469337148335028e-1L},
             {0x1.86a04cccccccdp+16, -2.611791812011462559739014e-1L,
              -9.652903373115773659036949e-1L},
         }) {
        const SineCosine actual = SinCos(c.x);
        EXPECT_LE(std::fabs(actual.sin - c.sin) / (std::fabs(c.sin) * kUlp), 2.0) << c.x;
        EXPECT_LE(std::fabs(actual.cos - c.cos) / (std::fabs(c.cos) * kUlp), 2.0) << c.x;
    }
    EXPECT_TRUE(std::signbit(SinCos(-0.0).sin));
    EXPECT_TRUE(std::isnan(SinCos(std::numeric_limits<double>::infinity()).cos));
}

TEST(Tangent, IsAccurateNextToItsPoles) {
    // tan and tanh to 25 digits (mpmath) at the doubles nearest the arguments.
    struct Case {
        Complex z;
        std::complex<Wide> tan;
    };
    for (const Case& c : {
             Case{{1.5707963, 0}, {37320539.63435481677527021L, 0}},
             Case{{1.5707963267, 0}, {10537785746.99577883244878L, 0}},
             Case{{1.5707963267948966, 0}, {16331239353195369.75596774L, 0}},
             Case{{-4.71238898038469, 0}, {-5443746451065123.251989246L, 0}},
             Case{{1.5707963267, 1e-10}, {4993148058.28795595096196L, 5261672444.126647244501617L}},
             Case{{4.71238898, -2e-9}, {92741338.79197907487695698L, -482161676.5942892274482747L}},
         }) {
        EXPECT_LE(NormwiseUlps(Tangent(c.z), c.tan), 4.0) << c.z;
        // tanh(iz) = i tan z.
        const std::complex<Wide> tanh{-c.tan.imag(), c.tan.real()};
        EXPECT_LE(NormwiseUlps(HyperbolicTangent({-c.z.imag(), c.z.real()}), tanh), 4.0) << c.z;
    }
    // Far from the real axis sinh and cosh overflow, the quotient does not.
    EXPECT_EQ(Tangent({0.5, 800}), Complex(0, 1));
    EXPECT_EQ(HyperbolicTangent({-800, 0.5}), Complex(-1, 0));
}

}  // namespace
