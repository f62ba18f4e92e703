// The layer explorer, the curve explorer and the two parameter panels under Wine: real tree and
// list views driven through their messages, read back item by item.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/explorers/curves_leaf.h"
#include "app/explorers/layers_leaf.h"
#include "app/views/mode_tools.h"
#include "app/explorers/parameter_leaves.h"
#include "app/explorers/parameter_panels.h"
#include "io/data_set.h"
#include "model/current.h"
#include "modes/fit_core.h"
#include "modes/view_modes.h"
#include "tests/app/explorers/explorer_gui_support.h"
#include "tests/modes/mode_support.h"
#include "tests/winplus/gui_test_support.h"

namespace {

using ExplorerGui::Items;
using ExplorerGui::MenuCommand;
using ExplorerGui::RightClick;

// The state image of an item: 0 no box, 1 unticked, 2 ticked.
int State(const Winplus::ControlTree& tree, HTREEITEM item) {
    return static_cast<int>(SendMessageA(tree.Handle(), TVM_GETITEMSTATE,
                                         reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK) >>
                            12);
}

// The state images of the items in tree order, as digits.
std::string States(const Winplus::ControlTree& tree, HTREEITEM item) {
    std::string states;
    for (; item; item = tree.GetNextSibling(item))
        states += std::to_string(State(tree, item)) + States(tree, tree.GetChild(item));
    return states;
}

// A click of the left button on the item, its notice handled after the pointer moved on.
void Click(const Winplus::ControlTree& tree, HTREEITEM item) {
    RECT r{};
    std::memcpy(&r, &item, sizeof item);  // TVM_GETITEMRECT takes the item in the rectangle
    SendMessageA(tree.Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
    POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(tree.Handle(), &at);
    GuiTest::ClickedAt(at);
    NMHDR header{tree.Handle(), static_cast<UINT_PTR>(tree.Id()), static_cast<UINT>(NM_CLICK)};
    SendMessageA(GetParent(tree.Handle()), WM_NOTIFY, tree.Id(), reinterpret_cast<LPARAM>(&header));
}

bool Grayed(HMENU menu, UINT item, UINT by) {
    return (GetMenuState(menu, item, by) & MF_GRAYED) != 0;
}

TEST(LayerWindows, TheLayerExplorerTicksAddsRemovesAndSavesThroughItsMenus) {
    ModeTest::PhononModel();
    Winplus::Layer::NewLayer();
    GuiTest::Host host;
    Core::LayersLeaf leaf(host.Window());
    leaf.Move(0, 0, 220, 300, true);
    Core::ControlLayers& tree = *leaf.ContentControl();
    EXPECT_EQ(GetWindowLongA(tree.Handle(), GWL_STYLE), 0x5000010B);
    EXPECT_EQ(Items(tree), "View Layers(0)[layer(1)[curve(2)]]");
    EXPECT_EQ(States(tree, tree.GetRoot()), "001");
    EXPECT_EQ(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(
                  SendMessageA(tree.Handle(), TVM_GETIMAGELIST, TVSIL_STATE, 0))),
              3);

    EXPECT_EQ(RightClick(tree, tree.GetRoot()), "Add|Remove All");
    MenuCommand(tree, 5001);
    EXPECT_EQ(RightClick(tree, tree.Find("layer", 1)),
              "Remove|-|Add Curve|Add Child Curves |Add File|-|Set Display Type for Selected "
              "Curves>Hide Spectra|Real Spectra|Imag Spectra|Complex Spectra|Imaginary Versus "
              "Real|Real Versus Imaginary|-|Select all curves|Unselect all curves|-|Save "
              "Curves>Complex Spectra...|Real Spectra...|Imag Spectra...|-|Save Graph...");
    EXPECT_FALSE(Grayed(tree.LayerMenu(), 6, MF_BYPOSITION));
    MenuCommand(tree, 5003);
    EXPECT_EQ(Items(tree), "View Layers(0)[layer(1)[curve(2) p1(2)] basic(1)[curve(2)]]");
    EXPECT_EQ(States(tree, tree.GetRoot()), "001101");
    // The user ticks "curve"; "Hide Spectra" hides it alone.
    tree.SetCheck(tree.Find("curve", 2), true);
    MenuCommand(tree, 5015);
    const auto layer = Safe::DynamicCast<Winplus::LayerCurve>(Winplus::Layer::CurrentLayer());
    ASSERT_TRUE(layer);
    EXPECT_EQ(layer->Curves()->Find(L"curve")->GetViewMode(), Winplus::kHidden);
    EXPECT_EQ(layer->Curves()->Find(L"p1")->GetViewMode(), Winplus::kXComplex);
    MenuCommand(tree, 5030);
    EXPECT_EQ(States(tree, tree.GetRoot()), "002201");

    // "Save Graph..." plots the ticked curves of the selected layer.
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string script = std::string(folder) + "layer_windows.plt";
    Platform::SetFileDialogHandler(
        [&](const Platform::FileDialogRequest&) { return std::vector<std::string>{script}; });
    MenuCommand(tree, 5031);
    tree.SetCheck(tree.Find("p1", 2), true);
    MenuCommand(tree, 5013);
    Platform::SetFileDialogHandler(nullptr);
    std::stringstream text;
    text << std::ifstream(script).rdbuf();
    EXPECT_NE(text.str().find("plot 'p1.dat' u 1:2"), std::string::npos) << text.str();
    EXPECT_EQ(text.str().find("curve.dat"), std::string::npos);

    // Label edits: a taken layer name is refused, a free curve name taken.
    EXPECT_TRUE(ExplorerGui::EditLabel(tree, tree.Find("basic", 1), "layer"));
    EXPECT_TRUE(ExplorerGui::EditLabel(tree, tree.Find("p1", 2), "mine"));
    EXPECT_EQ(Items(tree), "View Layers(0)[layer(1)[curve(2) mine(2)] basic(1)[curve(2)]]");
    EXPECT_EQ(RightClick(tree, tree.Find("mine", 2)),
              "Remove|-|Save>Complex Spectrum...|Real Spectrum...|Imag Spectrum...");
    EXPECT_EQ(Winplus::Layer::CurrentCurve(), layer->Curves()->Find(L"mine"));
    MenuCommand(tree, 5004);
    EXPECT_EQ(Items(tree), "View Layers(0)[layer(1)[curve(2)] basic(1)[curve(2)]]");

    // "Remove All" on the root leaves no layer and no current object.
    RightClick(tree, tree.GetRoot());
    MenuCommand(tree, 5000);
    EXPECT_EQ(Items(tree), "View Layers(0)");
    EXPECT_EQ(Winplus::Layer::Set().Count(), 0);
    EXPECT_FALSE(Winplus::Layer::CurrentLayer());
    // A new layer set (120) rebuilds the tree, ticks gone.
    Winplus::Layer::ResetLayers();
    EXPECT_EQ(Items(tree), "View Layers(0)[layer(1)[curve(2)]]");
    EXPECT_EQ(States(tree, tree.GetRoot()), "001");
}

TEST(LayerWindows, TheCurveExplorerShowsTheModesLayersAndAnnouncesRemovals) {
    ModeTest::PhononModel();
    Core::InstallModeTools();
    Core::ViewModeState::SetMode(Core::kAdjustMode);
    GuiTest::Host host;
    Core::CurvesLeaf leaf(host.Window());
    leaf.Move(0, 0, 220, 300, true);
    Core::ControlCurves& tree = *leaf.ContentControl();
    const auto images = reinterpret_cast<HIMAGELIST>(
        SendMessageA(tree.Handle(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    EXPECT_EQ(ImageList_GetImageCount(images), 7);
    EXPECT_EQ(Items(tree), "Layers(0)[User curves(2)[p1(5)] Dynamic layer(1)[Dynamic curve(3)]]");
    // The tool layer's curve keeps its name and cannot be removed.
    EXPECT_EQ(RightClick(tree, tree.Find("Dynamic curve", 3)),
              "Remove|-|Save>Complex Spectrum...|Real Spectrum...|Imag Spectrum...");
    EXPECT_TRUE(Grayed(tree.CurveMenu(), 5004, MF_BYCOMMAND));
    EXPECT_FALSE(ExplorerGui::EditLabel(tree, tree.Find("Dynamic curve", 3), "x"));
    EXPECT_EQ(RightClick(tree, tree.Find("p1", 5)).substr(0, 6), "Remove");
    EXPECT_FALSE(Grayed(tree.CurveMenu(), 5004, MF_BYCOMMAND));

    auto spectrum = Safe::MakeX<Spectrum>();
    spectrum->SetName(L"s.dat");
    spectrum->Resize(2);
    Core::DataSet::GetSet().Add(spectrum);
    Core::DataSet::SetCurrent(spectrum);
    EXPECT_EQ(RightClick(tree, tree.Find("User curves", 2)), "Add Curve|Add File");
    MenuCommand(tree, 5003);
    MenuCommand(tree, 5005);
    EXPECT_EQ(Items(tree),
              "Layers(0)[User curves(2)[p1(5) p1@1(5) file(6)] Dynamic layer(1)"
              "[Dynamic curve(3)]]");
    // Removing the file curve is announced as a model curve's removal is.
    ModeTest::BusLog log;
    EXPECT_EQ(RightClick(tree, tree.Find("file", 6)), "Remove");
    MenuCommand(tree, 5006);
    EXPECT_EQ(Items(tree),
              "Layers(0)[User curves(2)[p1(5) p1@1(5)] Dynamic layer(1)"
              "[Dynamic curve(3)]]");
    const auto codes = log.Take();
    EXPECT_NE(std::find(codes.begin(), codes.end(), "view 124"), codes.end());
}

TEST(LayerWindows, TheNodeListShowsValuesWith16DigitsAndTakesTypedOnes) {
    ModeTest::PhononModel();
    GuiTest::Host host;
    Core::NodesLeaf leaf(host.Window());
    leaf.Move(0, 0, 260, 300, true);
    Core::ControlNodes& list = *leaf.Nodes()->List();
    char text[64] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = sizeof text;
    SendMessageA(list.Handle(), LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(std::string(text) + " " + std::to_string(column.cx), "Parameter 80");
    SendMessageA(list.Handle(), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(std::string(text) + " " + std::to_string(column.cx), "Value 160");
    const auto value = [&list](int row) {
        char cell[64] = {};
        LVITEMA item{};
        item.iSubItem = 1;
        item.pszText = cell;
        item.cchTextMax = sizeof cell;
        SendMessageA(list.Handle(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return list.GetItemText(row) + "=" + cell;
    };
    const int w = list.FindItem("w");
    ASSERT_GE(w, 0);
    EXPECT_EQ(value(w), "w=100");
    EXPECT_FALSE(IsWindowVisible(leaf.Nodes()->Edit()->Handle()));

    // A click on the row shows the edit; a typed value reaches the node and its row.
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(list.Handle(), LVM_GETITEMRECT, w, reinterpret_cast<LPARAM>(&r));
    POINT at{r.left + 10, (r.top + r.bottom) / 2};
    ClientToScreen(list.Handle(), &at);
    GuiTest::ClickedAt(at);
    NMITEMACTIVATE click{};
    click.hdr = {list.Handle(), static_cast<UINT_PTR>(list.Id()), static_cast<UINT>(NM_CLICK)};
    click.iItem = w;
    SendMessageA(leaf.Nodes()->Handle(), WM_NOTIFY, list.Id(), reinterpret_cast<LPARAM>(&click));
    EXPECT_TRUE(IsWindowVisible(leaf.Nodes()->Edit()->Handle()));
    EXPECT_EQ(leaf.Nodes()->Edit()->GetText(), "100");
    leaf.Nodes()->Edit()->SetText("0.33333333333333331");
    EXPECT_EQ(value(w), "w=0.3333333333333333");
    EXPECT_EQ(ModeTest::Value(ModeTest::Find("p1"), "w"), 1.0 / 3.0);
    // Values changed elsewhere (a transfer, a tool drag) show in their rows; the edit stays.
    ModeTest::Find("p1")->GetChildByName("w")->SetValue(Core::Complex(42.5, 0.0), 0);
    Core::MenuCore::Notify(ModelEvent::kParametersChanged);
    EXPECT_EQ(value(w), "w=42.5");
    EXPECT_TRUE(IsWindowVisible(leaf.Nodes()->Edit()->Handle()));
    // A new current node lists its nodes again and hides the edit.
    Core::MenuCore::SetCurrentNode(nullptr);
    EXPECT_EQ(SendMessageA(list.Handle(), LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_FALSE(IsWindowVisible(leaf.Nodes()->Edit()->Handle()));
}

TEST(LayerWindows, TheFitTreeMarksAClickedNodeWithItsSubtree) {
    ModeTest::ReferencingModel();
    GuiTest::Host host;
    Core::ParametersLeaf leaf(host.Window());
    leaf.Move(0, 0, 220, 300, true);
    char name[32] = {};
    GetClassNameA(leaf.Handle(), name, sizeof name);
    EXPECT_STREQ(name, "FitParametersClass");
    Core::ControlParameters& tree = *leaf.ContentControl();
    EXPECT_EQ(Items(tree), "Parameters(14)[s(18)[a(9) t(18)[b(9) d(9)]] c(13)[u(18)[k(9)]]]");
    EXPECT_EQ(States(tree, tree.GetRoot()), "011111011");
    Click(tree, tree.Find("t", 18));
    EXPECT_EQ(States(tree, tree.GetRoot()), "011222011");
    Click(tree, tree.Find("u", 18));
    Click(tree, tree.Find("c", 13));
    Click(tree, tree.GetRoot());
    EXPECT_EQ(States(tree, tree.GetRoot()), "011222022");
    // The working model's marks, as the tree's states.
    const auto marks = [] {
        std::string states;
        for (const Core::FitParameters::Item& item : Core::FitParameters::TreeItems())
            states += item.kind != Core::FitParameters::kNodeItem ? '0' : item.checked ? '2' : '1';
        return states;
    };
    EXPECT_EQ(marks(), "011222022");
    Click(tree, tree.Find("t", 18));
    EXPECT_EQ(States(tree, tree.GetRoot()), "011111022");
    EXPECT_EQ(marks(), "011111022");
    // A new math path: a fresh working model, nothing marked.
    Core::FitCore::SetMathPath();
    EXPECT_EQ(States(tree, tree.GetRoot()), "011111011");
}

}  // namespace
