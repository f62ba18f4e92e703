#include "foundation/text.h"

#include "foundation/numeric.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

const char kLibraryFolderName[] = "Library";

std::string& ProgramFolder() {
    static std::string folder;
    return folder;
}

std::string::size_type LastSeparator(const std::string& path) {
    return path.find_last_of("\\/");
}

}  // namespace

std::string ToString(int value) {
    return std::to_string(value);
}

std::string ToString(double value) {
    return DoubleToString(value, 6);
}

std::string DoubleToString(double value, int precision) {
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (precision <= 0) precision = 6;
    // Shortest general form with the given significant digits, independent of the C runtime.
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
    return std::string(buffer, result.ptr);
}

bool IsNumber(const std::string& text) {
    std::string t = Trim(text);
    if (t.empty()) return false;
    bool seenExponent = false, seenPoint = false, seenExponentMinus = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        char c = t[i];
        if (c >= '0' && c <= '9') continue;
        if (c == 'e' || c == 'E') {
            if (seenExponent) return false;
            seenExponent = true;
        } else if (c == '.') {
            if (seenExponent || seenPoint) return false;
            seenPoint = true;
        } else if (c == '-') {
            if (!seenExponent) {
                if (i != 0) return false;
            } else {
                if (seenExponentMinus) return false;
                seenExponentMinus = true;
            }
        } else if (c == '+') {
            if (i == 0 || (t[i - 1] != 'e' && t[i - 1] != 'E')) return false;
        } else {
            return false;
        }
    }
    return true;
}

bool ToDouble(const std::string& text, double* out) {
    std::string t = Trim(text);
    if (!IsNumber(t)) return false;
    // Like atof: the longest leading part that reads as a number, 0 when there is none.
    double value = 0.0;
    auto result = std::from_chars(t.data(), t.data() + t.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Saturate as the C library does, without its locale: a negative exponent underflows
        // to zero, anything else overflows to infinity.
        const auto mark = t.find_first_of("eE");
        const bool underflow =
            mark != std::string::npos && mark + 1 < t.size() && t[mark + 1] == '-';
        value = underflow ? 0.0 : std::numeric_limits<double>::infinity();
        if (t[0] == '-') value = -value;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    *out = value;
    return true;
}

std::string Trim(const std::string& text) {
    auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    const char* separators = " ,\t\n";
    std::string::size_type start = text.find_first_not_of(separators);
    while (start != std::string::npos) {
        std::string::size_type end = text.find_first_of(separators, start);
        words.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? end : text.find_first_not_of(separators, end);
    }
    return words;
}

int RoundToInt(const double& x) {
    return SaturateToInt(std::fmod(x, 1.0) >= 0.5 ? x + 1.0 : x);
}

std::string GetExtension(const std::string& path) {
    auto dot = path.find_last_of('.');
    auto separator = LastSeparator(path);
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return path;
    return path.substr(dot + 1);
}

std::string GetDirectory(const std::string& path) {
    auto separator = LastSeparator(path);
    return separator == std::string::npos ? path : path.substr(0, separator);
}

std::string GetFileName(const std::string& path) {
    auto separator = LastSeparator(path);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string SplitPath(const std::string& path) {
    std::string name = GetFileName(path);
    auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

void InitProgramPaths(const std::string& commandLine) {
    // The program's path opens the command line, quoted when it holds blanks.
    std::string program;
    if (!commandLine.empty() && commandLine[0] == '"') {
        program = commandLine.substr(1, commandLine.find('"', 1) - 1);
    } else {
        program = commandLine.substr(0, commandLine.find_first_of(" \t"));
    }
    ProgramFolder() = GetDirectory(program);
}

std::string GetProgramFolder() {
    return ProgramFolder();
}

std::string GetDefaultLibraryList() {
    return ProgramFolder() + "\\" + kLibraryFolderName + "\\default.flb";
}

std::string GetLibraryFolder() {
    return ProgramFolder() + "\\" + kLibraryFolderName;
}
