// The explorer leaf and tree under Wine: the content made on creation and laid out, the items
// filled and read back, label edits, context menus at the cursor and menu commands.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/explorers/explorer_leaf.h"
#include "foundation/exception.h"
#include "tests/app/explorers/explorer_gui_support.h"
#include "tests/winplus/gui_test_support.h"

namespace {

using Core::Explorer::Item;
using Core::Explorer::MenuEntry;

constexpr MenuEntry kRootEntries[] = {{11, "Root Command"}, {0, ""}, {0, "More"}};
constexpr MenuEntry kMoreEntries[] = {{12, "Inner"}};
constexpr MenuEntry kLeafEntries[] = {{21, "Leaf Command"}};
constexpr int kBitmaps[] = {117, 140};

// A tree with two kinds that records what reaches it.
class ProbeTree : public Core::ExplorerTree {
public:
    explicit ProbeTree(HWND parent) : ExplorerTree(parent, Core::kExplorerContentId) {
        SetImages(kBitmaps);
    }
    void Command(int id) override { commands.push_back(id); }
    const Core::ContextMenu* MenuOf(int kind) const override {
        return kind == 0 ? &rootMenu : kind == 1 ? &leafMenu : nullptr;
    }
    void OnSelectionChanged() override { selections.push_back(GetSelected().text); }
    bool EndLabelEdit(const Core::Explorer::Selected& item, const std::string& oldName,
                      const std::string& newName) override {
        renames.push_back(item.parentText + ":" + oldName + "->" + newName);
        return newName != "taken";
    }

    Core::ContextMenu rootMenu{kRootEntries, {kMoreEntries}};
    Core::ContextMenu leafMenu{kLeafEntries};
    std::vector<int> commands;
    std::vector<std::string> selections;
    std::vector<std::string> renames;
};

using ProbeLeaf = Core::ExplorerLeaf<ProbeTree>;

Safe::XPtr<ProbeLeaf> MakeProbe(const GuiTest::Host& host) {
    auto leaf = Safe::MakeX<ProbeLeaf>("ProbeClass", host.Window(), L"Probe",
                                       [](HWND w) { return Safe::MakeX<ProbeTree>(w); });
    leaf->Move(0, 0, 200, 300, true);
    leaf->ContentControl()->Fill(Item{"Root", 0, {{"a", 1, {}}, {"b", 1, {}}}});
    return leaf;
}

TEST(ExplorerLeaf, MakesItsContentOnCreationAndLaysItOutBelowTheCaption) {
    GuiTest::Host host;
    auto leaf = MakeProbe(host);
    ProbeTree* tree = leaf->ContentControl();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(GetParent(tree->Handle()), leaf->Handle());
    EXPECT_EQ(GetDlgCtrlID(tree->Handle()), Core::kExplorerContentId);
    EXPECT_EQ(GetWindowLongA(tree->Handle(), GWL_STYLE) & 0xFFFF, 0x2B);
    EXPECT_TRUE(leaf->Controller()->resizeInHeight);
    RECT r{};
    GetWindowRect(tree->Handle(), &r);
    MapWindowPoints(nullptr, leaf->Handle(), reinterpret_cast<POINT*>(&r), 2);
    // Caption of 20 pixels above, splitter of 4 below, one pixel free on the left.
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 200);
    EXPECT_EQ(r.bottom, 296);
    // A menu command (no sender) reaches the tree.
    ExplorerGui::MenuCommand(*tree, 21);
    EXPECT_EQ(tree->commands, std::vector<int>{21});
}

TEST(ExplorerLeaf, FillsItemsWithTheirKindsAsImagesAndReadsTheSelection) {
    GuiTest::Host host;
    auto leaf = MakeProbe(host);
    ProbeTree& tree = *leaf->ContentControl();
    EXPECT_EQ(ExplorerGui::Items(tree), "Root(0)[a(1) b(1)]");
    EXPECT_EQ(tree.GetSelected().kind, -1);
    HTREEITEM b = tree.Find("b", 1);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(tree.Find("b", 0), nullptr);
    ExplorerGui::Select(tree, b);
    const Core::Explorer::Selected selected = tree.GetSelected();
    EXPECT_EQ(selected.kind, 1);
    EXPECT_EQ(selected.text, "b");
    EXPECT_EQ(selected.parentText, "Root");
    EXPECT_EQ(tree.selections, std::vector<std::string>{"b"});
    // Refilling drops the old items (and the selection, unreported); a quiet selection finds the
    // item by its parent too and is not reported either.
    tree.Fill(Item{"Other", 0, {{"x", 1, {{"b", 1, {}}}}, {"b", 1, {}}}});
    EXPECT_EQ(ExplorerGui::Items(tree), "Other(0)[x(1)[b(1)] b(1)]");
    EXPECT_EQ(tree.GetSelected().kind, -1);
    EXPECT_TRUE(tree.SelectQuietly({1, "b", "x"}));
    EXPECT_EQ(tree.GetSelected().parentText, "x");
    EXPECT_FALSE(tree.SelectQuietly({1, "b", "y"}));
    EXPECT_EQ(tree.selections, std::vector<std::string>{"b"});
}

TEST(ExplorerLeaf, AMissingBitmapIsAnImageListError) {
    GuiTest::Host host;
    const int bitmaps[] = {117, 9999};
    try {
        Core::ImageList list(GetModuleHandleA(nullptr), bitmaps);
        FAIL() << "no exception";
    } catch (const Winplus::Exception& e) {
        EXPECT_STREQ(e.what(), "ImageList initialisation error");
    }
    const int states[] = {170, 171, 172};
    EXPECT_NO_THROW(Core::ImageList(GetModuleHandleA(nullptr), states, 0));
}

TEST(ExplorerLeaf, LabelEditsAreRefusedOnTheRootAndKeptOrRevertedAsTheTreeAnswers) {
    GuiTest::Host host;
    auto leaf = MakeProbe(host);
    ProbeTree& tree = *leaf->ContentControl();
    EXPECT_FALSE(ExplorerGui::EditLabel(tree, tree.GetRoot(), "x"));
    EXPECT_TRUE(ExplorerGui::EditLabel(tree, tree.Find("a", 1), "c"));
    EXPECT_TRUE(ExplorerGui::EditLabel(tree, tree.Find("b", 1), "taken"));
    EXPECT_EQ(tree.renames, (std::vector<std::string>{"Root:a->c", "Root:b->taken"}));
    EXPECT_EQ(ExplorerGui::Items(tree), "Root(0)[c(1) b(1)]");
}

TEST(ExplorerLeaf, TheRightButtonSelectsTheItemUnderTheCursorAndOpensItsKindsMenu) {
    GuiTest::Host host;
    auto leaf = MakeProbe(host);
    ProbeTree& tree = *leaf->ContentControl();
    EXPECT_EQ(ExplorerGui::RightClick(tree, tree.Find("a", 1)), "Leaf Command");
    EXPECT_EQ(tree.GetSelected().text, "a");
    EXPECT_EQ(ExplorerGui::RightClick(tree, tree.GetRoot()), "Root Command|-|More>Inner");
    EXPECT_EQ(tree.GetSelected().text, "Root");
    // Empty space below the items keeps the selection and opens its menu.
    EXPECT_EQ(ExplorerGui::RightClick(tree, nullptr), "Root Command|-|More>Inner");
    EXPECT_EQ(tree.GetSelected().text, "Root");
}

}  // namespace
