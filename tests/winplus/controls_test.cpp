// The control wrappers on real common controls.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/winplus/gui_test_support.h"
#include "winplus/controls.h"

namespace {

TEST(ControlTree, ItemsTextsImagesAndChecks) {
    GuiTest::Host host;
    Winplus::ControlTree tree;
    tree.Create(host.Handle(), WC_TREEVIEWA, TVS_CHECKBOXES | TVS_HASLINES, 7);
    tree.SetDefaultFont();
    EXPECT_EQ(tree.Id(), 7);
    HTREEITEM root = tree.InsertItem("Models", TVI_ROOT, TVI_LAST, 3, 3, 1, 0);
    HTREEITEM first = tree.InsertItem("model", root, TVI_LAST, 4, 4, 0, 1);
    const std::string longName(200, 'n');
    HTREEITEM second = tree.InsertItem(longName, root, TVI_LAST, 5, 5, 0, 0);
    EXPECT_EQ(tree.GetRoot(), root);
    EXPECT_EQ(tree.GetChild(root), first);
    EXPECT_EQ(tree.GetNextSibling(first), second);
    EXPECT_EQ(tree.GetParentItem(second), root);
    EXPECT_EQ(tree.GetItemText(first), "model");
    EXPECT_EQ(tree.GetItemText(second), longName.substr(0, 127));
    EXPECT_EQ(tree.GetItemImage(first), 4);
    EXPECT_EQ(tree.GetItemImage(nullptr), -1);
    EXPECT_EQ(tree.GetItemText(nullptr), "");

    EXPECT_TRUE(tree.IsChecked(first));
    EXPECT_FALSE(tree.IsChecked(second));
    tree.SetCheckRecursive(root, true);
    EXPECT_TRUE(tree.IsChecked(second));
    // An item without children: nothing changes.
    tree.SetCheckRecursive(second, false);
    EXPECT_TRUE(tree.IsChecked(second));
    tree.SetCheck(second, false);
    EXPECT_FALSE(tree.IsChecked(second));
    tree.RemoveCheck(first);
    EXPECT_FALSE(tree.IsChecked(first));

    tree.SelectItem(second);
    EXPECT_EQ(tree.GetSelection(), second);
    tree.DeleteChildren(root);
    EXPECT_EQ(tree.GetChild(root), nullptr);
    tree.DeleteAll();
    EXPECT_EQ(tree.GetRoot(), nullptr);
}

TEST(ControlListView, InsertFindAndRead) {
    GuiTest::Host host;
    Winplus::ControlListView list;
    list.Create(host.Handle(), WC_LISTVIEWA, LVS_LIST, 8);
    EXPECT_TRUE(list.InsertItem(0, "alpha", 0));
    EXPECT_TRUE(list.InsertItem(1, "beta", 1));
    EXPECT_EQ(list.FindItem("beta"), 1);
    EXPECT_EQ(list.FindItem("gamma"), -1);
    list.SetItemText(0, 0, "first");
    EXPECT_EQ(list.GetItemText(0), "first");
    EXPECT_EQ(list.GetItemText(-1), "");
    EXPECT_TRUE(list.DeleteAll());
    EXPECT_EQ(list.FindItem("beta"), -1);
}

TEST(ControlListBoxAndCombo, SelectedTexts) {
    GuiTest::Host host;
    Winplus::ControlListBox box;
    box.Create(host.Handle(), "LISTBOX", 0, 9);
    EXPECT_EQ(box.GetSelectedText(), "");
    box.AddString("one");
    box.AddString("two");
    SendMessageA(box.Handle(), LB_SETCURSEL, 1, 0);
    EXPECT_EQ(box.GetCurSel(), 1);
    EXPECT_EQ(box.GetSelectedText(), "two");
    box.Reset();
    EXPECT_EQ(box.GetCurSel(), LB_ERR);

    Winplus::ControlCombo combo;
    combo.Create(host.Handle(), "COMBOBOX", CBS_DROPDOWNLIST, 10);
    EXPECT_EQ(combo.GetSelectedText(), "");
    combo.AddString("Real");
    combo.AddString("Imaginary");
    combo.SetCurSel(0);
    EXPECT_EQ(combo.GetSelectedText(), "Real");
    combo.SelectString("Imag");
    EXPECT_EQ(combo.GetSelectedText(), "Imaginary");
}

TEST(ControlEdit, NumbersInAndOut) {
    GuiTest::Host host;
    Winplus::ControlEdit edit;
    edit.Create(host.Handle(), "EDIT", ES_AUTOHSCROLL, 11);
    bool ok = true;
    edit.SetText("abc");
    EXPECT_EQ(edit.GetDouble(ok), 0.0);
    EXPECT_FALSE(ok);
    edit.SetText("1e999");
    EXPECT_EQ(edit.GetDouble(ok), 0.0);
    EXPECT_FALSE(ok);
    edit.SetText(" -2.5e3 ");
    EXPECT_EQ(edit.GetDouble(ok), -2500.0);
    EXPECT_TRUE(ok);
    edit.SetDouble(0.1);
    EXPECT_EQ(edit.GetText(), "0.1");
    edit.SetDouble(1.0 / 3.0);
    EXPECT_EQ(edit.GetText(), "0.3333333333333333");
    edit.SetText(std::string(300, '7'));
    EXPECT_EQ(edit.GetText().size(), 127u);
}

TEST(ControlUpDown, CreatedThroughExport16WithRange0To3) {
    GuiTest::Host host;
    Winplus::ControlUpDown upDown;
    upDown.CreateUpDown(host.Handle(), 12);
    ASSERT_NE(upDown.Handle(), nullptr);
    const LRESULT range = SendMessageA(upDown.Handle(), UDM_GETRANGE, 0, 0);
    EXPECT_EQ(HIWORD(range), 0);  // lower
    EXPECT_EQ(LOWORD(range), 3);  // upper
    RECT r{};
    GetWindowRect(upDown.Handle(), &r);
    EXPECT_EQ(r.right - r.left, 32);
    EXPECT_EQ(r.bottom - r.top, 18);
}

TEST(Control, ReleasingTheWrapperDestroysTheWindow) {
    GuiTest::Host host;
    HWND hwnd = nullptr;
    {
        Winplus::ControlEdit edit;
        edit.Create(host.Handle(), "EDIT", 0, 13);
        hwnd = edit.Handle();
        EXPECT_TRUE(IsWindow(hwnd));
    }
    EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace
