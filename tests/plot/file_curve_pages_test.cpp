#include <gtest/gtest.h>

#include "io/data_set.h"
#include "plot/file_curve_pages.h"
#include "plot/recording_canvas.h"
#include "tests/plot/page_support.h"

namespace {

using namespace PlotTest;
using Winplus::FileCurve;
using Winplus::FileCurveModifyPage;
using Winplus::FileCurveViewPage;
using Winplus::Property;
using Winplus::PropertyRows;

// Data "ten" with abscissas 1 ... 10, shown whole.
FileCurve::Ptr Ten() {
    auto data = Safe::MakeX<Spectrum>();
    data->SetName(std::wstring(L"ten"));
    data->Resize(10);
    for (int i = 0; i < 10; ++i) data->SetPoint(i, i + 1, i + 1, 0);
    auto curve = Safe::MakeX<FileCurve>();
    curve->SetData(data);
    curve->viewMode = Winplus::kXReal;
    return curve;
}

struct FileCase {
    RowCase row;
    std::function<void(FileCurve&)> before;
    std::function<void(const FileCurve&, const PropertyRows&)> then;
};

// The range and the range rows: their values and whether they may be edited.
auto Range(double start, double end, bool editable) {
    return [=](const FileCurve& c, const PropertyRows& rows) {
        EXPECT_EQ(c.GetXStart(), start);
        EXPECT_EQ(c.GetXEnd(), end);
        const int at = rows.size() == 28 ? 7 : 6;
        EXPECT_EQ(rows[at]->doubleValue, start);
        EXPECT_EQ(rows[at + 1]->doubleValue, end);
        EXPECT_EQ(rows[at]->enabled && rows[at + 1]->enabled, editable);
    };
}

auto Marker(bool imaginary, int size) {
    return [=](const FileCurve& c, const PropertyRows&) {
        const auto& d = imaginary ? c.Designers().imag : c.Designers().real;
        EXPECT_EQ(d->markerWidth, size);
        EXPECT_EQ(d->markerHeight, size);
    };
}

template <class Page, class Apply>
void RunCases(const std::vector<FileCase>& cases, const Apply& apply) {
    for (const FileCase& c : cases) {
        FileCurve::Ptr curve = Ten();
        c.before(*curve);
        Page page;
        if constexpr (std::is_same_v<Page, FileCurveViewPage>)
            page.Fill(curve);
        else
            page.Fill(curve, true);
        Check(c.row, page.Row(c.row.index), [&](int i) { return apply(page, curve, i); });
        SCOPED_TRACE(c.row.what);
        c.then(*curve, page.GetRows());
    }
}

const auto kKeep = [](FileCurve&) {};
const auto kPart = [](FileCurve& c) { c.SetRange(3, 7); };

TEST(FileCurvePagesTest, ViewPageAppliesEachRowWithItsEventAndRefusal) {
    RunCases<FileCurveViewPage>(
        {
            {{"All Range off", 6, Flag(false), false, kNone, kNone, {}}, kKeep, Range(1, 10, true)},
            {{"All Range on", 6, Flag(true), false, {kChanged}, kNone, {}},
             kPart,
             Range(1, 10, false)},
            {{"start at the end", 7, Text("10"), false, kNone, kNone,
              Box("Value must be lower than X-End")},
             kKeep,
             Range(1, 10, false)},
            {{"start 3", 7, Text("3"), true, {kChanged}, kNone, {}},
             kKeep,
             [](const FileCurve& c, const PropertyRows&) {
                 EXPECT_EQ(c.GetXStart(), 3.0);
                 EXPECT_EQ((*c.GetData()->X())[static_cast<std::size_t>(c.StartIndex())], 3.0);
             }},
            {{"start unchanged", 7, Text("3"), true, kNone, kNone, {}}, kPart, Range(3, 7, true)},
            {{"end at the start", 8, Text("3"), false, kNone, kNone,
              Box("Value must be greather than X-Start")},
             kPart,
             Range(3, 7, true)},
            {{"end 9", 8, Text("9"), true, {kChanged}, kNone, {}}, kPart, Range(3, 9, true)},
            {{"view mode", 9, Text("Imag-Real"), true, {kChanged}, kNone, {}},
             kKeep,
             [](const FileCurve& c, const PropertyRows&) { EXPECT_EQ(c.viewMode, 4); }},
            {{"real size", 16, Text("6"), true, {kChanged}, kNone, {}}, kKeep, Marker(false, 6)},
            {{"imag size", 25, Text("8"), true, {kChanged}, kNone, {}}, kKeep, Marker(true, 8)},
            {{"odd size", 25, Text("3"), true, {kChanged}, kNone, {}}, kKeep, Marker(true, 1)},
            {{"thickness", 12, Text("6"), true, {kChanged}, kNone, {}},
             kKeep,
             [](const FileCurve& c, const PropertyRows&) {
                 EXPECT_EQ(c.Designers().real->thickness, 6);
             }},
            {{"name", 1, Text("other"), true, kNone, kNone, {}}, kKeep, Range(1, 10, false)},
        },
        [](FileCurveViewPage& page, const FileCurve::Ptr& curve, int i) {
            return page.Apply(curve, i);
        });
}

TEST(FileCurvePagesTest, ARangeDrawsFromThePointAtItsStart) {
    FileCurve::Ptr curve = Ten();
    FileCurveViewPage page;
    page.Fill(curve);
    page.Row(7).SetText("3");
    ASSERT_TRUE(page.Apply(curve, 7));
    auto frame = Safe::MakeX<Winplus::Frame>();
    frame->SetPlotArea({0, 0, 100, 100});
    frame->SetLimits({0, 0, 10, 10});
    Winplus::RecordingCanvas canvas;
    curve->Paint(canvas, frame);
    const auto lines = canvas.OfKind(Winplus::RecordingCanvas::Kind::Line);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().points[0], (Winplus::PixelPoint{30, 70}));
    EXPECT_EQ(lines.back().points[1], (Winplus::PixelPoint{100, 0}));
}

