#include "app/command_line.h"

namespace Core {

std::string CommandLineFile(const std::string& commandLine) {
    std::size_t start = 0;
    for (int quotes = 0; quotes < 3; ++quotes) {
        const std::size_t quote = commandLine.find('"', start);
        if (quote == std::string::npos) return std::string();
        start = quote + 1;
    }
    const std::size_t end = commandLine.find('"', start);
    return commandLine.substr(start, end == std::string::npos ? end : end - start);
}

CommandLineKind KindOfCommandLineFile(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    if (extension == "pjt") return CommandLineKind::Project;
    if (extension == "dat" || extension == "dpt" || extension == "txt")
        return CommandLineKind::DataFile;
    return CommandLineKind::None;
}

}  // namespace Core
