#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <limits>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "functions/families.h"
#include "functions/special_kernels.h"
#include "model/node.h"
#include "reference_table.h"

namespace {

using Capsule::DawsonF;
using Capsule::ExpIntegralE1;
using Capsule::ExpIntegralEi;
using Capsule::ExpIntegralExpEi;
using Capsule::FaddeevaW;
using Capsule::GammaFunction;
using Complex = std::complex<double>;

std::string Scientific(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2e", x);
    return text;
}

// |got - want| / |want|, or the absolute difference where want is below floor.
double RelativeError(double got, double want, double floor = 1e-300) {
    return std::fabs(got - want) / std::max(std::fabs(want), floor);
}

TEST(SpecialKernels, FaddeevaMatchesMpmathOverTheRealAxisPolesSmallAndLargeArguments) {
    const auto rows = Reference::ReadTable("faddeeva.txt");
    ASSERT_GT(rows.size(), 450u);
    double worst = 0.0;
    for (const auto& r : rows) {
        const Complex want(r[2], r[3]);
        const Complex got = FaddeevaW(Complex(r[0], r[1]));
        const double error = std::abs(got - want) / std::abs(want);
        EXPECT_LE(error, 1e-13) << "z = " << r[0] << " + " << r[1] << "i: " << got;
        worst = std::max(worst, error);
    }
    RecordProperty("worst_relative_error", Scientific(worst));
}

TEST(SpecialKernels, FaddeevaPastTheOldPoleWindow) {
    // Real x = 6.5 lies on a pole of the step-0.5 sum that nothing cancels any more.
    EXPECT_NEAR(FaddeevaW(Complex(6.5, 0.0)).imag(), 0.087864424731045662, 1e-15);
    EXPECT_NEAR(FaddeevaW(Complex(7.0, 0.0)).imag(), 0.081447508065002968, 1e-15);
    EXPECT_NEAR(FaddeevaW(Complex(1.0, 0.0)).real(), 0.36787944117144233, 1e-15);
    EXPECT_NEAR(FaddeevaW(Complex(1.0, 0.0)).imag(), 0.6071577058413938, 1e-15);
}

TEST(SpecialKernels, FaddeevaDeepInTheLowerHalfPlaneIsFiniteWhereItFits) {
    // mpmath (40 digits) at the same doubles; where a part exceeds the largest double it is
    // infinite with its sign, the other part keeps its value.
    const double kInf = std::numeric_limits<double>::infinity();
    const struct {
        double x, y, re, im;
    } cases[] = {
        {0.0279356, -24.3172, 2.7152798846579483279e+256, 1.2605344284183454946e+257},
        {0.5, -26.6, 3.1345967509201845801e+306, 3.0166713292272891663e+307},
        {3.0, -20.0, 1.0492847655495658714e+170, 7.482691101312084155e+169},
        {-5.5, -12.25, -2.0397109094815726625e+52, -7.1804394228269881737e+51},
        {40.0, -41.0, 2.9649900391506007755e+35, 5.3117845564243356801e+34},
        {0.029467, -26.65, 1.1444573934420336427e+305, kInf},
        {0.1, -30.0, kInf, -kInf},
    };
    for (const auto& c : cases) {
        const Complex got = FaddeevaW(Complex(c.x, c.y));
        for (const auto& [part, want] : {std::pair{got.real(), c.re}, std::pair{got.imag(), c.im}}) {
            if (std::isinf(want))
                EXPECT_EQ(part, want) << c.x << " " << c.y;
            else
                EXPECT_LE(RelativeError(part, want), 2e-13) << c.x << " " << c.y << ": " << part;
        }
    }
}

TEST(SpecialKernels, DawsonWithinItsMethodsFloor) {
    const auto rows = Reference::ReadTable("dawson.txt");
    ASSERT_GT(rows.size(), 480u);
    double worst = 0.0;
    for (const auto& r : rows) {
        const double error = std::fabs(DawsonF(r[0]) - r[1]);
        EXPECT_LE(error, 6e-8) << "x = " << r[0];
        worst = std::max(worst, error);
        EXPECT_EQ(DawsonF(-r[0]), -DawsonF(r[0]));
    }
    RecordProperty("worst_absolute_error", Scientific(worst));
    // Beyond 1e7 the asymptotic form is exact to rounding.
    EXPECT_NEAR(DawsonF(1e9), 5e-10, 1e-24);
    EXPECT_EQ(DawsonF(HUGE_VAL), 0.0);
}

TEST(SpecialKernels, DawsonsTableIsFilledOnceWhateverThreadComesFirst) {
    // Each test runs in a process of its own here, so these threads make the first use.
    std::vector<double> values(8);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < values.size(); ++i)
        threads.emplace_back([&values, i] { values[i] = DawsonF(0.924); });
    for (std::thread& thread : threads) thread.join();
    for (double v : values) EXPECT_NEAR(v, 0.54104421419986621, 6e-8);
}

