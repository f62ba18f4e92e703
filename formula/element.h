#pragma once
// Tokens of formula expressions and the lexer that splits, classifies and checks them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/countable.h"

enum ElementKind : std::int32_t {
    kElementUnknown = -1,
    kElementClose = 0,     // ")"
    kElementOpen = 1,      // "("
    kElementPlus = 2,      // "+"
    kElementMinus = 3,     // "-"
    kElementTimes = 4,     // "*"
    kElementDivide = 5,    // "/"
    kElementArgument = 6,  // code: the argument's index
    kElementFunction = 7,  // code: its FunctionCode
    kElementNumber = 8,    // code: index in the number table
    kElementImaginary = 9,
    kElementRandom = 10,
    kElementConstant = 11,  // code: 0 PI, 1 E, 2 LN2, 3 LN10
    // Number pieces, joined and renumbered as kElementNumber before the sequence check.
    kElementDigits = 20,
    kElementDecimal = 21,
    kElementExponentPiece = 22,  // ends in "e"; a sign and digits must follow
};

enum FunctionCode : std::int32_t {
    kFunctionIdentity = 0,
    kFunctionReal = 1,
    kFunctionImag = 2,
    kFunctionAbs = 3,
    kFunctionNorm = 4,
    kFunctionArg = 5,
    kFunctionConjg = 6,
    kFunctionSqr = 7,
    kFunctionSqrt = 8,
    kFunctionExp = 9,
    kFunctionLn = 10,
    kFunctionLog = 11,
    kFunctionCos = 12,
    kFunctionSin = 13,
    kFunctionTan = 14,
    kFunctionCosh = 15,
    kFunctionSinh = 16,
    kFunctionTanh = 17,
    // 18 and 19 have no name.
    kFunctionAcos = 20,
    kFunctionAsin = 21,
    kFunctionAtan = 22,
    kFunctionCeiling = 23,
    kFunctionFloor = 24,
};

// One token. A check that refuses it clears the valid flag and keeps the reason.
class Element : public Safe::Countable {
public:
    Element(const std::string& text, int kind, int depth = 0, int code = 0);
    ~Element() override = default;

    const std::string& GetText() const { return text_; }
    void SetText(const std::string& text);  // trims blanks and tabs
    int GetKind() const { return kind_; }
    void SetKind(int kind) { kind_ = kind; }
    int GetDepth() const { return depth_; }
    void SetDepth(int depth) { depth_ = depth; }
    int GetCode() const { return code_; }
    void SetCode(int code) { code_ = code; }
    bool IsValid() const { return valid_ != 0; }
    const std::string& GetMessage() const { return message_; }
    void Refuse(const std::string& message);

private:
    std::string text_;
    std::int32_t kind_;
    std::int32_t depth_;
    std::int32_t code_;
    std::uint8_t valid_ = 1;
    std::string message_;
};

using ElementList = std::vector<Safe::XPtr<Element>>;

// Classifies one token of text (trimmed first); unknown text is refused.
Safe::XPtr<Element> MakeElement(const std::string& text, const std::vector<std::string>& arguments);
// Splits the expression into tokens and checks parentheses, exponents and neighbours. The first
// refused token carries the message; the checks after a refusal do not run.
ElementList Tokenize(const std::string& expression, const std::vector<std::string>& arguments);
// "RND", "i", a named constant or a function name.
bool IsReservedWord(const std::string& text);
// Index of the last argument named exactly text, -1 when none.
int FindArgument(const std::string& text, const std::vector<std::string>& arguments);
// The FunctionCode of a function name, -1 when text names none.
int FindFunction(const std::string& text);
// One value per number token, in list order (a token's code is its index).
std::vector<double> BuildNumberTable(const ElementList& tokens);
// Sets every token's parenthesis depth; returns the number of "(" at each depth.
std::vector<int> CountGroups(const ElementList& tokens);
// The greatest count of "(" less ")" that the text reaches from its start: the levels that
// CountGroups finds in its tokens, counted without making them.
std::ptrdiff_t NestingDepth(const std::string& text);
