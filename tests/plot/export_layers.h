#pragma once
// Hand-built layers for the export tests, with the gnuplot scripts they must give, line for line,
// and the number of curves gnuplot must plot from each.
#include <string>
#include <vector>

#include "plot/gnuplot_export.h"

namespace PlotTest {

struct ExportCase {
    std::string name;
    Winplus::LayerCurve::Ptr layer;
    Winplus::GnuplotExport::Ticks ticks;
    std::vector<std::string> script;  // after the eight lines every script opens with
    int entries;
};

// Logarithmic axes, a complex model curve with lines and markers on both parts, hidden,
// parametric and unticked curves, and two file curves (a filled one over part of its data).
ExportCase StyledLayer();
// Nothing ticked: no plot line.
ExportCase UntickedLayer();
// Names with separators, reserved characters, quotes and ":", two of them alike but for case.
ExportCase NamedLayer();

// The first eight lines of every script.
std::vector<std::string> ScriptHeader();
// The lines of a text file, without line ends (LF or CR LF).
std::vector<std::string> Lines(const std::string& path);

}  // namespace PlotTest
