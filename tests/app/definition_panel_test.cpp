// The "Definition" panel as a window: its tree view driven by messages as a user drives it, the
// items, images and menus read back from the control, and the tool bar's buttons.
#include <commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/definition_panel.h"
#include "functions/families.h"
#include "io/data_set.h"
#include "model/current.h"
#include "model/map_bar.h"
#include "model/selection.h"
#include "tests/winplus/gui_test_support.h"

namespace {

using namespace Core;
namespace Id = DefinitionMenuId;
namespace Code = DefinitionBarCode;
using Texts = std::vector<std::string>;

class DefinitionPanel : public ::testing::Test {
protected:
    void SetUp() override {
        Capsule::RegisterFamilies();
        model = MathMap::CreateModel("sample");
        Models().Add(model);
        MenuCore::SetCurrentModel(model);
        MenuCore::SetCurrentDefinition(model->FindMap("model"));
        leaf = Safe::MakeX<MapLeaf>(host.Window());
        leaf->Move(0, 0, 300, 400, true);
        panel = static_cast<MapController*>(leaf->Controller().Get());
        tree = panel->Tree()->Handle();
    }

    // Each item, depth first: its text, image and, for bold ones, "(bold)", indented by depth.
    Texts Items(HTREEITEM parent = nullptr, const std::string& indent = "") const {
        Texts items;
        HTREEITEM child = parent ? TreeView_GetChild(tree, parent) : TreeView_GetRoot(tree);
        for (; child; child = TreeView_GetNextSibling(tree, child)) {
            char text[128] = {};
            TVITEMA query{};
            query.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE;
            query.hItem = child;
            query.pszText = text;
            query.cchTextMax = sizeof(text);
            query.stateMask = TVIS_BOLD | TVIS_EXPANDED;
            TreeView_GetItem(tree, &query);
            std::string line = indent + text + " " + std::to_string(query.iImage);
            if (query.state & TVIS_BOLD) line += " (bold)";
            items.push_back(line);
            // Every item with children is expanded.
            if (TreeView_GetChild(tree, child)) {
                EXPECT_TRUE(query.state & TVIS_EXPANDED) << text;
            }
            for (const std::string& below : Items(child, indent + "  ")) items.push_back(below);
        }
        return items;
    }

    // The item of that text among first, its siblings and everything below them.
    HTREEITEM Find(const std::string& text) const { return Find(text, TreeView_GetRoot(tree)); }
    HTREEITEM Find(const std::string& text, HTREEITEM first) const {
        for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
            if (panel->Tree()->GetItemText(item) == text) return item;
            if (HTREEITEM found = Find(text, TreeView_GetChild(tree, item))) return found;
        }
        return nullptr;
    }

    void Select(const std::string& text) {
        HTREEITEM item = Find(text);
        ASSERT_TRUE(item) << text;
        TreeView_SelectItem(tree, item);
    }

    // A right click on the item: the cursor goes there and the tree tells its parent. The menu
    // it opens is read by a timer of the menu's own loop and closed: its items, "-" for a
    // separator, "(off)" after a grayed one. Empty when no menu opened.
    Texts RightClick(const std::string& text) {
        RECT r{};
        HTREEITEM item = Find(text);
        if (!item || !TreeView_GetItemRect(tree, item, &r, TRUE)) return {"(no item " + text + ")"};
        POINT point{r.left + 4, (r.top + r.bottom) / 2};
        ClientToScreen(tree, &point);
        SetCursorPos(point.x, point.y);
        shown.clear();
        const UINT_PTR timer = SetTimer(nullptr, 0, 200, ReadMenu);
        NMHDR header{tree, static_cast<UINT_PTR>(GetDlgCtrlID(tree)), NM_RCLICK};
        SendMessageA(leaf->Controller()->Handle(), WM_NOTIFY, header.idFrom,
                     reinterpret_cast<LPARAM>(&header));
        KillTimer(nullptr, timer);
        return shown;
    }

    static void CALLBACK ReadMenu(HWND, UINT, UINT_PTR, DWORD) {
        HWND popup = FindWindowExA(nullptr, nullptr, "#32768", nullptr);
        while (popup && !IsWindowVisible(popup))
            popup = FindWindowExA(nullptr, popup, "#32768", nullptr);
        if (!popup) return;
        auto menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
            const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            std::string item = text[0] ? text : "-";
            if ((state & MF_GRAYED) && text[0]) item += " (off)";
            shown.push_back(item);
        }
        EndMenu();
    }

    void Command(int id) {
        SendMessageA(leaf->Controller()->Handle(), WM_COMMAND, static_cast<WPARAM>(id), 0);
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

    static inline Texts shown;
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
    EXPECT_EQ(Items(), Texts({"model 0 (bold)", "  m 10"}));
    // Nothing selected yet, nothing copied, nothing edited.
    EXPECT_EQ(Enabled(), std::vector<int>());

    // The root, a basic node: the node menu, nothing to append to, nothing to remove.
    const Texts rootMenu = {"Set Selection",
                            "Set Prototype (off)",
                            "Reset",
                            "-",
                            "Connect",
                            "-",
                            "Append Selection (off)",
                            "Append Prototype (off)",
                            "Sort (off)",
                            "Remove (off)"};
    EXPECT_EQ(RightClick("m"), rootMenu);
    EXPECT_EQ(Current(), "m");
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kCut, Code::kCopy}));

    Selection::SetNode(Node::Create(208));
    Command(Id::kSetSelection);
    Selection::SetNode(Node::Create(700));
    EXPECT_EQ(RightClick("Sum")[6], "Append Selection");
    Command(Id::kAppendSelection);
    // The Gaussian's abscissa connected to "x", the model's variable and the only definition
    // "model" may refer to.
    RightClick("x");
    Command(Id::kFirstConnect);
    EXPECT_EQ(Items(), Texts({"model 0 (bold)", "  Sum 13", "    c 10", "    Gaussian 15",
                              "      x->x 18", "      A 10", "      xc 10", "      w 10"}));
    // Under the sum (variadic), the Gaussian can go; a reference has its own menu.
    EXPECT_EQ(RightClick("Gaussian").back(), "Remove");
    EXPECT_EQ(RightClick("x->x"), Texts({"Replace", "-", "Reset"}));
    EXPECT_EQ(Current(), "x");
    RightClick("Gaussian");
    Command(Id::kRemove);
    EXPECT_EQ(Items(), Texts({"model 0 (bold)", "  Sum 13", "    c 10"}));
    EXPECT_EQ(Current(), "Sum");
    EXPECT_EQ(panel->Tree()->GetItemText(TreeView_GetSelection(tree)), "Sum");

    // Labels are not edited here.
    EXPECT_EQ(TreeView_EditLabel(tree, Find("c")), nullptr);
    // The definition item stands for no node; an inactive definition ("x") opens no menu.
    Select("model");
    EXPECT_EQ(Current(), "(none)");
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kUndo}));
    MenuCore::SetCurrentDefinition(model->FindMap("x"));
    EXPECT_EQ(Items(), Texts({"x 0 (bold)", "  v 10"}));
    EXPECT_EQ(RightClick("v"), Texts());
    EXPECT_EQ(Current(), "(none)");
    EXPECT_EQ(Enabled(), std::vector<int>()) << "x has no history";
}

TEST_F(DefinitionPanel, ToolBarCutsCopiesPastesAndWalksTheHistory) {
    Selection::SetNode(Node::Create(208));
    RightClick("m");
    Command(Id::kSetSelection);
    const Texts sum = {"model 0 (bold)", "  Sum 13", "    c 10"};
    ASSERT_EQ(Items(), sum);
    // 202 and 404: a current node, an undoable edit; nothing to paste yet.
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kCut, Code::kCopy, Code::kUndo}));
    Click(Code::kCopy);
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kCut, Code::kCopy, Code::kPaste, Code::kUndo}));
    Select("c");
    Click(Code::kPaste);
    EXPECT_EQ(Items(), Texts({"model 0 (bold)", "  Sum 13", "    Sum:1 13", "      c 10"}));

    Click(Code::kUndo);
    EXPECT_EQ(Items(), sum);
    // The tree is filled again with no node current: Cut, Copy and Paste go off, Redo on.
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kUndo, Code::kRedo}));
    Click(Code::kUndo);
    EXPECT_EQ(Items(), Texts({"model 0 (bold)", "  m 10"}));
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kRedo}));
    Click(Code::kRedo);
    Click(Code::kRedo);
    EXPECT_EQ(Items()[2].substr(0, 9), "    Sum:1");
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kUndo}));

    // Cut leaves an empty node and keeps what it took for Paste.
    Select("Sum:1");
    Click(Code::kCut);
    EXPECT_EQ(Items()[2], "    c 10");
    EXPECT_EQ(MapBar::GetTarget()->Name(), "Sum:1");
    // Codes of the explorer's own channel leave the buttons as they are.
    MapBar::SetUndoAvailable(0, true);
    MapBar::SetRedoAvailable(0, true);
    EXPECT_EQ(Enabled(), std::vector<int>({Code::kCut, Code::kCopy, Code::kPaste, Code::kUndo}));
}

TEST_F(DefinitionPanel, FileMenuNamesTheSpectraAsTheDataSetChanges) {
    Selection::SetNode(Node::Create(230));
    RightClick("m");
    Command(Id::kSetSelection);
    const std::string file = panel->Tree()->GetItemText(TreeView_GetSelection(tree));
    const Texts fixed = {"Reset", "-", "Load Data File...", "Save Data...", "-"};
    EXPECT_EQ(RightClick(file), fixed);
    for (const char* name : {"first", "second"}) {
        auto spectrum = Safe::MakeX<Spectrum>();
        spectrum->SetName(std::string(name));
        spectrum->Resize(2);
        DataSet::GetSet().Add(spectrum);
        DataSet::Notify(DataSetEvent::kDataSetFileAdded);
    }
    Texts both = fixed;
    both.insert(both.end(), {"first", "second"});
    EXPECT_EQ(RightClick(file), both);
    // Any change of the set rebuilds the items: a removal too.
    DataSet::GetSet().Remove(std::wstring(L"first"));
    DataSet::Notify(DataSetEvent::kCurrentSpectrumChanged);
    Texts second = fixed;
    second.push_back("second");
    EXPECT_EQ(RightClick(file), second);
}

}  // namespace
