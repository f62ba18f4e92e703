#include "formula/term.h"

#include "formula/group_functions.h"
#include "foundation/complex_math.h"

#include <cmath>
#include <cstddef>
#include <limits>

#include "foundation/random.h"

namespace {

using Complex = std::complex<double>;

constexpr int kLastFunctionCode = kFunctionFloor;
const char kConversionError[] = "Internal error of conversion.";

bool IsSign(int kind) {
    return kind == kElementPlus || kind == kElementMinus;
}

// The groups of a token list found in one pass, so that compiling stays linear in the length
// however deep the nesting.
struct GroupIndex {
    // For each "(" of depth 0 to levels - 1: the first later ")" of its depth, -1 when none.
    std::vector<int> close;
    // The "(" tokens of each depth 0 to levels - 1, in token order.
    std::vector<std::vector<int>> opens;
};

GroupIndex IndexGroups(const ElementList& tokens, int levels) {
    const int count = static_cast<int>(tokens.size());
    GroupIndex index{std::vector<int>(count, -1), std::vector<std::vector<int>>(levels)};
    std::vector<int> nextClose(static_cast<std::size_t>(levels), -1);
    for (int i = count - 1; i >= 0; --i) {
        const int kind = tokens[i]->GetKind(), depth = tokens[i]->GetDepth();
        if (depth < 0 || depth >= levels) continue;
        if (kind == kElementClose) nextClose[depth] = i;
        if (kind == kElementOpen) index.close[i] = nextClose[depth];
    }
    for (int i = 0; i < count; ++i) {
        const int depth = tokens[i]->GetDepth();
        if (tokens[i]->GetKind() == kElementOpen && depth >= 0 && depth < levels)
            index.opens[depth].push_back(i);
    }
    return index;
}

// Emits one group (the tokens strictly between open and close, at depth + 1). nested numbers
// the groups of the next level in token order, which is also their register order there.
bool CompileGroup(const ElementList& tokens, const std::vector<int>& closeOf, int open, int close,
                  int& nested, std::vector<int>& program) {
    const int inner = tokens[open]->GetDepth() + 1;
    const int code = open > 0 && tokens[open - 1]->GetKind() == kElementFunction
                         ? tokens[open - 1]->GetCode()
                         : kFunctionIdentity;
    program.push_back(code);
    const std::size_t termCountAt = program.size();
    program.push_back(0);

    int pos = open + 1;
    int sign = 0;
    if (pos < close && IsSign(tokens[pos]->GetKind())) {
        sign = tokens[pos]->GetKind() == kElementMinus ? 1 : 0;
        ++pos;
    }
    // Emits the factor at pos and moves past it.
    auto factor = [&]() {
        if (pos >= close || tokens[pos]->GetDepth() != inner) return false;
        const Element& token = *tokens[pos];
        switch (token.GetKind()) {
            case kElementArgument:
                program.insert(program.end(), {kSourceArgument, token.GetCode()});
                break;
            case kElementNumber:
                program.insert(program.end(), {kSourceNumber, token.GetCode()});
                break;
            case kElementImaginary: program.insert(program.end(), {kSourceImaginary, 0}); break;
            case kElementRandom: program.insert(program.end(), {kSourceRandom, 0}); break;
            case kElementConstant:
                program.insert(program.end(), {kSourceConstant, token.GetCode()});
                break;
            case kElementFunction:
                // The name only gives its group the code; the group is the factor.
                if (++pos >= close || tokens[pos]->GetKind() != kElementOpen) return false;
                [[fallthrough]];
            case kElementOpen: {
                if (tokens[pos]->GetDepth() != inner) return false;
                const int end = closeOf[pos];
                if (end < 0 || end >= close) return false;
                program.insert(program.end(), {kSourceGroup, nested++});
                pos = end;
                break;
            }
            default: return false;
        }
        ++pos;
        return true;
    };

    int termCount = 0;
    for (;;) {
        program.push_back(sign);
        const std::size_t factorCountAt = program.size();
        program.push_back(1);
        if (!factor()) return false;
        while (pos < close && (tokens[pos]->GetKind() == kElementTimes ||
                               tokens[pos]->GetKind() == kElementDivide)) {
            program.push_back(tokens[pos]->GetKind() == kElementDivide ? 1 : 0);
            ++pos;
            if (!factor()) return false;
            ++program[factorCountAt];
        }
        ++termCount;
        if (pos == close) break;
        if (!IsSign(tokens[pos]->GetKind())) return false;
        sign = tokens[pos]->GetKind() == kElementMinus ? 1 : 0;
        ++pos;
    }
    program[termCountAt] = termCount;
    return true;
}

bool IsRealSource(int source) {
    return source == kSourceNumber || source == kSourceConstant || source == kSourceRandom;
}

// The function of a group applied to its sum; false when the code computes nothing.
bool Apply(int code, const Complex& z, Complex& out) {
    return GroupFunction::With(code, [&](auto f) { out = f(z); });
}

}  // namespace

