#include "plot/curve_files.h"

#include "plot/export_files.h"

namespace Winplus {
namespace CurveFiles {

Result Write(const LayerCurve& layer, const std::string& folder, int part) {
    ExportFolder files{folder};
    Result result;
    layer.LayOutGrids();
    for (const Curve::Ptr& curve : *layer.Curves()) {
        const std::string name = files.TakeName(curve->GetNameA(), ".dat");
        if (files.WriteSpectrum(name, curve, part)) result.files.push_back(name);
    }
    result.failures = files.Failures();
    return result;
}

bool SaveCurves(const LayerCurve::Ptr& layer, int part, const FolderPicker& pickFolder) {
    std::string folder;
    if (!layer || !pickFolder || !pickFolder(folder)) return false;
    return ReportFailures(Write(*layer, folder, part).failures);
}

}  // namespace CurveFiles
}  // namespace Winplus
