// The Data Files and Math explorers and the Comments panel as windows under Wine: the trees
// driven through the tree view's messages (selection, label edits, the right button at the
// cursor, menu commands), with the stores and buses they change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/explorers/comments_leaf.h"
#include "app/explorers/data_explorer.h"
#include "app/explorers/math_tree.h"
#include "app/base/project_comment.h"
#include "app/base/project_state.h"
#include "io/data_set.h"
#include "model/current.h"
#include "tests/app/explorers/explorer_gui_support.h"
#include "tests/app/scripted_platform.h"
#include "tests/common/code_log.h"
#include "tests/io/reader_support.h"
#include "tests/winplus/gui_test_support.h"

namespace {

std::string CurrentSpectrum() {
    const Spectrum::Ptr current = Core::DataSet::GetCurrent();
    return current ? current->GetNameA() : "none";
}

class DataFilesTree : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file : {"jcamp/fixdec1.jdx", "jcamp/pacdec1.jdx", "jcamp/sqzdec1.jdx"})
            ASSERT_TRUE(Core::DataSet::AddDataFile(test::TestData(file)));
        Core::DataSet::Notify(DataSetEvent::kDataSetReplaced);
        Core::MenuCore::SetSaved(true);
        log->codes.clear();
    }
    Core::ControlData& Tree() { return *leaf->ContentControl(); }

    GuiTest::Host host;
    test::CapturedBoxes boxes;
    test::ScriptedDialogs dialogs;
    Core::MenuCore::ProjectObserver marker;
    Safe::XPtr<Core::DataLeaf> leaf = Safe::MakeX<Core::DataLeaf>(host.Window());
    Safe::XPtr<CodeLog<DataSetEvent>> log = NewCodeLog<DataSetEvent>();
    EventBus::Registration onDataSet = Core::DataSet::AddObserver(log);
};

TEST_F(DataFilesTree, SelectsRenamesAndRemovesSpectraThroughTheTree) {
    leaf->Move(0, 0, 220, 300, true);
    Core::ControlData& tree = Tree();
    EXPECT_EQ(GetWindowLongA(tree.Handle(), GWL_STYLE), 0x5000002B);
    EXPECT_EQ(ExplorerGui::Items(tree), "Files(0)[fixdec1(1) pacdec1(1) sqzdec1(1)]");

    ExplorerGui::Select(tree, tree.Find("pacdec1", 1));
    EXPECT_EQ(CurrentSpectrum(), "pacdec1");
    ExplorerGui::Select(tree, tree.GetRoot());
    EXPECT_EQ(CurrentSpectrum(), "none");
    EXPECT_EQ(log->codes, (std::vector<int>{230, 230}));

    // A rename to a taken name reverts; a free one stays, is announced and unsaves the project.
    ExplorerGui::Select(tree, tree.Find("pacdec1", 1));
    EXPECT_FALSE(ExplorerGui::EditLabel(tree, tree.GetRoot(), "Data"));
    EXPECT_TRUE(ExplorerGui::EditLabel(tree, tree.Find("pacdec1", 1), "fixdec1"));
    EXPECT_TRUE(Core::MenuCore::IsSaved());
    EXPECT_TRUE(ExplorerGui::EditLabel(tree, tree.Find("pacdec1", 1), "sample"));
    EXPECT_EQ(ExplorerGui::Items(tree), "Files(0)[fixdec1(1) sample(1) sqzdec1(1)]");
    EXPECT_TRUE(Core::DataSet::GetSet().Find(L"sample"));
    EXPECT_FALSE(Core::MenuCore::IsSaved());

    // The right button on a spectrum opens the file menu; "Remove" drops it from set and tree.
    EXPECT_EQ(ExplorerGui::RightClick(tree, tree.Find("sqzdec1", 1)),
              "Remove|-|Save>Complex Spectrum...|Real Spectrum...|Imag Spectrum...");
    EXPECT_EQ(CurrentSpectrum(), "sqzdec1");
    log->codes.clear();
    ExplorerGui::MenuCommand(tree, Core::DataFiles::kRemove);
    EXPECT_EQ(ExplorerGui::Items(tree), "Files(0)[fixdec1(1) sample(1)]");
    EXPECT_EQ(CurrentSpectrum(), "none");
    EXPECT_EQ(log->codes, (std::vector<int>{230, 130}));
    EXPECT_EQ(Core::DataSet::GetSet().Count(), 2);
}

