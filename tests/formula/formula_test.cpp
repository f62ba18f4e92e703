#include <gtest/gtest.h>

#include <complex>
#include <string>
#include <vector>

#include "formula/formula.h"

namespace {

using Complex = std::complex<double>;
using Names = std::vector<std::string>;

Complex Evaluate(Formula& formula, const std::vector<Complex>& values) {
    Complex result(99, 99);
    formula.Evaluate(result, values);
    return result;
}

TEST(Formula, AcceptedTextsCompileAndEvaluate) {
    Formula formula;
    EXPECT_EQ(Evaluate(formula, {}), Complex(0, 0));  // nothing defined yet

    ASSERT_TRUE(formula.Define("f(x)=2*x", false));
    EXPECT_EQ(formula.GetDefinition(), "f(x)=2*x");
    EXPECT_EQ(formula.GetArgumentNames(), Names{"x"});
    EXPECT_EQ(formula.GetMessage(), "");
    EXPECT_EQ(Evaluate(formula, {{3, 0}}), Complex(6, 0));

    ASSERT_TRUE(formula.Define("f(x)=2*x-3", false));
    EXPECT_EQ(Evaluate(formula, {{1, 1}}), Complex(-1, 2));

    ASSERT_TRUE(formula.Define("g (x, y) = x * y + 1", false));
    EXPECT_EQ(formula.GetArgumentNames(), (Names{"x", "y"}));
    EXPECT_EQ(Evaluate(formula, {{2, 0}, {0, 1}}), Complex(1, 2));
    // Values missing at the end count as zero.
    EXPECT_EQ(Evaluate(formula, {{2, 0}}), Complex(1, 0));
    EXPECT_EQ(Evaluate(formula, {}), Complex(1, 0));

    ASSERT_TRUE(formula.Define("f(x,)=x", false));
    EXPECT_EQ(formula.GetArgumentNames(), Names{"x"});
    // The arguments come from the first parentheses of the whole text.
    ASSERT_TRUE(formula.Define("f=Sin(x)", false));
    EXPECT_EQ(formula.GetArgumentNames(), Names{"x"});
    ASSERT_TRUE(formula.Define("c()=Conjg(i*(1+2*i))", false));
    EXPECT_TRUE(formula.GetArgumentNames().empty());
    EXPECT_EQ(Evaluate(formula, {}), Complex(-2, -1));
    // Tabs stay in the text and separate tokens.
    ASSERT_TRUE(formula.Define("f(x)=\tx\t*2", false));
    EXPECT_EQ(Evaluate(formula, {{1, 1}}), Complex(2, 2));
}

TEST(Formula, RefusalsResetToZeroUnderTheTextsOwnLeftSide) {
    struct Case {
        const char* text;
        const char* message;
        const char* reset;  // with useErrorDefault false
    };
    for (const Case& c : {
             Case{"f(x)=", "Parenthesis sequence error.", "f(x)=0.0"},
             Case{"f(x)=x^2", "The syntax of the formula is not valid:\nx^2\nUnknown element.",
                  "f(x)=0.0"},
             Case{"f(x)=Sin()", "() Empty argument is not allowed!", "f(x)=0.0"},
             Case{"f(x)=(x", "Missing close parenthesis.", "f(x)=0.0"},
             Case{"f(x)=x)", "Parenthesis sequence error.", "f(x)=0.0"},
             Case{"f(x)=1e*5", "Invalid exponent format.", "f(x)=0.0"},
             Case{"f(x)=x+", "<+)> sequence is not valid.", "f(x)=0.0"},
             Case{"f(x) = x * - x", "<*-> sequence is not valid.", "f(x)=0.0"},
             Case{"f(x,y)=x*y z", "The syntax of the formula is not valid:\nyz\nUnknown element.",
                  "f(x,y)=0.0"},
             // Refused left sides are refused again by the reset, which then falls back.
             Case{"f(x)", "Empty formula definition is not allowed.", "Error()=0.0"},
             Case{"f=2", "Variable expression error.", "Error()=0.0"},
             Case{"f)x(=1", "Variable expression error.", "Error()=0.0"},
             Case{"f(,x)=x", "Variable expression error.", "Error()=0.0"},
             Case{"f(x,x)=x", "x already exists!", "Error()=0.0"},
             Case{"f(a, b ,a)=a", "a already exists!", "Error()=0.0"},
             Case{"f(x,PI)=x", "PI cannot be a variable, is a reserved word!", "Error()=0.0"},
             Case{"f(RND)=1", "RND cannot be a variable, is a reserved word!", "Error()=0.0"},
             Case{"f(i)=1", "i cannot be a variable, is a reserved word!", "Error()=0.0"},
             Case{"f(Sin)=1", "Sin cannot be a variable, is a reserved word!", "Error()=0.0"},
         }) {
        for (bool useErrorDefault : {false, true}) {
            Formula formula;
            ASSERT_TRUE(formula.Define("old(x)=x", false));
            EXPECT_FALSE(formula.Define(c.text, useErrorDefault)) << c.text;
            EXPECT_EQ(formula.GetMessage(), c.message) << c.text;
            EXPECT_EQ(formula.GetDefinition(), useErrorDefault ? "Error()=0.0" : c.reset) << c.text;
            EXPECT_EQ(Evaluate(formula, {{5, 5}}), Complex(0, 0)) << c.text;
        }
    }
}

TEST(Formula, AnEmptyTextResetsUnderThePreviousLeftSide) {
    Formula formula;
    ASSERT_TRUE(formula.Define("g(x, y)=x*y", false));
    EXPECT_FALSE(formula.Define("", false));
    EXPECT_EQ(formula.GetMessage(), "Empty expression is not allowed.");
    EXPECT_EQ(formula.GetDefinition(), "g(x,y)=0.0");
    EXPECT_EQ(formula.GetArgumentNames(), (Names{"x", "y"}));

    Formula fresh;
    EXPECT_FALSE(fresh.Define("", false));
    EXPECT_EQ(fresh.GetMessage(), "Empty expression is not allowed.");
    EXPECT_EQ(fresh.GetDefinition(), "Error()=0.0");
    EXPECT_TRUE(fresh.GetArgumentNames().empty());
}

TEST(Formula, ASuccessfulDefinitionReplacesTheTermAndClearsTheMessage) {
    Formula formula;
    ASSERT_TRUE(formula.Define("f(x)=x+1", false));
    EXPECT_FALSE(formula.Define("f(x)=x+", false));
    EXPECT_EQ(Evaluate(formula, {{1, 0}}), Complex(0, 0));
    ASSERT_TRUE(formula.Define("h(t)=t*t", false));
    EXPECT_EQ(formula.GetMessage(), "");
    EXPECT_EQ(formula.GetArgumentNames(), Names{"t"});
    EXPECT_EQ(Evaluate(formula, {{0, 2}}), Complex(-4, 0));
}

TEST(Formula, DeepNestingCompilesAndEvaluates) {
    // Compiling once took time quadratic in the depth (about 20 s for this one); its growth is
    // measured in bench/growth_bench.cpp.
    constexpr int kDepth = 30000;
    std::string text = "f(x)=";
    for (int i = 0; i < kDepth; ++i) text += i % 2 ? "Conjg(" : "(-";
    text += "x";
    text.append(kDepth, ')');
    Formula formula;
    ASSERT_TRUE(formula.Define(text, false)) << formula.GetMessage();
    // Half the levels negate, half conjugate: (-1)^15000 conj^15000 x = x.
    EXPECT_EQ(Evaluate(formula, {{1, 2}}), Complex(1, 2));
    EXPECT_EQ(formula.GetTerm()->GetLevelCount(), kDepth + 2);
}

// f(x) = x in parentheses depth deep, each level opened by open.
std::string Nested(int depth, const std::string& open) {
    std::string text = "f(x)=";
    for (int i = 0; i < depth; ++i) text += open;
    return text + "x" + std::string(depth, ')');
}

TEST(Formula, NestingIsBoundedBeforeTheTextIsSplit) {
    const std::string refused = "Parentheses are nested more than 50000 deep.";
    std::string flat = "f(x)=";
    for (int i = 0; i < 60000; ++i) flat += "(x)+";
    flat += "x";
    struct Case {
        std::string text;
        std::string message;  // empty when accepted
        Complex value;        // at x = (1, 2)
    };
    for (const Case& c : {
             Case{Nested(50000, "("), "", {1, 2}},
             Case{Nested(50000, "Conjg("), "", {1, 2}},  // conjugated an even number of times
             Case{flat, "", {60001, 120002}},            // many groups, none deep
             Case{Nested(50001, "("), refused, {}},
             Case{Nested(50001, "Sqrt("), refused, {}},
             // Without the bound the lexer would answer "Missing close parenthesis.".
             Case{"f(x)=" + std::string(50001, '(') + "x", refused, {}},
         }) {
        const std::string start = c.text.substr(0, 24);
        Formula formula;
        EXPECT_EQ(formula.Define(c.text, false), c.message.empty()) << start;
        EXPECT_EQ(formula.GetMessage(), c.message) << start;
        EXPECT_EQ(Evaluate(formula, {{1, 2}}), c.value) << start;
        if (!c.message.empty()) {
            // Compared whole, printed in part: a failure would print a text 100 KB long.
            EXPECT_TRUE(formula.GetDefinition() == "f(x)=0.0")
                << start << " became " << formula.GetDefinition().substr(0, 24);
        }
    }
    // The two pairs of parentheses around every expression come on top of the writer's.
    Formula deepest;
    ASSERT_TRUE(deepest.Define(Nested(50000, "("), false));
    EXPECT_EQ(deepest.GetTerm()->GetLevelCount(), 50002);
}

TEST(FormulaText, SidesAndFunctionName) {
    EXPECT_EQ(GetLeftSide(" f (x) = 1 = 2"), "f(x)");
    EXPECT_EQ(GetLeftSide("f(x)"), "");
    EXPECT_EQ(GetDefinitionPart("f(x) = 2 * x = 3", false), "2*x=3");
    EXPECT_EQ(GetDefinitionPart("f(x) = 2 * x", true), "(2*x)");
    EXPECT_EQ(GetDefinitionPart("f(x)=", true), "()");
    EXPECT_EQ(GetDefinitionPart("f(x)", true), "");
    EXPECT_EQ(GetFunctionName(" \tmy f (x)=1"), "my f");
    EXPECT_EQ(GetFunctionName("f=1"), "");
    EXPECT_EQ(RemoveBlanks(" a\tb c "), "a\tbc");
}

TEST(FormulaText, ArgumentsBetweenTheFirstParentheses) {
    struct Case {
        const char* text;
        Names names;
        bool error;
    };
    for (const Case& c : {
             Case{"f(x, y)=x", {"x", "y"}, false},
             Case{"f( x\t,y )=x", {"x", "y"}, false},
             Case{"f(x,,y)=x", {"x", "", "y"}, false},
             Case{"f(x,)=x", {"x"}, false},
             Case{"f()=1", {}, false},
             Case{"f=Sin(x)", {"x"}, false},
             Case{"f(,x)=x", {}, true},
             Case{"f=1", {}, true},
             Case{"f(x=1", {}, true},
             Case{"fx)=1", {}, true},
             Case{"f)x(=1", {}, true},  // the ")" first: nothing between them
             Case{"f)(=1", {}, true},
         }) {
        bool error = !c.error;
        EXPECT_EQ(GetArguments(c.text, error), c.names) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

}  // namespace
