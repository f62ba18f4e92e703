#pragma once
// Compiled formula expressions. Each parenthesised group becomes one operation: a signed sum of
// products and quotients of factors with a function applied to the sum. Groups run deepest level
// first; each writes one register that the groups of the level above read as a factor.
//
// Program layout: L, then for each level from L - 1 down to 0: G, then for each group: function
// code, T, and T term records of 3F + 1 words: sign (0 plus, 1 minus), F, the first factor
// (source, index), and for each further factor (0 multiply or 1 divide, source, index).
#include <complex>
#include <cstdint>
#include <string>
#include <vector>

#include "formula/element.h"
#include "foundation/column.h"

enum ArgumentSource : std::int32_t {
    kSourceArgument = 0,  // index into the caller's argument values
    kSourceNumber = 1,    // index into the number table
    kSourceGroup = 2,     // register of the next deeper level
    kSourceImaginary = 3,
    kSourceConstant = 4,  // NamedConstant index
    kSourceRandom = 5,
};

// Emits the program of depth-marked, numbered tokens (CountGroups has run over them) with the
// groups per level CountGroups returned. When the tokens do not form a valid expression: false,
// with the reason in message.
bool CompileProgram(const ElementList& tokens, const std::vector<int>& groups,
                    std::vector<int>& program, std::string& message);

// 0 PI, 1 E, 2 LN2, 3 LN10; 0.0 for other indexes.
double NamedConstant(int index);

// Not reentrant: evaluation writes the registers, so one thread at a time evaluates a term.
class Term {
public:
    using Complex = std::complex<double>;

    // One group: the terms it sums and the function applied to the sum.
    class Operation {
    public:
        Operation(int level, int index, int termCount, int code);

        // Stores the record of term t; false, storing nothing, when t is out of range.
        bool SetTerm(int t, const int* record);

        int GetLevel() const { return level_; }
        int GetIndex() const { return index_; }
        int GetTermCount() const { return termCount_; }
        int GetCode() const { return code_; }
        const int* GetTerm(int t) const { return terms_[t]; }

    private:
        std::int32_t level_;
        std::int32_t index_;
        std::int32_t termCount_;
        std::vector<const int*> terms_;
        std::int32_t code_;
    };

    // Decodes the program. A program that does not decode into consistent records leaves the
    // term invalid; an invalid term evaluates to zero.
    Term(const std::vector<double>& numbers, const std::vector<int>& program);
    Term(const Term&) = delete;
    Term& operator=(const Term&) = delete;
    virtual ~Term() = default;

    bool IsValid() const { return valid_; }
    // Missing argument values count as zero.
    void Evaluate(Complex& result, const std::vector<Complex>& arguments);
    // The same over a block of points (term_column.cpp): arguments[k] is argument k's column;
    // the working columns borrow from storage. Not for programs that draw random numbers, whose
    // draws come point by point.
    void EvaluateColumn(Column& result, const std::vector<const Column*>& arguments,
                        ColumnStorage& storage);
    // EvaluateColumn that keeps every group's column of the block, for ReplayColumn.
    void KeepColumn(Column& result, const std::vector<const Column*>& arguments,
                    ColumnStorage& storage);
    // EvaluateColumn over the block of the last KeepColumn, where only the arguments k with
    // changed[k] set hold other values: the groups that read them, directly or through other
    // groups, are computed again as EvaluateColumn computes them, the others' kept columns read.
    void ReplayColumn(Column& result, const std::vector<const Column*>& arguments,
                      const std::vector<char>& changed, ColumnStorage& storage);
    bool DrawsRandomNumbers() const { return drawsRandomNumbers_; }

