#include "app/panel_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace PanelRegistry = Core::PanelRegistry;

struct Journal {
    std::vector<std::string> lines;
};

class FakePanel : public Core::RegisteredPanel {
public:
    FakePanel(Journal& journal, std::string name) : journal_(journal), name_(std::move(name)) {}
    void SetVisible(bool visible) override {
        visible_ = visible;
        journal_.lines.push_back(name_ + (visible ? " shown" : " hidden"));
    }
    bool IsVisible() const override { return visible_; }
    void LayOut() override { journal_.lines.push_back(name_ + " laid out"); }

private:
    Journal& journal_;
    std::string name_;
    bool visible_ = true;
};

TEST(PanelRegistry, ShowingAPanelLaysOutItsContainer) {
    Journal journal;
    FakePanel main(journal, "main"), left(journal, "left"), centre(journal, "centre"),
        right(journal, "right"), functions(journal, "functions"), formula(journal, "formula");
    auto r0 = PanelRegistry::SetLayoutPanel(&main, Core::kMainPanel);
    auto r1 = PanelRegistry::SetLayoutPanel(&left, Core::kLeftColumn);
    auto r2 = PanelRegistry::SetLayoutPanel(&centre, Core::kCentreColumn);
    auto r3 = PanelRegistry::SetLayoutPanel(&right, Core::kRightColumn);
    auto r4 = PanelRegistry::SetToolPanel(&functions, Core::kFunctionSelectorPanel);
    auto r6 = PanelRegistry::SetToolPanel(&formula, Core::kFormulaEditorPanel);
    // Each setter takes only its own kinds.
    auto wrong1 = PanelRegistry::SetLayoutPanel(&formula, Core::kUserFunctionSelectorPanel);
    auto wrong2 = PanelRegistry::SetToolPanel(&formula, Core::kLeftColumn);
    auto wrong3 = PanelRegistry::SetToolPanel(&formula, 7);
    EXPECT_FALSE(PanelRegistry::GetPanel(Core::kUserFunctionSelectorPanel));
    EXPECT_EQ(PanelRegistry::GetPanel(Core::kLeftColumn), &left);

    PanelRegistry::ShowPanel(Core::kLeftColumn, false);
    PanelRegistry::ShowPanel(Core::kRightColumn, true);
    PanelRegistry::ShowPanel(Core::kFunctionSelectorPanel, false);
    PanelRegistry::ShowPanel(Core::kFormulaEditorPanel, true);
    // The centre column, unknown kinds and an empty slot: nothing.
    PanelRegistry::ShowPanel(Core::kCentreColumn, false);
    PanelRegistry::ShowPanel(Core::kMainPanel, false);
    PanelRegistry::ShowPanel(-1, false);
    PanelRegistry::ShowPanel(7, false);
    PanelRegistry::ShowPanel(Core::kUserFunctionSelectorPanel, false);
    EXPECT_EQ(journal.lines,
              (std::vector<std::string>{"left hidden", "main laid out", "right shown",
                                        "main laid out", "functions hidden", "centre laid out",
                                        "formula shown", "centre laid out"}));
    // What shows is asked of the panels; an empty slot or an unknown kind shows nothing.
    EXPECT_FALSE(PanelRegistry::IsShown(Core::kLeftColumn));
    EXPECT_TRUE(PanelRegistry::IsShown(Core::kRightColumn));
    EXPECT_FALSE(PanelRegistry::IsShown(Core::kUserFunctionSelectorPanel));
    EXPECT_FALSE(PanelRegistry::IsShown(7));
}

TEST(PanelRegistry, ARegistrationHoldsItsSlotUntilReleased) {
    Journal journal;
    FakePanel first(journal, "first"), second(journal, "second");
    auto one = PanelRegistry::SetToolPanel(&first, Core::kFormulaEditorPanel);
    {
        auto moved = std::move(one);
        EXPECT_EQ(PanelRegistry::GetPanel(Core::kFormulaEditorPanel), &first);
    }
    EXPECT_FALSE(PanelRegistry::GetPanel(Core::kFormulaEditorPanel));
    PanelRegistry::ShowPanel(Core::kFormulaEditorPanel, true);
    EXPECT_TRUE(journal.lines.empty());

    // A panel that took the slot over keeps it when the older registration goes.
    auto older = PanelRegistry::SetToolPanel(&first, Core::kFormulaEditorPanel);
    auto newer = PanelRegistry::SetToolPanel(&second, Core::kFormulaEditorPanel);
    older.reset();
    EXPECT_EQ(PanelRegistry::GetPanel(Core::kFormulaEditorPanel), &second);
}

}  // namespace
