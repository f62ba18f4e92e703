#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <numbers>
#include <string>
#include <vector>

#include "formula/formula.h"
#include "formula/term.h"
#include "foundation/random.h"

// Counts every allocation of the test program, so that the evaluation paths can show they make
// none. Kept out of line: inlined, the compiler would pair the library's new with our free.
namespace {
std::atomic<long> allocations{0};
}

[[gnu::noinline]] void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
    std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using Complex = std::complex<double>;
using Program = std::vector<int>;

struct Compiled {
    std::vector<double> numbers;
    Program program;
};

// The compiler's input as Formula::Define prepares it.
Compiled Compile(const std::string& expression, const std::vector<std::string>& arguments) {
    ElementList tokens = Tokenize("((" + expression + "))", arguments);
    for (const auto& token : tokens) EXPECT_TRUE(token->IsValid()) << token->GetMessage();
    Compiled compiled{BuildNumberTable(tokens), {}};
    std::string message;
    EXPECT_TRUE(CompileProgram(tokens, CountGroups(tokens), compiled.program, message));
    EXPECT_EQ(message, "");
    return compiled;
}

Complex Evaluate(const std::string& expression, const std::vector<Complex>& values,
                 const std::vector<std::string>& arguments = {"x"}) {
    Compiled compiled = Compile(expression, arguments);
    Term term(compiled.numbers, compiled.program);
    EXPECT_TRUE(term.IsValid()) << expression;
    Complex result;
    term.Evaluate(result, values);
    return result;
}

void ExpectNear(const Complex& actual, const Complex& expected, const std::string& what) {
    const double tolerance = 1e-13 * (1.0 + std::abs(expected));
    EXPECT_NEAR(actual.real(), expected.real(), tolerance) << what;
    EXPECT_NEAR(actual.imag(), expected.imag(), tolerance) << what;
}

TEST(CompileProgram, EmitsLevelsDeepestFirstWithSignedTermsOfFactors) {
    Compiled compiled = Compile("2*x-3", {"x"});
    EXPECT_EQ(compiled.numbers, (std::vector<double>{2, 3}));
    EXPECT_EQ(compiled.program, (Program{2,                       // levels
                                         1, 0, 2,                 // level 1: one group, two terms
                                         0, 2, 1, 0, 0, 0, 0,     // + number 0 * argument 0
                                         1, 1, 1, 1,              // - number 1
                                         1, 0, 1, 0, 1, 2, 0}));  // level 0: + group 0

    compiled = Compile("Sin(x)*i", {"x"});
    EXPECT_EQ(compiled.program, (Program{3,                           // levels
                                         1,                           // level 2: one group
                                         13, 1, 0, 1, 0, 0,           // Sin, one term: x
                                         1,                           // level 1: one group
                                         0,  1, 0, 2, 2, 0, 0, 3, 0,  // one term: group 0 * i
                                         1,                           // level 0
                                         0,  1, 0, 1, 2, 0}));

    // Nested groups are numbered in token order within their level; a leading sign is the
    // first term's sign.
    compiled = Compile("-(x)/Exp(2)+RND*PI*(i)", {"x"});
    EXPECT_EQ(compiled.program, (Program{3,                             // levels
                                         3,                             // level 2: three groups
                                         0, 1, 0, 1, 0, 0,              // (x)
                                         9, 1, 0, 1, 1, 0,              // Exp(2)
                                         0, 1, 0, 1, 3, 0,              // (i)
                                         1, 0, 2,                       // level 1: two terms
                                         1, 2, 2, 0, 1, 2, 1,           // - group 0 / group 1
                                         0, 3, 5, 0, 0, 4, 0, 0, 2, 2,  // + RND * PI * group 2
                                         1, 0, 1, 0, 1, 2, 0}));        // level 0
}

