#include <gtest/gtest.h>

#include <tuple>

#include "app/explorers/parameter_panels.h"
#include "functions/families.h"
#include "model/current.h"
#include "model/map_capsule.h"
#include "modes/fit_core.h"
#include "tests/modes/mode_support.h"

namespace {

using Core::Node;
namespace Nodes = Core::NodeParameters;
namespace Fit = Core::FitParameters;

TEST(ParameterPanelsTest, TheNodeListShowsTheActiveNodesWith16DigitsAndTakesTypedValues) {
    ModeTest::PhononModel();
    // No current node: nothing listed.
    Core::MenuCore::SetCurrentNode(nullptr);
    EXPECT_TRUE(Nodes::ListedNodes().empty());
    Core::MenuCore::SetCurrentNode(ModeTest::Find("p1"));
    const auto listed = Nodes::ListedNodes();
    const auto rows = Nodes::Rows(listed);
    ASSERT_FALSE(rows.empty());
    const auto w = Nodes::FindListed(listed, L"w");
    ASSERT_TRUE(w);
    EXPECT_EQ(w, ModeTest::Find("p1")->GetChildByName("w"));
    // value, text (16 significant digits, general notation)
    for (const auto& [value, text] : {std::tuple{100.0, L"100"},
                                      {0.1, L"0.1"},
                                      {1.0 / 3.0, L"0.3333333333333333"},
                                      {-2.5e-7, L"-2.5e-07"},
                                      {123456789012345678.0, L"1.234567890123457e+17"}}) {
        EXPECT_EQ(Nodes::ValueText(value), text);
    }
    EXPECT_EQ(Nodes::Rows({w}),
              (std::vector<Nodes::Row>{{L"w", L"100", Nodes::IconOfType(w->GetTypeId())}}));

    ModeTest::BusLog log;
    // text, applied, value after
    for (const auto& [text, applied, after] : {std::tuple{"250.5", true, 250.5},
                                               {"250.5", false, 250.5},
                                               {"1.2.3", false, 250.5},
                                               {"abc", false, 250.5},
                                               {"", false, 250.5},
                                               {" -3E2 ", true, -300.0}}) {
        EXPECT_EQ(Nodes::ApplyText(w, text), applied) << text;
        EXPECT_EQ(w->GetValue(), Core::Complex(after, 0.0)) << text;
    }
    EXPECT_FALSE(Nodes::ApplyText(nullptr, "1"));
    EXPECT_EQ(log.Take(), (std::vector<std::string>{"model 103", "model 103"}));

    // type id, icon
    for (const auto& [type, icon] :
         {std::pair{100, 141}, {600, 142}, {602, 143}, {604, 144}, {208, 0}, {10, 0}})
        EXPECT_EQ(Nodes::IconOfType(type), icon) << type;
    for (const auto& [code, refreshes] :
         {std::pair{100, true}, {104, true}, {202, true}, {103, false}, {201, false}})
        EXPECT_EQ(Nodes::RefreshesOn(static_cast<ModelEvent>(code)), refreshes) << code;
    // Values moved by a transfer, a tool or a typed value show in the rows (not while a fit runs:
    // FitRunTest).
    for (const auto& [code, shows] : {std::pair{103, true}, {100, false}, {202, false}})
        EXPECT_EQ(Nodes::ShowsValuesOn(static_cast<ModelEvent>(code)), shows) << code;
}

// The tree's node items as "name:checked", in order.
std::vector<std::string> Checks() {
    std::vector<std::string> checks;
    for (const Fit::Item& item : Fit::TreeItems()) {
        std::string name(item.text.begin(), item.text.end());
        if (item.kind == Fit::kNodeItem) checks.push_back(name + (item.checked ? ":1" : ":0"));
    }
    return checks;
}

TEST(ParameterPanelsTest, TheFitTreeShowsTheTargetAndReferencedDefinitionsAndMarksSubtrees) {
    ModeTest::ReferencingModel();
    using Fit::kDefinitionItem, Fit::kNodeItem, Fit::kRootItem;
    EXPECT_EQ(Fit::TreeItems(), (std::vector<Fit::Item>{{0, kRootItem, L"Parameters"},
                                                        {1, kNodeItem, L"s", 208},
                                                        {2, kNodeItem, L"a", 100},
                                                        {2, kNodeItem, L"t", 208},
                                                        {3, kNodeItem, L"b", 100},
                                                        {3, kNodeItem, L"d", 100},
                                                        {1, kDefinitionItem, L"c"},
                                                        {2, kNodeItem, L"u", 208},
                                                        {3, kNodeItem, L"k", 100}}));
    // Marks go to the working model, never the user's.
    EXPECT_TRUE(Fit::SetMarks(L"", L"t", true));
    EXPECT_EQ(Checks(),
              (std::vector<std::string>{"s:0", "a:0", "t:1", "b:1", "d:1", "u:0", "k:0"}));
    EXPECT_FALSE(Core::MenuCore::GetCurrentDefinition()->FindNode("t")->IsMarked());
    EXPECT_TRUE(Fit::SetMarks(L"", L"a", true));
    EXPECT_TRUE(Fit::SetMarks(L"", L"t", false));
    EXPECT_TRUE(Fit::SetMarks(L"c", L"u", true));
    EXPECT_EQ(Checks(),
              (std::vector<std::string>{"s:0", "a:1", "t:0", "b:0", "d:0", "u:1", "k:1"}));
    EXPECT_FALSE(Fit::SetMarks(L"c", L"a", true));
    EXPECT_FALSE(Fit::SetMarks(L"none", L"a", true));
    // A new math path is a fresh working model without marks.
    Core::FitCore::SetMathPath();
    EXPECT_EQ(Checks(),
              (std::vector<std::string>{"s:0", "a:0", "t:0", "b:0", "d:0", "u:0", "k:0"}));
    // The images are offsets into the bitmaps 103 to 125: root 117, definition 116, then each
    // node's family (sum 121, empty 100 112, phonon 111, interpolation 114, no family 124).
    EXPECT_EQ(Fit::ImageOf({0, kRootItem, L"Parameters"}), 14);
    EXPECT_EQ(Fit::ImageOf({1, kDefinitionItem, L"c"}), 13);
    for (const auto& [type, bitmap] : {std::pair{208, 121},
                                       {100, 112},
                                       {900, 111},
                                       {803, 114},
                                       {604, 104},
                                       {3004, 124},
                                       {209, 103},
                                       {125, 118}})
        EXPECT_EQ(Fit::ImageOf({1, kNodeItem, L"n", type}), bitmap - 103) << type;
    EXPECT_TRUE(Fit::RefillsOn(FitEvent::kMathPathChanged));
    EXPECT_FALSE(Fit::RefillsOn(FitEvent::kFitStarted));
}

}  // namespace
