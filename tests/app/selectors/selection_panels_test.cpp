// The selection panel and the three selectors in a test window, driven by the messages a user's
// clicks and typing send; a recording command and the buses show what arrived.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/selectors/capsule_selector.h"
#include "app/selectors/formula_bar.h"
#include "app/selectors/function_selector.h"
#include "app/base/project_state.h"
#include "app/selectors/selection_panel.h"
#include "functions/families.h"
#include "model/current.h"
#include "model/factory.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"
#include "model/selection.h"
#include "tests/common/code_log.h"
#include "tests/winplus/gui_test_support.h"
#include "winplus/button_machine.h"

namespace {

using Core::Node;
namespace Selection = Core::Selection;

// Records every code and hands it on to the selection panel's command when there is one.
struct Recorder : Winplus::Command {
    bool Execute(const int& code) override {
        codes.push_back(code);
        if (next) next->Execute(code);
        return true;
    }
    std::vector<int> codes;
    Safe::XPtr<Winplus::Command> next;
};

void Click(HWND window, int x, int y) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// A click in the middle of the sticker of that name.
void ClickSticker(HWND window, const Winplus::StickerBar& bar, const std::wstring& name) {
    for (const auto& sticker : bar.Stickers())
        if (sticker->Name() == name)
            return Click(window, sticker->x + sticker->width / 2, sticker->y + sticker->height / 2);
    ADD_FAILURE() << "no sticker";
}

void Notify(HWND parent, HWND control, int code) {
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

std::string Text(HWND window) {
    return Core::WholeWindowText(window);
}

class SelectionPanels : public testing::Test {
protected:
    void SetUp() override {
        Capsule::RegisterFamilies();
        Core::MenuCore::SetCurrentModel(model);
        GuiTest::Boxes().clear();
        selection = Place(Safe::MakeX<Core::NodeSelection>(Host()), 0, 110);
        recorder->next = selection->GetTarget();
        onSelection = Selection::AddObserver(selectionCodes);
    }
    Winplus::Wnd Host() const { return host.Window(); }
    // Places a leaf in the host as its column would.
    template <class Leaf>
    Safe::XPtr<Leaf> Place(const Safe::XPtr<Leaf>& leaf, int y, int height) {
        leaf->Move(0, y, 1000, height, true);
        return leaf;
    }

    Core::MathMap::Ptr model = Core::MathMap::CreateModel("a");
    GuiTest::Host host{1000, 400};
    Safe::XPtr<Core::NodeSelection> selection;
    Safe::XPtr<Recorder> recorder = Safe::MakeX<Recorder>();
    Safe::XPtr<CodeLog<SelectionEvent>> selectionCodes = NewCodeLog<SelectionEvent>();
    EventBus::Registration onSelection;
};

TEST_F(SelectionPanels, CatalogueClicksPickThroughTheSelectionPanel) {
    auto catalogue = Place(Safe::MakeX<Core::FunctionSelector>(Host()), 110, 42);
    catalogue->SetTarget(recorder);
    Core::FunctionController& c = catalogue->Control();
    const HWND window = c.Handle();
    ASSERT_EQ(c.Categories().Count(), 8);
    EXPECT_EQ(c.CurrentCategory()->Name(), L"Basic-Functions");
    EXPECT_EQ(c.CurrentCategory()->GetSelected()->Name(), L"Real(z)");
    EXPECT_EQ(Selection::GetNode()->GetTypeId(), 300);  // the panel's pick at start

    // A tab picks its category's selected entry at once; a sticker its own code.
    ClickSticker(window, *c.Tabs(), L"Peak-Functions");
    ClickSticker(window, *c.CurrentCategory(), L"Voigt()");
    ClickSticker(window, *c.Tabs(), L"Numbers-Constants");
    ClickSticker(window, *c.CurrentCategory(), L"h");
    EXPECT_EQ(recorder->codes, (std::vector<int>{700, 702, 604, 406}));
    Click(window, 990, 10);  // beside the last sticker
    Click(window, 20, 30);   // on the tabs' up-down, no tab
    EXPECT_EQ(recorder->codes.size(), 4u);

    // Back to the peaks: Voigt() is still that category's pick.
    ClickSticker(window, *c.Tabs(), L"Peak-Functions");
    EXPECT_EQ(recorder->codes.back(), 702);
    const Node::Ptr voigt = Selection::GetNode();
    EXPECT_EQ(voigt->GetTypeId(), 702);

    // The panel lists Voigt's arguments; its abscissa follows the model's "x".
    Core::SelectionController& panel = selection->Panel();
    const auto& arguments = panel.Logic().GetArguments();
    const int xIndex = voigt->GetVariableChildIndex();
    ASSERT_GE(xIndex, 0);
    EXPECT_EQ(arguments.at(static_cast<std::size_t>(xIndex))->GetTypeId(), Core::kMapCapsuleId);
    EXPECT_EQ(panel.ArgumentTabs()->Count(), static_cast<int>(arguments.size()));
    EXPECT_EQ(panel.ModeTabs()->Selected(), 0);

    // A row wider than the panel scrolls sticker by sticker.
    ClickSticker(window, *c.Tabs(), L"Basic-Functions");
    ASSERT_TRUE(IsWindowEnabled(c.ScrollBar()->Handle()));
    SendMessageA(window, WM_HSCROLL, SB_LINEDOWN,
                 reinterpret_cast<LPARAM>(c.ScrollBar()->Handle()));
    EXPECT_EQ(c.CurrentCategory()->FirstVisible(), 1);
}

TEST_F(SelectionPanels, ArgumentBoxesBindUnbindAndSetValues) {
    selection->GetTarget()->Execute(700);  // "Gaussian()"
    Core::SelectionController& panel = selection->Panel();
    const HWND window = panel.Handle();
    const Node::Ptr gaussian = Selection::GetNode();
    const int xIndex = gaussian->GetVariableChildIndex();
    const int other = xIndex == 0 ? 1 : 0;
    const HWND variables = panel.VariableBox().Handle();
    const HWND value = panel.ValueBox().Handle();

    const auto& xTab = *panel.ArgumentTabs()->Stickers().at(static_cast<std::size_t>(xIndex));
    Click(window, xTab.x + xTab.width / 2, xTab.y + 5);
    EXPECT_EQ(panel.VariableBox().GetSelectedText(), "x");
    EXPECT_EQ(Text(value), "variable");
    EXPECT_FALSE(IsWindowEnabled(value));

    // "NONE" makes the bound argument a plain value (113), editable in the value box.
    selectionCodes->codes.clear();
    SendMessageA(variables, CB_SETCURSEL, 0, 0);
    Notify(window, variables, CBN_SELCHANGE);
    EXPECT_EQ(selectionCodes->codes, std::vector<int>{113});
    EXPECT_NE(gaussian->GetChild(xIndex)->GetTypeId(), Core::kMapCapsuleId);
    EXPECT_TRUE(IsWindowEnabled(value));

    // Another argument takes a typed number; a text that is no number changes nothing.
    const auto& otherTab = *panel.ArgumentTabs()->Stickers().at(static_cast<std::size_t>(other));
    Click(window, otherTab.x + otherTab.width / 2, otherTab.y + 5);
    SetWindowTextA(value, "2.5");
    Notify(window, value, EN_CHANGE);
    EXPECT_EQ(gaussian->GetChild(other)->GetValue().real(), 2.5);
    SetWindowTextA(value, "2.5x");
    Notify(window, value, EN_CHANGE);
    EXPECT_EQ(gaussian->GetChild(other)->GetValue().real(), 2.5);
    // Showing a value that the box writes shorter than it is never rounds the argument.
    gaussian->GetChild(other)->SetValue(Core::Complex(0.1 + 0.2, 0.0), 0);
    Click(window, xTab.x + xTab.width / 2, xTab.y + 5);
    Click(window, otherTab.x + otherTab.width / 2, otherTab.y + 5);
    EXPECT_EQ(gaussian->GetChild(other)->GetValue().real(), 0.1 + 0.2);

    // Binding again to "x" puts a reference back in the node.
    Click(window, xTab.x + xTab.width / 2, xTab.y + 5);
    SendMessageA(variables, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>("x"));
    Notify(window, variables, CBN_SELCHANGE);
    EXPECT_EQ(gaussian->GetChild(xIndex)->GetTypeId(), Core::kMapCapsuleId);
    EXPECT_EQ(Text(value), "variable");
}

TEST_F(SelectionPanels, FormulaBarValidatesTheWholeTextAndFollowsMathMode) {
    auto bar = Place(Safe::MakeX<Core::FormulaBar>(Host()), 110, 24);
    bar->SetTarget(recorder);
    Core::FormulaBarController& c = bar->Control();
    const HWND tools = c.Bar()->Controller()->Handle();
    const HWND edit = c.Edit().Handle();
    const auto state = [&](int id) { return c.Bar()->Controller()->GetButtonState(id); };
    EXPECT_EQ(state(Core::FormulaBarController::kSave), Winplus::kDisabled);

    // Longer than the controls' 127-character read-back: the whole text is the formula.
    std::string text = "f(x)=x";
    while (text.size() < 200) text += "+x";
    SetWindowTextA(edit, text.c_str());
    Click(tools, 1 + 72 + 11, 11);  // "Validate formula"
    const auto* formula = dynamic_cast<Core::FormulaCapsule*>(Selection::GetFormula().Get());
    ASSERT_TRUE(formula);
    EXPECT_EQ(formula->GetFormulaText(), text);
    EXPECT_EQ(recorder->codes, std::vector<int>{0});
    EXPECT_EQ(state(Core::FormulaBarController::kSave), Winplus::kNormal);
    // The selection panel shows the formula with its argument bound to "x".
    EXPECT_EQ(Selection::GetMode(), Selection::kFormulaMode);
    EXPECT_EQ(selection->Panel().ModeTabs()->Selected(), 1);
    EXPECT_EQ(selection->Panel().Logic().GetArgumentNames(), std::vector<std::string>{"x"});

    // A typo: the formula's message, the stored formula kept, nothing to save.
    SetWindowTextA(edit, "g(x)=2*");
    Click(tools, 1 + 72 + 11, 11);
    ASSERT_EQ(GuiTest::Boxes().size(), 1u);
    EXPECT_EQ(GuiTest::Boxes()[0].caption, "Error Message");
    EXPECT_EQ(formula->GetFormulaText(), text);
    EXPECT_EQ(state(Core::FormulaBarController::kSave), Winplus::kDisabled);

    // "Math explorer formulas": the edit box shows the current node, which is no formula.
    Click(tools, 1 + 50 + 11, 11);
    EXPECT_TRUE(c.Editor().IsMathMode());
    EXPECT_EQ(Text(edit), "Not a formula");
    // Its expression follows the current node while the mode lasts.
    Core::MenuCore::SetCurrentNode(Selection::GetFormula());
    EXPECT_EQ(Text(edit), text.substr(5));
    Click(tools, 1 + 50 + 11, 11);
    EXPECT_FALSE(c.Editor().IsMathMode());
}

TEST_F(SelectionPanels, LibraryFunctionsAreStoredBeforeThePanelHearsOfThem) {
    auto library = Place(Safe::MakeX<Core::CapsuleSelector>(Host()), 110, 42);
    library->SetTarget(recorder);
    Core::CapsuleController& c = library->Control();
    EXPECT_EQ(c.Categories().Count(), 0);  // no default list beside the tests

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string list = std::string(temp) + "sorix-selection.flb";
    std::string dll = SORIX_EXAMPLE_DLL;
    if (dll[0] == '/') dll = "Z:" + dll;
    std::ofstream(list) << dll << "\nmissing.dll\n";
    Core::MenuCore::SetLibraryList(list);  // the library bus's 960
    DeleteFileA(list.c_str());
    ASSERT_EQ(c.Categories().Count(), 1);
    EXPECT_EQ(c.Tabs()->Stickers().at(0)->Name(), L"example_functions");
    ASSERT_EQ(GuiTest::Boxes().size(), 1u);  // the library that failed, told once
    EXPECT_NE(GuiTest::Boxes()[0].text.find("missing.dll"), std::string::npos);

    const auto& first = *c.CurrentCategory()->Stickers().at(0);
    selectionCodes->codes.clear();
    Click(c.Handle(), first.x + first.width / 2, first.y + 5);
    EXPECT_EQ(recorder->codes, std::vector<int>{-1});
    const Node::Ptr picked = Selection::GetNode();
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->GetSourceKind(), Core::kUserCapsule);
    EXPECT_EQ(selectionCodes->codes.front(), 110);  // stored before the panel was told
    EXPECT_EQ(picked->GetChild(picked->IndexOfChild("x"))->GetTypeId(), Core::kMapCapsuleId);

    // The built-in category: its codes make no node, and the pick stays.
    Core::MenuCore::SetLibraryCategory(0);
    EXPECT_EQ(c.CurrentCategory()->Name(), L"Effective-Medium-Theories");
    ClickSticker(c.Handle(), *c.CurrentCategory(), L"MG-EMT");
    EXPECT_EQ(recorder->codes.back(), 1101);
    EXPECT_EQ(Selection::GetNode(), picked);
}

}  // namespace
