#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/explorers/layer_explorer.h"
#include "app/base/project_state.h"
#include "io/data_set.h"
#include "model/current.h"
#include "tests/app/scripted_platform.h"
#include "tests/common/code_log.h"
#include "tests/io/reader_support.h"
#include "tests/modes/mode_support.h"

namespace Core::Explorer {
void PrintTo(const Item& item, std::ostream* out) {
    *out << item.kind << ":" << item.text;
    if (item.children.empty()) return;
    *out << "{";
    for (const Item& child : item.children) PrintTo(child, out), *out << " ";
    *out << "}";
}
}  // namespace Core::Explorer

namespace {

namespace Explorer = Core::LayerExplorer;
using Core::Explorer::Item;
using Core::Explorer::Selected;
using Explorer::TreeChange;
using Winplus::Layer;
using Winplus::LayerCurve;

Item Leaf(const std::string& text, int kind) {
    return {text, kind, {}};
}

// The start-up layer "layer" with its curve "curve", current, beside the phonon model.
class LayerExplorerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ModeTest::PhononModel();
        Layer::NewLayer();
        Core::MenuCore::SetSaved(true);
    }
    LayerCurve::Ptr Named(const std::string& name) {
        return Safe::DynamicCast<LayerCurve>(
            Layer::Set().Find(std::wstring(name.begin(), name.end())));
    }
    // The selection step on an item, then the command on it.
    Explorer::Result Run(int id, const Selected& selected,
                         Winplus::GnuplotExport::Ticks ticks = {}) {
        Explorer::Select(selected);
        return Explorer::Command(id, {nullptr, selected, std::move(ticks), picker});
    }

    test::CapturedBoxes boxes;
    test::ScriptedDialogs dialogs;
    Core::MenuCore::ProjectObserver marker;
    std::function<bool(std::string&)> picker;
};

TEST_F(LayerExplorerTest, RemoveAllEmptiesTheSetAndAddNumbersNewLayers) {
    EXPECT_EQ(Explorer::Tree(), (Item{"View Layers", 0, {Item{"layer", 1, {Leaf("curve", 2)}}}}));
    // "Remove All" on the root: the set may end empty; the selection step clears the current
    // objects.
    const Selected root{0, "View Layers", ""};
    Explorer::Select({2, "curve", "layer"});
    ASSERT_TRUE(Layer::CurrentCurve());
    EXPECT_EQ(Run(Explorer::kRemoveAll, root).change, TreeChange::kRebuild);
    EXPECT_EQ(Layer::Set().Count(), 0);
    EXPECT_FALSE(Layer::CurrentLayer() || Layer::CurrentCurve() || Layer::CurrentFileCurve());
    EXPECT_EQ(Explorer::Tree(), (Item{"View Layers", 0, {}}));
    EXPECT_EQ(Run(Explorer::kRemoveAll, root).change, TreeChange::kNone);

    // "Add" acts on the root only; three layers are basic, basic@1 and basic@2.
    EXPECT_EQ(Run(Explorer::kAdd, {1, "basic", "View Layers"}).change, TreeChange::kNone);
    for (const char* name : {"basic", "basic@1", "basic@2"}) {
        const Explorer::Result added = Run(Explorer::kAdd, root);
        EXPECT_EQ(added.change, TreeChange::kAddLayerItem);
        EXPECT_EQ(added.name, name);
    }
    EXPECT_EQ(Explorer::LayerItem("basic@1"), (Item{"basic@1", 1, {Leaf("curve", 2)}}));
    // "Remove" of a layer item; the window deletes it.
    EXPECT_EQ(Run(Explorer::kRemoveLayer, {1, "basic@1", "View Layers"}).change,
              TreeChange::kDeleteItem);
    EXPECT_EQ(Explorer::Tree().children.size(), 2u);

    // Renaming a layer to a taken name is refused; a free one is announced (310).
    Explorer::Select({1, "basic", "View Layers"});
    EXPECT_FALSE(Explorer::Rename({1, "basic", "View Layers"}, "basic", "basic@2"));
    auto log = NewCodeLog<LayerEvent>();
    const auto registration = Layer::AddObserver(log);
    EXPECT_TRUE(Explorer::Rename({1, "basic", "View Layers"}, "basic", "mine"));
    EXPECT_TRUE(Explorer::Rename({2, "curve", "mine"}, "curve", "c"));
    EXPECT_FALSE(Explorer::Rename({2, "c", "mine"}, "c", ""));
    EXPECT_EQ(log->codes, (std::vector<int>{310, 311}));
    Explorer::Announce();
    EXPECT_FALSE(Core::MenuCore::IsSaved());
}