TEST(CompileProgram, RefusesTokensThatFormNoExpression) {
    auto refused = [](const std::string& expression, const std::vector<int>* groups) {
        ElementList tokens = Tokenize(expression, {"x"});
        std::vector<int> counted = CountGroups(tokens);
        Program program{99};
        std::string message;
        EXPECT_FALSE(CompileProgram(tokens, groups ? *groups : counted, program, message))
            << expression;
        EXPECT_EQ(message, "Internal error of conversion.");
        EXPECT_TRUE(program.empty());
    };
    refused("(x)+x", nullptr);  // a term outside every group
    const std::vector<int> tooMany{2};
    refused("(x)", &tooMany);
    const std::vector<int> tooFew{1, 0};
    refused("((x))", &tooFew);
    // A token list the lexer never makes: an exponent piece where a factor belongs.
    ElementList tokens{Safe::MakeX<Element>("(", kElementOpen),
                       Safe::MakeX<Element>("1e", kElementExponentPiece),
                       Safe::MakeX<Element>(")", kElementClose)};
    Program program;
    std::string message;
    EXPECT_FALSE(CompileProgram(tokens, CountGroups(tokens), program, message));
    EXPECT_EQ(message, "Internal error of conversion.");
}

TEST(Term, EvaluatesSumsOfProductsAndQuotients) {
    ExpectNear(Evaluate("2*x-3", {{1, 1}}), {-1, 2}, "2*x-3");
    ExpectNear(Evaluate("x*x/(x+1)", {{1, 2}}), Complex(1, 2) * Complex(1, 2) / Complex(2, 2),
               "x*x/(x+1)");
    ExpectNear(Evaluate("-x+3*i-PI/E+LN2*LN10", {{1, 2}}),
               Complex(-1 - std::numbers::pi / std::exp(1.0) + std::log(2.0) * std::log(10.0), 1),
               "constants");
    ExpectNear(Evaluate("x/y/2", {{8, 4}, {0, 2}}, {"x", "y"}), {1, -2}, "left to right");
    ExpectNear(Evaluate("x-y", {{5, 0}}, {"x", "y"}), {5, 0}, "a missing value is zero");
    ExpectNear(Evaluate("1.5e2*x", {{2, 0}}), {300, 0}, "exponent");
}

TEST(Term, AppliesEveryNamedFunction) {
    const Complex z(0.7, -1.3);
    struct Case {
        const char* name;
        Complex expected;
    };
    for (const Case& c : {Case{"Identity", z},
                          Case{"Real", {0.7, 0}},
                          Case{"Imag", {-1.3, 0}},
                          Case{"Abs", {std::abs(z), 0}},
                          Case{"Norm", {std::norm(z), 0}},
                          Case{"Arg", {std::arg(z), 0}},
                          Case{"Conjg", std::conj(z)},
                          Case{"Sqr", z * z},
                          Case{"Sqrt", std::sqrt(z)},
                          Case{"Exp", std::exp(z)},
                          Case{"Ln", std::log(z)},
                          Case{"Log", std::log10(z)},
                          Case{"Cos", std::cos(z)},
                          Case{"Sin", std::sin(z)},
                          Case{"Tan", std::sin(z) / std::cos(z)},
                          Case{"Cosh", std::cosh(z)},
                          Case{"Sinh", std::sinh(z)},
                          Case{"Tanh", std::sinh(z) / std::cosh(z)},
                          Case{"Acos", std::acos(z)},
                          Case{"Asin", std::asin(z)},
                          Case{"Atan", std::atan(z)},
                          Case{"Ceiling", {1, 0}},
                          Case{"Floor", {0, 0}}}) {
        ExpectNear(Evaluate(std::string(c.name) + "(x)", {z}), c.expected, c.name);
    }
    ExpectNear(Evaluate("Floor(x)", {{2.7, 5}}), {2, 0}, "Floor");
    ExpectNear(Evaluate("Ceiling(x)", {{-2.7, 5}}), {-2, 0}, "Ceiling");
    // The inverse functions really are inverse.
    for (const char* f : {"Cos(Acos(x))", "Sin(Asin(x))", "Tan(Atan(x))"})
        ExpectNear(Evaluate(f, {z}), z, f);
    // No overflow on the way to the modulus or from the tangent's sine and cosine.
    ExpectNear(Evaluate("Abs(x)", {{3e200, 4e200}}), {5e200, 0}, "Abs");
    ExpectNear(Evaluate("Ln(x)", {{3e200, 4e200}}), std::log(Complex(3e200, 4e200)), "Ln");
    ExpectNear(Evaluate("Tan(x)", {{0.5, 800}}), {0, 1}, "Tan");
    ExpectNear(Evaluate("Tan(x)", {{0.5, -30}}), {0, -1}, "Tan");
    ExpectNear(Evaluate("Tanh(x)", {{-800, 0.5}}), {-1, 0}, "Tanh");
    for (const Complex& w : {Complex(0.3, 19.9), Complex(-1.2, 20.1), Complex(2.0, -0.4)}) {
        ExpectNear(Evaluate("Tan(x)", {w}), std::sin(w) / std::cos(w), "Tan");
        ExpectNear(Evaluate("Tanh(x)", {w}), std::sinh(w) / std::cosh(w), "Tanh");
    }
}

