#include "app/explorers/definition_edits.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/base/project_state.h"
#include "functions/families.h"
#include "functions/file_table.h"
#include "io/data_set.h"
#include "model/current.h"
#include "model/factory.h"
#include "model/map_bar.h"
#include "model/selection.h"
#include "tests/app/explorers/definition_sample.h"
#include "tests/app/scripted_platform.h"
#include "tests/common/code_log.h"
#include "tests/io/reader_support.h"

namespace {

using namespace Core;
namespace Id = DefinitionMenuId;
namespace Bar = DefinitionBarCode;
using Codes = std::vector<int>;

// A text file's contents as written in text mode: CR LF ends the lines on Windows.
std::string TextFile(const std::string& lines) {
#ifdef _WIN32
    std::string text;
    for (char c : lines) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return text;
#else
    return lines;
#endif
}

// The tree's names: a node followed by its children in parentheses.
std::string Tree(const Node::Ptr& node) {
    if (!node) return "";
    std::string text = node->Name();
    for (int i = 0; i < node->ChildCount(); ++i)
        text += (i == 0 ? "(" : ",") + Tree(node->GetChild(i));
    return node->ChildCount() > 0 ? text + ")" : text;
}

class DefinitionEdits : public ::testing::Test {
protected:
    void SetUp() override {
        model = DefinitionSample::MakeCurrent();
        definition = model->FindMap("model");
        editor.OnModelEvent(ModelEvent::kCurrentDefinitionChanged);
    }

    // Selects the item and runs the command; the codes each bus heard meanwhile.
    bool Run(const std::string& item, int command, bool bar = false) {
        editor.SelectItem(item);
        models->codes.clear();
        bars->codes.clear();
        return bar ? editor.RunBarCommand(command) : editor.RunMenuCommand(nullptr, command);
    }
    std::string Current() const {
        const Node::Ptr node = MenuCore::GetCurrentNode();
        return node ? node->Name() : "(none)";
    }

    MathMap::Ptr model;
    NodeMap::Ptr definition;
    DefinitionEditor editor;
    Safe::XPtr<CodeLog<ModelEvent>> models = NewCodeLog<ModelEvent>();
    Safe::XPtr<CodeLog<MapBarEvent>> bars = NewCodeLog<MapBarEvent>();
    EventBus::Registration modelBus = MenuCore::AddObserver(models);
    EventBus::Registration barBus = MapBar::AddObserver(bars);
};

TEST_F(DefinitionEdits, MenuCommandsEditTheDefinitionAndUndoRedoWalksThemBack) {
    struct Step {
        const char* item;
        Node::Ptr selection;  // what the selection store offers, when anything
        int command;
        bool done;
        const char* tree;
        const char* current;
        Codes modelCodes;
    };
    const Step steps[] = {
        {"m", Node::Create(208), Id::kSetSelection, true, "Sum(c)", "Sum", {104, 202}},
        {"Sum",
         Node::Create(700),
         Id::kAppendSelection,
         true,
         "Sum(c,Gaussian(x,A,xc,w))",
         "Sum",
         {104}},
        {"Gaussian", nullptr, Id::kReset, true, "Sum(c,c:1)", "c:1", {104, 202}},
        {"c", nullptr, Id::kRemove, true, "Sum(c:1)", "c:1", {104, 202}},
        // A fixed child cannot go, nor the root; a basic node takes no children.
        {"Sum", nullptr, Id::kRemove, false, "Sum(c:1)", "Sum", {}},
        {"c:1", Node::Create(100), Id::kAppendSelection, false, "Sum(c:1)", "c:1", {}},
        {"Sum", Node::Create(2102), Id::kAppendSelection, true, "Sum(c:1,Points)", "Sum", {104}},
        {"Points",
         nullptr,
         Id::kAppendElement,
         true,
         "Sum(c:1,Points((x,y)(px,py)))",
         "Points",
         {104}},
        // The definition item is no node to edit.
        {"", nullptr, Id::kReset, false, "Sum(c:1,Points((x,y)(px,py)))", "(none)", {}},
    };
    std::vector<std::string> trees = {Tree(definition->GetRoot())};
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.item) + " " + std::to_string(step.command));
        if (step.selection) Selection::SetNode(step.selection);
        EXPECT_EQ(Run(step.item, step.command), step.done);
        EXPECT_EQ(Tree(definition->GetRoot()), step.tree);
        EXPECT_EQ(Current(), step.current);
        EXPECT_EQ(models->codes, step.modelCodes);
        if (step.done) trees.push_back(step.tree);
    }
    // The history is bounded at ten steps; six edits are all there. Undo and redo refill the
    // tree with nothing selected, relink and announce; the tool bar hears its flags change.
    ASSERT_EQ(definition->UndoCount(), 6);
    EXPECT_TRUE(MapBar::IsUndoAvailable(1));
    for (std::size_t i = trees.size() - 1; i > 0; --i) {
        EXPECT_TRUE(Run("Sum", Bar::kUndo, true));
        EXPECT_EQ(Tree(definition->GetRoot()), trees[i - 1]);
        EXPECT_EQ(Current(), "(none)");
        EXPECT_EQ(models->codes.back(), CodeNumber(ModelEvent::kDefinitionEdited));
    }
    EXPECT_EQ(bars->codes, Codes({404, 202})) << "the last undo empties the history";
    EXPECT_FALSE(Run("m", Bar::kUndo, true));
    EXPECT_EQ(models->codes, Codes());
    for (std::size_t i = 1; i < trees.size(); ++i) {
        EXPECT_TRUE(Run("", Bar::kRedo, true));
        EXPECT_EQ(Tree(definition->GetRoot()), trees[i]);
    }
    EXPECT_FALSE(MapBar::IsRedoAvailable(1));
}