TEST_F(DataFilesTree, TheRootMenuLoadsOpusBlockTypesAndRemovesAll) {
    leaf->Move(0, 0, 220, 300, true);
    Core::ControlData& tree = Tree();
    const std::string menu = ExplorerGui::RightClick(tree, tree.GetRoot());
    EXPECT_TRUE(menu.starts_with("Load Data File...|Load Opus File>Reflectance...|Tra")) << menu;
    EXPECT_NE(menu.find("|Emittance...|Absorbance...|ATR...|"), std::string::npos);
    EXPECT_TRUE(menu.ends_with("|IS spectrum...|IB spectrum...|-|Remove All")) << menu;

    // Saving without a current spectrum opens no dialog.
    ExplorerGui::MenuCommand(tree, Core::DataFiles::kSaveReal);
    EXPECT_TRUE(dialogs.requests.empty());
    Core::DataSet::SetOpusType(1047);
    dialogs.Answer(test::TestData("opus/test_spectra.0"));
    ExplorerGui::MenuCommand(tree, 12319);  // "Reflectance..."
    EXPECT_EQ(dialogs.Last().title, "Load Data File");
    EXPECT_EQ(Core::DataSet::GetOpusType(), 12319);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(ExplorerGui::Items(tree),
              "Files(0)[fixdec1(1) pacdec1(1) sqzdec1(1) test_spectra(1)]");

    ExplorerGui::Select(tree, tree.Find("fixdec1", 1));
    ExplorerGui::MenuCommand(tree, Core::DataFiles::kRemoveAll);
    EXPECT_EQ(ExplorerGui::Items(tree), "Files(0)");
    EXPECT_EQ(CurrentSpectrum(), "none");
}

class MathTree : public ::testing::Test {
protected:
    void SetUp() override {
        Core::MathMapIo::InitProject();
        Core::MenuCore::Notify(ModelEvent::kModelsReset);
        leaf->Move(0, 0, 220, 300, true);
        log->codes.clear();
    }
    Core::ControlMath& Tree() { return *leaf->ContentControl(); }
    static std::string Current() {
        const Core::MathMap::Ptr model = Core::MenuCore::GetCurrentModel();
        const Core::NodeMap::Ptr definition = Core::MenuCore::GetCurrentDefinition();
        return (model ? model->GetNameA() : "-") + "/" + (definition ? definition->Name() : "-");
    }

    GuiTest::Host host;
    test::CapturedBoxes boxes;
    test::ScriptedDialogs dialogs;
    Safe::XPtr<Core::MathLeaf> leaf = Safe::MakeX<Core::MathLeaf>(host.Window());
    Safe::XPtr<CodeLog<ModelEvent>> log = NewCodeLog<ModelEvent>();
    EventBus::Registration onModels = Core::MenuCore::AddObserver(log);
};

TEST_F(MathTree, SelectionsMakeModelsAndDefinitionsCurrent) {
    Core::ControlMath& tree = Tree();
    EXPECT_EQ(ExplorerGui::Items(tree), "Models(0)[basic(1)[x(2) model(3)]]");
    ExplorerGui::Select(tree, tree.Find("model", 3));
    EXPECT_EQ(Current(), "basic/model");
    ExplorerGui::Select(tree, tree.Find("basic", 1));
    EXPECT_EQ(Current(), "basic/-");
    ExplorerGui::Select(tree, tree.GetRoot());
    EXPECT_EQ(Current(), "-/-");
    // Only changes are announced: the definition set and cleared, then the model cleared.
    EXPECT_EQ(log->codes, (std::vector<int>{201, 201, 200}));

    // Menu action 190: a new model "basic", under a free name.
    Core::MenuCore::Notify(ModelEvent::kBasicModelRequested);
    EXPECT_EQ(ExplorerGui::Items(tree),
              "Models(0)[basic(1)[x(2) model(3)] basic@1(1)[x(2) model(3)]]");
}