TEST(Term, TangentsStayAccurateNextToTheirPoles) {
    // mpmath, 25 digits, at the doubles nearest the arguments.
    const double tan1 = 37320539.63435481677527021, tan2 = 10537785746.99577883244878;
    auto expectClose = [](const Complex& actual, const Complex& expected, const char* what) {
        EXPECT_NEAR(actual.real(), expected.real(), 1e-15 * std::abs(expected)) << what;
        EXPECT_NEAR(actual.imag(), expected.imag(), 1e-15 * std::abs(expected)) << what;
    };
    expectClose(Evaluate("Tan(x)", {{1.5707963, 0}}), {tan1, 0}, "Tan(1.5707963)");
    expectClose(Evaluate("Tan(x)", {{1.5707963267, 0}}), {tan2, 0}, "Tan(1.5707963267)");
    expectClose(Evaluate("Tanh(i*x)", {{1.5707963267, 0}}), {0, tan2}, "Tanh(1.5707963267 i)");
    expectClose(Evaluate("Tan(x)", {{1.5707963267, 1e-10}}),
                {4993148058.28795595096196, 5261672444.126647244501617}, "Tan off the axis");
}

TEST(Term, ALeadingMinusGivesPrincipalValues) {
    // -x must be (-4, +0), not (-4, -0), or the branch cuts put the results on the other side.
    const Complex four(4, 0), one(1, 0);
    EXPECT_EQ(Evaluate("Sqrt(-x)", {four}), Complex(0, 2));
    EXPECT_EQ(Evaluate("Arg(-x)", {one}), Complex(std::numbers::pi, 0));
    EXPECT_EQ(Evaluate("Ln(-x)", {one}), Complex(0, std::numbers::pi));
    EXPECT_EQ(Evaluate("Arg(-1)", {}), Complex(std::numbers::pi, 0));
    EXPECT_EQ(Evaluate("Sqrt(-x-x)", {{2, 0}}), Complex(0, 2));
}

TEST(Term, QuotientsThatFitComeOutRight) {
    ExpectNear(Evaluate("x/y", {{1e300, 0}, {1e100, 0}}, {"x", "y"}), {1e200, 0}, "huge");
    ExpectNear(Evaluate("x/y", {{1e-300, 0}, {1e-100, 0}}, {"x", "y"}), {1e-200, 0}, "tiny");
    ExpectNear(Evaluate("x/(y+i*y)", {{1e200, 0}, {1e140, 0}}, {"x", "y"}), {5e59, -5e59},
               "huge over complex");
}

TEST(Term, DividesByTheFloatingPointRules) {
    const double inf = std::numeric_limits<double>::infinity();
    // A real divisor divides each part.
    Complex r = Evaluate("x/0", {{1, 0}});
    EXPECT_EQ(r.real(), inf);
    EXPECT_TRUE(std::isnan(r.imag()));
    r = Evaluate("x/0", {{-2, 3}});
    EXPECT_EQ(r, Complex(-inf, inf));
    // A complex zero or NaN divisor gives NaN in both parts.
    for (const char* expression : {"1/(x-x)", "x/(x*0)", "2/x"}) {
        r = Evaluate(expression, {{std::nan(""), 1}});
        EXPECT_TRUE(std::isnan(r.real()) && std::isnan(r.imag())) << expression;
    }
    r = Evaluate("1/(x-x)", {{1, 1}});
    EXPECT_TRUE(std::isnan(r.real()) && std::isnan(r.imag()));
    EXPECT_EQ(Evaluate("3/x", {{inf, 0}}), Complex(0, 0));
}

TEST(DivideComplex, GivesNanForAZeroOrNanDivisor) {
    const Complex zero = DivideComplex({1, 0}, {0, 0});
    EXPECT_TRUE(std::isnan(zero.real()) && std::isnan(zero.imag()));
    const Complex nan = DivideComplex({1, 0}, {1, std::nan("")});
    EXPECT_TRUE(std::isnan(nan.real()) && std::isnan(nan.imag()));
}

