#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/explorers/data_files.h"
#include "app/explorers/math_explorer.h"
#include "app/base/project_state.h"
#include "io/data_set.h"
#include "model/current.h"
#include "tests/app/scripted_platform.h"
#include "tests/common/code_log.h"
#include "tests/io/reader_support.h"

namespace {

using Core::Explorer::Item;
using Core::Explorer::Selected;
namespace DataFiles = Core::DataFiles;
namespace MathExplorer = Core::MathExplorer;

Item Leaf(const std::string& text, int kind) {
    return {text, kind, {}};
}

TEST(ExplorerLabelEdit, RefusesTheRootAndEmptyTextsAndKeepsTheOldName) {
    Core::Explorer::LabelEdit edit;
    EXPECT_FALSE(edit.Begin(Core::Explorer::kRootKind, "Files"));
    EXPECT_FALSE(edit.Begin(1, ""));
    EXPECT_TRUE(edit.Begin(1, "old"));
    EXPECT_EQ(edit.OldName(), "old");
}

class DataFilesExplorer : public ::testing::Test {
protected:
    void SetUp() override {
        Core::DataSet::Clear();
        Core::MenuCore::SetSaved(true);
        log->codes.clear();
    }
    Spectrum::Ptr Named(const std::wstring& name) { return Core::DataSet::GetSet().Find(name); }

