#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formula/element.h"

namespace {

using Names = std::vector<std::string>;

// Index and message of the first refused token; -1 and "" when every token passed.
std::pair<int, std::string> FirstRefusal(const ElementList& tokens) {
    for (std::size_t i = 0; i < tokens.size(); ++i)
        if (!tokens[i]->IsValid()) return {static_cast<int>(i), tokens[i]->GetMessage()};
    return {-1, ""};
}

Names Texts(const ElementList& tokens) {
    Names texts;
    for (const auto& token : tokens) texts.push_back(token->GetText());
    return texts;
}

TEST(MakeElement, ClassifiesByTheFirstMatchingRule) {
    struct Case {
        const char* text;
        int kind;
        int code;
    };
    const Names arguments = {"x", "y", "x", "Q1"};
    for (const Case& c :
         {Case{"(", kElementOpen, 0}, Case{")", kElementClose, 0}, Case{"/", kElementDivide, 0},
          Case{"i", kElementImaginary, 0}, Case{"RND", kElementRandom, 0},
          Case{"LN10", kElementConstant, 3}, Case{"E", kElementConstant, 1},
          Case{"Floor", kElementFunction, kFunctionFloor},
          Case{"Acos", kElementFunction, kFunctionAcos},
          Case{"x", kElementArgument, 2},  // the last of equal names
          Case{" Q1\t", kElementArgument, 3}, Case{"0123", kElementDigits, 0},
          Case{"1.5", kElementDecimal, 0}, Case{".5", kElementDecimal, 0},
          Case{"2.", kElementDecimal, 0}, Case{"1.5e", kElementExponentPiece, 0},
          Case{"e", kElementExponentPiece, 0}, Case{"1.5e30", kElementNumber, 0},
          Case{"7e2", kElementNumber, 0}}) {
        auto element = MakeElement(c.text, arguments);
        EXPECT_EQ(element->GetKind(), c.kind) << c.text;
        EXPECT_EQ(element->GetCode(), c.code) << c.text;
        EXPECT_TRUE(element->IsValid()) << c.text;
        EXPECT_EQ(element->GetDepth(), 0);
    }
    EXPECT_EQ(MakeElement(" Q1\t", arguments)->GetText(), "Q1");
}

TEST(MakeElement, RefusesUnknownTextsIncludingNumbersWithoutDigits) {
    // Names are case-sensitive; "." and "e5" would read as no number at all.
    for (const char* text : {"sin", "pi", "x^2", "1.5e3.2", "1e2e3", "1..2", ".", "e5", ".e5"}) {
        auto element = MakeElement(text, {"x"});
        EXPECT_EQ(element->GetKind(), kElementUnknown) << text;
        EXPECT_FALSE(element->IsValid()) << text;
        EXPECT_EQ(element->GetMessage(), std::string("The syntax of the formula is not valid:\n") +
                                             text + "\nUnknown element.");
    }
    // An argument of that name wins over the reserved spellings that come after it.
    EXPECT_EQ(MakeElement("sin", {"sin"})->GetKind(), kElementArgument);
    EXPECT_EQ(MakeElement("e", {"e"})->GetKind(), kElementArgument);
}

TEST(ReservedWords, AreConstantsFunctionsRandomAndTheImaginaryUnit) {
    for (const char* word : {"RND", "i", "PI", "E", "LN2", "LN10", "Identity", "Atan", "Floor"})
        EXPECT_TRUE(IsReservedWord(word)) << word;
    for (const char* word : {"x", "pi", "e", "I", "sin", "rnd", ""})
        EXPECT_FALSE(IsReservedWord(word)) << word;
    EXPECT_EQ(FindFunction("Ceiling"), kFunctionCeiling);
    EXPECT_EQ(FindFunction("ceiling"), -1);
    EXPECT_EQ(FindArgument("z", {"x", "y"}), -1);
}

TEST(Tokenize, SplitsNumbersDepthsAndGroups) {
    ElementList tokens = Tokenize("  ((2.5+x))\t", {"x"});
    EXPECT_EQ(Texts(tokens), (Names{"(", "(", "2.5", "+", "x", ")", ")"}));
    EXPECT_EQ(FirstRefusal(tokens).first, -1);
    EXPECT_EQ(tokens[2]->GetKind(), kElementNumber);
    EXPECT_EQ(tokens[2]->GetCode(), 0);
    EXPECT_EQ(tokens[4]->GetKind(), kElementArgument);
    EXPECT_EQ(CountGroups(tokens), (std::vector<int>{1, 1}));
    std::vector<int> depths;
    for (const auto& token : tokens) depths.push_back(token->GetDepth());
    EXPECT_EQ(depths, (std::vector<int>{0, 1, 2, 2, 2, 1, 0}));
    EXPECT_EQ(BuildNumberTable(tokens), (std::vector<double>{2.5}));

    tokens = Tokenize("((Sin(x)*(x+1)-Floor((x))))", {"x"});
    EXPECT_EQ(FirstRefusal(tokens).first, -1);
    EXPECT_EQ(CountGroups(tokens), (std::vector<int>{1, 1, 3, 1}));
}

TEST(Tokenize, JoinsExponentsAndNumbersTheLiteralsInOrder) {
    ElementList tokens = Tokenize("((1e-5))", {});
    EXPECT_EQ(Texts(tokens), (Names{"(", "(", "1e-5", ")", ")"}));
    EXPECT_EQ(tokens[2]->GetKind(), kElementNumber);
    EXPECT_EQ(tokens[2]->GetCode(), 0);

    tokens = Tokenize("((1e5))", {});
    EXPECT_EQ(Texts(tokens), (Names{"(", "(", "1e5", ")", ")"}));

    tokens = Tokenize("((1+2.5*3.e-2/x+4e+1-x*07))", {"x"});
    ASSERT_EQ(FirstRefusal(tokens).first, -1);
    std::vector<int> codes;
    for (const auto& token : tokens)
        if (token->GetKind() == kElementNumber) codes.push_back(token->GetCode());
    EXPECT_EQ(codes, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(BuildNumberTable(tokens), (std::vector<double>{1, 2.5, 0.03, 40, 7}));

    // An argument named e stays an argument wherever it stands.
    tokens = Tokenize("((e-3*e))", {"e"});
    ASSERT_EQ(FirstRefusal(tokens).first, -1);
    EXPECT_EQ(tokens[2]->GetKind(), kElementArgument);
    EXPECT_EQ(tokens[6]->GetKind(), kElementArgument);
}

TEST(Tokenize, BlanksAndTabsAroundTokensAreNoTokens) {
    ElementList tokens = Tokenize("((\tx *\t2 ))", {"x"});
    EXPECT_EQ(Texts(tokens), (Names{"(", "(", "x", "*", "2", ")", ")"}));
    EXPECT_EQ(FirstRefusal(tokens).first, -1);
    tokens = Tokenize("((2\t3))", {});
    EXPECT_EQ(FirstRefusal(tokens),
              std::make_pair(2, std::string("The syntax of the formula is not valid:\n2\t3\n"
                                            "Unknown element.")));
}

TEST(Tokenize, ReportsEachRefusalAtItsToken) {
    struct Case {
        const char* expression;
        int index;
        const char* message;
    };
    const Names x = {"x"};
    for (const Case& c : {
             Case{"((x^2))", 2, "The syntax of the formula is not valid:\nx^2\nUnknown element."},
             Case{"((sin(x)))", 2,
                  "The syntax of the formula is not valid:\nsin\nUnknown element."},
             Case{"((x)))", 5, "Parenthesis sequence error."},
             Case{"(()x)", 1, "Parenthesis sequence error."},
             Case{"(())", 1, "Parenthesis sequence error."},
             Case{"((x+()))", 4, "() Empty argument is not allowed!"},
             Case{"((Sin()))", 3, "() Empty argument is not allowed!"},
             Case{"(((x))", 5, "Missing close parenthesis."},
             Case{"((1e*5))", 2, "Invalid exponent format."},
             Case{"((1e-5.5))", 2, "Invalid exponent format."},
             Case{"((2*1e))", 4, "Invalid exponent format."},
             Case{"((e-3))", 2, "Invalid exponent format."},  // no argument e: no mantissa
             Case{"((x+))", 3, "<+)> sequence is not valid."},
             Case{"((*x))", 1, "<(*> sequence is not valid."},
             Case{"((x*-x))", 3, "<*-> sequence is not valid."},
             Case{"((Sin))", 2, "<Sin)> sequence is not valid."},
             Case{"((Sin*x))", 2, "<Sin*> sequence is not valid."},
             Case{"((2(x)))", 2, "<2(> sequence is not valid."},
             Case{"((x)(x))", 3, "<)(> sequence is not valid."},
             Case{"((i PI))", 2, "The syntax of the formula is not valid:\ni PI\nUnknown element."},
             Case{"((Sin(x)RND))", 5, "<)RND> sequence is not valid."},
             Case{"((Sin(x)2))", 5, "<)2> sequence is not valid."},
             Case{"((Sin(x)Sin(x)))", 5, "<)Sin> sequence is not valid."},
             Case{"((i*Sin(x)LN2))", 7, "<)LN2> sequence is not valid."},
             Case{"((x*Sin(x)i))", 7, "<)i> sequence is not valid."},
         }) {
        EXPECT_EQ(FirstRefusal(Tokenize(c.expression, x)),
                  std::make_pair(c.index, std::string(c.message)))
            << c.expression;
    }
    // Signs open a group; they are accepted there only.
    EXPECT_EQ(FirstRefusal(Tokenize("((-x+(+x)))", x)).first, -1);
}

TEST(Tokenize, StopsAtTheFirstRefusal) {
    // The unknown element is reported although the parentheses are broken too.
    ElementList tokens = Tokenize("((x^2)))", {"x"});
    EXPECT_EQ(FirstRefusal(tokens).second,
              "The syntax of the formula is not valid:\nx^2\nUnknown element.");
    int refused = 0;
    for (const auto& token : tokens) refused += token->IsValid() ? 0 : 1;
    EXPECT_EQ(refused, 1);
    // A broken parenthesis sequence leaves the exponent pieces unjoined.
    tokens = Tokenize("((1e-5)))", {});
    EXPECT_EQ(tokens.size(), 8u);
    EXPECT_EQ(tokens[2]->GetKind(), kElementExponentPiece);
}

}  // namespace
