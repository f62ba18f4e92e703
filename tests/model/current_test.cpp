#include <gtest/gtest.h>

#include <vector>

#include "functions/families.h"
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
    Safe::XPtr<CodeLog> models = NewCodeLog(), mapBar = NewCodeLog();
    Core::MenuCore::AddObserver(models);
    Core::MapBar::AddObserver(mapBar);
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
    Safe::XPtr<CodeLog> log = NewCodeLog();
    Core::Selection::AddObserver(log);
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
    Safe::XPtr<CodeLog> log = NewCodeLog();
    Core::Selection::AddObserver(log);
    Node::Ptr picked = Core::PickByTypeId(230);
    ASSERT_TRUE(picked);
    EXPECT_EQ(Core::Selection::GetNode(), picked);
    EXPECT_EQ(log->codes, std::vector<int>{110});
    EXPECT_TRUE(Core::PickByTypeId(1100).IsNull());
    EXPECT_EQ(Core::Selection::GetNode(), picked);
    Core::MenuCore::SetCurrentModel(Core::MathMap::Ptr());
}

}  // namespace
