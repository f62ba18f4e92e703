#include "io/data_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <fstream>
#include <limits>
#include <new>

#include "foundation/platform.h"

namespace Core {

namespace {

// The C library's white space; commas separate numbers too.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
bool IsSeparator(char c) {
    return c == ',' || IsBlank(c);
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// For a decimal number that lies beyond the double range: whether it is too large (rather than
// too small), from the position of its first significant digit and its exponent.
bool IsTooLarge(std::string_view number) {
    std::size_t i = 0;
    long long magnitude = 0;
    long long integerDigits = 0;
    while (i < number.size() && IsDigit(number[i])) {
        if (integerDigits > 0 || number[i] != '0') ++integerDigits;
        ++i;
    }
    if (integerDigits > 0) {
        magnitude = integerDigits - 1;
    } else if (i < number.size() && number[i] == '.') {
        ++i;
        long long zeros = 0;
        while (i < number.size() && number[i] == '0') ++zeros, ++i;
        magnitude = -(zeros + 1);
    }
    while (i < number.size() && number[i] != 'e' && number[i] != 'E') ++i;
    long long exponent = 0;
    if (i < number.size()) {
        ++i;
        bool negative = false;
        if (i < number.size() && (number[i] == '+' || number[i] == '-'))
            negative = number[i++] == '-';
        for (; i < number.size() && IsDigit(number[i]); ++i)
            exponent = std::min(exponent * 10 + (number[i] - '0'), 1000000000LL);
        if (negative) exponent = -exponent;
    }
    return magnitude + exponent > 0;
}

// Saves every point's fields as text lines (CR LF on Windows); false (the old file untouched)
// when that fails.
bool WriteColumns(const std::string& path, const std::vector<const Data*>& columns) {
    std::size_t n = std::numeric_limits<std::size_t>::max();
    for (const Data* column : columns) n = std::min(n, column->Values().size());
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (c > 0) text.push_back(' ');
            text += FormatE14((*columns[c])[i]);
        }
        text.push_back('\n');
    }
    return Platform::SaveFile(path, text, true) == Platform::SaveStatus::Saved;
}

}  // namespace

LineStatus ReadLine(std::istream& in, std::string& line) {
    line.clear();
    std::streambuf* buffer = in.rdbuf();
    if (!buffer) return LineStatus::End;
    using Traits = std::char_traits<char>;
    try {
        for (bool any = false;;) {
            const Traits::int_type c = buffer->sbumpc();
            if (Traits::eq_int_type(c, Traits::eof())) {
                in.setstate(std::ios::eofbit);
                return any ? LineStatus::Ok : LineStatus::End;
            }
            any = true;
            if (c == '\n') return LineStatus::Ok;
            if (c == '\r') {
                if (Traits::eq_int_type(buffer->sgetc(), Traits::to_int_type('\n')))
                    buffer->sbumpc();
                return LineStatus::Ok;
            }
            if (line.size() >= kMaxLineLength) {
                line.clear();
                return LineStatus::TooLong;
            }
            line.push_back(Traits::to_char_type(c));
        }
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        // The buffer throws when the system refuses the read (a folder opened as a file, a
        // device error); the stream says so as its own reads would.
        line.clear();
        in.setstate(std::ios::badbit);
        return LineStatus::Error;
    }
}

std::size_t ReadNumber(std::string_view text, double& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // from_chars takes no sign of its own here: strtod reads one sign only.
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) return 0;
    const char* first = text.data() + i;
    double result = 0.0;
    auto [end, error] =
        std::from_chars(first, text.data() + text.size(), result, std::chars_format::general);
    if (error == std::errc::invalid_argument) return 0;
    if (error == std::errc::result_out_of_range)
        result = IsTooLarge(std::string_view(first, static_cast<std::size_t>(end - first)))
                     ? std::numeric_limits<double>::infinity()
                     : 0.0;
    value = negative ? -result : result;
    return static_cast<std::size_t>(end - text.data());
}

char FirstNonBlank(const std::string& line) {
    for (char c : line)
        if (!IsBlank(c)) return c;
    return ' ';
}

bool IsDataLine(const std::string& line) {
    const char c = FirstNonBlank(line);
    return IsDigit(c) || c == '-' || c == '.';
}

std::vector<double> SplitNumbers(const std::string& line, bool& ok) {
    std::vector<double> numbers;
    std::string_view rest(line);
    ok = true;
    for (;;) {
        std::size_t skip = 0;
        while (skip < rest.size() && IsSeparator(rest[skip])) ++skip;
        rest.remove_prefix(skip);
        if (rest.empty()) return numbers;
        double value = 0.0;
        const std::size_t used = ReadNumber(rest, value);
        if (used == 0) {
            ok = false;
            return numbers;
        }
        numbers.push_back(value);
        rest.remove_prefix(used);
    }
}

