#pragma once
// The file named on Sorix's command line: the first quoted argument after the quoted program
// path.
#include <string>

namespace Core {

// The text behind the third double quote up to the next one (or the end); empty when the
// line has fewer than three quotes.
std::string CommandLineFile(const std::string& commandLine);

enum class CommandLineKind { None, Project, DataFile };
// By the extension after the last '.', compared exactly: "pjt" a project; "dat", "dpt" and "txt"
// a data file; anything else (also "PJT" and a name without '.') nothing.
CommandLineKind KindOfCommandLineFile(const std::string& path);

}  // namespace Core