bool CompileProgram(const ElementList& tokens, const std::vector<int>& groups,
                    std::vector<int>& program, std::string& message) {
    program.clear();
    message.clear();
    auto fail = [&]() {
        program.clear();
        message = kConversionError;
        return false;
    };
    // Groups only see what stands inside them: anything outside every group would be lost.
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const int kind = tokens[i]->GetKind();
        if (tokens[i]->GetDepth() == 0 && kind != kElementOpen && kind != kElementClose &&
            (kind != kElementFunction || i + 1 == tokens.size() ||
             tokens[i + 1]->GetKind() != kElementOpen))
            return fail();
    }
    const int levels = static_cast<int>(groups.size());
    const GroupIndex index = IndexGroups(tokens, levels);
    program.push_back(levels);
    for (int d = levels - 1; d >= 0; --d) {
        program.push_back(groups[d]);
        int nested = 0;
        for (const int open : index.opens[d]) {
            const int close = index.close[open];
            if (close < 0 || !CompileGroup(tokens, index.close, open, close, nested, program))
                return fail();
        }
        // Every group of the next level must be a factor of exactly one group of this one.
        const int emitted = static_cast<int>(index.opens[d].size());
        if (emitted != groups[d] || (d + 1 < levels && nested != groups[d + 1])) return fail();
    }
    return true;
}

double NamedConstant(int index) {
    switch (index) {
        case 0: return 2.0 * std::asin(1.0);
        case 1: return std::exp(1.0);
        case 2: return std::log(2.0);
        case 3: return std::log(10.0);
        default: return 0.0;
    }
}

Complex DivideComplex(const Complex& a, const Complex& b) {
    // The term program's own rule: a zero divisor, or one with a NaN part, gives NaN throughout.
    if (std::isnan(b.real()) || std::isnan(b.imag()) || (b.real() == 0.0 && b.imag() == 0.0))
        return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
    return Divide(a, b);
}

Term::Operation::Operation(int level, int index, int termCount, int code)
    : level_(level),
      index_(index),
      termCount_(termCount),
      terms_(termCount, nullptr),
      code_(code) {}

bool Term::Operation::SetTerm(int t, const int* record) {
    if (t < 0 || t >= termCount_) return false;
    terms_[t] = record;
    return true;
}

Term::Term(const std::vector<double>& numbers, const std::vector<int>& program)
    : numbers_(numbers), program_(program) {
    valid_ = Decode();
    if (!valid_) {
        groups_.clear();
        registers_.clear();
        operations_.clear();
    }
    drawsRandomNumbers_ = FindRandomDraws();
}

