#pragma once
// User functions typed as name(arg,...)=expression and compiled into a Term.
#include <complex>
#include <memory>
#include <string>
#include <vector>

#include "formula/term.h"
#include "foundation/countable.h"

// The deepest the parentheses of a definition's expression may nest. Each level costs the
// lexer, the compiler and the term some hundreds of bytes, and an evaluation by blocks a column:
// a deeper text is refused before it is split, whatever its length.
constexpr int kMaxFormulaNesting = 50000;

class Formula : public Safe::Countable {
public:
    Formula();
    Formula(const Formula&) = delete;
    Formula& operator=(const Formula&) = delete;
    ~Formula() override;

    // Parses, checks and compiles text. A refused text leaves the reason in GetMessage and the
    // formula defined as zero: under the text's own left side, or as "Error()=0.0" when
    // useErrorDefault is set or that fails too. Callers rebuilding stored formulas pass true.
    bool Define(const std::string& text, const bool& useErrorDefault);
    // One value per argument name, in order; missing values count as zero. Zero before the
    // first definition.
    void Evaluate(std::complex<double>& result, const std::vector<std::complex<double>>& arguments);
    // The same over a block of points, one column per argument.
    void EvaluateColumn(Column& result, const std::vector<const Column*>& arguments,
                        ColumnStorage& storage);
    // Term::KeepColumn and Term::ReplayColumn.
    void KeepColumn(Column& result, const std::vector<const Column*>& arguments,
                    ColumnStorage& storage);
    void ReplayColumn(Column& result, const std::vector<const Column*>& arguments,
                      const std::vector<char>& changed, ColumnStorage& storage);

    const std::string& GetDefinition() const { return definition_; }
    const std::vector<std::string>& GetArgumentNames() const { return arguments_; }
    const std::string& GetMessage() const { return message_; }
    const Term* GetTerm() const { return term_.get(); }

private:
    bool Fail(const std::string& message, bool useErrorDefault);
    void Reset(bool useErrorDefault);

    std::string definition_;
    std::vector<std::string> arguments_;
    std::unique_ptr<Term> term_;
    std::string message_;
};

// The text before the first "=" without blanks; empty when there is no "=".
std::string GetLeftSide(const std::string& text);
// The text after the first "=" without blanks, in parentheses when enclose is set; empty when
// there is no "=".
std::string GetDefinitionPart(const std::string& text, const bool& enclose);
// The text before the first "(", trimmed; empty when there is no "(".
std::string GetFunctionName(const std::string& text);
// The comma-separated names between the first "(" and the first ")" of the text, trimmed. error
// is set when a parenthesis is missing, the ")" comes first, or the list starts with ",".
std::vector<std::string> GetArguments(const std::string& text, bool& error);
// The text without blanks (tabs stay).
std::string RemoveBlanks(const std::string& text);
