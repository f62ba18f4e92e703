#include "app/selectors/formula_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formula/formula.h"
#include "functions/families.h"
#include "model/current.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"
#include "model/selection.h"
#include "tests/app/scripted_platform.h"
#include "tests/common/code_log.h"
#include "tests/io/reader_support.h"

namespace {

namespace Selection = Core::Selection;
using Core::FormulaCapsule;

struct Recorder : Winplus::Command {
    bool Execute(const int& code) override {
        codes.push_back(code);
        return true;
    }
    std::vector<int> codes;
};

std::string TextOf(const Core::Node::Ptr& node) {
    auto* capsule = dynamic_cast<FormulaCapsule*>(node.Get());
    return capsule ? capsule->GetFormulaText() : "none";
}

std::string MessageOf(const std::string& text) {
    Formula formula;
    EXPECT_FALSE(formula.Define(text, false));
    return formula.GetMessage();
}

class FormulaEditing : public ::testing::Test {
protected:
    void SetUp() override {
        Capsule::RegisterFamilies();
        editor.SetTarget(target);
    }

    Core::FormulaEditor editor;
    Safe::XPtr<Recorder> target = Safe::MakeX<Recorder>();
    test::CapturedBoxes boxes;
    Safe::XPtr<CodeLog<ModelEvent>> models = NewCodeLog<ModelEvent>();
    EventBus::Registration onModels = Core::MenuCore::AddObserver(models);
};

TEST_F(FormulaEditing, NormalModeStoresOnlyWhatCompilesAndReadsTheWholeText) {
    editor.Validate("f(x)=2*x");
    EXPECT_EQ(TextOf(Selection::GetFormula()), "f(x)=2*x");
    EXPECT_TRUE(editor.IsSaveEnabled());
    EXPECT_EQ(target->codes, std::vector<int>{0});

    editor.Validate("f(x)=2*");
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, MessageOf("f(x)=2*"));
    EXPECT_EQ(boxes.boxes[0].caption, "Error Message");
    EXPECT_EQ(boxes.boxes[0].icon, Platform::BoxIcon::Stop);
    EXPECT_EQ(TextOf(Selection::GetFormula()), "f(x)=2*x");  // the working formula stays
    EXPECT_FALSE(editor.IsSaveEnabled());
    EXPECT_EQ(target->codes, std::vector<int>{0});

    // 201 characters: x + x + ... + x + 1 with 100 terms x, which is 201 at x = 2.
    std::string sum = "g(x)=";
    for (int i = 0; i < 100; ++i) sum += "x+";
    sum += "1";
    editor.Validate(sum);
    const Core::Node::Ptr node = Selection::GetFormula();
    EXPECT_EQ(TextOf(node), sum);
    node->GetChild(0)->SetValue(Core::Complex(2, 0), 0);
    EXPECT_EQ(node->Evaluate(), Core::Complex(201, 0));
    EXPECT_EQ(editor.Refresh(true, false), sum);
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(models->codes.empty());
}

TEST_F(FormulaEditing, MathModeReplacesOnlyTheExpressionOfTheCurrentFormulaNode) {
    const Core::MathMap::Ptr model = Core::MathMap::CreateModel("m");
    auto formula = Safe::MakeX<Formula>();
    ASSERT_TRUE(formula->Define("f(x,a)=a*x", false));
    auto node = Safe::MakeX<FormulaCapsule>();
    node->SetFormula(formula);
    auto x = Safe::MakeX<Core::MapCapsule>();
    x->SetName("x");
    x->SetMap(model->FindMap("x"));
    node->ReplaceChildAt(0, x);
    node->GetChild(1)->SetValue(Core::Complex(3, 0), 0);

    EXPECT_EQ(editor.Refresh(true, true), "Not a formula");  // no current node
    Core::MenuCore::SetCurrentNode(node);
    EXPECT_EQ(editor.Refresh(false, true), "a*x");
    EXPECT_TRUE(editor.IsMathMode());
    models->codes.clear();

    struct Case {
        const char* typed;
        std::string box;  // empty: accepted
        const char* after;
    };
    const Case cases[] = {
        {"a*x + 1", "", "f(x,a)=a*x + 1"},
        {"a*x+", MessageOf("f(x,a)=a*x+"), "f(x,a)=a*x + 1"},
        {"f(x)=x", "Expression must not contain declaration.", "f(x,a)=a*x + 1"},
        {"a-x", "", "f(x,a)=a-x"},
    };
    std::vector<int> expectedCodes;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        boxes.boxes.clear();
        editor.Validate(c.typed);
        EXPECT_EQ(boxes.Texts(),
                  c.box.empty() ? std::vector<std::string>() : std::vector<std::string>{c.box});
        if (c.box.empty()) expectedCodes.push_back(103);
        EXPECT_EQ(models->codes, expectedCodes);
        EXPECT_EQ(node->GetFormulaText(), c.after);
        EXPECT_EQ(node->GetChild(0), x);  // the argument keeps its reference
        EXPECT_EQ(node->GetChild(1)->GetValue(), Core::Complex(3, 0));
    }
    EXPECT_FALSE(Selection::GetFormula());
    EXPECT_TRUE(target->codes.empty());

    std::vector<std::string> shown;
    editor.SetShow([&shown](const std::string& text) { shown.push_back(text); });
    Core::MenuCore::SetCurrentNode(Core::Node::Create(700));
    boxes.boxes.clear();
    editor.Validate("2");
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Select a formula node"});
    editor.Refresh(true, false);  // math mode off: the current node is not followed
    Core::MenuCore::SetCurrentNode(node);
    EXPECT_EQ(shown, std::vector<std::string>{"Not a formula"});
}

TEST_F(FormulaEditing, OpenAndSaveGoThroughTheSelectionStoresFiles) {
    test::ScratchFolder folder{"editor"};
    test::ScriptedDialogs dialogs;
    editor.Validate("h(t)=t/2");
    dialogs.Answer(folder.File("h.fun"));
    dialogs.Answer(folder.File("h.fun"));
    EXPECT_TRUE(editor.SaveFormula(nullptr));
    EXPECT_FALSE(editor.IsSaveEnabled());
    editor.Refresh(true, true);
    EXPECT_EQ(editor.OpenFormula(nullptr), "h(t)=t/2");
    EXPECT_FALSE(editor.IsMathMode());
    EXPECT_EQ(target->codes, (std::vector<int>{0, 0}));
    EXPECT_EQ(editor.OpenFormula(nullptr), std::nullopt);  // cancelled
}

}  // namespace