bool Term::Decode() {
    const std::size_t size = program_.size();
    std::size_t pos = 0;
    auto read = [&](int& out) {
        if (pos >= size) return false;
        out = program_[pos++];
        return true;
    };
    int levels = 0;
    // Every level needs at least its group count, so more levels than words cannot be right.
    if (!read(levels) || levels < 1 || static_cast<std::size_t>(levels) > size) return false;
    groups_.assign(levels, 0);
    registers_.resize(levels);
    operations_.resize(levels);

    for (int level = levels - 1; level >= 0; --level) {
        int groupCount = 0;
        if (!read(groupCount) || groupCount < 0 ||
            static_cast<std::size_t>(groupCount) > size - pos)
            return false;
        groups_[level] = groupCount;
        registers_[level].assign(groupCount, Complex());
        operations_[level].reserve(groupCount);
        for (int g = 0; g < groupCount; ++g) {
            int code = 0, termCount = 0;
            if (!read(code) || !read(termCount) || code < 0 || code > kLastFunctionCode ||
                termCount < 0 || static_cast<std::size_t>(termCount) > size - pos)
                return false;
            Operation operation(level, g, termCount, code);
            for (int t = 0; t < termCount; ++t) {
                if (size - pos < 2) return false;
                const int* record = program_.data() + pos;
                const long long factors = record[1];
                if ((record[0] != 0 && record[0] != 1) || factors < 1 ||
                    3 * factors + 1 > static_cast<long long>(size - pos))
                    return false;
                // The first factor is (source, index) at word 2; factor k > 0 is
                // (operation, source, index) at word 3k + 1.
                if (!IsValidFactor(level, record[2], record[3])) return false;
                for (long long k = 1; k < factors; ++k) {
                    const int* f = record + 3 * k + 1;
                    if ((f[0] != 0 && f[0] != 1) || !IsValidFactor(level, f[1], f[2])) return false;
                }
                operation.SetTerm(t, record);
                pos += static_cast<std::size_t>(3 * factors + 1);
            }
            operations_[level].push_back(operation);
        }
    }
    return pos == size && groups_[0] == 1;
}

bool Term::IsValidFactor(int level, int source, int index) const {
    switch (source) {
        case kSourceArgument: return index >= 0;  // the count is checked at evaluation
        case kSourceNumber: return index >= 0 && index < static_cast<int>(numbers_.size());
        case kSourceGroup:
            return level + 1 < static_cast<int>(groups_.size()) && index >= 0 &&
                   index < groups_[level + 1];
        case kSourceImaginary:
        case kSourceConstant:
        case kSourceRandom: return true;
        default: return false;
    }
}

void Term::Evaluate(Complex& result, const std::vector<Complex>& arguments) {
    if (!valid_) {
        result = Complex();
        return;
    }
    for (int level = static_cast<int>(operations_.size()) - 1; level >= 0; --level)
        for (const Operation& operation : operations_[level]) Run(operation, arguments);
    result = registers_[0][0];
}

Term::Complex Term::Factor(int level, int source, int index,
                           const std::vector<Complex>& arguments) const {
    switch (source) {
        case kSourceArgument:
            return static_cast<std::size_t>(index) < arguments.size() ? arguments[index]
                                                                      : Complex();
        case kSourceNumber: return {numbers_[index], 0.0};
        case kSourceGroup: return registers_[level + 1][index];
        case kSourceImaginary: return {0.0, 1.0};
        case kSourceConstant: return {NamedConstant(index), 0.0};
        default: return {Random::Real(), 0.0};
    }
}

void Term::Run(const Operation& operation, const std::vector<Complex>& arguments) {
    const int level = operation.GetLevel();
    Complex sum;
    for (int t = 0; t < operation.GetTermCount(); ++t) {
        const int* record = operation.GetTerm(t);
        const int factors = record[1];
        Complex v = Factor(level, record[2], record[3], arguments);
        for (const int* f = record + 4; f < record + 3 * factors + 1; f += 3) {
            const Complex w = Factor(level, f[1], f[2], arguments);
            if (IsRealSource(f[1])) {
                // Both parts by the real value, so x / 0 follows the rules of each part.
                const double x = w.real();
                v = f[0] == 0 ? Complex(v.real() * x, v.imag() * x)
                              : Complex(v.real() / x, v.imag() / x);
            } else {
                v = f[0] == 0 ? Multiply(v, w) : DivideComplex(v, w);
            }
        }
        // From zero, so that a leading minus leaves no -0 to move a branch cut: -(4, 0) is
        // (-4, 0) and its square root (0, 2). Subtracted rather than negated and added, as the
        // column path's loops do: the two differ in the sign of a NaN, which Sqrt reads.
        sum = record[0] == 1 ? Complex(sum.real() - v.real(), sum.imag() - v.imag())
                             : Complex(sum.real() + v.real(), sum.imag() + v.imag());
    }
    Apply(operation.GetCode(), sum, registers_[level][operation.GetIndex()]);
}

bool ApplyGroupFunction(int code, const Complex& z, Complex& out) {
    return Apply(code, z, out);
}

bool IsRealFactorSource(int source) {
    return IsRealSource(source);
}