TEST(Term, DrawsAFreshRandomValueForEachRndFactor) {
    Compiled compiled = Compile("RND+i*RND", {});
    Term term(compiled.numbers, compiled.program);
    Random::SeedWith(99);
    std::vector<Complex> drawn(50);
    for (Complex& value : drawn) term.Evaluate(value, {});
    Random::SeedWith(99);
    for (const Complex& value : drawn) {
        const double re = Random::Real();
        EXPECT_EQ(value, Complex(re, Random::Real()));
        EXPECT_GE(re, 0.0);
        EXPECT_LE(re, 1.0);
    }
}

TEST(Term, UnnamedCodesKeepTheRegister) {
    // Level 1: code 18 over the number 5, never written; level 0 reads it.
    Term term({5.0}, {2, 1, 18, 1, 0, 1, 1, 0, 1, 0, 1, 0, 1, 2, 0});
    ASSERT_TRUE(term.IsValid());
    Complex result(7, 7);
    term.Evaluate(result, {});
    EXPECT_EQ(result, Complex(0, 0));
}

TEST(Term, DecodesOperationsAndRefusesInconsistentPrograms) {
    Compiled compiled = Compile("2*x-3", {"x"});
    Term term(compiled.numbers, compiled.program);
    ASSERT_TRUE(term.IsValid());
    EXPECT_EQ(term.GetLevelCount(), 2);
    EXPECT_EQ(term.GetGroupsPerLevel(), (std::vector<int>{1, 1}));
    const Term::Operation& operation = term.GetOperation(1, 0);
    EXPECT_EQ(operation.GetLevel(), 1);
    EXPECT_EQ(operation.GetTermCount(), 2);
    EXPECT_EQ(operation.GetCode(), 0);
    EXPECT_EQ(operation.GetTerm(1)[0], 1);  // the second term's sign

    Term::Operation spare(0, 0, 2, 0);
    const int record[] = {0, 1, 3, 0};
    EXPECT_TRUE(spare.SetTerm(1, record));
    EXPECT_EQ(spare.GetTerm(1), record);
    EXPECT_FALSE(spare.SetTerm(2, record));
    EXPECT_FALSE(spare.SetTerm(-1, record));
    EXPECT_EQ(spare.GetTerm(0), nullptr);

    const Program good = {2, 1, 0, 1, 0, 1, 1, 0, 1, 0, 1, 0, 1, 2, 0};
    ASSERT_TRUE(Term({4.0}, good).IsValid());
    auto with = [&](std::size_t at, int value) {
        Program p = good;
        p[at] = value;
        return p;
    };
    for (const Program& bad : {
             Program{}, Program{0}, Program(good.begin(), good.end() - 1),  // truncated
             [&] {
                 Program p = good;
                 p.push_back(0);
                 return p;
             }(),               // trailing word
             with(0, 3),        // more levels than written
             with(2, 25),       // unknown function code
             with(4, 2),        // sign other than 0 or 1
             with(5, 0),        // no factor
             with(5, 1 << 29),  // factors beyond the end
             with(6, 6),        // unknown source
             with(7, 1),        // number index outside the table
             with(14, 1),       // deeper group beyond the level's count
             with(6, 2),        // a group factor on the deepest level would read nothing
             with(12, 2),       // the second factor is missing
             with(1, 2),        // a group count the program does not hold
         }) {
        Term broken({4.0}, bad);
        EXPECT_FALSE(broken.IsValid());
        Complex result(1, 1);
        broken.Evaluate(result, {});
        EXPECT_EQ(result, Complex(0, 0));
    }
    // An operation word other than multiply (0) or divide (1).
    EXPECT_FALSE(Term({4.0}, {2, 1, 0, 1, 0, 2, 1, 0, 2, 3, 0, 1, 0, 1, 0, 1, 2, 0}).IsValid());
    EXPECT_TRUE(Term({4.0}, {2, 1, 0, 1, 0, 2, 1, 0, 1, 3, 0, 1, 0, 1, 0, 1, 2, 0}).IsValid());
}

