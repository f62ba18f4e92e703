#pragma once
// "Save Curves" of a layer: every model curve of the layer as a data file in one folder.
#include <functional>
#include <string>
#include <vector>

#include "plot/layer.h"

namespace Winplus {
namespace CurveFiles {

struct Result {
    std::vector<std::string> files;     // the names written, in curve order
    std::vector<std::string> failures;  // the paths that could not be written
};

// Every model curve of the layer, ticked or not (file curves are not written), into the folder
// under its name made safe and distinct within the folder, followed by ".dat"; part as
// Core::DataSet::WriteFile (0 three columns, 1 real part, 2 imaginary part).
Result Write(const LayerCurve& layer, const std::string& folder, int part);

// Asks for the folder: true with its path, false when cancelled.
using FolderPicker = std::function<bool(std::string& folder)>;
// The command: nothing without a layer or when the picker is cancelled; otherwise Write, and
// the files that could not be written in a box "Message". True when every file was written.
bool SaveCurves(const LayerCurve::Ptr& layer, int part, const FolderPicker& pickFolder);

}  // namespace CurveFiles
}  // namespace Winplus