TEST_F(DefinitionEdits, CutCopyAndPasteGoThroughTheToolBarsClipboard) {
    Selection::SetNode(Node::Create(208));
    ASSERT_TRUE(Run("m", Id::kSetSelection));
    editor.SelectItem("c");
    EXPECT_TRUE(DefinitionBarButtons().cut);
    EXPECT_FALSE(DefinitionBarButtons().paste);

    // Cut leaves an empty node and holds the one it took; Paste places a copy of it.
    EXPECT_TRUE(Run("Sum", Bar::kCut, true));
    EXPECT_EQ(Tree(definition->GetRoot()), "c");
    EXPECT_EQ(bars->codes, Codes({202, 400}));
    EXPECT_EQ(Tree(MapBar::GetTarget()), "Sum(c)");
    EXPECT_TRUE(DefinitionBarButtons().paste);
    EXPECT_TRUE(Run("c", Bar::kPaste, true));
    EXPECT_EQ(Tree(definition->GetRoot()), "Sum(c)");
    EXPECT_NE(definition->GetRoot(), MapBar::GetTarget());
    EXPECT_EQ(models->codes, Codes({104, 202}));

    // Copy holds a copy of the current node; nothing selected copies nothing.
    EXPECT_TRUE(Run("c", Bar::kCopy, true));
    EXPECT_EQ(bars->codes, Codes({400}));
    EXPECT_NE(MapBar::GetTarget(), definition->FindNode("c"));
    EXPECT_FALSE(Run("", Bar::kCopy, true));
    EXPECT_FALSE(Run("", Bar::kPaste, true));
    EXPECT_FALSE(editor.RunBarCommand(105));
}

TEST_F(DefinitionEdits, ConnectOffersOnlyDefinitionsThatCloseNoCycle) {
    const NodeMap::Ptr other = model->AddMap(NodeMap::CreateFunction("other"));
    editor.OnModelEvent(ModelEvent::kCurrentDefinitionChanged);
    std::vector<std::string> names;
    for (const NodeMap::Ptr& map : editor.ConnectList()) names.push_back(map->Name());
    ASSERT_EQ(names, std::vector<std::string>({"x", "other"}));

    ASSERT_TRUE(Run("m", Id::kFirstConnect + 1));
    EXPECT_EQ(DefinitionItemText(definition->GetRoot()), "m->other");
    EXPECT_EQ(models->codes, Codes({104, 202}));
    // "other" now refers to "model" through a stale list: refused, as it would close a cycle.
    MenuCore::SetCurrentDefinition(other);
    editor.SelectItem("m");
    EXPECT_FALSE(Run("m", Id::kFirstConnect + 1));
    EXPECT_FALSE(Run("m", Id::kFirstConnect + 7));
    editor.OnModelEvent(ModelEvent::kCurrentDefinitionChanged);
    ASSERT_EQ(editor.ConnectList().size(), 1u);
    EXPECT_EQ(editor.ConnectList()[0]->Name(), "x");
}

TEST_F(DefinitionEdits, SortReordersWithoutModelEventButChangesTheProject) {
    Selection::SetNode(Node::Create(2102));
    ASSERT_TRUE(Run("m", Id::kSetSelection));
    for (double x : {3.0, 1.0, 2.0}) {
        ASSERT_TRUE(Run("Points", Id::kAppendElement));
        const Node::Ptr points = definition->GetRoot();
        points->GetChild(points->ChildCount() - 1)->GetChild(0)->SetValue(Complex(x, 0.0), 0);
    }
    MenuCore::SetSaved(true);
    EXPECT_TRUE(Run("Points", Id::kSort));
    std::vector<double> xs;
    for (const Node::Ptr& point : definition->GetRoot()->GetChildren())
        xs.push_back(point->GetChild(0)->GetValue().real());
    EXPECT_EQ(xs, std::vector<double>({1.0, 2.0, 3.0}));
    EXPECT_EQ(models->codes, Codes());
    EXPECT_FALSE(MenuCore::IsSaved());
}

