#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <random>

#include "foundation/complex_math.h"

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
