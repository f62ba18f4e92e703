#include "plot/export_files.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "foundation/module.h"
#include "foundation/platform.h"
#include "io/data_set.h"

namespace Winplus {

namespace {

constexpr std::size_t kMaxStem = 200;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool IsReserved(char c) {
    return static_cast<unsigned char>(c) < 0x20 ||
           std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
}

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9 name devices on Windows, with any extension
// and trailing blanks.
bool IsDeviceName(std::string base) {
    while (!base.empty() && base.back() == ' ') base.pop_back();
    base = Lower(base);
    if (base == "con" || base == "prn" || base == "aux" || base == "nul") return true;
    return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

}  // namespace

std::string SafeFileStem(const std::string& name) {
    const std::string cut = name.substr(0, kMaxStem);
    std::string stem = cut;
    for (std::size_t i = 0; i < cut.size(); ++i) {
        if (IsReserved(cut[i])) {
            stem[i] = '_';
        } else if (cut[i] == '.') {
            // A leading dot hides the file, a trailing one would meet the extension's dot.
            const bool paired =
                (i > 0 && cut[i - 1] == '.') || (i + 1 < cut.size() && cut[i + 1] == '.');
            if (i == 0 || i + 1 == cut.size() || paired) stem[i] = '_';
        }
    }
    if (stem.empty()) return "_";
    const std::size_t dot = std::min(stem.find('.'), stem.size());
    if (IsDeviceName(stem.substr(0, dot))) stem.insert(dot, "_");
    return stem;
}

std::string FailureMessage(const std::vector<std::string>& paths) {
    if (paths.empty()) return std::string();
    std::string text = "File write failed";
    for (const std::string& path : paths) text += "\n" + path;
    return text;
}

bool ReportFailures(const std::vector<std::string>& paths) {
    if (paths.empty()) return true;
    Platform::ShowMessageBox({FailureMessage(paths), "Message", Platform::BoxIcon::Stop});
    return false;
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    return Platform::SaveFile(path, text, true) == Platform::SaveStatus::Saved;  // CR LF on Windows
}

std::string ExportFolder::TakeName(const std::string& curveName, const std::string& extension) {
    const std::string stem = SafeFileStem(curveName);
    std::string name = stem + extension;
    const auto taken = [this](const std::string& candidate) {
        return std::find(taken_.begin(), taken_.end(), Lower(candidate)) != taken_.end();
    };
    for (int n = 2; taken(name); ++n) name = stem + "@" + std::to_string(n) + extension;
    taken_.push_back(Lower(name));
    return name;
}

std::string ExportFolder::PathOf(const std::string& fileName) const {
    return Platform::JoinPath(folder_, fileName);
}

bool ExportFolder::WriteSpectrum(const std::string& fileName, const Spectrum::Ptr& spectrum,
                                 int part) {
    const std::string path = PathOf(fileName);
    if (Core::DataSet::WriteFile(path, spectrum, part)) return true;
    failures_.push_back(path);
    return false;
}

}  // namespace Winplus
