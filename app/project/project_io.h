#pragma once
// The project file (.pjt): the models, spectra, plot layers, comment and current names of the
// running program in one tagged binary file. A read installs nothing until the file has been
// read to its end tag, so a file refused part-way leaves the project as it was; a file read
// whole replaces the whole project, a block it lacks as an empty one would. Neither direction
// shows anything: failures come back to the caller with the message to show.
#include <functional>
#include <string>
#include <vector>

#include "io/node_io.h"
#include "io/spectrum_record.h"

namespace Core::ProjectIo {

inline constexpr int kVersion = 3;
inline constexpr int kCurrentsTag = 10600;
inline constexpr int kCommentTag = 10700;

struct Result {
    bool ok = false;
    // Why not, when not ok.
    std::string message;
    // What the model records dropped or changed on a successful read, one line each.
    std::vector<std::string> notes;
};

// The project as the file holds it. Throws the record writers' Winplus::Exception.
std::string Bytes();
// Writes beside the target and replaces it only when everything was written, so a failed write
// leaves an existing file as it was.
Result Write(const std::string& path);

struct ReadOptions {
    // Where function libraries that model records name are looked for, by file name; never
    // beside the project file, so that a project from a downloaded folder runs no DLL that came
    // with it.
    std::vector<std::string> libraryFolders = NodeIo::DefaultLibraryFolders();
    // The spectrum record reader (tests give one that yields nothing).
    std::function<Spectrum::Ptr(BinaryReader&)> readSpectrum = ReadSpectrumRecord;
};

Result Read(const std::string& path, ReadOptions options = ReadOptions());
Result ReadBytes(std::string bytes, ReadOptions options = ReadOptions());

}  // namespace Core::ProjectIo
