#include "winplus/property.h"

#include <gtest/gtest.h>

#include "winplus/grid_layout.h"

namespace {

using Winplus::Property;

TEST(Property, EachKindStartsWithItsText) {
    const wchar_t* initial[] = {L"True", L"0", L"0", L"", L"", L"", L"", L""};
    for (int kind = 0; kind <= 7; ++kind) {
        auto row = Property::Create(kind, L"row");
        ASSERT_TRUE(row) << kind;
        EXPECT_EQ(row->Kind(), kind);
        EXPECT_EQ(row->Text(), initial[kind]) << kind;
        EXPECT_EQ(row->GetName(), L"row");
    }
}

TEST(Property, UnknownOrNegativeKindIsRefused) {
    EXPECT_FALSE(Property::Create(8, L"row"));
    EXPECT_FALSE(Property::Create(-1, L"row"));
    EXPECT_FALSE(Property::Create(-100, L"row"));
}

TEST(Property, IntegerRowTakesOnlyDigits) {
    auto row = Property::Create(Winplus::kIntegerRow, L"n");
    row->SetText(" 42 ");
    EXPECT_EQ(row->integerValue, 42);
    EXPECT_EQ(row->GetText(), " 42 ");
    for (const char* bad : {"-5", "1.5", "", "abc", "99999999999"}) {
        row->SetText(bad);
        EXPECT_EQ(row->integerValue, 42) << bad;
        EXPECT_EQ(row->GetText(), " 42 ") << bad;
    }
    row->SetInteger(-17);
    EXPECT_EQ(row->GetText(), "-17");
}

TEST(Property, DoubleRowKeepsTheTextAsTyped) {
    auto row = Property::Create(Winplus::kDoubleRow, L"d");
    row->SetText("2.5e-3");
    EXPECT_EQ(row->doubleValue, 0.0025);
    EXPECT_EQ(row->GetText(), "2.5e-3");
    row->SetText("1e999");
    row->SetText("1,5");
    EXPECT_EQ(row->doubleValue, 0.0025);
    EXPECT_EQ(row->GetText(), "2.5e-3");
}

TEST(Property, DoubleRowShowsSixteenSignificantDigits) {
    auto row = Property::Create(Winplus::kDoubleRow, L"d");
    row->SetDouble(0.1);
    EXPECT_EQ(row->GetText(), "0.1");
    row->SetDouble(1.0 / 3.0);
    EXPECT_EQ(row->GetText(), "0.3333333333333333");
    row->SetDouble(-2.5e-300);
    EXPECT_EQ(row->GetText(), "-2.5e-300");
    row->SetDouble(1e20);
    EXPECT_EQ(row->GetText(), "1e+20");
}

TEST(Property, OtherKindsStoreAnyText) {
    auto row = Property::Create(Winplus::kListRow, L"l");
    row->SetText("Dotted");
    EXPECT_EQ(row->GetText(), "Dotted");
    auto flag = Property::Create(Winplus::kBooleanRow, L"b");
    flag->SetBoolean(false);
    EXPECT_FALSE(flag->booleanValue);
    EXPECT_EQ(flag->GetText(), "False");
}

TEST(Property, NewRowsTakeTheCurrentColours) {
    Property::CurrentColors().nameCell = 0xFF112233;
    EXPECT_EQ(Property::Create(3, L"a")->colors.nameCell, 0xFF112233u);
    Property::ResetColors();
    const auto row = Property::Create(3, L"b");
    EXPECT_EQ(row->colors.line, 0xFF141EC0u);
    EXPECT_EQ(row->colors.nameCell, 0xFFBED2FFu);
    EXPECT_EQ(row->colors.nameText, 0xFFFFFFFFu);
}

TEST(GridLayout, RowsUnderAPoint) {
    EXPECT_EQ(Winplus::RowAt(0, 0, 5), 0);
    EXPECT_EQ(Winplus::RowAt(18, 0, 5), 0);
    EXPECT_EQ(Winplus::RowAt(19, 0, 5), 1);
    EXPECT_EQ(Winplus::RowAt(19, 3, 5), 4);
    EXPECT_EQ(Winplus::RowAt(5 * 19, 0, 5), -1);  // below the last row
    EXPECT_EQ(Winplus::RowAt(-1, 0, 5), -1);      // above the first row
    EXPECT_EQ(Winplus::RowAt(-19, 3, 5), 2);      // the row scrolled out just above
    EXPECT_EQ(Winplus::RowAt(-1, 3, 5), 2);
}

TEST(GridLayout, ScrollMaximum) {
    EXPECT_EQ(Winplus::GridScrollMaximum(25, 200), 15);
    EXPECT_EQ(Winplus::GridScrollMaximum(5, 200), 0);
    EXPECT_EQ(Winplus::GridScrollMaximum(0, 200), 0);
}

TEST(GridLayout, EditorAndDropDownPlaces) {
    EXPECT_TRUE(Winplus::InDropZone(165, 200));
    EXPECT_TRUE(Winplus::InDropZone(180, 200));
    EXPECT_FALSE(Winplus::InDropZone(164, 200));
    EXPECT_FALSE(Winplus::InDropZone(181, 200));
    const Winplus::Box edit = Winplus::EditorBox(3, 1, 200);
    EXPECT_EQ(edit.x, 66);
    EXPECT_EQ(edit.y, 40);
    EXPECT_EQ(edit.width, 114);
    EXPECT_EQ(edit.height, 14);
    EXPECT_EQ(Winplus::EditorBox(0, 0, 30).width, 0);  // a narrow grid
    const Winplus::Box drop = Winplus::DropDownBox(2, 0, 200, Winplus::ListDropHeight(9));
    EXPECT_EQ(drop.y, 57);
    EXPECT_EQ(drop.width, 117);
    EXPECT_EQ(drop.height, 84);
    EXPECT_EQ(Winplus::ListDropHeight(3), 42);
}

TEST(GridLayout, ScrollRequests) {
    // SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBTRACK, SB_TOP, SB_BOTTOM.
    EXPECT_EQ(Winplus::ScrollTarget(0, 0, 5, 0), 0);
    EXPECT_EQ(Winplus::ScrollTarget(1, 4, 5, 0), 5);
    EXPECT_EQ(Winplus::ScrollTarget(1, 5, 5, 0), 5);
    EXPECT_EQ(Winplus::ScrollTarget(2, 1, 5, 0), 0);
    EXPECT_EQ(Winplus::ScrollTarget(3, 4, 5, 0), 5);
    EXPECT_EQ(Winplus::ScrollTarget(5, 1, 5, 3), 3);
    EXPECT_EQ(Winplus::ScrollTarget(6, 4, 5, 0), 0);
    EXPECT_EQ(Winplus::ScrollTarget(7, 0, 5, 0), 5);
    EXPECT_EQ(Winplus::ScrollTarget(8, 2, 5, 0), 2);  // SB_ENDSCROLL moves nothing
}

}  // namespace
