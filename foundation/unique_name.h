#pragma once
// Reading the number that follows a name's mark, shared by the unique-name rules of named sets,
// models and definitions.
#include <cstddef>
#include <cwctype>
#include <string>
#include <unordered_map>

// Reads an integer the way atoi and _wtoi do: leading white space, a sign, then digits up to the
// first other character; 0 when there are none. Saturates at the int range.
template <class Char>
int ReadLeadingInt(const std::basic_string<Char>& text, std::size_t from) {
    std::size_t i = from;
    while (i < text.size() && std::iswspace(static_cast<wint_t>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == Char('+') || text[i] == Char('-')))
        negative = text[i++] == Char('-');
    long long value = 0;
    for (; i < text.size() && text[i] >= Char('0') && text[i] <= Char('9'); ++i) {
        value = value * 10 + (text[i] - Char('0'));
        if (value > 2147483648LL) value = 2147483648LL;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) value = 2147483647LL;
    return static_cast<int>(value);
}

// The counting rule kept up as names are appended, so that naming costs the same however many
// names there are: for every base (a name's text up to and including its first mark) the m the
// rule reaches over the names so far. A removal or a rename may change the counts of names
// before the last: Invalidate, and they are counted again in one pass when next asked for.
class MarkCounts {
public:
    explicit MarkCounts(char mark) : mark_(mark) {}

    // A name appended after every other.
    void Count(const std::string& name) {
        const std::size_t at = name.find(mark_);
        if (at == std::string::npos || !complete_) return;
        long long& m = counts_.try_emplace(name.substr(0, at + 1), 1).first->second;
        const long long n = ReadLeadingInt(name, at + 1);
        m = (n > m ? n : m) + 1;
    }
    void Invalidate() { complete_ = false; }
    void Clear() {
        counts_.clear();
        complete_ = true;
    }

    // The name the rule gives (CountedUniqueName), from the counts: taken(name) tells whether a
    // name is in use; forEach(f) calls f with every name in order, for a count made again.
    template <class Taken, class ForEach>
    std::string UniqueName(const std::string& name, Taken taken, ForEach forEach) {
        if (!taken(name)) return name;
        const std::size_t at = name.find(mark_);
        const std::string base = at == std::string::npos ? name + mark_ : name.substr(0, at + 1);
        if (!complete_) {
            counts_.clear();
            complete_ = true;
            forEach([this](const std::string& other) { Count(other); });
        }
        // A name begins with the base exactly when its own text up to its first mark is it.
        const auto found = counts_.find(base);
        long long m = found == counts_.end() ? 1 : found->second;
        // Names with signs or huge numbers can still collide: count on until the name is free.
        while (taken(base + std::to_string(m))) ++m;
        return base + std::to_string(m);
    }

private:
    char mark_;
    std::unordered_map<std::string, long long> counts_;
    bool complete_ = true;
};

// The counting rule of definitions (mark "@") and of nodes within a definition (mark ":"): a
// taken name becomes its text up to its first mark (or the name and the mark) followed by m,
// where m starts at 1 and every name that begins with that base raises it to one more than the
// larger of m and the name's number. taken(name) tells whether a name is in use; forEach(f)
// calls f with every name in order.
template <class Taken, class ForEach>
std::string CountedUniqueName(const std::string& name, char mark, Taken taken, ForEach forEach) {
    MarkCounts counts(mark);
    counts.Invalidate();  // counted in one pass over the names
    return counts.UniqueName(name, taken, forEach);
}
