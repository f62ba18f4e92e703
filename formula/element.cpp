#include "formula/element.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "foundation/text.h"

namespace {

struct NamedCode {
    const char* name;
    int code;
};

constexpr NamedCode kFunctions[] = {
    {"Identity", kFunctionIdentity}, {"Real", kFunctionReal},   {"Imag", kFunctionImag},
    {"Abs", kFunctionAbs},           {"Norm", kFunctionNorm},   {"Arg", kFunctionArg},
    {"Conjg", kFunctionConjg},       {"Sqr", kFunctionSqr},     {"Sqrt", kFunctionSqrt},
    {"Exp", kFunctionExp},           {"Ln", kFunctionLn},       {"Log", kFunctionLog},
    {"Cos", kFunctionCos},           {"Sin", kFunctionSin},     {"Tan", kFunctionTan},
    {"Cosh", kFunctionCosh},         {"Sinh", kFunctionSinh},   {"Tanh", kFunctionTanh},
    {"Acos", kFunctionAcos},         {"Asin", kFunctionAsin},   {"Atan", kFunctionAtan},
    {"Ceiling", kFunctionCeiling},   {"Floor", kFunctionFloor},
};

constexpr const char* kConstants[] = {"PI", "E", "LN2", "LN10"};

const char kOperators[] = ")(+-*/";  // in the order of their kinds 0 to 5

int FindConstant(const std::string& text) {
    for (int i = 0; i < static_cast<int>(std::size(kConstants)); ++i)
        if (text == kConstants[i]) return i;
    return -1;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits with at most one decimal point. Whether a digit was seen goes to *hasDigit.
bool IsPlainDecimal(const std::string& text, bool* hasDigit) {
    bool point = false;
    *hasDigit = false;
    for (char c : text) {
        if (IsDigit(c)) {
            *hasDigit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return true;
}

bool IsDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}

// A mantissa of digits and one optional point, "e", then digits.
bool IsNumberWithExponent(const std::string& text) {
    const auto e = text.find('e');
    if (e == std::string::npos) return false;
    bool hasDigit = false;
    return IsPlainDecimal(text.substr(0, e), &hasDigit) && hasDigit && IsDigits(text.substr(e + 1));
}

bool IsOperator(int kind) {
    return kind >= kElementPlus && kind <= kElementDivide;
}

// Tokens that end an operand: nothing that starts another operand may follow them.
bool EndsOperand(int kind) {
    return kind == kElementClose || kind == kElementArgument || kind == kElementNumber ||
           kind == kElementImaginary || kind == kElementRandom || kind == kElementConstant;
}

bool StartsOperand(int kind) {
    return kind == kElementConstant || kind == kElementNumber || kind == kElementArgument ||
           kind == kElementFunction || kind == kElementRandom || kind == kElementOpen ||
           kind == kElementImaginary;
}

bool CheckParentheses(ElementList& tokens) {
    const int count = static_cast<int>(tokens.size());
    int opens = 0, closes = 0;
    for (int i = 0; i < count; ++i) {
        const int kind = tokens[i]->GetKind();
        if (kind == kElementClose && ++closes > opens) {
            tokens[i]->Refuse("Parenthesis sequence error.");
            return false;
        }
        if (kind == kElementOpen) {
            ++opens;
            if (i + 1 < count && tokens[i + 1]->GetKind() == kElementClose) {
                // Next to the enclosing parentheses an empty pair is a broken sequence rather
                // than a function called without argument.
                tokens[i]->Refuse(i < 2 || i >= count - 2 ? "Parenthesis sequence error."
                                                          : "() Empty argument is not allowed!");
                return false;
            }
        }
    }
    if (opens != closes) {
        tokens.back()->Refuse("Missing close parenthesis.");
        return false;
    }
    return true;
}

bool JoinExponents(ElementList& tokens) {
    const std::size_t count = tokens.size();
    std::vector<bool> joined(count, false);
    for (std::size_t i = 0; i < count; ++i) {
        Element& piece = *tokens[i];
        if (piece.GetKind() != kElementExponentPiece) continue;
        const std::string& text = piece.GetText();
        bool hasDigit = false;
        IsPlainDecimal(text.substr(0, text.size() - 1), &hasDigit);
        // A piece without a digit ("e", ".e") would make a text that is no number.
        if (!hasDigit || i + 2 >= count ||
            (tokens[i + 1]->GetKind() != kElementPlus &&
             tokens[i + 1]->GetKind() != kElementMinus) ||
            tokens[i + 2]->GetKind() != kElementDigits) {
            piece.Refuse("Invalid exponent format.");
            return false;
        }
        piece.SetText(text + tokens[i + 1]->GetText() + tokens[i + 2]->GetText());
        piece.SetKind(kElementNumber);
        joined[i + 1] = joined[i + 2] = true;
        i += 2;
    }
    ElementList kept;
    kept.reserve(count);
    int number = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (joined[i]) continue;
        const int kind = tokens[i]->GetKind();
        if (kind == kElementNumber || kind == kElementDecimal || kind == kElementDigits) {
            tokens[i]->SetKind(kElementNumber);
            tokens[i]->SetCode(number++);
        }
        kept.push_back(std::move(tokens[i]));
    }
    tokens = std::move(kept);
    return true;
}

bool IsRefusedPair(int kind, int next) {
    if (kind == kElementOpen) return next == kElementTimes || next == kElementDivide;
    if (IsOperator(kind)) return IsOperator(next) || next == kElementClose;
    if (EndsOperand(kind)) return StartsOperand(next);
    if (kind == kElementFunction) return next != kElementOpen;
    return false;
}

void CheckSequence(ElementList& tokens) {
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        Element& token = *tokens[i];
        const Element& next = *tokens[i + 1];
        if (IsRefusedPair(token.GetKind(), next.GetKind())) {
            token.Refuse("<" + token.GetText() + next.GetText() + "> sequence is not valid.");
            return;
        }
    }
}

}  // namespace

