#pragma once
// A layer as a gnuplot script for publication graphs: the script reproduces the layer's ranges,
// logarithmic axes and the ticked curves with their colours, fills and markers, and plots data
// files written beside it, one per curve. The program only writes them; it never runs gnuplot.
#include <string>
#include <vector>

#include "plot/layer.h"

namespace Winplus {
namespace GnuplotExport {

// "#rrggbb" of an ARGB colour; alpha is dropped.
std::string ColorText(Argb color);
// gnuplot's point type of a marker style: circle 7, square 5, diamond 13, any other 2.
int PointType(int style);
// The texts as gnuplot reads them inside single quotes (a quote doubled) and inside double
// quotes (backslash and quote escaped).
std::string SingleQuoted(const std::string& text);
std::string DoubleQuoted(const std::string& text);

// Which curves the layer explorer has ticked: one flag per model curve, then one per file curve,
// both in set order; missing flags count as unticked.
using Ticks = std::vector<bool>;

struct Result {
    int entries = 0;                     // entries of the plot line; none: no plot line
    std::vector<std::string> dataFiles;  // the data files' names, in the script's folder
    std::vector<std::string> failures;   // paths that could not be written
    // What the command tells the user: the failures, or that the script plots nothing; empty
    // when all went well.
    std::string message;
};

// The script's text and the data files it plots, without writing anything; the data files are
// named as they are to be written into the script's folder.
struct Script {
    std::string text;
    int entries = 0;
    struct DataFile {
        std::string name;
        Spectrum::Ptr spectrum;
        int part;  // as Core::DataSet::WriteFile
    };
    std::vector<DataFile> dataFiles;
};
Script MakeScript(const LayerCurve& layer, const Ticks& ticks);

// Writes the script to path and its data files into path's folder. A script that cannot be
// written writes no data file; data files that cannot be written leave the script as it is.
Result Write(const LayerCurve& layer, const Ticks& ticks, const std::string& path);

// "Save Graph...": the save dialog in the data folder, proposing the layer's name, then Write;
// the result's message, when there is one, in a box "Message". False when nothing was asked
// (no layer), the dialog was cancelled or a file could not be written.
bool SaveGraph(void* owner, const LayerCurve::Ptr& layer, const Ticks& ticks);

}  // namespace GnuplotExport
}  // namespace Winplus
