#include "scenario.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace E2e {

namespace {

struct StepKind {
    const char* name;
    std::size_t minWords, maxWords;
};

// Each step with the number of words it takes (the driver documents their meaning).
constexpr StepKind kSteps[] = {
    {"start", 0, 8},       {"menu", 1, 6},           {"key", 1, 1},           {"click", 3, 5},
    {"drag", 5, 7},        {"expect-box", 1, 2},     {"answer-box", 2, 2},    {"fill-dialog", 4, 4},
    {"expect-tree", 2, 3}, {"expect-state", 2, 3},   {"expect-file", 2, 3},   {"close", 0, 1},
    {"mark", 0, 0},        {"expect-banner", 0, 0},  {"expect-window", 4, 4}, {"resize", 1, 1},
    {"measure", 1, 1},     {"expect-flat", 5, 5},    {"screenshot", 1, 1},    {"type", 1, 1},
    {"dblclick", 3, 3},    {"copy", 2, 2},           {"close-window", 1, 1},  {"spectrum", 2, 2},
    {"patience", 1, 1},    {"expect-repaint", 1, 1}, {"context-menu", 3, 8},  {"include", 1, 1},
    {"pointer", 3, 3},     {"expect-exit", 0, 1},
};

// Deeper than this, an included file includes itself.
constexpr int kMaxIncludeDepth = 8;

bool Expand(std::string& word, const Variables& variables, std::string& error) {
    for (std::size_t at = word.find("${"); at != std::string::npos; at = word.find("${", at)) {
        const std::size_t end = word.find('}', at);
        const auto found = variables.find(word.substr(at + 2, end - at - 2));
        if (end == std::string::npos || found == variables.end()) {
            error = "unknown variable in " + word;
            return false;
        }
        word.replace(at, end + 1 - at, found->second);
        at += found->second.size();
    }
    return true;
}

// Blank-separated words, double quotes grouping; false for an unclosed quote.
bool SplitWords(const std::string& line, std::vector<std::string>& words) {
    std::string word;
    bool inWord = false, quoted = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return !quoted;
}

bool ParseStep(const std::string& line, const Variables& variables, Step& step,
               std::string& error) {
    std::vector<std::string> words;
    if (!SplitWords(line, words)) {
        error = "unclosed quote";
        return false;
    }
    step.name = words.front();
    step.words.assign(words.begin() + 1, words.end());
    for (const StepKind& kind : kSteps) {
        if (step.name != kind.name) continue;
        if (step.words.size() < kind.minWords || step.words.size() > kind.maxWords) {
            error = step.name + " takes " + std::to_string(kind.minWords) + " to " +
                    std::to_string(kind.maxWords) + " words";
            return false;
        }
        for (std::string& word : step.words)
            if (!Expand(word, variables, error)) return false;
        return true;
    }
    error = "unknown step " + step.name;
    return false;
}

bool ToNumber(const std::string& text, double& value) {
    const char* begin = text.c_str();
    char* end = nullptr;
    value = std::strtod(begin, &end);
    return end != begin;
}

std::vector<Step> Parse(const std::string& text, const Variables& variables, std::string& error,
                        const IncludeReader& include, const std::string& file, int depth);

// A key or a text right after a right click: the menu opens only once the program has taken the
// click, and keys that come before it move the tree's selection instead of choosing from it.
bool KeysBeforeMenu(const std::vector<Step>& steps, const Step& step) {
    if ((step.name != "key" && step.name != "type") || steps.empty()) return false;
    const Step& before = steps.back();
    return before.name == "click" &&
           std::find(before.words.begin() + 3, before.words.end(), "right") != before.words.end();
}

// The steps of the file an include step names, appended; false and error set when it is missing,
// nests too deep or has a mistake of its own.
bool Include(const Step& step, const Variables& variables, std::string& error,
             const IncludeReader& include, int depth, std::vector<Step>& steps) {
    const std::string& name = step.words[0];
    std::string text;
    if (depth >= kMaxIncludeDepth) {
        error = "includes nest deeper than " + std::to_string(kMaxIncludeDepth);
        return false;
    }
    if (!include || !include(name, text)) {
        error = "no file " + name + " to include";
        return false;
    }
    const std::vector<Step> included = Parse(text, variables, error, include, name, depth + 1);
    if (included.empty()) {
        error = name + ": " + (error.empty() ? "no steps" : error);
        return false;
    }
    steps.insert(steps.end(), included.begin(), included.end());
    return true;
}

std::vector<Step> Parse(const std::string& text, const Variables& variables, std::string& error,
                        const IncludeReader& include, const std::string& file, int depth) {
    std::vector<Step> steps;
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        Step step;
        step.file = file;
        step.line = number;
        bool parsed =
            ParseStep(line.substr(first), variables, step, error) &&
            (step.name != "include" || Include(step, variables, error, include, depth, steps));
        if (parsed && KeysBeforeMenu(steps, step)) {
            error = step.name +
                    " right after a right click may reach the window before its menu "
                    "opens: choose from the menu with context-menu WINDOW ITEM TEXT...";
            parsed = false;
        }
        if (!parsed) {
            error = "line " + std::to_string(number) + ": " + error;
            return {};
        }
        if (step.name != "include") steps.push_back(step);
    }
    return steps;
}

}  // namespace

std::vector<Step> ParseScenario(const std::string& text, const Variables& variables,
                                std::string& error, const IncludeReader& include) {
    return Parse(text, variables, error, include, "", 0);
}

std::map<std::string, std::string> ParseState(const std::string& dump) {
    std::map<std::string, std::string> state;
    std::istringstream in(dump);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t colon = line.find(": ");
        if (colon != std::string::npos) state[line.substr(0, colon)] = line.substr(colon + 2);
    }
    return state;
}

bool Compare(const std::string& actual, const std::string& op, const std::string& expected) {
    if (op == "=") return actual == expected;
    if (op == "!=") return actual != expected;
    if (op == "~") return actual.find(expected) != std::string::npos;
    double a = 0.0, b = 0.0;
    if ((op != "<" && op != ">") || !ToNumber(actual, a) || !ToNumber(expected, b)) return false;
    return op == "<" ? a < b : a > b;
}

}  // namespace E2e
