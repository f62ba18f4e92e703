#include "app/selectors/selection_core.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formula/formula.h"
#include "functions/families.h"
#include "model/current.h"
#include "model/formula_capsule.h"
#include "model/map_capsule.h"
#include "model/selection.h"
#include "tests/app/selectors/formula_node.h"
#include "tests/common/code_log.h"

namespace {

using Core::MathMap;
using Core::Node;
using Core::NodeMap;
namespace Selection = Core::Selection;
using Value = Core::ArgumentView::Value;

// A model with the variables "x" and, when asked, "w".
MathMap::Ptr Model(const std::string& name, bool withW) {
    MathMap::Ptr model = MathMap::CreateModel(name);
    if (withW) model->AddMap(NodeMap::CreateVariable("w"));
    return model;
}

NodeMap::Ptr BoundTo(const Node::Ptr& argument) {
    auto* reference = dynamic_cast<Core::MapCapsule*>(argument.Get());
    return reference ? reference->GetMap() : NodeMap::Ptr();
}

class SelectionPicks : public ::testing::Test {
protected:
    void SetUp() override {
        Capsule::RegisterFamilies();
        Core::MenuCore::SetCurrentModel(a);
        core = std::make_unique<Core::SelectionCore>();
        core->SetRelinked([this] { ++relinked; });
        onSelection = Selection::AddObserver(selection);
    }

    // The picked node's abscissa argument, which a catalogue pick binds to "x".
    int VariableIndex() const { return Selection::GetNode()->GetVariableChildIndex(); }

