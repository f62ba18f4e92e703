#pragma once
// The end-to-end driver's scenarios and the program's state dump as text, with no window in
// sight (tested natively).
//
// A scenario is one step a line: a step name and its words, separated by blanks; double quotes
// group words with blanks; a line that begins with '#' is a comment. ${name} stands for a
// variable of the run (data, work, ...). "include NAME" stands for the steps of the scenario file
// NAME (a set-up that several scenarios share).
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace E2e {

struct Step {
    std::string file;  // the included file the step comes from; empty for the scenario itself
    int line = 0;
    std::string name;
    std::vector<std::string> words;
};

using Variables = std::map<std::string, std::string>;
// The text of an included file by its name; false when there is none.
using IncludeReader = std::function<bool(const std::string& name, std::string& text)>;

// The steps, or an empty list and error set ("line 3: ...", "line 3: setup.txt: line 2: ...")
// for an unknown step, a wrong number of words, an unclosed quote, an unknown variable, or an
// included file that is missing or includes itself.
std::vector<Step> ParseScenario(const std::string& text, const Variables& variables,
                                std::string& error, const IncludeReader& include = nullptr);

// The dump's "key: value" lines as a map.
std::map<std::string, std::string> ParseState(const std::string& dump);

// "=": equal; "!=": different; "~": contains; "<" and ">": both numbers (the first word of the
// actual text) and ordered so. False for any other operator.
bool Compare(const std::string& actual, const std::string& op, const std::string& expected);

}  // namespace E2e
