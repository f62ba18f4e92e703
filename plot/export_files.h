#pragma once
// Files that the layer commands write together into one folder, each named after a curve: names
// safe on every file system and distinct within the folder, spectra written as data files, and
// the files that could not be written, for one report at the end.
#include <string>
#include <vector>

#include "foundation/spectrum.h"

namespace Winplus {

// The name as a file name without extension that every system accepts and that stays in its
// folder: separators, reserved characters (< > : " / \ | ? * and control characters) and any
// dot that would make "..", lead the name or end it become "_"; a device name of Windows (CON,
// NUL, COM1, ...) gets a "_" appended; an empty name becomes "_"; at most 200 bytes are kept.
std::string SafeFileStem(const std::string& name);

// "File write failed" followed by the failed paths, one a line; empty when none failed.
std::string FailureMessage(const std::vector<std::string>& paths);
// Shows FailureMessage in a box "Message" when a path failed; true when none did.
bool ReportFailures(const std::vector<std::string>& paths);

// Writes text into a new file beside path and puts it in path's place; false, the old file left
// as it was, when that fails.
bool WriteTextFile(const std::string& path, const std::string& text);

class ExportFolder {
public:
    explicit ExportFolder(std::string folder) : folder_(std::move(folder)) {}

    // The file name for a curve: SafeFileStem of its name and the extension, with "@2", "@3",
    // ... after the stem when a file of this folder has that name already (compared without
    // case, as Windows does).
    std::string TakeName(const std::string& curveName, const std::string& extension);
    std::string PathOf(const std::string& fileName) const;
    // Core::DataSet::WriteFile of the spectrum (part 0 three columns, 1 real, 2 imaginary)
    // under the file name; a failure is remembered.
    bool WriteSpectrum(const std::string& fileName, const Spectrum::Ptr& spectrum, int part);
    void AddFailure(const std::string& path) { failures_.push_back(path); }
    const std::vector<std::string>& Failures() const { return failures_; }

private:
    std::string folder_;
    std::vector<std::string> taken_;  // lower case
    std::vector<std::string> failures_;
};

}  // namespace Winplus
