#include <gtest/gtest.h>

#include <algorithm>

#include "modes/view_modes.h"
#include "model/current.h"
#include "model/selection.h"
#include "modes/adjust_core.h"
#include "modes/anchor_core.h"
#include "modes/builder_core.h"
#include "modes/mode_pages.h"
#include "tests/modes/mode_support.h"

namespace {

using Core::AdjustmentController;
using Core::BuilderController;
using Core::PropertyRows;

std::string Text(const PropertyRows& rows, int row) {
    return rows.at(static_cast<std::size_t>(row))->GetText();
}
std::wstring Name(const PropertyRows& rows, int row) {
    return rows.at(static_cast<std::size_t>(row))->GetName();
}
// Sets a row as the grid does, then applies it.
bool Edit(bool (*apply)(const int&), const PropertyRows& rows, int row, const std::string& text) {
    rows.at(static_cast<std::size_t>(row))->SetText(text);
    return apply(row);
}

class ModePagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ModeTest::PhononModel();
        p1 = ModeTest::Find("p1");
        Core::AdjustCore::Initialize(&Core::ViewModeState::GetMode);
        Core::BuilderCore::Initialize(&Core::ViewModeState::GetMode);
        Core::AdjustCore::SetNode(p1);
    }
    Core::Node::Ptr p1;
};

TEST_F(ModePagesTest, RowsOfTheThreePages) {
    Core::AnchorsController::RefreshProperties();
    AdjustmentController::RefreshProperties();
    BuilderController::RefreshProperties();
    const PropertyRows anchor = Core::AnchorsController::GetProperties();
    const PropertyRows adjust = AdjustmentController::GetProperties();
    const PropertyRows builder = BuilderController::GetProperties();
    ASSERT_EQ(anchor.size(), 3u);
    ASSERT_EQ(adjust.size(), 24u);
    ASSERT_EQ(builder.size(), 25u);
    EXPECT_EQ(Name(anchor, 0), L"Anchor Properties");
    EXPECT_EQ(Name(anchor, 2), L"AutoUser");
    EXPECT_EQ(Text(anchor, 2), "False");  // the anchor tool's AutoUser starts off
    struct {
        int row;
        const wchar_t* name;
        int kind;
    } rows[] = {{0, L"Adjustment Properties", Winplus::kHeaderRow},
                {1, L"UpdateView", Winplus::kBooleanRow},
                {3, L"X Event associations", Winplus::kHeaderRow},
                {6, L"Hit-Force", Winplus::kListRow},
                {8, L"Move-Partner", Winplus::kListRow},
                {10, L"Y Event associations", Winplus::kHeaderRow},
                {17, L"Move type and speed", Winplus::kHeaderRow},
                {18, L"X-Type", Winplus::kListRow},
                {23, L"Y-Percent", Winplus::kDoubleRow}};
    for (const auto& r : rows) {
        EXPECT_EQ(Name(adjust, r.row), r.name) << r.row;
        EXPECT_EQ(adjust[static_cast<std::size_t>(r.row)]->Kind(), r.kind) << r.row;
        if (r.row > 0) {
            EXPECT_EQ(Name(builder, r.row + 1), r.name) << r.row;
        }
    }
    EXPECT_EQ(Name(builder, 0), L"Builder Properties");
    EXPECT_EQ(Name(builder, 1), L"Function");
    EXPECT_EQ(builder[1]->Kind(), Winplus::kStringRow);
    // p1 binds w and ds to its hit slots, g and ds to its move slots.
    const std::string values[24] = {"",        "True", "True", "",        "w",    "None",
                                    "NONE",    "g",    "None", "NONE",    "",     "ds",
                                    "None",    "NONE", "ds",   "None",    "NONE", "",
                                    "PERCENT", "0.1",  "0.1",  "PERCENT", "0.01", "0.01"};
    for (int row = 0; row < 24; ++row) EXPECT_EQ(Text(adjust, row), values[row]) << row;
    const std::vector<std::string>& choices = adjust[4]->choices;
    ASSERT_GE(choices.size(), 3u);
    EXPECT_EQ(choices[0], "None");
    EXPECT_EQ(choices[1], "p1");
    EXPECT_NE(std::find(choices.begin(), choices.end(), "g"), choices.end());
}