    int GetLevelCount() const { return static_cast<int>(groups_.size()); }
    const std::vector<int>& GetGroupsPerLevel() const { return groups_; }
    const Operation& GetOperation(int level, int group) const { return operations_[level][group]; }
    const std::vector<double>& GetNumbers() const { return numbers_; }

private:
    bool Decode();
    bool IsValidFactor(int level, int source, int index) const;
    void Run(const Operation& operation, const std::vector<Complex>& arguments);
    Complex Factor(int level, int source, int index, const std::vector<Complex>& arguments) const;

    std::vector<double> numbers_;
    std::vector<int> program_;  // the operations' term records point into it
    std::vector<int> groups_;
    std::vector<std::vector<Complex>> registers_;
    std::vector<std::vector<Operation>> operations_;
    bool valid_ = false;
    bool drawsRandomNumbers_ = false;  // found once: column kinds are asked for every block
    bool FindRandomDraws() const;

    // The column path's registers and working columns.
    // zeroAddedLater: the group's sum is read only by the copy into the result, which may add
    // the zero Run's sums start from (adding it twice changes nothing); true when it must.
    bool RunColumn(const Operation& operation, const std::vector<const Column*>& arguments,
                   bool zeroAddedLater);
    // Applies the group's function to its sum (sum_, or first with the zero still to add) into
    // the group's register; RunColumn's result.
    bool StoreGroup(const Operation& operation, const Column* first, bool zeroAddedLater);
    const Column& FactorColumn(int level, int source, int index,
                               const std::vector<const Column*>& arguments, Column& single) const;
    // A group that repeats an earlier self-contained group of its level word for word (Sqr(x)
    // in every term of a sum) is not computed again: readers take the earlier one's column.
    void FindRepeatedGroups();
    bool IsRepeated(int level, int index) const;
    // The groups, level by level from the innermost, then the copy into the result; with
    // changed, only the groups that read a changed argument (the others' registers read the
    // kept columns); with keep, the registers are kept. True when the copy added the zero the
    // outermost sum starts from.
    bool RunGroups(Column& result, const std::vector<const Column*>& arguments,
                   ColumnStorage& storage, const std::vector<char>* changed, bool keep);
    // Sets dirtySet_: the groups and terms whose values follow from a changed argument.
    void FindDirtyGroups(const std::vector<char>& changed);
    std::vector<std::vector<int>> sameAs_;  // per level and group: the group computed instead
    std::vector<std::vector<Column>> columnRegisters_;
    std::vector<std::vector<Column>> keptRegisters_;  // KeepColumn's
    enum ColumnMode { kOrdinaryColumns, kKeepColumns, kReplayColumns };
    ColumnMode columnMode_ = kOrdinaryColumns;  // RunGroups' for RunColumn
    // Per group, KeepColumn's: the sum before each term (or the first term's column, its zero
    // still to add, with firstPending) and the value each term adds.
    struct KeptTerms {
        std::vector<Column> sums;
        std::vector<Column> values;
        std::vector<char> firstPending;
    };
    std::vector<std::vector<KeptTerms>> keptTerms_;
    // What a set of changed arguments reaches: per level and group, whether the group does, and
    // which of its terms.
    struct DirtySet {
        std::vector<char> changed;
        std::vector<std::vector<char>> groups;
        std::vector<std::vector<std::vector<char>>> terms;
    };
    std::vector<DirtySet> dirtySets_;
    const DirtySet* dirtySet_ = nullptr;
    bool keptZero_ = false;  // the copy into the result added the zero in KeepColumn's block
    bool keptValid_ = false;  // no other block evaluated since KeepColumn
    Column work_[3];
    Column single_[2];
    Column sum_;
};

// The function of a group (its code in the program) applied to its sum; false when the code
// computes nothing.
bool ApplyGroupFunction(int code, const std::complex<double>& z, std::complex<double>& out);
// True for the sources of real factors, which scale both parts of a product or quotient.
bool IsRealFactorSource(int source);

// a / b by Smith's method; NaN in both parts when b has a NaN part or is zero.
std::complex<double> DivideComplex(const std::complex<double>& a, const std::complex<double>& b);