bool FillNumbers(const std::string& line, std::vector<double>& values) {
    std::string_view rest(line);
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::size_t skip = 0;
        while (skip < rest.size() && IsSeparator(rest[skip])) ++skip;
        rest.remove_prefix(skip);
        if (rest.empty()) return i + 1 == values.size();
        const std::size_t used = ReadNumber(rest, values[i]);
        if (used == 0) return false;
        rest.remove_prefix(used);
    }
    return true;
}

int CountColumns(std::istream& in, int& lines) {
    std::string line;
    int columns = 0;
    int count = 0;
    for (LineStatus status; (status = ReadLine(in, line)) != LineStatus::End;) {
        if (status != LineStatus::Ok) return 0;
        if (!IsDataLine(line)) continue;
        if (count == 0) {
            bool ok = true;
            columns = static_cast<int>(SplitNumbers(line, ok).size());
            if (!ok) return 0;
        }
        if (count < std::numeric_limits<int>::max()) ++count;
    }
    lines = count;
    return columns;
}

int CountColumns(const std::string& path, int& lines) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        lines = 0;
        return 0;
    }
    return CountColumns(in, lines);
}

bool IsTwoColumnFile(const std::string& path, int& lines) {
    return CountColumns(path, lines) == 2;
}

Spectrum::Ptr ReadTextFile(std::istream& in) {
    // One pass: a file that grows while it is read cannot outrun what was counted.
    std::vector<double> values;
    std::vector<double> rows;
    std::string line;
    for (LineStatus status; (status = ReadLine(in, line)) != LineStatus::End;) {
        if (status != LineStatus::Ok) return nullptr;
        if (!IsDataLine(line)) continue;
        if (values.empty()) {
            bool ok = true;
            values = SplitNumbers(line, ok);
            if (!ok || values.size() < 2 || values.size() > 3) return nullptr;
        } else if (!FillNumbers(line, values)) {
            return nullptr;  // Extraction failed.
        }
        rows.insert(rows.end(), values.begin(), values.end());
    }
    const std::size_t columns = values.size();
    if (columns == 0) return nullptr;
    const std::size_t n = rows.size() / columns;
    if (n < 2 || n > static_cast<std::size_t>(std::numeric_limits<int>::max())) return nullptr;

    Spectrum::Ptr spectrum = Safe::MakeX<Spectrum>();
    spectrum->Resize(static_cast<int>(n));
    std::vector<double>& x = spectrum->X()->Values();
    std::vector<double>& re = spectrum->Re()->Values();
    std::vector<double>& im = spectrum->Im()->Values();
    for (std::size_t i = 0; i < n; ++i) {
        x[i] = rows[i * columns];
        re[i] = rows[i * columns + 1];
        if (columns == 3) im[i] = rows[i * columns + 2];
    }
    if (x.front() > x.back()) {
        std::reverse(x.begin(), x.end());
        std::reverse(re.begin(), re.end());
        if (columns == 3) std::reverse(im.begin(), im.end());
    }
    return spectrum;
}

Spectrum::Ptr ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return nullptr;
    try {
        return ReadTextFile(in);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::string FormatE14(double value) {
    std::string text;
    if (std::isnan(value)) {
        text = std::signbit(value) ? "-NAN" : "NAN";
    } else if (std::isinf(value)) {
        text = value < 0 ? "-INF" : "INF";
    } else {
        char buffer[32];
        auto result =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 6);
        text.assign(buffer, result.ptr);
        std::replace(text.begin(), text.end(), 'e', 'E');
    }
    if (text.size() < 14) text.insert(0, 14 - text.size(), ' ');
    return text;
}

bool WriteTwoColumns(const std::string& path, const Safe::XPtr<Data>& x,
                     const Safe::XPtr<Data>& y) {
    if (!x || !y) return false;
    return WriteTwoColumns(path, *x, *y);
}

bool WriteTwoColumns(const std::string& path, const Data& x, const Data& y) {
    return WriteColumns(path, {&x, &y});
}

bool WriteThreeColumns(const std::string& path, const Safe::XPtr<Data>& x,
                       const Safe::XPtr<Data>& re, const Safe::XPtr<Data>& im) {
    if (!x || !re || !im) return false;
    return WriteColumns(path, {x.Get(), re.Get(), im.Get()});
}

}  // namespace Core