    MathMap::Ptr a = Model("a", true);
    std::unique_ptr<Core::SelectionCore> core;
    int relinked = 0;
    Safe::XPtr<CodeLog<SelectionEvent>> selection = NewCodeLog<SelectionEvent>();
    EventBus::Registration onSelection;
};

TEST_F(SelectionPicks, CatalogueCodesMakeCachedNodesAndCodesWithoutClassChangeNothing) {
    ASSERT_TRUE(Selection::GetNode());
    EXPECT_EQ(Selection::GetNode()->GetTypeId(), 300);  // "Real(z)" at start, not cached
    EXPECT_TRUE(core->GetNodeCache().empty());

    ASSERT_TRUE(core->Pick(700));
    const Node::Ptr gaussian = Selection::GetNode();
    EXPECT_EQ(gaussian->GetTypeId(), 700);
    EXPECT_EQ(core->GetArguments(), gaussian->GetChildren());
    EXPECT_EQ(BoundTo(gaussian->GetChild(VariableIndex())), a->FindMap("x"));
    core->SelectArgument(VariableIndex());
    Core::ArgumentView view = core->View();
    EXPECT_EQ(view.variables.front(), "NONE");
    EXPECT_EQ(view.variables.size(), 3u);  // "NONE", "x", "w"
    EXPECT_EQ(view.variables[static_cast<std::size_t>(view.variable)], "x");
    EXPECT_EQ(view.value, Value::Variable);
    EXPECT_TRUE(view.variableEnabled);
    EXPECT_FALSE(view.valueEnabled);

    selection->codes.clear();
    for (int code : {1100, 1101, 1102, 1103, 987654}) {
        SCOPED_TRACE(code);
        EXPECT_FALSE(core->Pick(code));
        EXPECT_EQ(Selection::GetNode(), gaussian);
        EXPECT_EQ(core->GetNodeCache().size(), 1u);
    }
    EXPECT_TRUE(selection->codes.empty());

    // Picked again under another model, the cached node follows that model's "x" (the model
    // current when it was made may be gone by then).
    const int last = gaussian->ChildCount() - 1;
    gaussian->GetChild(last)->SetValue(Core::Complex(4.5, 0), 0);
    ASSERT_TRUE(core->Pick(300));
    const MathMap::Ptr b = Model("b", false);
    Core::MenuCore::SetCurrentModel(b);
    ASSERT_TRUE(core->Pick(700));
    EXPECT_EQ(Selection::GetNode(), gaussian);
    EXPECT_EQ(core->GetNodeCache().size(), 2u);
    EXPECT_EQ(BoundTo(gaussian->GetChild(VariableIndex())), b->FindMap("x"));
    EXPECT_EQ(gaussian->GetChild(last)->GetValue().real(), 4.5);  // edits kept
}

TEST_F(SelectionPicks, BindUnbindAndValuesReplaceTheSelectionsChildren) {
    ASSERT_TRUE(core->Pick(700));
    const Node::Ptr node = Selection::GetNode();
    const int i = VariableIndex() == 0 ? 1 : 0;
    core->SelectArgument(i);
    core->SetArgumentValue(2.5);
    EXPECT_EQ(node->GetChild(i)->GetValue(), Core::Complex(2.5, 0));
    EXPECT_EQ(core->View().value, Value::Number);
    EXPECT_EQ(core->View().number, 2.5);

    selection->codes.clear();
    core->BindArgument("w");
    EXPECT_EQ(BoundTo(node->GetChild(i)), a->FindMap("w"));
    EXPECT_EQ(core->GetArguments()[static_cast<std::size_t>(i)], node->GetChild(i));
    const Core::Complex w = a->FindMap("w")->GetRoot()->GetValue();
    core->SetArgumentValue(9.0);  // a bound argument has no value of its own to edit
    EXPECT_EQ(a->FindMap("w")->GetRoot()->GetValue(), w);
    Core::ArgumentView view = core->View();
    EXPECT_EQ(view.variables[static_cast<std::size_t>(view.variable)], "w");
    EXPECT_FALSE(view.valueEnabled);

    core->BindArgument("NONE");
    EXPECT_EQ(node->GetChild(i)->GetTypeId(), 100);
    EXPECT_EQ(node->GetChild(i)->Name(), core->GetArgumentNames()[static_cast<std::size_t>(i)]);
    EXPECT_EQ(core->View().variable, 0);
    EXPECT_TRUE(core->View().valueEnabled);
    EXPECT_EQ(selection->codes, (std::vector<int>{113, 113}));

    Core::MenuCore::SetCurrentModel(MathMap::Ptr());
    core->BindArgument("x");  // no model: nothing, not even 113
    EXPECT_EQ(selection->codes.size(), 2u);
    EXPECT_EQ(node->GetChild(i)->GetTypeId(), 100);
}

TEST_F(SelectionPicks, ANumberIsItsOwnArgumentAndIsNeverReplaced) {
    ASSERT_TRUE(core->Pick(602));
    const Node::Ptr number = Selection::GetNode();
    ASSERT_EQ(core->GetArguments(), std::vector<Node::Ptr>{number});
    core->SetArgumentValue(3.25);
    EXPECT_EQ(number->GetValue(), Core::Complex(3.25, 0));
    core->BindArgument("x");
    EXPECT_EQ(core->GetArguments(), std::vector<Node::Ptr>{number});
    EXPECT_EQ(number->ChildCount(), 0);
    EXPECT_EQ(core->View().value, Value::Number);
    EXPECT_EQ(core->View().number, 3.25);
}

TEST_F(SelectionPicks, FormulaAndLibraryPicksBindTheirXAndModelChangesRelink) {
    Selection::SetFormula(FormulaNode("f(x,w)=w*x"));
    ASSERT_TRUE(core->Pick(0));
    EXPECT_EQ(Selection::GetMode(), Selection::kFormulaMode);
    EXPECT_EQ(core->GetArgumentNames(), (std::vector<std::string>{"x", "w"}));
    EXPECT_EQ(BoundTo(Selection::GetFormula()->GetChild(0)), a->FindMap("x"));
    core->SelectArgument(1);
    core->BindArgument("w");

    // Another model: "x" follows its definition of that name, "w" (missing there) keeps a value.
    const MathMap::Ptr b = Model("b", false);
    Core::MenuCore::SetCurrentModel(b);
    EXPECT_EQ(relinked, 1);
    const Node::Ptr formula = Selection::GetFormula();
    EXPECT_EQ(BoundTo(formula->GetChild(0)), b->FindMap("x"));
    EXPECT_EQ(formula->GetChild(1)->GetTypeId(), 100);
    EXPECT_EQ(core->View().variables, (std::vector<std::string>{"NONE", "x"}));
    Core::MenuCore::SetCurrentModel(MathMap::Ptr());  // no model: nothing stays bound
    EXPECT_EQ(formula->GetChild(0)->GetTypeId(), 100);
    EXPECT_EQ(core->View().variables, (std::vector<std::string>{"NONE"}));

    Core::MenuCore::SetCurrentModel(a);
    Selection::SetNode(FormulaNode("lib(t,x)=t+x"));
    ASSERT_TRUE(core->Pick(-1));
    EXPECT_EQ(Selection::GetMode(), Selection::kNodeMode);
    EXPECT_EQ(BoundTo(Selection::GetNode()->GetChild(1)), a->FindMap("x"));
    EXPECT_EQ(core->GetNodeCache().size(), 0u);
    core->ShowMode(1);
    EXPECT_EQ(Selection::GetCurrent(), formula);
    EXPECT_EQ(core->GetArgumentNames(), (std::vector<std::string>{"x", "w"}));
}

}  // namespace
