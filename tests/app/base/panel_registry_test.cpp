#include "app/base/panel_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace PanelRegistry = Core::PanelRegistry;
using Panel = Core::PanelId;

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
    auto r0 = PanelRegistry::SetLayoutPanel(&main, Panel::MainPanel);
    auto r1 = PanelRegistry::SetLayoutPanel(&left, Panel::LeftColumn);
    auto r2 = PanelRegistry::SetLayoutPanel(&centre, Panel::CentreColumn);
    auto r3 = PanelRegistry::SetLayoutPanel(&right, Panel::RightColumn);
    auto r4 = PanelRegistry::SetToolPanel(&functions, Panel::FunctionSelector);
    auto r6 = PanelRegistry::SetToolPanel(&formula, Panel::FormulaEditor);
    // Each setter takes only its own kinds.
    auto wrong1 = PanelRegistry::SetLayoutPanel(&formula, Panel::UserFunctionSelector);
    auto wrong2 = PanelRegistry::SetToolPanel(&formula, Panel::LeftColumn);
    auto wrong3 = PanelRegistry::SetToolPanel(&formula, Panel::Definition);
    EXPECT_FALSE(PanelRegistry::GetPanel(Panel::UserFunctionSelector));
    EXPECT_EQ(PanelRegistry::GetPanel(Panel::LeftColumn), &left);

    PanelRegistry::ShowPanel(Panel::LeftColumn, false);
    PanelRegistry::ShowPanel(Panel::RightColumn, true);
    PanelRegistry::ShowPanel(Panel::FunctionSelector, false);
    PanelRegistry::ShowPanel(Panel::FormulaEditor, true);
    // The centre column, panels the registry does not keep and an empty slot: nothing.
    PanelRegistry::ShowPanel(Panel::CentreColumn, false);
    PanelRegistry::ShowPanel(Panel::MainPanel, false);
    PanelRegistry::ShowPanel(Panel::Selection, false);
    PanelRegistry::ShowPanel(Panel::Modify, false);
    PanelRegistry::ShowPanel(Panel::UserFunctionSelector, false);
    EXPECT_EQ(journal.lines,
              (std::vector<std::string>{"left hidden", "main laid out", "right shown",
                                        "main laid out", "functions hidden", "centre laid out",
                                        "formula shown", "centre laid out"}));
    // What shows is asked of the panels; an empty slot or an unknown kind shows nothing.
    EXPECT_FALSE(PanelRegistry::IsShown(Panel::LeftColumn));
    EXPECT_TRUE(PanelRegistry::IsShown(Panel::RightColumn));
    EXPECT_FALSE(PanelRegistry::IsShown(Panel::UserFunctionSelector));
    EXPECT_FALSE(PanelRegistry::IsShown(Panel::Modify));
}

TEST(PanelRegistry, ARegistrationHoldsItsSlotUntilReleased) {
    Journal journal;
    FakePanel first(journal, "first"), second(journal, "second");
    auto one = PanelRegistry::SetToolPanel(&first, Panel::FormulaEditor);
    {
        auto moved = std::move(one);
        EXPECT_EQ(PanelRegistry::GetPanel(Panel::FormulaEditor), &first);
    }
    EXPECT_FALSE(PanelRegistry::GetPanel(Panel::FormulaEditor));
    PanelRegistry::ShowPanel(Panel::FormulaEditor, true);
    EXPECT_TRUE(journal.lines.empty());

    // A panel that took the slot over keeps it when the older registration goes.
    auto older = PanelRegistry::SetToolPanel(&first, Panel::FormulaEditor);
    auto newer = PanelRegistry::SetToolPanel(&second, Panel::FormulaEditor);
    older.reset();
    EXPECT_EQ(PanelRegistry::GetPanel(Panel::FormulaEditor), &second);
}

}  // namespace
