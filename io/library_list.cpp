#include "io/library_list.h"

#include <sstream>

#include "foundation/exception.h"
#include "foundation/module.h"
#include "foundation/platform.h"
#include "foundation/text.h"
#include "io/dll_file.h"

namespace Core {

LibraryCategory::LibraryCategory(const std::string& path, std::vector<Node::Ptr> functions)
    : Label(SplitPath(path)), path_(path), functions_(std::move(functions)) {}

namespace LibraryList {

namespace {

bool IsAbsolute(const std::string& path) {
    if (!path.empty() && (path[0] == '\\' || path[0] == '/')) return true;
    return path.size() > 1 && path[1] == ':';
}

}  // namespace

std::vector<std::string> ReadPaths(std::istream& list, const std::string& listPath) {
    // A list named without a folder lies in the working folder.
    const std::string folder =
        GetFileName(listPath) == listPath ? std::string() : GetDirectory(listPath);
    std::vector<std::string> paths;
    std::string line;
    while (std::getline(list, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = Trim(line);
        if (line.empty()) continue;
        paths.push_back(IsAbsolute(line) ? line : Platform::JoinPath(folder, line));
    }
    return paths;
}

bool IsCodeLibrary(const std::string& path) {
    const std::string name = GetFileName(path);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string::npos) return false;
    const std::string extension = Trim(name.substr(dot + 1));
    return extension == "dll" || extension == Platform::ModuleExtension();
}

std::vector<Node::Ptr> LoadFunctions(const std::string& path, const Sml::ReadOptions& options) {
    if (!IsCodeLibrary(path)) return Sml::OsmlReader(options).LoadLibrary(path);
    if (!DllFile::Find(path)) throw Winplus::Exception("Couldn't open file.");
    std::vector<Node::Ptr> functions;
    for (const auto& capsule : DllFile::CreateAllCapsules(path)) functions.push_back(capsule);
    return functions;
}

}  // namespace LibraryList

std::string LibraryListResult::Report() const {
    if (failures.empty()) return std::string();
    std::string text = "These function libraries could not be loaded:";
    for (const std::string& failure : failures) text += "\n" + failure;
    return text;
}

LibraryListResult ReadLibraryList(const std::string& listPath, const Sml::ReadOptions& options) {
    LibraryListResult result;
    std::string text;
    if (Platform::ReadWholeFile(listPath, text) != Platform::ReadStatus::Read) return result;
    std::istringstream list(text);
    result.opened = true;
    for (const std::string& path : LibraryList::ReadPaths(list, listPath)) {
        try {
            std::vector<Node::Ptr> functions = LibraryList::LoadFunctions(path, options);
            if (!functions.empty())
                result.categories->Add(Safe::MakeX<LibraryCategory>(path, std::move(functions)));
        } catch (const std::exception& e) {
            result.failures.push_back(path + ": " + e.what());
        }
    }
    return result;
}

LibraryListResult LibraryCategories::ReadList(const std::string& listPath,
                                              const Sml::ReadOptions& options) {
    LibraryListResult result = ReadLibraryList(listPath, options);
    if (!result.opened) return result;
    set_ = result.categories;
    Select(0);
    return result;
}

bool LibraryCategories::Select(int index) {
    current_ = set_->At(index);
    return static_cast<bool>(current_);
}

}  // namespace Core
