#include <gtest/gtest.h>

#include <vector>

#include "functions/families.h"
#include "model/anchors.h"
#include "model/current.h"
#include "model/map_bar.h"
#include "model/map_capsule.h"
#include "model/selection.h"
#include "tests/common/code_log.h"

namespace {

using Core::Node;

class CurrentTest : public ::testing::Test {
protected:
    void SetUp() override { Capsule::RegisterFamilies(); }
};

TEST_F(CurrentTest, ProjectStartsWithTheBasicModel) {
    Core::MathMapIo::InitProject();
    EXPECT_EQ(Core::Models().GetName(), L"Project");
    ASSERT_EQ(Core::Models().Count(), 1);
    EXPECT_EQ(Core::Models().At(0)->GetName(), L"basic");
    EXPECT_EQ(Core::MenuCore::GetCurrentModel(), Core::Models().At(0));
}

TEST_F(CurrentTest, SettersAnnounceOnlyChanges) {
    auto models = NewCodeLog<ModelEvent>();
    auto mapBar = NewCodeLog<MapBarEvent>();
    EventBus::Registration onModels = Core::MenuCore::AddObserver(models);
    EventBus::Registration onMapBar = Core::MapBar::AddObserver(mapBar);
    Node::Ptr node = Node::Create(100);
    Core::MenuCore::SetCurrentNode(node);
    Core::MenuCore::SetCurrentNode(node);
    Core::MathMap::Ptr model = Core::MathMap::CreateModel("m");
    Core::MenuCore::SetCurrentModel(model);
    Core::MenuCore::SetCurrentModel(model);
    Core::MenuCore::SetCurrentDefinition(model->FindMap("x"));
    EXPECT_EQ(models->codes, (std::vector<int>{202, 200, 201}));
    EXPECT_EQ(mapBar->codes, std::vector<int>{202});
    EXPECT_EQ(Core::MenuCore::GetCurrentNode(), node);
}

TEST_F(CurrentTest, InstallingProjectModelsReleasesTheCurrentObjectsUnannounced) {
    Core::MathMapIo::InitProject();
    Core::MathMap::Ptr old = Core::Models().At(0);
    Core::MenuCore::SetCurrentDefinition(old->FindMap("x"));
    Core::MenuCore::SetCurrentNode(old->FindMap("x")->GetRoot());
    Safe::XPtr<CodeLog<ModelEvent>> models = NewCodeLog<ModelEvent>();
    Safe::XPtr<CodeLog<MapBarEvent>> mapBar = NewCodeLog<MapBarEvent>();
    EventBus::Registration onModels = Core::MenuCore::AddObserver(models);
    EventBus::Registration onMapBar = Core::MapBar::AddObserver(mapBar);

    // Two models of one name: the set names the second apart, in the given order.
    Core::ModelSet read;
    read.Add(Core::MathMap::CreateModel("a"));
    read.Add(Core::MathMap::CreateModel("b"));
    read.Add(Core::MathMap::CreateModel("a"));
    Core::MenuCore::InstallProjectMaps(read);
    EXPECT_EQ(models->codes, std::vector<int>{100});
    EXPECT_TRUE(mapBar->codes.empty());
    EXPECT_TRUE(Core::MenuCore::GetCurrentModel().IsNull());
    EXPECT_TRUE(Core::MenuCore::GetCurrentDefinition().IsNull());
    EXPECT_TRUE(Core::MenuCore::GetCurrentNode().IsNull());
    EXPECT_EQ(Core::Models().GetName(), L"Project");
    ASSERT_EQ(Core::Models().Count(), 3);
    EXPECT_EQ(Core::Models().At(0), read.At(0));
    EXPECT_EQ(Core::Models().At(1)->GetName(), L"b");
    EXPECT_EQ(Core::Models().At(2)->GetName(), L"a@1");

    // The model set given to itself keeps its models; an empty set empties it and still
    // announces.
    Core::MenuCore::InstallProjectMaps(Core::Models());
    EXPECT_EQ(Core::Models().Count(), 3);
    Core::MenuCore::InstallProjectMaps(Core::ModelSet());
    EXPECT_EQ(Core::Models().Count(), 0);
    EXPECT_EQ(models->codes, (std::vector<int>{100, 100, 100}));
}

TEST_F(CurrentTest, PickedFunctionsReadTheModelsVariable) {
    // The two-column table takes the abscissa in its first child.
    Core::MathMap::Ptr model = Core::MathMap::CreateModel("m");
    Node::Ptr table = Core::CreatePickedNode(230, model);
    auto reference = Safe::DynamicCast<Core::MapCapsule>(table->GetChild(0));
    ASSERT_TRUE(reference);
    EXPECT_EQ(reference->GetName(), "x");
    EXPECT_EQ(reference->GetMap(), model->FindMap("x"));

    Core::MathMap::Ptr withoutX = Safe::MakeX<Core::MathMap>();
    EXPECT_EQ(Core::CreatePickedNode(230, withoutX)->GetChild(0)->GetTypeId(), 100);
    EXPECT_EQ(Core::CreatePickedNode(230, Core::MathMap::Ptr())->GetChild(0)->GetTypeId(), 100);
    EXPECT_EQ(Core::CreatePickedNode(200, model)->GetChild(0)->GetTypeId(), 100);
    EXPECT_TRUE(Core::CreatePickedNode(1100, model).IsNull());
}

TEST_F(CurrentTest, SelectionStoreAnnouncesWhatChanged) {
    auto log = NewCodeLog<SelectionEvent>();
    EventBus::Registration registration = Core::Selection::AddObserver(log);
    Node::Ptr node = Node::Create(200), formula = Node::Create(12);
    Core::Selection::SetNode(node);
    Core::Selection::SetNode(node);  // stored already: current only
    Core::Selection::SetFormula(formula);
    EXPECT_EQ(Core::Selection::GetCurrent(), formula);  // mode 0 hands out the current object
    Core::Selection::SetMode(3);
    EXPECT_EQ(Core::Selection::GetCurrent(), formula);
    Core::Selection::SetMode(1);
    EXPECT_TRUE(Core::Selection::GetCurrent().IsNull());
    Core::Selection::SetMode(0);
    EXPECT_EQ(Core::Selection::GetCurrent(), node);
    EXPECT_EQ(log->codes, (std::vector<int>{110, 114, 114, 110}));
}

TEST_F(CurrentTest, PickingAFunctionSelectsIt) {
    Core::MathMap::Ptr model = Core::MathMap::CreateModel("m");
    Core::MenuCore::SetCurrentModel(model);
    auto log = NewCodeLog<SelectionEvent>();
    EventBus::Registration registration = Core::Selection::AddObserver(log);
    Node::Ptr picked = Core::PickByTypeId(230);
    ASSERT_TRUE(picked);
    EXPECT_EQ(Core::Selection::GetNode(), picked);
    EXPECT_EQ(log->codes, std::vector<int>{110});
    EXPECT_TRUE(Core::PickByTypeId(1100).IsNull());
    EXPECT_EQ(Core::Selection::GetNode(), picked);
}

// Whatever a test leaves in the process-wide stores, the reset between tests puts back the state
// of start-up; the definition tool bar goes on following the definitions' histories.
TEST_F(CurrentTest, ProcessResetRestoresTheStartUpState) {
    Core::MathMapIo::InitProject();
    Core::MathMap::Ptr model = Core::Models().At(0);
    Core::MenuCore::SetCurrentDefinition(model->FindMap("model"));
    Core::MenuCore::SetCurrentNode(model->FindMap("model")->GetRoot());
    Core::Selection::SetPrototype(Node::Create(200));
    Core::Selection::SetFormula(Node::Create(12));
    Core::Selection::SetMode(Core::Selection::kFormulaMode);
    Core::MapBar::SetRedoAvailable(0, true);
    Core::SetForceMode(Core::ForceMode::kMaintainGap);
    auto models = NewCodeLog<ModelEvent>();
    auto selection = NewCodeLog<SelectionEvent>();
    auto mapBar = NewCodeLog<MapBarEvent>();
    auto library = NewCodeLog<LibraryEvent>();
    EventBus::Registration onModels = Core::MenuCore::AddObserver(models);
    EventBus::Registration onSelection = Core::Selection::AddObserver(selection);
    EventBus::Registration onMapBar = Core::MapBar::AddObserver(mapBar);
    EventBus::Registration onLibrary = Core::MenuCore::AddLibraryObserver(library);

    ResetProcessState();
    EXPECT_EQ(Core::Models().Count(), 0);
    EXPECT_EQ(Core::Models().GetName(), L"");
    EXPECT_TRUE(Core::MenuCore::GetCurrentModel().IsNull());
    EXPECT_TRUE(Core::MenuCore::GetCurrentDefinition().IsNull());
    EXPECT_TRUE(Core::MenuCore::GetCurrentNode().IsNull());
    EXPECT_EQ(Core::Selection::GetMode(), Core::Selection::kNodeMode);
    EXPECT_TRUE(Core::Selection::GetFormula().IsNull());
    EXPECT_TRUE(Core::Selection::GetPrototype().IsNull());
    EXPECT_FALSE(Core::MapBar::IsRedoAvailable(0));
    EXPECT_EQ(Core::GetForceMode(), Core::ForceMode::kNone);
    EXPECT_EQ(model->RefCount(), 1u);  // held by this test alone

    Core::MenuCore::Notify(ModelEvent::kModelsReset);
    Core::MenuCore::NotifyLibrary(LibraryEvent::kLibraryChanged);
    Core::Selection::Notify(SelectionEvent::kSelectedNodeChanged);
    Core::MapBar::Notify(MapBarEvent::kMapBarTargetChanged);
    EXPECT_TRUE(models->codes.empty() && selection->codes.empty() && mapBar->codes.empty() &&
                library->codes.empty());
    model->FindMap("model")->ReplaceNode("m", Node::Create(208));
    EXPECT_TRUE(Core::MapBar::IsUndoAvailable(1));
}

}  // namespace
