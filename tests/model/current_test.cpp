#include <gtest/gtest.h>

#include <vector>

#include "functions/families.h"
#include "model/current.h"
#include "model/map_bar.h"
#include "model/map_capsule.h"

namespace {

using Core::Node;

struct Codes : Winplus::Observer {
    explicit Codes(std::vector<int>* seen) : seen(seen) {}
    bool Notify(const int& code) override {
        seen->push_back(code);
        return false;
    }
    std::vector<int>* seen;
};

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
    std::vector<int> models, mapBar;
    Core::MenuCore::AddObserver(Safe::XPtr<Winplus::Observer>(new Codes(&models)));
    Core::MapBar::AddObserver(Safe::XPtr<Winplus::Observer>(new Codes(&mapBar)));
    Node::Ptr node = Node::Create(100);
    Core::MenuCore::SetCurrentNode(node);
    Core::MenuCore::SetCurrentNode(node);
    Core::MathMap::Ptr model = Core::MathMap::CreateModel("m");
    Core::MenuCore::SetCurrentModel(model);
    Core::MenuCore::SetCurrentModel(model);
    Core::MenuCore::SetCurrentDefinition(model->FindMap("x"));
    EXPECT_EQ(models, (std::vector<int>{202, 200, 201}));
    EXPECT_EQ(mapBar, std::vector<int>{202});
    EXPECT_EQ(Core::MenuCore::GetCurrentNode(), node);
}

TEST_F(CurrentTest, PickedFunctionsReadTheModelsVariable) {
    // The two-column table takes the abscissa in its first child.
    Core::MathMap::Ptr model = Core::MathMap::CreateModel("m");
    Node::Ptr table = Core::CreatePickedNode(230, model);
    Safe::XPtr<Core::MapCapsule> reference(table->GetChild(0));
    ASSERT_TRUE(reference);
    EXPECT_EQ(reference->GetName(), "x");
    EXPECT_EQ(reference->GetMap(), model->FindMap("x"));

    Core::MathMap::Ptr withoutX(new Core::MathMap);
    EXPECT_EQ(Core::CreatePickedNode(230, withoutX)->GetChild(0)->GetTypeId(), 100);
    EXPECT_EQ(Core::CreatePickedNode(230, Core::MathMap::Ptr())->GetChild(0)->GetTypeId(), 100);
    EXPECT_EQ(Core::CreatePickedNode(200, model)->GetChild(0)->GetTypeId(), 100);
    EXPECT_TRUE(Core::CreatePickedNode(1100, model).IsNull());
}

}  // namespace
