#include "winplus/file_names.h"

#include <cstring>

namespace Winplus {

std::string FilterList(const std::string& text) {
    std::string list = text;
    if (list.size() < 259)
        for (char& c : list)
            if (c == '-') c = '\0';
    list.append(2, '\0');
    return list;
}

std::string DefaultFilterList() {
    return FilterList("All Files (*.*)-*.*-");
}

ChosenFile ReadChosenFile(const std::string& path, unsigned fileOffset, unsigned extensionOffset) {
    ChosenFile file;
    file.path = path;
    if (fileOffset > path.size()) fileOffset = static_cast<unsigned>(path.size());
    file.directory = path.substr(0, fileOffset);
    std::string name = path.substr(fileOffset);
    if (extensionOffset > fileOffset && extensionOffset <= path.size() &&
        path[extensionOffset - 1] == '.') {
        name.resize(extensionOffset - 1 - fileOffset);
    } else if (!name.empty() && name.back() == '.') {
        name.pop_back();
    }
    file.baseName = name;
    return file;
}

ChosenFiles ReadChosenFiles(const std::string& buffer, unsigned fileOffset) {
    ChosenFiles files;
    if (fileOffset > buffer.size()) return files;
    files.directory = std::string(buffer.c_str(), strnlen(buffer.c_str(), fileOffset));
    std::size_t at = fileOffset;
    while (at < buffer.size() && buffer[at] != '\0') {
        const std::size_t end = buffer.find('\0', at);
        const std::size_t stop = end == std::string::npos ? buffer.size() : end;
        files.names.push_back(buffer.substr(at, stop - at));
        at = stop + 1;
    }
    return files;
}

}  // namespace Winplus
