#include <gtest/gtest.h>

#include <filesystem>

#include "plot/curve_files.h"
#include "plot/export_files.h"
#include "plot/gnuplot_export.h"
#include "tests/app/scripted_platform.h"
#include "tests/io/reader_support.h"
#include "tests/plot/export_layers.h"

namespace {

namespace Gnuplot = Winplus::GnuplotExport;
namespace CurveFiles = Winplus::CurveFiles;
using PlotTest::ExportCase;
using PlotTest::Lines;

TEST(LayerExportTest, FileNamesStayInTheirFolderOnEverySystem) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"peak", "peak"},
        {"a\\b", "a_b"},
        {"../x", "___x"},
        {"..", "__"},
        {"x?", "x_"},
        {"<a>|\"*", "_a____"},
        {"tab\there", "tab_here"},
        {".hidden", "_hidden"},
        {"v1.2", "v1.2"},
        {"end.", "end_"},
        {"a...b", "a___b"},
        {"", "_"},
        {"CON", "CON_"},
        {"nul.txt", "nul_.txt"},
        {"com7", "com7_"},
        {"LPT1 ", "LPT1 _"},
        {"console", "console"},
        {"com0", "com0"},
        {std::string(300, 'a'), std::string(200, 'a')}};
    for (const auto& [name, stem] : cases) EXPECT_EQ(Winplus::SafeFileStem(name), stem) << name;

    Winplus::ExportFolder folder{"f"};
    EXPECT_EQ(folder.TakeName("A:B", ".dat"), "A_B.dat");
    EXPECT_EQ(folder.TakeName("a/b", ".dat"), "a_b@2.dat");
    EXPECT_EQ(folder.TakeName("a_b@2", ".dat"), "a_b@2@2.dat");
    EXPECT_EQ(folder.TakeName("a_b", ".plt"), "a_b.plt");
}

TEST(LayerExportTest, ScriptsFollowTheTickedCurvesLineForLine) {
    test::ScratchFolder folder{"gnuplot"};
    for (const ExportCase& c :
         {PlotTest::StyledLayer(), PlotTest::UntickedLayer(), PlotTest::NamedLayer()}) {
        const std::string path = folder.File(c.name + ".plt");
        const Gnuplot::Result result = Gnuplot::Write(*c.layer, c.ticks, path);
        std::vector<std::string> expected = PlotTest::ScriptHeader();
        expected.insert(expected.end(), c.script.begin(), c.script.end());
        EXPECT_EQ(Lines(path), expected) << c.name;
        EXPECT_EQ(result.entries, c.entries);
        EXPECT_TRUE(result.failures.empty());
        EXPECT_EQ(result.message, c.entries == 0 ? "No ticked curve to plot: the script has no "
                                                   "plot line."
                                                 : "");
        for (const std::string& file : result.dataFiles)
            EXPECT_TRUE(std::filesystem::exists(folder.File(file))) << file;
    }
    // Complex: three columns; real and imaginary parts: two; a file curve's whole data.
    EXPECT_EQ(Lines(folder.File("peak_1.dat")),
              (std::vector<std::string>{"  1.000000E+01   1.000000E+00   2.000000E+00",
                                        "  1.000000E+03   3.000000E+00   4.000000E+00"}));
    EXPECT_EQ(Lines(folder.File("film.dat")),
              (std::vector<std::string>{"  2.000000E+01   5.000000E-01",
                                        "  3.000000E+01   2.500000E-01"}));
    EXPECT_EQ(Lines(folder.File("film2.dat")),
              (std::vector<std::string>{"  2.000000E+01   5.000000E+00",
                                        "  4.000000E+01   6.000000E+00"}));
    for (const char* skipped : {"hidden.dat", "parametric.dat", "unticked.dat"})
        EXPECT_FALSE(std::filesystem::exists(folder.File(skipped))) << skipped;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 3 + 3 + 6);
}

TEST(LayerExportTest, FilesThatCannotBeWrittenAreReported) {
    test::ScratchFolder folder{"gnuplot-fail"};
    ExportCase c = PlotTest::StyledLayer();
    const std::string lost = folder.File("missing/styled.plt");
    Gnuplot::Result result = Gnuplot::Write(*c.layer, c.ticks, lost);
    EXPECT_EQ(result.message, "File write failed\n" + lost);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));  // no data file without its script

    std::filesystem::create_directory(folder.File("film.dat.part"));  // blocks the new file
    result = Gnuplot::Write(*c.layer, c.ticks, folder.File("styled.plt"));
    EXPECT_EQ(result.failures, std::vector<std::string>{folder.File("film.dat")});
    EXPECT_EQ(result.message, "File write failed\n" + folder.File("film.dat"));
    EXPECT_EQ(Lines(folder.File("styled.plt")).size(), 8u + c.script.size());
    EXPECT_TRUE(std::filesystem::exists(folder.File("film2.dat")));
}