TEST(Term, EvaluationAllocatesNothing) {
    Formula formula;
    ASSERT_TRUE(formula.Define(
        "f(x,y)=Sqrt(x*y-RND)/(Exp(x)+Ln(y)*Acos(x))-Tan(i*PI/x)+Floor(2.5e1*y)/3", false));
    const std::vector<Complex> values = {{0.3, 0.2}, {1.5, -0.5}};
    Complex result;
    formula.Evaluate(result, values);
    const long before = allocations.load();
    for (int i = 0; i < 100; ++i) formula.Evaluate(result, values);
    EXPECT_EQ(allocations.load(), before);
    EXPECT_TRUE(std::isfinite(result.real()) && std::isfinite(result.imag()));
}

// Equal bit for bit, any NaN equal to any other.
bool Same(const Complex& a, const Complex& b) {
    auto same = [](double x, double y) {
        return std::isnan(x) ? std::isnan(y) : std::memcmp(&x, &y, sizeof x) == 0;
    };
    return same(a.real(), b.real()) && same(a.imag(), b.imag());
}

// Every group function over a block against the point path, bit for bit: the sum an argument
// alone (the column the function reads in place), a leading minus, sums of products and
// quotients (added as they are computed), a constant and groups repeated (computed once), at
// points whose parts run through every pair of ordinary and special values, with a constant
// argument that is ordinary or special (a constant dividend is probed once per block: c/b has
// no special divisor in the block).
TEST(Term, ColumnsOfEveryGroupFunctionGiveThePointValues) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const double parts[16] = {std::numeric_limits<double>::quiet_NaN(),
                              inf,
                              -inf,
                              0.0,
                              -0.0,
                              1.0,
                              -2.5,
                              1e-160,
                              -3e-170,
                              1e160,
                              -2e155,
                              1e300,
                              0.5,
                              7.0,
                              710.0,
                              -745.0};
    const Complex constants[] = {
        {0.7, -1.3}, {1e308, 0.0}, {0.0, -3e-170}, {-inf, 1.0}, {parts[0], 0.0}};
    Column a, b, c;
    a.SetVarying();
    b.SetVarying();
    for (int i = 0; i < kColumnBlock; ++i) {
        a.Set(i, {parts[i % 16], parts[(i / 16) % 16]});
        b.Set(i, {0.3 * i - 20.0, 1.5 - 0.01 * i});
    }
    const std::vector<const Column*> columns = {&a, &b, &c};
    auto compare = [&](Term& term, const std::string& what) {
        ColumnStorage storage;
        Column result;
        term.EvaluateColumn(result, columns, storage);
        for (int i = 0; i < kColumnBlock; ++i) {
            Complex expected;
            term.Evaluate(expected, {a.At(i), b.At(i), c.At(i)});
            ASSERT_TRUE(Same(result.At(i), expected))
                << what << " at " << a.At(i) << " with c = " << c.Value() << ": " << result.At(i)
                << " against " << expected;
        }
    };
    for (const char* name : {"",     "Real", "Imag", "Abs",  "Norm", "Arg",     "Conjg", "Sqr",
                             "Sqrt", "Exp",  "Ln",   "Log",  "Cos",  "Sin",     "Tan",   "Cosh",
                             "Sinh", "Tanh", "Acos", "Asin", "Atan", "Ceiling", "Floor"}) {
        const std::string f = name;
        for (const std::string& expression :
             {f + "(a)", f + "(-a)", f + "(a+b)", f + "(a*b)", f + "(c)", f + "(a)*2+" + f + "(b)",
              f + "(a)*" + f + "(a)", "(" + f + "(a)+1)*(" + f + "(a)-b)/" + f + "(b)",
              f + "(b-a*b+c/a-b/a+a*c)", f + "(-a*b+1/(c*c-a*a-i*c*a))", f + "(a-c/b)"}) {
            Compiled compiled = Compile(expression, {"a", "b", "c"});
            Term term(compiled.numbers, compiled.program);
            for (const Complex& constant : constants) {
                c.SetConstant(constant);
                compare(term, expression);
            }
        }
    }
    // A code without a function over a varying argument: zero, as the register it leaves.
    Term unnamed({}, {2, 1, 18, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1, 2, 0});
    ASSERT_TRUE(unnamed.IsValid());
    compare(unnamed, "code 18");
}

}  // namespace