    test::CapturedBoxes boxes;
    test::ScriptedDialogs dialogs;
    Core::MenuCore::ProjectObserver marker;
    Safe::XPtr<CodeLog<DataSetEvent>> log = NewCodeLog<DataSetEvent>();
    EventBus::Registration onDataSet = Core::DataSet::AddObserver(log);
};

TEST_F(DataFilesExplorer, LoadsOpusBlockTypesAndTextFilesIntoTheTree) {
    const std::string opus = test::TestData("opus/test_spectra.0");
    dialogs.Answer(opus);
    dialogs.Answer(opus);
    dialogs.Answer(test::TestData("jcamp/fixdec1.jdx"));
    dialogs.Answer("");
    EXPECT_TRUE(DataFiles::Command(12319, nullptr, {}));  // "Reflectance..."
    EXPECT_TRUE(DataFiles::Command(1047, nullptr, {}));   // "Sample single chanel..."
    EXPECT_TRUE(DataFiles::Command(DataFiles::kLoadDataFile, nullptr, {}));
    EXPECT_FALSE(DataFiles::Command(DataFiles::kLoadDataFile, nullptr, {}));  // cancelled
    EXPECT_EQ(dialogs.Last().title, "Load Data File");
    EXPECT_EQ(Core::DataSet::GetOpusType(), 1047);  // a plain load keeps the requested type
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(Core::MenuCore::IsSaved());

    const Item expected{
        "Files", 0, {Leaf("test_spectra", 1), Leaf("test_spectra@1", 1), Leaf("fixdec1", 1)}};
    EXPECT_EQ(DataFiles::Tree(), expected);
    // Two block types of one file: a ratio and a single channel are different spectra.
    const Spectrum::Ptr reflectance = Named(L"test_spectra");
    const Spectrum::Ptr channel = Named(L"test_spectra@1");
    ASSERT_TRUE(reflectance && channel && reflectance->Size() > 0);
    EXPECT_NE(reflectance->Re()->Values(), channel->Re()->Values());
}

TEST_F(DataFilesExplorer, SelectionRenameRemoveAndRemoveAllAreAnnounced) {
    for (const char* file : {"jcamp/fixdec1.jdx", "jcamp/pacdec1.jdx", "jcamp/sqzdec1.jdx"})
        ASSERT_TRUE(Core::DataSet::AddDataFile(test::TestData(file)));
    Core::MenuCore::SetSaved(true);
    log->codes.clear();

    // Saving with no current spectrum opens no dialog.
    EXPECT_FALSE(DataFiles::Command(DataFiles::kSaveReal, nullptr, {}));
    EXPECT_TRUE(dialogs.requests.empty());

    const Selected pac{DataFiles::kFileKind, "pacdec1", "Files"};
    DataFiles::SyncCurrent(pac);
    EXPECT_EQ(Core::DataSet::GetCurrent(), Named(L"pacdec1"));
    DataFiles::SyncCurrent({0, "Files", ""});
    EXPECT_FALSE(Core::DataSet::GetCurrent());
    EXPECT_FALSE(DataFiles::Rename(pac, "pacdec1", "pac"));  // no current spectrum
    DataFiles::SyncCurrent(pac);
    EXPECT_FALSE(DataFiles::Rename(pac, "pacdec1", "fixdec1"));  // taken
    EXPECT_FALSE(DataFiles::Rename(pac, "pacdec1", ""));
    EXPECT_FALSE(DataFiles::Rename(pac, "none", "pac"));
    EXPECT_EQ(log->codes, (std::vector<int>{230, 230, 230}));
    EXPECT_TRUE(DataFiles::Rename(pac, "pacdec1", "pac"));
    EXPECT_FALSE(Core::MenuCore::IsSaved());

    // The current spectrum removed: none is current, the set's change is announced and the
    // project is unsaved.
    Core::MenuCore::SetSaved(true);
    log->codes.clear();
    EXPECT_FALSE(DataFiles::Command(DataFiles::kRemove, nullptr, {0, "Files", ""}));
    EXPECT_TRUE(DataFiles::Command(DataFiles::kRemove, nullptr, {1, "pac", "Files"}));
    EXPECT_EQ(log->codes, (std::vector<int>{230, 130}));
    EXPECT_FALSE(Core::DataSet::GetCurrent());
    EXPECT_FALSE(Core::MenuCore::IsSaved());
    EXPECT_EQ(DataFiles::Tree(), (Item{"Files", 0, {Leaf("fixdec1", 1), Leaf("sqzdec1", 1)}}));

    Core::MenuCore::SetSaved(true);
    log->codes.clear();
    DataFiles::SyncCurrent({1, "sqzdec1", "Files"});
    EXPECT_TRUE(DataFiles::Command(DataFiles::kRemoveAll, nullptr, {1, "sqzdec1", "Files"}));
    EXPECT_EQ(log->codes, (std::vector<int>{230, 130}));
    EXPECT_FALSE(Core::MenuCore::IsSaved());
    EXPECT_EQ(DataFiles::Tree(), (Item{"Files", 0, {}}));
    // Nothing left to remove: nothing changes.
    Core::MenuCore::SetSaved(true);
    EXPECT_FALSE(DataFiles::Command(DataFiles::kRemoveAll, nullptr, {}));
    EXPECT_TRUE(Core::MenuCore::IsSaved());
}

class MathExplorerLogic : public ::testing::Test {
protected:
    void SetUp() override {
        Core::MathMapIo::InitProject();
        Core::MenuCore::SetSaved(true);
        log->codes.clear();
    }
    test::CapturedBoxes boxes;
    test::ScriptedDialogs dialogs;
    Core::MenuCore::ProjectObserver marker;
    Safe::XPtr<CodeLog<ModelEvent>> log = NewCodeLog<ModelEvent>();
    EventBus::Registration onModels = Core::MenuCore::AddObserver(log);
};

TEST_F(MathExplorerLogic, TreeFollowsTheModelSetThroughItsCommands) {
    const Item basic{"basic", 1, {Leaf("x", 2), Leaf("model", 3)}};
    EXPECT_EQ(MathExplorer::Tree(), (Item{"Models", 0, {basic}}));

    struct Case {
        int id;
        Selected selected;
        bool changed;
        std::vector<int> codes;
    };
    const Selected root{0, "Models", ""};
    const Selected model{1, "basic", "Models"};
    const Case cases[] = {
        {MathExplorer::kAddBasicModel, model, false, {}},  // only on the root
        {MathExplorer::kAddBasicModel, root, true, {105}},
        {MathExplorer::kAddVariable, root, false, {}},
        {MathExplorer::kAddVariable, model, true, {104}},
        {MathExplorer::kAddVariable, model, true, {104}},  // a second "v" becomes "v@1"
        {MathExplorer::kAddDefinition, model, true, {104}},
        {MathExplorer::kRemoveDefinition, model, false, {}},
        {MathExplorer::kRemoveDefinition, {2, "v", "basic"}, true, {104}},
        {MathExplorer::kRemoveModel, {1, "absent", "Models"}, false, {}},
        {9999, model, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        log->codes.clear();
        Core::MenuCore::SetSaved(true);
        EXPECT_EQ(MathExplorer::Command(c.id, nullptr, c.selected), c.changed);
        EXPECT_EQ(log->codes, c.codes);
        EXPECT_EQ(Core::MenuCore::IsSaved(), !c.changed);
    }
    const Item edited{"basic", 1, {Leaf("x", 2), Leaf("model", 3), Leaf("v@1", 2), Leaf("m", 3)}};
    const Item added{"basic@1", 1, basic.children};
    EXPECT_EQ(MathExplorer::Tree(), (Item{"Models", 0, {edited, added}}));

    // Menu action 190's code adds a model "basic" and refills; other codes are ignored.
    EXPECT_TRUE(MathExplorer::OnModelEvent(ModelEvent::kBasicModelRequested));
    EXPECT_TRUE(MathExplorer::OnModelEvent(ModelEvent::kModelsReset));
    EXPECT_FALSE(MathExplorer::OnModelEvent(ModelEvent::kCurrentModelChanged));
    EXPECT_EQ(Core::Models().Count(), 3);
}

TEST_F(MathExplorerLogic, SelectionAndRenames) {
    Core::Models().Add(Core::MathMap::CreateModel("other"));
    const Selected model{1, "basic", "Models"};
    const Selected definition{3, "model", "basic"};

    // The setters announce changes only: the model "basic" is current from the start.
    MathExplorer::Select(definition);
    EXPECT_EQ(log->codes, (std::vector<int>{201}));
    EXPECT_EQ(Core::MenuCore::GetCurrentModel(), Core::Models().At(0));
    EXPECT_EQ(Core::MenuCore::GetCurrentDefinition(), Core::Models().At(0)->FindMap("model"));
    log->codes.clear();
    MathExplorer::Select(model);
    EXPECT_EQ(log->codes, (std::vector<int>{201}));
    EXPECT_FALSE(Core::MenuCore::GetCurrentDefinition());

    log->codes.clear();
    EXPECT_FALSE(MathExplorer::Rename(model, "basic", "other"));  // taken
    EXPECT_FALSE(MathExplorer::Rename(definition, "model", "x"));
    EXPECT_FALSE(MathExplorer::Rename(definition, "model", ""));
    EXPECT_TRUE(MathExplorer::Rename(model, "basic", "mine"));
    EXPECT_TRUE(MathExplorer::Rename({3, "model", "mine"}, "model", "eps"));
    EXPECT_EQ(log->codes, (std::vector<int>{300, 301}));
    EXPECT_TRUE(Core::Models().At(0)->FindMap("eps"));

    // The root clears all three; removing the current model leaves none current.
    MathExplorer::Select({3, "eps", "mine"});
    Core::MenuCore::SetCurrentNode(Core::MenuCore::GetCurrentDefinition()->GetRoot());
    log->codes.clear();
    MathExplorer::Select({0, "Models", ""});
    EXPECT_EQ(log->codes, (std::vector<int>{202, 201, 200}));
    EXPECT_FALSE(MathExplorer::Rename({1, "mine", "Models"}, "mine", "x"));  // no current model
    MathExplorer::Select({1, "mine", "Models"});
    EXPECT_TRUE(MathExplorer::Command(MathExplorer::kRemoveModel, nullptr, {1, "mine", "Models"}));
    EXPECT_FALSE(Core::MenuCore::GetCurrentModel());
    EXPECT_EQ(MathExplorer::Tree(),
              (Item{"Models", 0, {{"other", 1, {Leaf("x", 2), Leaf("model", 3)}}}}));
}

}  // namespace
