#include "plot/gnuplot_export.h"

#include <cstdio>

#include "foundation/platform.h"
#include "foundation/text.h"
#include "io/data_set.h"
#include "plot/export_files.h"

namespace Winplus {
namespace GnuplotExport {

namespace {

constexpr const char* kHeader =
    "set terminal wxt size 960,640 enhanced font 'Verdana,20' persist\n"
    "# Axis\n"
    "set style line 100 lc rgb '#808080' lt 1\n"
    "set border 15 back ls 100\n"
    "set border linewidth 1.5\n"
    "# Grid\n"
    "set style line 101 lc rgb'#808080' lt 0 lw 1\n"
    "set grid back ls 101\n";

std::string AxisLines(const LayerCurve& layer) {
    const Rect& limits = layer.GetLimits();
    const Frame& frame = *layer.GetFrame();
    std::string text;
    if (frame.GetScale(0) == Frame::kLog10) text += "set logscale x\n";
    text += "set xrange[" + ToString(limits.x) + ":" + ToString(limits.x + limits.width) + "]\n";
    if (frame.GetScale(1) == Frame::kLog10) text += "set logscale y\nset format y '10^{%T}'\n";
    text += "set yrange[" + ToString(limits.y) + ":" + ToString(limits.y + limits.height) + "]\n";
    text += "set xlabel 'Wavenumber (cm^{-1})'\n";
    // Names are shown as they are, not read as enhanced-text markup ("_", "^", "@", braces).
    text += "set ylabel " + SingleQuoted(layer.GetNameA()) + " noenhanced\n";
    text += "set key font \",16\"\n";
    return text;
}

// The entries of one designer drawing column 2 or 3 of file under title: a line or a filled
// area, then markers, as the designer shows them.
void AddEntries(std::vector<std::string>& entries, const CurveDesigner& designer,
                const std::string& file, int column, const std::string& title) {
    const std::string source = SingleQuoted(file) + " u 1:" + std::to_string(column);
    const std::string titled = " title " + DoubleQuoted(title) + " noenhanced";
    if (designer.hasLine && !designer.isFilled)
        entries.push_back(source + " w l lc rgb '" + ColorText(designer.lineColor) + "' lt 1 lw 2" +
                          titled);
    if (designer.hasLine && designer.isFilled)
        entries.push_back(source + " with filledcurves fc rgb '" + ColorText(designer.lineColor) +
                          "' fs transparent solid 0.5 noborder" + titled);
    if (designer.hasShape)
        entries.push_back(source + " with points lc rgb '" + ColorText(designer.markerColor) +
                          "' pt " + std::to_string(PointType(designer.style)) + " ps " +
                          std::to_string(designer.markerWidth) + titled);
}

// One ticked curve by its view mode: its data file and entries; a hidden or parametric curve
// gives neither.
void AddCurve(Script& script, std::vector<std::string>& entries, ExportFolder& names,
              const std::string& curveName, int mode, const CurvePair& designers,
              const Spectrum::Ptr& spectrum) {
    if (mode != kXReal && mode != kXImag && mode != kXComplex) return;
    std::string title = curveName;
    for (char& c : title)
        if (c == ':') c = '_';
    const std::string file = names.TakeName(title, ".dat");
    switch (mode) {
        case kXReal:
            script.dataFiles.push_back({file, spectrum, 1});
            AddEntries(entries, *designers.real, file, 2, title);
            break;
        case kXImag:
            script.dataFiles.push_back({file, spectrum, 2});
            AddEntries(entries, *designers.imag, file, 2, title);
            break;
        default:
            script.dataFiles.push_back({file, spectrum, 0});
            AddEntries(entries, *designers.real, file, 2, title + "-real");
            AddEntries(entries, *designers.imag, file, 3, title + "-imag");
    }
}

}  // namespace

std::string ColorText(Argb color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(color & 0xFFFFFFu));
    return text;
}

int PointType(int style) {
    switch (style) {
        case CurveDesigner::kCircle: return 7;
        case CurveDesigner::kSquare: return 5;
        case CurveDesigner::kDiamond: return 13;
        default: return 2;
    }
}

std::string SingleQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

std::string DoubleQuoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

Script MakeScript(const LayerCurve& layer, const Ticks& ticks) {
    Script script;
    std::vector<std::string> entries;
    ExportFolder names{std::string()};
    std::size_t item = 0;
    const auto ticked = [&ticks](std::size_t i) { return i < ticks.size() && ticks[i]; };
    for (const Curve::Ptr& curve : *layer.Curves())
        if (ticked(item++))
            AddCurve(script, entries, names, curve->GetNameA(), curve->GetViewMode(),
                     curve->Designers(), curve);
    for (const FileCurve::Ptr& curve : *layer.FileCurves())
        if (ticked(item++))
            AddCurve(script, entries, names, curve->GetNameA(), curve->viewMode, curve->Designers(),
                     curve->GetData());
    script.text = kHeader + AxisLines(layer);
    // gnuplot refuses a plot command without entries and one that ends in a separator.
    for (std::size_t i = 0; i < entries.size(); ++i)
        script.text +=
            (i == 0 ? "plot " : "") + entries[i] + (i + 1 < entries.size() ? " , \\\n" : "\n");
    script.entries = static_cast<int>(entries.size());
    return script;
}

Result Write(const LayerCurve& layer, const Ticks& ticks, const std::string& path) {
    layer.LayOutGrids();
    const Script script = MakeScript(layer, ticks);
    Result result;
    result.entries = script.entries;
    ExportFolder folder{path.substr(0, path.size() - GetFileName(path).size())};
    if (!WriteTextFile(path, script.text)) {
        folder.AddFailure(path);
    } else {
        for (const Script::DataFile& file : script.dataFiles) {
            result.dataFiles.push_back(file.name);
            folder.WriteSpectrum(file.name, file.spectrum, file.part);
        }
    }
    result.failures = folder.Failures();
    result.message = FailureMessage(result.failures);
    if (result.message.empty() && script.entries == 0)
        result.message = "No ticked curve to plot: the script has no plot line.";
    return result;
}

bool SaveGraph(void* owner, const LayerCurve::Ptr& layer, const Ticks& ticks) {
    if (!layer) return false;
    Platform::FileDialogRequest request;
    request.owner = owner;
    request.title = "Save Graph";
    request.filter = "Gnuplot Files (*.plt)-*.plt-All Files (*.*)-*.*-";
    request.initialFolder = Core::DataSet::GetDataFolder();
    request.fileName = layer->GetNameA() + ".plt";
    request.defaultExtension = "plt";
    const std::string path = Platform::ChooseSaveFile(request);
    if (path.empty()) return false;
    const Result result = Write(*layer, ticks, path);
    if (!ReportFailures(result.failures)) return false;
    if (result.entries == 0)
        Platform::ShowMessageBox({result.message, "Message", Platform::BoxIcon::Information});
    return true;
}

}  // namespace GnuplotExport
}  // namespace Winplus