TEST_F(DefinitionEdits, DataFilesFillFileNodesAndPointLists) {
    test::ScratchFolder folder("definition");
    test::ScriptedDialogs dialogs;
    test::CapturedBoxes boxes;
    Selection::SetNode(Node::Create(208));
    ASSERT_TRUE(Run("m", Id::kSetSelection));
    Selection::SetNode(Node::Create(230));
    ASSERT_TRUE(Run("Sum", Id::kAppendSelection));
    Selection::SetNode(Node::Create(2102));
    ASSERT_TRUE(Run("Sum", Id::kAppendSelection));

    // Spectrum items name their spectrum: after the first is gone the second item still loads
    // "b", and the one that named "a" loads nothing.
    for (const wchar_t* name : {L"a", L"b"}) {
        auto spectrum = Safe::MakeX<Spectrum>();
        spectrum->SetName(name);
        spectrum->Resize(2);
        spectrum->SetPoint(0, 1.0, name[0] == L'a' ? 10.0 : 20.0, 0.0);
        spectrum->SetPoint(1, 2.0, 5.0, 0.0);
        DataSet::GetSet().Add(spectrum);
    }
    editor.OnDataSetEvent(DataSetEvent::kDataSetFileAdded);
    DataSet::GetSet().Remove(L"a");
    auto file = Safe::DynamicCast<Capsule::File2C>(definition->FindNode("file-2c"));
    ASSERT_TRUE(file);
    EXPECT_FALSE(Run("file-2c", Id::kFirstSpectrum));
    EXPECT_TRUE(Run("file-2c", Id::kFirstSpectrum + 1));
    EXPECT_EQ(file->GetY(0), 20.0);
    EXPECT_EQ(file->GetChild(1)->Name(), "b");
    EXPECT_EQ(models->codes, Codes({104}));
    editor.OnDataSetEvent(DataSetEvent::kDataSetReplaced);
    EXPECT_EQ(editor.SpectrumItems(), std::vector<std::string>({"b"}));

    // A data file into the file node; its two columns back out.
    const std::string data = folder.Write("in.dat", "100 0.5\n200 0.25\n300 0.125\n");
    dialogs.Answer(data);
    EXPECT_TRUE(Run("file-2c", Id::kLoadDataFile));
    EXPECT_EQ(dialogs.Last().title, "Load Data File");
    EXPECT_EQ(file->Count(), 3);
    EXPECT_EQ(file->GetChild(1)->Name(), data);
    dialogs.Answer(folder.File("out.dat"));
    EXPECT_TRUE(Run("file-2c", Id::kSaveData));
    EXPECT_EQ(test::ReadAll(folder.File("out.dat")),
              TextFile("  1.000000E+02   5.000000E-01\n  2.000000E+02   2.500000E-01\n"
                       "  3.000000E+02   1.250000E-01\n"));

    // The same file as points, written back as elements; cancelled and unreadable files.
    dialogs.Answer(data);
    EXPECT_TRUE(Run("Points", Id::kAppendElementFile));
    EXPECT_EQ(definition->FindNode("Points")->ChildCount(), 3);
    dialogs.Answer(folder.File("points.dat"));
    EXPECT_TRUE(Run("Points", Id::kSaveElements));
    EXPECT_EQ(test::ReadAll(folder.File("points.dat")),
              TextFile("100   0.5\n200   0.25\n300   0.125\n"));
    dialogs.Answer("");
    EXPECT_FALSE(Run("Points", Id::kAppendElementFile));
    dialogs.Answer(folder.Write("bad.dat", "no numbers here\n"));
    EXPECT_FALSE(Run("Points", Id::kAppendElementFile));
    dialogs.Answer(folder.File("missing/points.dat"));
    EXPECT_FALSE(Run("Points", Id::kSaveElements));
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>({"Invalid Element File", "File write failed"}));
    EXPECT_EQ(definition->FindNode("Points")->ChildCount(), 3);
}

TEST_F(DefinitionEdits, MenusAndImagesFollowTheNodeType) {
    Selection::SetNode(Node::Create(208));
    ASSERT_TRUE(Run("m", Id::kSetSelection));
    Selection::SetNode(Node::Create(700));
    ASSERT_TRUE(Run("Sum", Id::kAppendSelection));
    Selection::SetNode(Node::Create(2101));
    ASSERT_TRUE(Run("Sum", Id::kAppendSelection));
    Selection::SetPrototype(Node::Create(100));
    struct Case {
        const char* node;
        DefinitionMenu menu;
        bool appendSelection, sort, remove, reset;
        int image;
    };
    const Case cases[] = {
        {"Sum", DefinitionMenu::kNode, true, true, false, true, 13},
        {"Gaussian", DefinitionMenu::kNode, false, false, true, true, 15},
        {"A", DefinitionMenu::kNode, false, false, false, true, 10},
        {"Dual", DefinitionMenu::kList, false, false, false, true, 23},
        {"p1", DefinitionMenu::kNode, false, false, false, true, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        const Node::Ptr node = definition->FindNode(c.node);
        ASSERT_TRUE(node);
        const DefinitionMenuState state = DefinitionMenuFor(node);
        EXPECT_EQ(state.menu, c.menu);
        EXPECT_EQ(state.appendSelection, c.appendSelection);
        EXPECT_EQ(state.sort, c.sort);
        EXPECT_EQ(state.remove, c.remove);
        EXPECT_EQ(state.reset, c.reset);
        EXPECT_EQ(state.setPrototype, state.menu == DefinitionMenu::kNode);
        EXPECT_EQ(DefinitionItemImage(node), c.image);
    }
}

}  // namespace
