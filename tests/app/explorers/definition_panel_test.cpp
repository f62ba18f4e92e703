// The "Definition" panel as a window: its tree view driven by messages as a user drives it, the
// items, images and menus read back from the control, and the tool bar's buttons.
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/explorers/definition_panel.h"
#include "io/data_set.h"
#include "model/current.h"
#include "model/map_bar.h"
#include "model/selection.h"
#include "modes/builder_core.h"
#include "tests/app/explorers/definition_sample.h"
#include "tests/app/explorers/explorer_gui_support.h"
#include "tests/winplus/gui_test_support.h"

namespace {

using namespace Core;
namespace Id = DefinitionMenuId;
namespace Code = DefinitionBarCode;

class DefinitionPanel : public ::testing::Test {
protected:
    void SetUp() override {
        model = DefinitionSample::MakeCurrent();
        leaf = Safe::MakeX<MapLeaf>(host.Window());
        leaf->Move(0, 0, 300, 400, true);
        panel = static_cast<MapController*>(leaf->Controller().Get());
        tree = panel->Tree()->Handle();
    }

    HTREEITEM Find(const std::string& text) const {
        for (int kind = 0; kind < 26; ++kind)
            if (HTREEITEM item = panel->Tree()->Find(text, kind)) return item;
        return nullptr;
    }
    std::string Items() const { return ExplorerGui::Items(*panel->Tree()); }
    void Select(const std::string& text) { ExplorerGui::Select(*panel->Tree(), Find(text)); }
    // The right button on the item: the menu it opened (ExplorerGui's form).
    std::string RightClick(const std::string& text) {
        HTREEITEM item = Find(text);
        return item ? ExplorerGui::RightClick(*panel->Tree(), item) : "(no item " + text + ")";
    }
    void Command(int id) { ExplorerGui::MenuCommand(*panel->Tree(), id); }
    // The ids of the menu's items that are grayed.
    std::vector<int> Off(DefinitionMenu kind) const {
        std::vector<int> ids;
        HMENU menu = panel->Tree()->Menu(kind);
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            const UINT id = GetMenuItemID(menu, i);
            if (id != 0 && id != static_cast<UINT>(-1) &&
                (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED))
                ids.push_back(static_cast<int>(id));
        }
        return ids;
    }

    // The bar's buttons that are enabled, by code.
    std::vector<int> Enabled() const {
        std::vector<int> codes;
        for (int code = Code::kCut; code <= Code::kRedo; ++code)
            if (panel->Bar()->Controller()->GetButtonState(code) != Winplus::kDisabled)
                codes.push_back(code);
        return codes;
    }

    // A click on the bar's button of that code, as the mouse gives it.
    void Click(int code) {
        Safe::XPtr<Winplus::Button> button = panel->Bar()->Controller()->Bar()->FindById(code);
        ASSERT_TRUE(button);
        HWND bar = panel->Bar()->Controller()->Handle();
        const LPARAM at = MAKELPARAM(button->x + 5, button->y + 5);
        SendMessageA(bar, WM_MOUSEMOVE, 0, at);
        SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(bar, WM_LBUTTONUP, 0, at);
    }

    std::string Current() const {
        const Node::Ptr node = MenuCore::GetCurrentNode();
        return node ? node->Name() : "(none)";
    }

    GuiTest::Host host{400, 500};
    MathMap::Ptr model;
    Safe::XPtr<MapLeaf> leaf;
    MapController* panel = nullptr;
    HWND tree = nullptr;
};