// Scripts and data files are saved as every file is: a read-only file is kept, and a link left
// where the temporary file goes is not written through.
TEST(LayerExportTest, ATextFileKeepsAReadOnlyFileAndNeverWritesThroughALink) {
    namespace fs = std::filesystem;
    test::ScratchFolder folder{"text-edges"};
    const std::string script = folder.Write("styled.plt", "old");
    fs::permissions(script, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(Winplus::WriteTextFile(script, "new\n"));
    EXPECT_EQ(test::ReadAll(script), "old");
    fs::permissions(script, fs::perms::owner_write, fs::perm_options::add);

    const std::string victim = folder.Write("victim", "kept");
    std::error_code error;
    fs::create_symlink(victim, script + ".part", error);
    if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
    EXPECT_TRUE(Winplus::WriteTextFile(script, "new\n"));
    EXPECT_EQ(test::ReadAll(victim), "kept");
    EXPECT_EQ(Lines(script), std::vector<std::string>{"new"});
}

TEST(LayerExportTest, SaveGraphAsksForTheScriptAndSaysWhatWentWrong) {
    test::ScratchFolder folder{"save-graph"};
    test::ScriptedDialogs dialogs;
    test::CapturedBoxes boxes;
    ExportCase c = PlotTest::UntickedLayer();
    EXPECT_FALSE(Gnuplot::SaveGraph(nullptr, nullptr, c.ticks));
    EXPECT_TRUE(dialogs.requests.empty());

    dialogs.Answer("");  // cancelled
    dialogs.Answer(folder.File("empty.plt"));
    dialogs.Answer(folder.File("missing/empty.plt"));
    EXPECT_FALSE(Gnuplot::SaveGraph(nullptr, c.layer, c.ticks));
    EXPECT_TRUE(boxes.boxes.empty());
    const Platform::FileDialogRequest& asked = dialogs.Last();
    EXPECT_EQ(asked.title, "Save Graph");
    EXPECT_EQ(asked.filter, "Gnuplot Files (*.plt)-*.plt-All Files (*.*)-*.*-");
    EXPECT_EQ(asked.fileName, "empty.plt");
    EXPECT_EQ(asked.defaultExtension, "plt");
    EXPECT_TRUE(asked.save);

    EXPECT_TRUE(Gnuplot::SaveGraph(nullptr, c.layer, c.ticks));
    EXPECT_TRUE(std::filesystem::exists(folder.File("empty.plt")));
    EXPECT_FALSE(Gnuplot::SaveGraph(nullptr, c.layer, c.ticks));
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].text, "No ticked curve to plot: the script has no plot line.");
    EXPECT_EQ(boxes.boxes[0].icon, Platform::BoxIcon::Information);
    EXPECT_EQ(boxes.boxes[1].text, "File write failed\n" + folder.File("missing/empty.plt"));
    EXPECT_EQ(boxes.boxes[1].caption, "Message");
    EXPECT_EQ(boxes.boxes[1].icon, Platform::BoxIcon::Stop);
}

TEST(LayerExportTest, SaveCurvesWritesEveryModelCurveUnderASafeName) {
    test::ScratchFolder folder{"save-curves"};
    test::CapturedBoxes boxes;
    ExportCase c = PlotTest::StyledLayer();  // four model curves, two file curves
    c.layer->Curves()->At(1)->SetName(std::wstring(L"../peak:1"));
    const auto pick = [&folder](std::string& chosen) {
        chosen = folder.Path();
        return true;
    };
    EXPECT_FALSE(CurveFiles::SaveCurves(c.layer, 2, [](std::string&) { return false; }));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));

    EXPECT_TRUE(CurveFiles::SaveCurves(c.layer, 2, pick));
    EXPECT_EQ(Lines(folder.File("peak_1.dat")),
              (std::vector<std::string>{"  1.000000E+01   2.000000E+00",
                                        "  1.000000E+03   4.000000E+00"}));
    const CurveFiles::Result written = CurveFiles::Write(*c.layer, folder.Path(), 0);
    EXPECT_EQ(written.files, (std::vector<std::string>{"peak_1.dat", "___peak_1.dat",
                                                       "parametric.dat", "unticked.dat"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 4);
    EXPECT_EQ(Lines(folder.File("peak_1.dat")),
              (std::vector<std::string>{"  1.000000E+01   1.000000E+00   2.000000E+00",
                                        "  1.000000E+03   3.000000E+00   4.000000E+00"}));
    EXPECT_TRUE(boxes.boxes.empty());

    std::filesystem::create_directory(folder.File("unticked.dat.part"));
    EXPECT_FALSE(CurveFiles::SaveCurves(c.layer, 1, pick));
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{"File write failed\n" + folder.File("unticked.dat")});
}

}  // namespace
