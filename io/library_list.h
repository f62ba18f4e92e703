#pragma once
// Function library lists (.flb): text files naming one library file per line, relative to the
// list's folder. Each library that yields functions becomes a category named after its file;
// the user function selector shows one tab per category.
#include <istream>
#include <string>
#include <vector>

#include "foundation/label.h"
#include "foundation/object_set.h"
#include "io/osml_reader.h"
#include "model/node.h"

namespace Core {

// The functions of one library file, in the order its loader gave them.
class LibraryCategory : public Label {
public:
    LibraryCategory(const std::string& path, std::vector<Node::Ptr> functions);
    const std::string& GetPath() const { return path_; }
    const std::vector<Node::Ptr>& GetFunctions() const { return functions_; }

private:
    std::string path_;
    std::vector<Node::Ptr> functions_;
};

using LibraryCategorySet = ObjectSet<Safe::XPtr<LibraryCategory>>;

namespace LibraryList {

// The library paths a list names, in line order: each line trimmed of blanks and tabs (and of
// the carriage return of a list written on Windows), blank lines skipped, a relative line taken
// from the folder of listPath, an absolute one as it is.
std::vector<std::string> ReadPaths(std::istream& list, const std::string& listPath);

// A code library when the extension, trimmed, is exactly "dll" (or the system's own library
// extension); any other file is an OSML library.
bool IsCodeLibrary(const std::string& path);

// The functions of one library file by its kind. Throws Winplus::Exception when the library
// cannot be loaded or read.
std::vector<Node::Ptr> LoadFunctions(const std::string& path, const Sml::ReadOptions& options);

}  // namespace LibraryList

// What reading a list gave.
struct LibraryListResult {
    bool opened = false;  // false: the list could not be read, and nothing else was done
    // One category per library that yielded a function, names made unique in the set.
    Safe::XPtr<LibraryCategorySet> categories = Safe::MakeX<LibraryCategorySet>();
    // One line per library that failed: its path and the loader's message.
    std::vector<std::string> failures;

    // All failures as one message for the user; empty when there are none.
    std::string Report() const;
};

// Reads the list and loads every library it names. A library that fails is skipped and noted,
// and the rest of the list is still read.
LibraryListResult ReadLibraryList(const std::string& listPath,
                                  const Sml::ReadOptions& options = Sml::ReadOptions());

// The categories the user function selector shows and the one on screen.
class LibraryCategories {
public:
    // Reads a list. An unreadable list changes nothing. Otherwise the categories are replaced
    // by the list's and the current one is the first of them (none when the list yields none),
    // never one left from the previous list.
    LibraryListResult ReadList(const std::string& listPath,
                               const Sml::ReadOptions& options = Sml::ReadOptions());
    // An index outside the set leaves no current category; false then.
    bool Select(int index);

    const LibraryCategorySet& GetSet() const { return *set_; }
    Safe::XPtr<LibraryCategory> GetCurrent() const { return current_; }

private:
    Safe::XPtr<LibraryCategorySet> set_ = Safe::MakeX<LibraryCategorySet>();
    Safe::XPtr<LibraryCategory> current_;
};

}  // namespace Core