Element::Element(const std::string& text, int kind, int depth, int code)
    : text_(Trim(text)), kind_(kind), depth_(depth), code_(code) {}

void Element::SetText(const std::string& text) {
    text_ = Trim(text);
}

void Element::Refuse(const std::string& message) {
    valid_ = 0;
    message_ = message;
}

Safe::XPtr<Element> MakeElement(const std::string& text,
                                const std::vector<std::string>& arguments) {
    const std::string t = Trim(text);
    if (t.size() == 1) {
        const char* op = std::char_traits<char>::find(kOperators, 6, t[0]);
        if (op) return Safe::MakeX<Element>(t, static_cast<int>(op - kOperators));
    }
    if (t == "i") return Safe::MakeX<Element>(t, kElementImaginary);
    if (t == "RND") return Safe::MakeX<Element>(t, kElementRandom);
    if (int constant = FindConstant(t); constant >= 0)
        return Safe::MakeX<Element>(t, kElementConstant, 0, constant);
    if (int function = FindFunction(t); function >= 0)
        return Safe::MakeX<Element>(t, kElementFunction, 0, function);
    if (int argument = FindArgument(t, arguments); argument >= 0)
        return Safe::MakeX<Element>(t, kElementArgument, 0, argument);
    if (IsDigits(t)) return Safe::MakeX<Element>(t, kElementDigits);
    bool hasDigit = false;
    // A point without digits is no number: refused below rather than read as zero.
    if (IsPlainDecimal(t, &hasDigit) && hasDigit) return Safe::MakeX<Element>(t, kElementDecimal);
    if (!t.empty() && t.back() == 'e' && IsPlainDecimal(t.substr(0, t.size() - 1), &hasDigit))
        return Safe::MakeX<Element>(t, kElementExponentPiece);
    if (IsNumberWithExponent(t)) return Safe::MakeX<Element>(t, kElementNumber);
    auto unknown = Safe::MakeX<Element>(t, kElementUnknown);
    unknown->Refuse("The syntax of the formula is not valid:\n" + t + "\nUnknown element.");
    return unknown;
}

ElementList Tokenize(const std::string& expression, const std::vector<std::string>& arguments) {
    const std::string text = Trim(expression);
    ElementList tokens;
    std::size_t start = 0;
    auto takeRun = [&](std::size_t end) {
        const std::string run = text.substr(start, end - start);
        // Tabs between tokens separate them; they make no token of their own.
        if (!Trim(run).empty()) tokens.push_back(MakeElement(run, arguments));
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* op = std::char_traits<char>::find(kOperators, 6, text[i]);
        if (!op) continue;
        takeRun(i);
        tokens.push_back(
            Safe::MakeX<Element>(std::string(1, text[i]), static_cast<int>(op - kOperators)));
        start = i + 1;
    }
    takeRun(text.size());

    for (const auto& token : tokens)
        if (token->GetKind() == kElementUnknown) return tokens;
    if (!CheckParentheses(tokens) || !JoinExponents(tokens)) return tokens;
    CheckSequence(tokens);
    return tokens;
}

bool IsReservedWord(const std::string& text) {
    return text == "RND" || text == "i" || FindConstant(text) >= 0 || FindFunction(text) >= 0;
}

int FindArgument(const std::string& text, const std::vector<std::string>& arguments) {
    for (int i = static_cast<int>(arguments.size()) - 1; i >= 0; --i)
        if (arguments[i] == text) return i;
    return -1;
}

int FindFunction(const std::string& text) {
    for (const auto& function : kFunctions)
        if (text == function.name) return function.code;
    return -1;
}

std::vector<double> BuildNumberTable(const ElementList& tokens) {
    std::vector<double> numbers;
    for (const auto& token : tokens) {
        if (token->GetKind() != kElementNumber) continue;
        double value = 0.0;
        ToDouble(token->GetText(), &value);
        numbers.push_back(value);
    }
    return numbers;
}

std::vector<int> CountGroups(const ElementList& tokens) {
    int depth = 0, levels = 0;
    for (const auto& token : tokens) {
        const int kind = token->GetKind();
        if (kind == kElementClose) --depth;
        token->SetDepth(depth);
        if (kind == kElementOpen) levels = std::max(levels, ++depth);
    }
    std::vector<int> groups(levels, 0);
    for (const auto& token : tokens) {
        const int d = token->GetDepth();
        if (token->GetKind() == kElementOpen && d >= 0 && d < levels) ++groups[d];
    }
    return groups;
}

std::ptrdiff_t NestingDepth(const std::string& text) {
    std::ptrdiff_t depth = 0, deepest = 0;
    for (char c : text) {
        if (c == '(') deepest = std::max(deepest, ++depth);
        if (c == ')') --depth;
    }
    return deepest;
}
