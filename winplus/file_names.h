#pragma once
// What the file dialogs exchange with the system, without the dialogs: the filter list and the
// names read back from the selection buffer.
#include <string>
#include <vector>

namespace Winplus {

// The dialog's filter list from a text with '-' separators and a closing '-' ("Data Files
// (*.dat)-*.dat-"): every '-' becomes a NUL. A text of 259 characters or more is kept as it is
// (the buffer's limit). The result always ends in two NULs.
std::string FilterList(const std::string& text);
// The list a dialog uses when no filter was set: every file.
std::string DefaultFilterList();

// The names of a single selection: buffer holds the path, fileOffset and extensionOffset are
// the dialog's offsets of the name and of the extension (0 when the name ends in a dot).
struct ChosenFile {
    std::string path;       // the whole path
    std::string directory;  // up to the name, with the closing backslash
    std::string baseName;   // the name without its extension and its dot
};
ChosenFile ReadChosenFile(const std::string& path, unsigned fileOffset, unsigned extensionOffset);

// A multiple selection as the dialog writes it: the first fileOffset characters up to a NUL are
// the directory (several files: the folder, then a NUL, then one name after another, each ended
// by a NUL, then a second NUL; one file: the whole path).
struct ChosenFiles {
    std::string directory;
    std::vector<std::string> names;
};
ChosenFiles ReadChosenFiles(const std::string& buffer, unsigned fileOffset);

}  // namespace Winplus
