#include "app/project/command_line.h"

#include "app/project/project_commands.h"
#include "io/data_set.h"
#include "plot/layer.h"

namespace Core {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// One argument after the program path from at, which stands on its first character; at ends
// behind it. quotes counts a run of double quotes as CommandLineToArgvW does: 0 outside a
// group, 1 inside; a run's third quote is a literal one and leaves the group.
std::string NextArgument(const std::string& line, std::size_t& at) {
    std::string argument;
    int quotes = 0;
    while (at < line.size() && (quotes != 0 || !IsBlank(line[at]))) {
        if (line[at] != '\\' && line[at] != '"') {
            argument += line[at++];
            continue;
        }
        std::size_t backslashes = 0;
        while (at < line.size() && line[at] == '\\') ++backslashes, ++at;
        if (at == line.size() || line[at] != '"') {
            argument.append(backslashes, '\\');
            continue;
        }
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2 == 1)
            argument += '"';
        else
            ++quotes;
        for (++at; at < line.size() && line[at] == '"'; ++at) {
            if (++quotes == 3) {
                argument += '"';
                quotes = 0;
            }
        }
        if (quotes == 2) quotes = 0;
    }
    return argument;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> arguments;
    std::size_t at = 0;
    // The program path knows no backslash rules: a path ends in a backslash at times.
    if (!commandLine.empty() && commandLine[0] == '"') {
        const std::size_t end = commandLine.find('"', 1);
        arguments.push_back(commandLine.substr(1, end == std::string::npos ? end : end - 1));
        at = end == std::string::npos ? commandLine.size() : end + 1;
    } else {
        while (at < commandLine.size() && !IsBlank(commandLine[at])) ++at;
        arguments.push_back(commandLine.substr(0, at));
    }
    while (true) {
        while (at < commandLine.size() && IsBlank(commandLine[at])) ++at;
        if (at >= commandLine.size()) break;
        arguments.push_back(NextArgument(commandLine, at));
    }
    return arguments;
}

std::string CommandLineFile(const std::string& commandLine) {
    const std::vector<std::string> arguments = SplitCommandLine(commandLine);
    return arguments.size() > 1 ? arguments[1] : std::string();
}

CommandLineKind KindOfCommandLineFile(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : path.substr(dot + 1);
    if (extension == "pjt") return CommandLineKind::Project;
    if (extension == "dat" || extension == "dpt" || extension == "txt")
        return CommandLineKind::DataFile;
    return CommandLineKind::None;
}

void OpenCommandLineFile(const std::string& commandLine) {
    const std::string path = CommandLineFile(commandLine);
    const CommandLineKind kind = KindOfCommandLineFile(path);
    if (kind == CommandLineKind::Project) {
        // A failed read is said and leaves the project at start-up.
        MenuCore::OpenProjectAndSay(path);
        return;
    }
    if (kind != CommandLineKind::DataFile) return;
    DataSet::Reload(path);
    DataSet::SelectIndex(-1);
    const Spectrum::Ptr& spectrum = DataSet::GetCurrent();
    auto layer = Safe::DynamicCast<Winplus::LayerCurve>(Winplus::Layer::CurrentLayer());
    if (!spectrum || !layer) return;
    auto curve = Safe::MakeX<Winplus::FileCurve>();
    curve->SetData(spectrum);
    curve->SetName(spectrum->GetName());
    if (layer->AddFileCurve(curve)) Winplus::Layer::NotifyObservers(LayerEvent::kLayersReplaced);
}

}  // namespace Core