TEST_F(ModePagesTest, AppliedRowsReachTheCoreThroughTheValueMaps) {
    AdjustmentController::RefreshProperties();
    const PropertyRows rows = AdjustmentController::GetProperties();
    const auto apply = &AdjustmentController::ApplyProperty;
    // Forces: RATIO is 1 and GAP 2, not their list order; read back the same way.
    EXPECT_TRUE(Edit(apply, rows, 6, "RATIO"));
    EXPECT_TRUE(Edit(apply, rows, 16, "GAP"));
    EXPECT_EQ(p1->GetAnchorMode(0), 1);
    EXPECT_EQ(p1->GetAnchorMode(3), 2);
    EXPECT_TRUE(Edit(apply, rows, 12, "g"));
    EXPECT_EQ(p1->GetAnchorChild(1), p1->GetChildByName("g"));
    // Move types: any text but VALUE and PERCENT is ABSOLUTE.
    EXPECT_TRUE(Edit(apply, rows, 18, "VALUE"));
    EXPECT_TRUE(Edit(apply, rows, 21, "Absolut"));
    EXPECT_TRUE(Edit(apply, rows, 20, "0.25"));
    EXPECT_EQ(Core::AdjustCore::Moves().GetMoveType(0), Core::kMoveValue);
    EXPECT_EQ(Core::AdjustCore::Moves().GetMoveType(1), Core::kMoveAbsolute);
    EXPECT_EQ(Core::AdjustCore::Moves().GetPercent(0), 0.25);
    EXPECT_TRUE(Edit(apply, rows, 2, "False"));
    rows[2]->SetBoolean(false);
    EXPECT_TRUE(apply(2));
    EXPECT_FALSE(Core::AdjustCore::Tool().autoUser);
    AdjustmentController::RefreshProperties();
    EXPECT_EQ(Text(rows, 6), "RATIO");
    EXPECT_EQ(Text(rows, 16), "GAP");
    EXPECT_EQ(Text(rows, 12), "g");
    EXPECT_EQ(Text(rows, 21), "ABSOLUTE");
    // "None" unbinds, unless a child bears that name.
    EXPECT_TRUE(Edit(apply, rows, 4, "None"));
    EXPECT_EQ(p1->GetAnchorNode(0), nullptr);
    p1->GetChildByName("g")->SetName("None");
    EXPECT_TRUE(Edit(apply, rows, 4, "None"));
    EXPECT_EQ(p1->GetAnchorNode(0), p1->GetChildByName("None").Get());
    for (int row : {0, 3, 10, 17, 24, -1}) EXPECT_FALSE(apply(row)) << row;
}

TEST_F(ModePagesTest, BuilderPageEditsThePrototypeAndThePick) {
    Core::Selection::SetNode(p1);
    Core::BuilderCore::SetFunction(p1, false);
    BuilderController::RefreshProperties();
    const PropertyRows rows = BuilderController::GetProperties();
    EXPECT_EQ(Text(rows, 1), "p1");
    EXPECT_EQ(Text(rows, 5), "w");
    // The "Function" row is shown only.
    EXPECT_FALSE(Edit(&BuilderController::ApplyProperty, rows, 1, "f"));
    EXPECT_EQ(Core::BuilderCore::GetPrototypeName(), "p1");
    EXPECT_TRUE(Edit(&BuilderController::ApplyProperty, rows, 5, "None"));
    EXPECT_EQ(Core::BuilderCore::GetPrototype()->GetAnchorNode(0), nullptr);
    EXPECT_EQ(p1->GetAnchorNode(0), nullptr);
    EXPECT_TRUE(Edit(&BuilderController::ApplyProperty, rows, 19, "ABSOLUTE"));
    EXPECT_EQ(Core::BuilderCore::Moves().GetMoveType(0), Core::kMoveAbsolute);
    EXPECT_EQ(Core::AdjustCore::Moves().GetMoveType(0), Core::kMovePercent);
    EXPECT_FALSE(BuilderController::ApplyProperty(25));
}

}  // namespace
