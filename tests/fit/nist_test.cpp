// The NIST StRD nonlinear regression problems, each model a formula evaluated by the model
// engine, fitted from both certified starting points.
#include <cstdio>

#include "fit_support.h"

namespace {

struct Case {
    const char* name;
    const char* formula;
    int parameters;
    // Digits of the parameters and of the residual sum of squares that the method must reach
    // from start 1 and start 2; 0 where it is expected to fail or stall.
    double digits[2];
};

std::vector<std::string> Names(int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) names.push_back("b" + std::to_string(i));
    return names;
}

class NistTest : public ::testing::TestWithParam<Case> {};

TEST_P(NistTest, ReachesTheCertifiedValues) {
    const Case& c = GetParam();
    const test::NistProblem problem = test::ReadNist(c.name);
    ASSERT_EQ(static_cast<int>(problem.certified.size()), c.parameters);
    ASSERT_FALSE(problem.x.empty());
    const std::vector<std::string> names = Names(c.parameters);
    Spectrum::Ptr target = test::MakeSpectrum(problem.x, problem.y);
    for (int start = 0; start < 2; ++start) {
        const std::vector<double>& values = start == 0 ? problem.start1 : problem.start2;
        std::vector<std::pair<std::string, double>> initial;
        for (int i = 0; i < c.parameters; ++i) initial.emplace_back(names[i], values[i]);
        test::FormulaModel model(c.formula, initial);
        auto method = model.Method(target, names);
        const double startChi2 = method->GetBestChi2();
        const int steps = Optimize::StepUntilSettled(*method, 10000);
        method->Finish();

        double worst = 11.0;
        for (int i = 0; i < c.parameters; ++i)
            worst = std::min(worst, test::Digits(model.Value(names[i]), problem.certified[i]));
        const double rssDigits = test::Digits(method->chi2, problem.certifiedRss);
        std::printf("%-8s start %d: %4d steps, %s, parameters %.1f digits, RSS %.1f digits\n",
                    c.name, start + 1, steps, method->failed ? "failed" : "settled", worst,
                    rssDigits);
        // Whatever happens, the best point is never worse than the start and never NaN.
        EXPECT_TRUE(std::isfinite(method->chi2));
        EXPECT_LE(method->chi2, startChi2);
        if (c.digits[start] > 0) {
            EXPECT_FALSE(method->failed) << c.name << " start " << start + 1;
            EXPECT_GE(worst, c.digits[start]) << c.name << " start " << start + 1;
            EXPECT_GE(rssDigits, c.digits[start]) << c.name << " start " << start + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Problems, NistTest,
    ::testing::Values(Case{"Misra1a", "f(x,b1,b2)=b1*(1-Exp(-b2*x))", 2, {7, 7}},
                      Case{"Gauss1",
                           "f(x,b1,b2,b3,b4,b5,b6,b7,b8)=b1*Exp(-b2*x)+b3*Exp(-Sqr(x-b4)/Sqr(b5))+"
                           "b6*Exp(-Sqr(x-b7)/Sqr(b8))",
                           8,
                           {7, 7}},
                      Case{"Gauss3",
                           "f(x,b1,b2,b3,b4,b5,b6,b7,b8)=b1*Exp(-b2*x)+b3*Exp(-Sqr(x-b4)/Sqr(b5))+"
                           "b6*Exp(-Sqr(x-b7)/Sqr(b8))",
                           8,
                           {7, 7}},
                      Case{"Eckerle4", "f(x,b1,b2,b3)=(b1/b2)*Exp(-0.5*Sqr((x-b3)/b2))", 3, {7, 7}},
                      Case{"MGH10", "f(x,b1,b2,b3)=b1*Exp(b2/(x+b3))", 3, {7, 7}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