TEST_F(DefinitionPanel, TreeShowsTheDefinitionAndMenusActOnTheClickedNode) {
    char className[32] = {};
    GetClassNameA(leaf->Controller()->Handle(), className, sizeof(className));
    EXPECT_STREQ(className, "DefinitionClass");
    EXPECT_EQ(GetWindowLongA(tree, GWL_STYLE) & 0xFFFF,
              TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS);
    EXPECT_EQ(ImageList_GetImageCount(TreeView_GetImageList(tree, TVSIL_NORMAL)), 26);
    EXPECT_EQ(Items(), "model(0)[m(10)]");
    EXPECT_TRUE(TreeView_GetItemState(tree, TreeView_GetRoot(tree), TVIS_BOLD) & TVIS_BOLD);
    // Nothing selected yet, nothing copied, nothing edited.
    EXPECT_EQ(Enabled(), std::vector<int>());

    // The root, a basic node: the node menu, nothing to append to, nothing to remove.
    EXPECT_EQ(RightClick("m"),
              "Set Selection|Set Prototype|Reset|-|Connect>x|-|Append "
              "Selection|Append Prototype|Sort|Remove");
    EXPECT_EQ(Off(DefinitionMenu::kNode),
              std::vector<int>({Id::kSetPrototype, Id::kAppendSelection, Id::kAppendPrototype,
                                Id::kSort, Id::kRemove}));
    EXPECT_EQ(Current(), "m");
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kCut, Code::kCopy}));

    Selection::SetNode(Node::Create(208));
    Command(Id::kSetSelection);
    Selection::SetNode(Node::Create(700));
    RightClick("Sum");
    EXPECT_EQ(Off(DefinitionMenu::kNode),
              std::vector<int>({Id::kSetPrototype, Id::kAppendPrototype, Id::kRemove}));
    Command(Id::kAppendSelection);
    // The Gaussian's abscissa connected to "x", the model's variable and the only definition
    // "model" may refer to.
    RightClick("x");
    Command(Id::kFirstConnect);
    EXPECT_EQ(Items(), "model(0)[Sum(13)[c(10) Gaussian(15)[x->x(18) A(10) xc(10) w(10)]]]");
    // Every item with children is expanded.
    for (const char* text : {"model", "Sum", "Gaussian"})
        EXPECT_TRUE(TreeView_GetItemState(tree, Find(text), TVIS_EXPANDED) & TVIS_EXPANDED);
    // Under the sum (variadic), the Gaussian can go; a reference has its own menu.
    RightClick("Gaussian");
    EXPECT_EQ(Off(DefinitionMenu::kNode), std::vector<int>({Id::kSetPrototype, Id::kAppendSelection,
                                                            Id::kAppendPrototype, Id::kSort}));
    EXPECT_EQ(RightClick("x->x"), "Replace|-|Reset");
    EXPECT_EQ(Current(), "x");
    RightClick("Gaussian");
    Command(Id::kRemove);
    EXPECT_EQ(Items(), "model(0)[Sum(13)[c(10)]]");
    EXPECT_EQ(Current(), "Sum");
    EXPECT_EQ(panel->Tree()->GetItemText(TreeView_GetSelection(tree)), "Sum");

    // Labels are not edited here.
    EXPECT_FALSE(ExplorerGui::EditLabel(*panel->Tree(), Find("c"), "d"));
    // The definition item stands for no node; an inactive definition ("x") opens no menu.
    Select("model");
    EXPECT_EQ(Current(), "(none)");
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kUndo}));
    MenuCore::SetCurrentDefinition(model->FindMap("x"));
    EXPECT_EQ(Items(), "x(0)[v(10)]");
    EXPECT_EQ(RightClick("v"), "");
    EXPECT_EQ(Current(), "(none)");
    EXPECT_EQ(Enabled(), std::vector<int>()) << "x has no history";
}

TEST_F(DefinitionPanel, ToolBarCutsCopiesPastesAndWalksTheHistory) {
    Selection::SetNode(Node::Create(208));
    RightClick("m");
    Command(Id::kSetSelection);
    const std::string sum = "model(0)[Sum(13)[c(10)]]";
    ASSERT_EQ(Items(), sum);
    // 202 and 404: a current node, an undoable edit; nothing to paste yet.
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kCut, Code::kCopy, Code::kUndo}));
    Click(Code::kCopy);
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kCut, Code::kCopy, Code::kPaste, Code::kUndo}));
    Select("c");
    Click(Code::kPaste);
    const std::string pasted = "model(0)[Sum(13)[Sum:1(13)[c(10)]]]";
    EXPECT_EQ(Items(), pasted);

    Click(Code::kUndo);
    EXPECT_EQ(Items(), sum);
    // The tree is filled again with no node current: Cut, Copy and Paste go off, Redo on.
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kUndo, Code::kRedo}));
    Click(Code::kUndo);
    EXPECT_EQ(Items(), "model(0)[m(10)]");
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kRedo}));
    Click(Code::kRedo);
    Click(Code::kRedo);
    EXPECT_EQ(Items(), pasted);
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kUndo}));

    // Cut leaves an empty node and keeps what it took for Paste.
    Select("Sum:1");
    Click(Code::kCut);
    EXPECT_EQ(Items(), "model(0)[Sum(13)[c(10)]]");
    EXPECT_EQ(MapBar::GetTarget()->Name(), "Sum:1");
    // Codes of the explorer's own channel leave the buttons as they are.
    MapBar::SetUndoAvailable(0, true);
    MapBar::SetRedoAvailable(0, true);
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kCut, Code::kCopy, Code::kPaste, Code::kUndo}));

    // The builder placed a function: its clone goes under the selected node.
    Select("Sum");
    BuilderCore::SetFunction(Node::Create(700), true);
    MenuCore::Notify(ModelEvent::kFunctionPlaced);
    EXPECT_EQ(Items(), "model(0)[Sum(13)[c(10) Gaussian(15)[x(10) A(10) xc(10) w(10)]]]");
}

TEST_F(DefinitionPanel, FileMenuNamesTheSpectraAsTheDataSetChanges) {
    Selection::SetNode(Node::Create(230));
    RightClick("m");
    Command(Id::kSetSelection);
    const std::string file = panel->Tree()->GetItemText(TreeView_GetSelection(tree));
    const std::string fixed = "Reset|-|Load Data File...|Save Data...|-";
    EXPECT_EQ(RightClick(file), fixed);
    for (const char* name : {"first", "second"}) {
        auto spectrum = Safe::MakeX<Spectrum>();
        spectrum->SetName(std::string(name));
        spectrum->Resize(2);
        DataSet::GetSet().Add(spectrum);
        DataSet::Notify(DataSetEvent::kDataSetFileAdded);
    }
    EXPECT_EQ(RightClick(file), fixed + "|first|second");
    // Any change of the set rebuilds the items: a removal too.
    DataSet::GetSet().Remove(std::wstring(L"first"));
    DataSet::Notify(DataSetEvent::kCurrentSpectrumChanged);
    EXPECT_EQ(RightClick(file), fixed + "|second");
}

}  // namespace
