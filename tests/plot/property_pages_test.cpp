#include <gtest/gtest.h>

#include "plot/curve_pages.h"
#include "plot/file_curve_pages.h"
#include "plot/layer_pages.h"
#include "tests/plot/page_support.h"

namespace {

using namespace PlotTest;
using Winplus::CurveModifyPage;
using Winplus::CurveViewPage;
using Winplus::Property;

const std::string kLooks =
    "|HasLine|  Thickness|  Color|HasShape|  Style|  Size|  Color|  IsFilled";
const std::string kGroups = "|Real Curve Appearance" + kLooks + "|Imag Curve Appearance" + kLooks;

TEST(PropertyPagesTest, EveryPageHasTheRowsOfItsTable) {
    struct Page {
        Winplus::PropertyRows rows;
        std::string captions, kinds, disabled;
    };
    const std::string fileLooks = "|HasLine|  Color|HasShape|  Style|  Size|  Color|  IsFilled";
    const std::string range = "|N-Points|X-Minimum|X-Maximum|All Range|X-Start|X-End|View mode";
    const std::string limits = "|X-Axis|X-Minimum|X-Maximum|Y-Axis|Y-Minimum|Y-Maximum";
    const Page pages[] = {
        {CurveViewPage().GetRows(),
         "View Curve Properties|Name|Math path|AutoScale|Variable|N-Points|Exp Step|X-Minimum|"
         "X-Maximum|View mode" +
             kGroups,
         "7360410224704504450704504450", "1 7 8"},
        {CurveModifyPage().GetRows(),
         "Modify Curve Properties|Name|Math path|Variable|N-Points|View mode|Real Color|Imag Color",
         "73641455", "1"},
        {Winplus::FileCurveViewPage().GetRows(), "View File Properties|Name|File" + range + kGroups,
         "7361220224704504450704504450", "1 3 4 5 7 8"},
        {Winplus::FileCurveModifyPage().GetRows(),
         "Modify File Properties|Name" + range + "|Real Curve Appearance" + fileLooks +
             "|Imag Curve Appearance" + fileLooks,
         "7312202247050445070504450", "1 2 3 4 6 7"},
        {Winplus::LayerViewPage().GetRows(), "View Layer Properties|Name" + limits, "73422422",
         "1"},
        {Winplus::LayerModifyPage().GetRows(), "Modify Layer Properties" + limits, "7422422", ""},
    };
    for (const Page& page : pages) {
        EXPECT_EQ(Captions(page.rows), page.captions);
        EXPECT_EQ(Kinds(page.rows), page.kinds) << page.captions;
        EXPECT_EQ(Disabled(page.rows), page.disabled) << page.captions;
    }
    // Built texts and choices of the List rows.
    const Winplus::PropertyRows rows = CurveViewPage().GetRows();
    EXPECT_EQ(rows[4]->GetText(), "None");
    EXPECT_EQ(rows[4]->choices, (std::vector<std::string>{"None"}));
    EXPECT_EQ(rows[9]->GetText(), "Hidden");
    EXPECT_EQ(rows[9]->choices, (std::vector<std::string>{"Hidden", "X-Real", "X-Imag", "X-Complex",
                                                          "Real-Imag", "Imag-Real"}));
    EXPECT_EQ(rows[12]->choices,
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(rows[15]->GetText() + rows[16]->GetText(), "Circle4");
    EXPECT_EQ(rows[15]->choices, (std::vector<std::string>{"Circle", "Square", "Diamond"}));
    EXPECT_EQ(Winplus::FileCurveViewPage().GetRows()[16]->choices,
              (std::vector<std::string>{"1", "2", "4", "6", "8"}));
    EXPECT_EQ(Winplus::LayerViewPage().GetRows()[5]->choices,
              (std::vector<std::string>{"Linear", "Log10"}));
}

TEST(PropertyPagesTest, ListTextsStandForValuesByExactComparison) {
    struct Case {
        const Winplus::TextMap& map;
        std::vector<std::pair<std::string, int>> listed;  // both ways
        std::vector<std::string> others;                  // the fallback value
        std::vector<int> unlisted;                        // leave the row's text
    };
    const Case cases[] = {
        {Winplus::ViewModeTexts(),
         {{"Hidden", -1},
          {"X-Real", 0},
          {"X-Imag", 1},
          {"X-Complex", 2},
          {"Real-Imag", 3},
          {"Imag-Real", 4}},
         {"x-real", "", "X-Real "},
         {-2, 5}},
        {Winplus::StyleTexts(), {{"Circle", 1}, {"Square", 2}, {"Diamond", 3}}, {"Star"}, {0, 4}},
        {Winplus::SizeTexts(), {{"1", 1}, {"5", 5}, {"8", 8}}, {"9", " 2", "0"}, {0, 9}},
        {Winplus::EvenSizeTexts(), {{"1", 1}, {"2", 2}, {"6", 6}, {"8", 8}}, {"3", "5"}, {3, 5, 7}},
    };
    for (const Case& c : cases) {
        auto row = Property::Create(Winplus::kListRow, L"list");
        for (const auto& [text, value] : c.listed) {
            EXPECT_EQ(c.map.Parse(text), value) << text;
            row->SetText("previous");
            c.map.Show(*row, value);
            EXPECT_EQ(row->GetText(), text);
        }
        for (const std::string& text : c.others) EXPECT_EQ(c.map.Parse(text), c.map.fallback);
        for (int value : c.unlisted) {
            row->SetText("previous");
            c.map.Show(*row, value);
            EXPECT_EQ(row->GetText(), "previous") << value;
        }
    }
    EXPECT_EQ(Winplus::ViewModeTexts().fallback, -1);
    EXPECT_EQ(Winplus::StyleTexts().fallback + Winplus::SizeTexts().fallback +
                  Winplus::EvenSizeTexts().fallback,
              3);
}

}  // namespace
