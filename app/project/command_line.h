#pragma once
// The file named on Sorix's command line: the first argument after the program path, split as
// Windows splits a command line into arguments, and what start-up does with it.
#include <string>
#include <vector>

namespace Core {

// The arguments of a command line by the rules of CommandLineToArgvW: the program path runs
// to the next double quote when it begins with one, otherwise to the first blank or tab; each
// further argument ends at a blank or tab outside double quotes. Double quotes group and are
// dropped; 2n backslashes before a double quote give n backslashes and the quote groups, 2n+1
// give n backslashes and a literal quote; other backslashes are literal. Within a run of quotes
// every third one is literal and leaves the group, so a doubled quote inside a group is a
// literal quote that ends it.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// The first argument after the program path, quoted or not; empty when there is none.
std::string CommandLineFile(const std::string& commandLine);

enum class CommandLineKind { None, Project, DataFile };
// By the extension after the last '.', compared exactly: "pjt" a project; "dat", "dpt" and "txt"
// a data file; anything else (also "PJT" and a name without '.') nothing.
CommandLineKind KindOfCommandLineFile(const std::string& path);

// A data file named on the command line joins the data set and becomes the current spectrum
// (a file that does not load has been reported; the selection runs all the same); a file curve
// of the current spectrum, named after it, then joins the current layer, announced with
// LayerEvent::kLayersReplaced. A project is opened as the File menu's Open opens it: a read that
// fails is said in a box, and so are the notes of a read.
void OpenCommandLineFile(const std::string& commandLine);

}  // namespace Core