TEST_F(LayerExplorerTest, CurveCommandsActOnTheSelectedLayerOnly) {
    const Selected layer{1, "layer", "View Layers"};
    Named("layer")->SetLimits({50.0, 0.0, 150.0, 1.0});
    // "Add Curve": the current node p1 over the layer's x range.
    EXPECT_EQ(Run(Explorer::kAddCurve, {0, "View Layers", ""}).change, TreeChange::kNone);
    EXPECT_EQ(Run(Explorer::kAddCurve, layer).change, TreeChange::kRefillLayer);
    const auto p1 = Named("layer")->Curves()->Find(L"p1");
    ASSERT_TRUE(p1);
    EXPECT_DOUBLE_EQ(p1->GridMin(), 50.0);
    EXPECT_DOUBLE_EQ(p1->GridMax(), 200.0);
    EXPECT_EQ(p1->GetUnit()->GetOutput(), ModeTest::Find("p1"));
    // "Add Child Curves " of the sum: one curve per child, each bound to its own node.
    Core::MenuCore::SetCurrentNode(Core::MenuCore::GetCurrentDefinition()->GetRoot());
    EXPECT_EQ(Run(Explorer::kAddChildCurves, layer).change, TreeChange::kRefillLayer);
    EXPECT_EQ(Explorer::LayerItem("layer").children,
              (std::vector<Item>{Leaf("curve", 2), Leaf("p1", 2), Leaf("c", 2), Leaf("p1@1", 2),
                                 Leaf("p2", 2)}));
    EXPECT_EQ(Named("layer")->Curves()->Find(L"p2")->GetUnit()->GetOutput(), ModeTest::Find("p2"));

    // "Add File" without a current spectrum says so and adds nothing; with one, a file curve
    // named after it.
    EXPECT_EQ(Run(Explorer::kAddFile, layer).change, TreeChange::kNone);
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"Select a data file in the Data Files window"}));
    EXPECT_EQ(boxes.boxes[0].icon, Platform::BoxIcon::Stop);
    auto spectrum = Safe::MakeX<Spectrum>();
    spectrum->SetName(L"s.dat");
    Core::DataSet::GetSet().Add(spectrum);
    Core::DataSet::SetCurrent(spectrum);
    EXPECT_EQ(Run(Explorer::kAddFile, layer).change, TreeChange::kRefillLayer);
    EXPECT_EQ(Explorer::LayerItem("layer").children.back(), Leaf("s.dat", 3));

    // Display types go to the ticked items: curve, p1, c, p1@1, p2, then the file curve.
    EXPECT_TRUE(Explorer::DisplayTypesEnabled());
    EXPECT_EQ(Run(5015, layer, {true, false, false, false, true, true}).change,
              TreeChange::kContentsOnly);
    EXPECT_EQ(Run(5019, layer, {false, true}).change, TreeChange::kContentsOnly);
    const auto& curves = *Named("layer")->Curves();
    EXPECT_EQ(curves.At(0)->GetViewMode(), Winplus::kHidden);
    EXPECT_EQ(curves.At(1)->GetViewMode(), Winplus::kRealImag);
    EXPECT_EQ(curves.At(2)->GetViewMode(), Winplus::kXComplex);
    EXPECT_EQ(curves.At(4)->GetViewMode(), Winplus::kHidden);
    EXPECT_EQ(Named("layer")->FileCurves()->At(0)->viewMode, Winplus::kHidden);
    EXPECT_EQ(Run(Explorer::kSelectAll, layer).change, TreeChange::kSetChecks);
    EXPECT_FALSE(Run(Explorer::kUnselectAll, layer).ticked);

    // Removes: each on its own kind of item; the selection step makes the curve current first.
    EXPECT_EQ(Run(Explorer::kRemoveCurve, {3, "s.dat", "layer"}).change, TreeChange::kNone);
    EXPECT_EQ(Layer::CurrentFileCurve(), Named("layer")->FileCurves()->At(0));
    EXPECT_EQ(Run(Explorer::kRemoveFileCurve, {3, "s.dat", "layer"}).change,
              TreeChange::kDeleteItem);
    EXPECT_EQ(Run(Explorer::kRemoveCurve, {2, "p1@1", "layer"}).change, TreeChange::kDeleteItem);
    EXPECT_EQ(Explorer::LayerItem("layer").children,
              (std::vector<Item>{Leaf("curve", 2), Leaf("p1", 2), Leaf("c", 2), Leaf("p2", 2)}));
    // A layer of file curves only has no display types.
    Explorer::Select({0, "View Layers", ""});
    EXPECT_FALSE(Explorer::DisplayTypesEnabled());
}

TEST_F(LayerExplorerTest, SaveGraphAndSaveCurvesWriteTheTickedCurvesAndEveryCurve) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "sorix_layer_explorer_test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const Selected layer{1, "layer", "View Layers"};
    Explorer::Select(layer);
    ASSERT_TRUE(Named("layer")->RenameCurve(L"curve", L"a\\b"));
    Named("layer")->Curves()->At(0)->SetViewMode(Winplus::kXReal);
    EXPECT_EQ(Run(Explorer::kAddCurve, layer).change, TreeChange::kRefillLayer);

    // The script plots the ticked curve "p1" only, in its complex mode: two designers' lines.
    dialogs.Answer((folder / "graph.plt").string());
    Run(Explorer::kSaveGraph, layer, {false, true});
    EXPECT_EQ(dialogs.Last().fileName, "layer.plt");
    std::stringstream text;
    text << std::ifstream(folder / "graph.plt").rdbuf();
    EXPECT_NE(text.str().find("plot 'p1.dat' u 1:2 w l lc rgb"), std::string::npos);
    EXPECT_NE(text.str().find("'p1.dat' u 1:3 w l lc rgb"), std::string::npos);
    EXPECT_EQ(text.str().find("a_b"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(folder / "p1.dat"));

    // "Save Curves": every model curve, ticked or not, under a name that stays in the folder;
    // cancelled, nothing.
    picker = [](std::string&) { return false; };
    Run(Explorer::kSaveCurvesComplex + 1, layer);
    EXPECT_FALSE(std::filesystem::exists(folder / "a_b.dat"));
    picker = [&folder](std::string& chosen) {
        chosen = (folder / "curves").string();
        return true;
    };
    std::filesystem::create_directories(folder / "curves");
    Run(Explorer::kSaveCurvesComplex + 1, layer);
    EXPECT_TRUE(std::filesystem::exists(folder / "curves" / "a_b.dat"));
    EXPECT_TRUE(std::filesystem::exists(folder / "curves" / "p1.dat"));
    EXPECT_TRUE(boxes.boxes.empty());
    std::filesystem::remove_all(folder);
}

}  // namespace