TEST_F(MathTree, MenusAddRenameAndRemoveModelsAndDefinitions) {
    Core::ControlMath& tree = Tree();
    EXPECT_EQ(ExplorerGui::RightClick(tree, tree.GetRoot()), "Add Basic Model|Load Model...");
    ExplorerGui::MenuCommand(tree, Core::MathExplorer::kAddBasicModel);
    EXPECT_EQ(ExplorerGui::RightClick(tree, tree.Find("basic@1", 1)),
              "Add Variable|Add Definition|Remove|-|Save...");
    ExplorerGui::MenuCommand(tree, Core::MathExplorer::kAddVariable);
    ExplorerGui::MenuCommand(tree, Core::MathExplorer::kAddDefinition);
    EXPECT_EQ(ExplorerGui::Items(tree),
              "Models(0)[basic(1)[x(2) model(3)] basic@1(1)[x(2) model(3) v(2) m(3)]]");
    EXPECT_EQ(tree.GetSelected().text, "basic@1");
    EXPECT_EQ(Current(), "basic@1/-");

    // Renames: a taken model name reverts; free names stay and are announced.
    log->codes.clear();
    EXPECT_TRUE(ExplorerGui::EditLabel(tree, tree.Find("basic@1", 1), "basic"));
    EXPECT_TRUE(ExplorerGui::EditLabel(tree, tree.Find("basic@1", 1), "second"));
    EXPECT_TRUE(ExplorerGui::EditLabel(tree, tree.Find("v", 2), "w"));
    EXPECT_EQ(log->codes, (std::vector<int>{300, 301}));
    EXPECT_EQ(ExplorerGui::Items(tree),
              "Models(0)[basic(1)[x(2) model(3)] second(1)[x(2) model(3) w(2) m(3)]]");
    ASSERT_TRUE(Core::Models().Find(L"second"));
    EXPECT_TRUE(Core::Models().Find(L"second")->FindMap("w"));

    // The definition menu removes a definition; the model menu the model.
    EXPECT_EQ(ExplorerGui::RightClick(tree, tree.Find("w", 2)), "Remove");
    ExplorerGui::MenuCommand(tree, Core::MathExplorer::kRemoveDefinition);
    ExplorerGui::RightClick(tree, tree.Find("second", 1));
    ExplorerGui::MenuCommand(tree, Core::MathExplorer::kRemoveModel);
    EXPECT_EQ(ExplorerGui::Items(tree), "Models(0)[basic(1)[x(2) model(3)]]");
    EXPECT_EQ(Current(), "-/-");
    EXPECT_EQ(Core::Models().Count(), 1);
}

TEST(CommentsPanel, ShowsTheCommentAndHandsInTheWholeTypedText) {
    GuiTest::Host host;
    Core::MenuCore::SetSaved(true);
    auto leaf = Safe::MakeX<Core::CommentsLeaf>(host.Window());
    leaf->Move(0, 0, 220, 200, true);
    HWND edit = leaf->ContentControl()->Handle();
    EXPECT_EQ(GetWindowLongA(edit, GWL_STYLE), 0x500010C4);
    EXPECT_EQ(leaf->ContentControl()->FullText(), "//Project comment and description");
    RECT r{};
    GetWindowRect(edit, &r);
    MapWindowPoints(nullptr, leaf->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.right, 219);

    // The program's own texts leave the project saved; typing does not.
    Core::ProjectComment::Set("read from a file", true);
    EXPECT_EQ(leaf->ContentControl()->FullText(), "read from a file");
    EXPECT_TRUE(Core::MenuCore::IsSaved());
    const std::string typed(300, 'c');
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
    EXPECT_FALSE(Core::MenuCore::IsSaved());
    EXPECT_EQ(Core::ProjectComment::Get(true), typed);
    Core::ProjectComment::Reset();
    EXPECT_EQ(leaf->ContentControl()->FullText(), "//Project comment and description");
}

}  // namespace
