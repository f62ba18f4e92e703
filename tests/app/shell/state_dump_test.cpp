#include "app/shell/state_dump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/project/project_commands.h"
#include "foundation/text.h"
#include "functions/families.h"
#include "model/formula_capsule.h"
#include "model/selection.h"
#include "plot/curve_files.h"
#include "plot/layer.h"
#include "tests/app/project/project_samples.h"
#include "tests/app/scripted_platform.h"
#include "tests/io/reader_support.h"

namespace {

bool HasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST(StateDump, ShowsTheStatusTextsAndEachLayersLimitsAndCurves) {
    Winplus::Layer::NewLayer();
    auto layer = Safe::DynamicCast<Winplus::LayerCurve>(Winplus::Layer::CurrentLayer());
    ASSERT_TRUE(layer);
    layer->SetLimits({200.0, -1.0, 400.0, 3.0});
    auto data = Safe::MakeX<Spectrum>();
    data->Resize(3);
    data->SetPoint(0, 200.0, 1.0, -2.0);
    data->SetPoint(1, 400.0, 0.5, 0.25);
    data->SetPoint(2, 600.0, -1.0, 4.0);
    auto file = Safe::MakeX<Winplus::FileCurve>();
    file->SetData(data);
    file->SetName(std::wstring(L"two phonons"));
    ASSERT_TRUE(layer->AddFileCurve(file));

    Core::ShownState shown;
    shown.title = "Sorix 2.0 - Project";
    shown.width = 1000;
    shown.height = 700;
    shown.painted = true;
    shown.statusFit = L"Step = 2 Chi2 = 0.5";
    shown.propertiesPage = "View Layer Properties";
    shown.propertiesValues = {"layer", "Linear", "200"};
    shown.userFunctionTabs = {"default", "phonons 2"};
    const std::string text = Core::StateDumpText(shown);
    for (const char* line :
         {"title: Sorix 2.0 - Project",
          "client: 1000 x 700",
          "painted: yes",
          "status label: ",
          "status fit: Step = 2 Chi2 = 0.5",
          "model: none",
          "spectrum: none",
          "layers: 1",
          "current layer: layer",
          "layer 1: layer",
          "layer 1 limits: x 200 to 600, y -1 to 2",
          "layer 1 file curve two phonons: 3 points; 200 1 -2; 400 0.5 0.25; 600 -1 4",
          "project saved: yes",
          "fit: stopped",
          "formula: none",
          "node values: none",
          "view mode: 0",
          "properties page: View Layer Properties",
          "properties values: layer; Linear; 200",
          "user function tabs: default; phonons 2"})
        EXPECT_TRUE(HasLine(text, line)) << line << " in\n" << text;
    // The model curve: its count and first point, flat at zero without a model.
    EXPECT_NE(text.find("\nlayer 1 curve curve: 512 points; 200 0 0; "), std::string::npos) << text;

    // The selection store's formula by its whole definition.
    auto formula = Safe::MakeX<Formula>();
    ASSERT_TRUE(formula->Define("f(x)=2*x", false));
    auto node = Safe::MakeX<Core::FormulaCapsule>();
    node->SetFormula(formula);
    Core::Selection::SetFormula(node);
    EXPECT_TRUE(HasLine(Core::StateDumpText(shown), "formula: f(x)=2*x"));
}

// The lines of the dump about the layers and their curves.
std::vector<std::string> LayerLines(const std::string& dump) {
    std::vector<std::string> lines;
    std::istringstream in(dump);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("layer", 0) == 0 || line.rfind("current layer", 0) == 0)
            lines.push_back(line);
    return lines;
}

TEST(StateDump, AProjectSavedAsRenewedAndOpenedAgainShowsItsCurvesAsBefore) {
    Capsule::RegisterFamilies();
    ProjectTest::BuildProject(false);
    test::ScratchFolder folder{"dump"};
    test::ScriptedDialogs dialogs;
    test::CapturedBoxes boxes;
    const std::string path = folder.File("reopened.pjt");
    dialogs.Answer(path);  // Save As
    dialogs.Answer(path);  // Open
    const std::string before = Core::StateDumpText({});
    // The model curve of "graph": 512 points of u*u + 1 from 100 to 120.
    const std::string graph = "\nlayer 2 curve curve: 512 points; 100 10001 0; ";
    ASSERT_NE(before.find(graph), std::string::npos) << before;
    EXPECT_NE(before.find("; 120 14401 0\n", before.find(graph)), std::string::npos) << before;

    ASSERT_TRUE(Core::MenuCore::SaveProjectAsCommand(nullptr));
    ASSERT_TRUE(Core::MenuCore::NewProjectCommand(nullptr));
    ASSERT_NE(LayerLines(Core::StateDumpText({})), LayerLines(before));
    ASSERT_TRUE(Core::MenuCore::LoadProjectCommand(nullptr));
    // Saved before anything draws or dumps it, "graph"'s curve holds its points too.
    const auto graphLayer = Safe::DynamicCast<Winplus::LayerCurve>(Winplus::Layer::Set().At(1));
    ASSERT_TRUE(graphLayer);
    const std::string exported = folder.Path();
    ASSERT_EQ(Winplus::CurveFiles::Write(*graphLayer, exported, 1).files.size(), 1u);
    const std::string text = test::ReadAll(folder.File("curve.dat"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 512);
    EXPECT_EQ(text.rfind("  1.000000E+02   1.000100E+04", 0), 0u) << text.substr(0, 64);
    EXPECT_EQ(LayerLines(Core::StateDumpText({})), LayerLines(before));
    EXPECT_TRUE(boxes.Texts().empty());
}

}  // namespace
