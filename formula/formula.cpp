#include "formula/formula.h"

#include <algorithm>
#include <string>
#include <utility>

#include "foundation/text.h"

Formula::Formula() = default;

Formula::~Formula() = default;

bool Formula::Define(const std::string& text, const bool& useErrorDefault) {
    if (text.empty()) return Fail("Empty expression is not allowed.", useErrorDefault);
    definition_ = text;
    std::string expression = GetDefinitionPart(text, true);
    if (expression.empty())
        return Fail("Empty formula definition is not allowed.", useErrorDefault);
    // Two pairs of parentheses: the compiler relies on a single group at level 0.
    expression = "(" + expression + ")";

    bool error = false;
    arguments_ = GetArguments(text, error);
    if (error) return Fail("Variable expression error.", useErrorDefault);
    for (std::size_t i = 0; i < arguments_.size(); ++i) {
        const std::string& name = arguments_[i];
        if (IsReservedWord(name))
            return Fail(name + " cannot be a variable, is a reserved word!", useErrorDefault);
        if (std::find(arguments_.begin() + i + 1, arguments_.end(), name) != arguments_.end())
            return Fail(name + " already exists!", useErrorDefault);
    }

    // The two pairs of parentheses around the expression are not the writer's.
    if (NestingDepth(expression) - 2 > kMaxFormulaNesting)
        return Fail(
            "Parentheses are nested more than " + std::to_string(kMaxFormulaNesting) + " deep.",
            useErrorDefault);
    const ElementList tokens = Tokenize(expression, arguments_);
    for (const auto& token : tokens)
        if (!token->IsValid()) return Fail(token->GetMessage(), useErrorDefault);

    const std::vector<double> numbers = BuildNumberTable(tokens);
    const std::vector<int> groups = CountGroups(tokens);
    std::vector<int> program;
    std::string message;
    if (!CompileProgram(tokens, groups, program, message)) return Fail(message, useErrorDefault);
    auto term = std::make_unique<Term>(numbers, program);
    if (!term->IsValid()) return Fail("Internal error of conversion.", useErrorDefault);

    term_ = std::move(term);
    message_.clear();
    return true;
}

void Formula::Evaluate(std::complex<double>& result,
                       const std::vector<std::complex<double>>& arguments) {
    if (term_)
        term_->Evaluate(result, arguments);
    else
        result = std::complex<double>();
}

void Formula::EvaluateColumn(Column& result, const std::vector<const Column*>& arguments,
                             ColumnStorage& storage) {
    if (term_)
        term_->EvaluateColumn(result, arguments, storage);
    else
        result.SetConstant(std::complex<double>());
}

void Formula::KeepColumn(Column& result, const std::vector<const Column*>& arguments,
                         ColumnStorage& storage) {
    if (term_)
        term_->KeepColumn(result, arguments, storage);
    else
        result.SetConstant(std::complex<double>());
}

void Formula::ReplayColumn(Column& result, const std::vector<const Column*>& arguments,
                           const std::vector<char>& changed, ColumnStorage& storage) {
    if (term_)
        term_->ReplayColumn(result, arguments, changed, storage);
    else
        result.SetConstant(std::complex<double>());
}

bool Formula::Fail(const std::string& message, bool useErrorDefault) {
    message_ = message;
    Reset(useErrorDefault);
    return false;
}

void Formula::Reset(bool useErrorDefault) {
    const std::string kept = message_;
    // The second attempt always passes true, so a refused left side ends in "Error()=0.0",
    // which is always accepted.
    Define(useErrorDefault ? std::string("Error()=0.0") : GetLeftSide(definition_) + "=0.0", true);
    message_ = kept;
}

std::string GetLeftSide(const std::string& text) {
    const auto equals = text.find('=');
    return equals == std::string::npos ? std::string() : RemoveBlanks(text.substr(0, equals));
}

std::string GetDefinitionPart(const std::string& text, const bool& enclose) {
    const auto equals = text.find('=');
    if (equals == std::string::npos) return std::string();
    const std::string part = RemoveBlanks(text.substr(equals + 1));
    return enclose ? "(" + part + ")" : part;
}

std::string GetFunctionName(const std::string& text) {
    const auto open = text.find('(');
    return open == std::string::npos ? std::string() : Trim(text.substr(0, open));
}

std::vector<std::string> GetArguments(const std::string& text, bool& error) {
    error = false;
    const auto open = text.find('(');
    const auto close = text.find(')');
    // A ")" before the "(" encloses nothing.
    if (open == std::string::npos || close == std::string::npos || close < open) {
        error = true;
        return {};
    }
    if (close == open + 1) return {};
    const std::string inner = text.substr(open + 1, close - open - 1);
    if (inner[0] == ',') {
        error = true;
        return {};
    }
    std::vector<std::string> names;
    std::size_t start = 0;
    for (;;) {
        const auto comma = inner.find(',', start);
        if (comma == std::string::npos) {
            if (start < inner.size()) names.push_back(Trim(inner.substr(start)));
            break;
        }
        names.push_back(Trim(inner.substr(start, comma - start)));
        start = comma + 1;
    }
    return names;
}

std::string RemoveBlanks(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text)
        if (c != ' ') result.push_back(c);
    return result;
}
