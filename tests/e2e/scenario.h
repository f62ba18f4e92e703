#pragma once
// The end-to-end driver's scenarios and the program's state dump as text, with no window in
// sight (tested natively).
//
// A scenario is one step a line: a step name and its words, separated by blanks; double quotes
// group words with blanks; a line that begins with '#' is a comment. ${name} stands for a
// variable of the run (data, work, ...).
#include <map>
#include <string>
#include <vector>

namespace E2e {

struct Step {
    int line = 0;
    std::string name;
    std::vector<std::string> words;
};

using Variables = std::map<std::string, std::string>;

// The steps, or an empty list and error set ("line 3: ...") for an unknown step, a wrong number
// of words, an unclosed quote or an unknown variable.
std::vector<Step> ParseScenario(const std::string& text, const Variables& variables,
                                std::string& error);

// The dump's "key: value" lines as a map.
std::map<std::string, std::string> ParseState(const std::string& dump);

// "=": equal; "!=": different; "~": contains; "<" and ">": both numbers (the first word of the
// actual text) and ordered so. False for any other operator.
bool Compare(const std::string& actual, const std::string& op, const std::string& expected);

}  // namespace E2e