TEST(FileCurvePagesTest, ViewPageShowsTheDataAndChangesItOnRequest) {
    FileCurve::Ptr curve = Ten();
    curve->Designers().real->thickness = 3;  // not offered: the row keeps its text
    curve->SetRange(3, 7);
    FileCurveViewPage page;
    page.Fill(Safe::MakeX<FileCurve>());
    EXPECT_EQ(page.Row(FileCurveViewPage::kFile).GetText(), "Undefined");
    EXPECT_EQ(page.Row(3).GetText() + page.Row(4).GetText(), "00");
    page.Fill(curve);
    EXPECT_EQ(page.Row(FileCurveViewPage::kFile).GetText(), "ten");
    EXPECT_EQ(page.Row(3).integerValue, 10);
    EXPECT_EQ(page.Row(4).doubleValue + page.Row(5).doubleValue, 11.0);
    EXPECT_EQ(page.Row(12).GetText(), "1");
    // Without data the data rows keep what they showed.
    page.Fill(Safe::MakeX<FileCurve>());
    EXPECT_EQ(page.Row(3).integerValue, 10);

    const std::string question = "Current file is: Undefined\nChange file?";
    const auto file = [&](Platform::BoxAnswer answer, bool result, std::vector<int> codes) {
        Check({"file",
               FileCurveViewPage::kFile,
               [](Property&) {},
               result,
               codes,
               kNone,
               {question},
               {answer}},
              page.Row(FileCurveViewPage::kFile), [&](int i) { return page.Apply(curve, i); });
    };
    file(Platform::BoxAnswer::No, true, kNone);
    // Yes without a current spectrum: only the event.
    file(Platform::BoxAnswer::Yes, false, {CodeNumber(LayerEvent::kCurveBindingChanged)});
    EXPECT_EQ(curve->GetData()->GetNameA(), "ten");
    auto other = Safe::MakeX<Spectrum>();
    other->SetName(std::wstring(L"other"));
    other->Resize(4);
    for (int i = 0; i < 4; ++i) other->SetPoint(i, 10.0 * (i + 1), 0, 0);
    Core::DataSet::GetSet().Add(other);
    Core::DataSet::SetCurrent(other);
    file(Platform::BoxAnswer::Yes, false, {CodeNumber(LayerEvent::kCurveBindingChanged)});
    EXPECT_TRUE(curve->GetData() == other);
    // Every row shows the new data and its whole range.
    EXPECT_EQ(page.Row(FileCurveViewPage::kFile).GetText(), "other");
    EXPECT_EQ(page.Row(3).integerValue, 4);
    Range(10, 40, false)(*curve, page.GetRows());
}

TEST(FileCurvePagesTest, ModifyPageReportsOnTheViewBus) {
    FileCurve::Ptr curve = Ten();
    FileCurveModifyPage page;
    page.Fill(curve, false);
    EXPECT_FALSE(page.Row(page.AllRangeIndex()).enabled);
    page.Fill(curve, true);
    EXPECT_TRUE(page.Row(page.AllRangeIndex()).enabled);

    RunCases<FileCurveModifyPage>(
        {
            {{"All Range off", 5, Flag(false), true, kNone, {kChanged}, {}},
             kKeep,
             Range(1, 10, true)},
            {{"All Range on", 5, Flag(true), true, kNone, {kChanged}, {}},
             kPart,
             Range(1, 10, false)},
            {{"start at the end", 6, Text("7"), false, kNone, kNone,
              Box("Value must be lower than X-End")},
             kPart,
             Range(3, 7, true)},
            {{"end 10", 7, Text("10"), true, kNone, {kChanged}, {}}, kPart, Range(3, 10, true)},
            {{"view mode", 8, Text("Hidden"), true, kNone, {kChanged}, {}},
             kKeep,
             [](const FileCurve& c, const PropertyRows&) { EXPECT_EQ(c.viewMode, -1); }},
            {{"real size", 14, Text("4"), true, kNone, kNone, {}}, kKeep, Marker(false, 4)},
            {{"imag size", 22, Text("2"), true, kNone, {kChanged}, {}}, kKeep, Marker(true, 2)},
            {{"imag colour", 19, Colour(0xFF010203), true, kNone, {kChanged}, {}},
             kKeep,
             [](const FileCurve& c, const PropertyRows&) {
                 EXPECT_EQ(c.Designers().imag->lineColor, 0xFF010203u);
                 EXPECT_NE(c.Designers().real->lineColor, 0xFF010203u);
             }},
        },
        [](FileCurveModifyPage& page, const FileCurve::Ptr& c, int i) { return page.Apply(c, i); });
}

}  // namespace
