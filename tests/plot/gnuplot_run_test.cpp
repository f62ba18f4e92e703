// The exported scripts run by gnuplot itself (found at configure time; the Debian package
// gnuplot-nox), with the dumb terminal in place of the script's first line: wxt is not in that
// build and no window may open.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>

#include "tests/io/reader_support.h"
#include "tests/plot/export_layers.h"

namespace {

struct GnuplotRun {
    int status = -1;
    std::string errors;   // gnuplot's standard error: its errors and warnings
    int curves = 0;       // the curves gnuplot plotted, as its table output numbers them
    std::string picture;  // the dumb terminal's picture, before the table
};

// Runs the script in its folder, so that it finds its data files, with terminal in place of its
// first line. After a plot the same plot is replotted into a table, whose "# Curve i of n" lines
// count what was plotted.
GnuplotRun RunGnuplot(const test::ScratchFolder& folder, const std::string& script,
                      const std::string& terminal = "set terminal dumb") {
    std::vector<std::string> lines = PlotTest::Lines(folder.File(script));
    if (!lines.empty()) lines[0] = terminal;
    bool plots = false;
    for (const std::string& line : lines) plots = plots || line.rfind("plot ", 0) == 0;
    if (plots)
        lines.insert(lines.end(),
                     {"set print '-'", "set table $t", "replot", "unset table", "print $t"});
    std::ofstream run(folder.File("run.gp"));
    for (const std::string& line : lines) run << line << '\n';
    run.close();
    const std::string command =
        "cd '" + folder.Path() + "' && '" SORIX_GNUPLOT "' run.gp >run.out 2>run.err";
    GnuplotRun result;
    result.status = std::system(command.c_str());
    result.errors = test::ReadAll(folder.File("run.err"));
    const std::string out = test::ReadAll(folder.File("run.out"));
    result.picture = out.substr(0, out.find("# Curve 0 of"));
    const std::regex curve("# Curve ([0-9]+) of ([0-9]+),");
    for (auto it = std::sregex_iterator(out.begin(), out.end(), curve);
         it != std::sregex_iterator(); ++it)
        result.curves += std::stoi((*it)[1]) == result.curves ? 1 : 0;
    return result;
}

TEST(GnuplotRunTest, GnuplotPlotsEveryExportedScript) {
    if (std::string(SORIX_GNUPLOT).empty())
        GTEST_SKIP() << "gnuplot was not found when the build was configured: the exported "
                        "scripts are not run (install gnuplot-nox, as test.sh does)";
    test::ScratchFolder folder{"gnuplot-run"};
    for (const PlotTest::ExportCase& c :
         {PlotTest::StyledLayer(), PlotTest::UntickedLayer(), PlotTest::NamedLayer()}) {
        Winplus::GnuplotExport::Write(*c.layer, c.ticks, folder.File(c.name + ".plt"));
        const GnuplotRun run = RunGnuplot(folder, c.name + ".plt");
        EXPECT_EQ(run.status, 0) << c.name << ": " << run.errors;
        EXPECT_EQ(run.errors, "") << c.name;
        EXPECT_EQ(run.curves, c.entries) << c.name;
    }
    // The harness sees what gnuplot refuses: a last entry followed by a separator.
    std::ofstream(folder.File("broken.plt")) << "set terminal wxt\nplot 'peak_1.dat' u 1:2 , \\\n";
    EXPECT_NE(RunGnuplot(folder, "broken.plt").status, 0);
}

// The script's terminal reads texts as enhanced-text markup ("_" a subscript, "^" a
// superscript, "@" and braces taken away): the dumb terminal in that mode shows the curves'
// titles and the layer's name in the key and beside the y axis (a margin wide enough for it)
// exactly as they are named.
TEST(GnuplotRunTest, NamesShowAsTheyAreUnderEnhancedText) {
    if (std::string(SORIX_GNUPLOT).empty()) GTEST_SKIP() << "gnuplot was not found";
    test::ScratchFolder folder{"gnuplot-names"};
    const PlotTest::ExportCase c = PlotTest::NamedLayer();
    Winplus::GnuplotExport::Write(*c.layer, c.ticks, folder.File("named.plt"));
    const GnuplotRun run =
        RunGnuplot(folder, "named.plt", "set terminal dumb enhanced size 100,40; set lmargin 20");
    ASSERT_EQ(run.status, 0) << run.errors;
    for (const char* name : {"Bob's_y", "a\\b", "../x", "x?@{1}^2", "it's \"q\"", "A_B", "a_b"})
        EXPECT_NE(run.picture.find(name), std::string::npos) << name << " in\n" << run.picture;
}

}  // namespace