TEST(SpecialKernels, ExponentialIntegralsMatchMpmath) {
    const auto rows = Reference::ReadTable("expint.txt");
    ASSERT_GT(rows.size(), 40u);
    for (const auto& r : rows) {
        SCOPED_TRACE(r[0]);
        // Below 1e-300 CALCEI gives E1 as 0 (underflow).
        EXPECT_LE(RelativeError(ExpIntegralEi(r[0]), r[1]), 1e-14);
        EXPECT_LE(std::fabs(ExpIntegralE1(r[0]) - r[2]) / std::max(r[2], 1e-290), 1e-14);
        EXPECT_LE(RelativeError(ExpIntegralExpEi(r[0]), r[3]), 1e-14);
    }
}

TEST(SpecialKernels, ExponentialIntegralLimits) {
    EXPECT_EQ(ExpIntegralE1(0.0), 1.79e308);
    EXPECT_EQ(ExpIntegralEi(0.0), -1.79e308);
    EXPECT_EQ(ExpIntegralExpEi(0.0), -1.79e308);
    EXPECT_EQ(ExpIntegralEi(716.351), 1.79e308);
    EXPECT_TRUE(std::isfinite(ExpIntegralEi(700.0)));
    EXPECT_NEAR(ExpIntegralExpEi(1000.0), 1.0010020060241207e-3, 1e-17);
    EXPECT_EQ(ExpIntegralE1(-2.0), ExpIntegralE1(2.0));
    // Ei's zero: the value at the double nearest 0.3725074107813666 is a few 1e-17.
    EXPECT_LT(std::fabs(ExpIntegralEi(0.3725074107813666)), 2e-16);
    EXPECT_LT(ExpIntegralEi(0.372507), 0.0);
    EXPECT_GT(ExpIntegralEi(0.372508), 0.0);
}

TEST(SpecialKernels, GammaForPositiveArgumentsAndNaNOtherwise) {
    const auto rows = Reference::ReadTable("gamma.txt");
    ASSERT_GT(rows.size(), 15u);
    // Lanczos' six terms err by up to 1.4e-10 (for large x, where the series tends to its
    // leading coefficient).
    for (const auto& r : rows) EXPECT_LE(RelativeError(GammaFunction(r[0]), r[1]), 1.5e-10) << r[0];
    // Between the poles the series gives finite but wrong values: none at all is the answer.
    for (double x : {0.0, -0.5, -1.0, -5.2, -1e10, std::nan("")}) EXPECT_TRUE(std::isnan(GammaFunction(x)));
}

class SpecialNodes : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }

    static Complex At(int typeId, const Complex& argument) {
        Core::Node::Ptr node = Core::Node::Create(typeId);
        node->GetChild(0)->SetValue(argument, 0);
        const Complex value = node->Evaluate();
        EXPECT_TRUE(node->GetValue() == value || std::isnan(value.real()));
        return value;
    }
};

TEST_F(SpecialNodes, EvaluateTheirKernelOfTheChild) {
    // mpmath values; the real functions ignore the imaginary part of the argument.
    const Complex dawson = At(1200, Complex(0.5, 3.0));
    EXPECT_NEAR(dawson.real(), 0.42443638350202229, 6e-8);
    EXPECT_EQ(dawson.imag(), 0.0);
    const Complex w = At(1201, Complex(3.0, 0.3));
    EXPECT_NEAR(w.real(), 0.023094513858698992, 1e-15);
    EXPECT_NEAR(w.imag(), 0.19798041377165561, 1e-15);
    EXPECT_EQ(At(1202, Complex(-2.0, 1.0)), Complex(ExpIntegralE1(2.0), 0.0));
    EXPECT_NEAR(At(1202, Complex(2.0, 1.0)).real(), 0.048900510708061119567, 1e-17);
    EXPECT_NEAR(At(1203, Complex(1.0, 5.0)).real(), 1.8951178163559367555, 1e-15);
    EXPECT_NEAR(At(1204, Complex(1.0, 5.0)).real(), 0.69717488323506606877, 1e-15);
    EXPECT_NEAR(At(1205, Complex(5.0, 2.0)).real(), 24.0, 1e-9);
    EXPECT_TRUE(std::isnan(At(1205, Complex(-5.2, 0.0)).real()));
    // A new Gamma node evaluates Gamma(1).
    EXPECT_NEAR(Core::Node::Create(1205)->Evaluate().real(), 1.0, 1e-10);
}

}  // namespace
