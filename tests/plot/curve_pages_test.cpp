#include <gtest/gtest.h>

#include <cmath>

#include "model/current.h"
#include "plot/curve_pages.h"
#include "tests/plot/page_support.h"
#include "tests/plot/plot_support.h"

namespace {

using namespace PlotTest;
using Winplus::Curve;
using Winplus::CurveModifyPage;
using Winplus::CurveViewPage;
using Winplus::LayerCurve;
using Winplus::Property;

// A curve of 512 points over 1 ... 1000 bound to "sq", in a layer whose limits are 100 ... 500;
// each case starts from the state at start-up.
struct CurveFixture {
    bool reset = (ResetProcessState(), true);
    Core::MathMap::Ptr model = SquareModel("sq");
    Curve::Ptr curve;
    LayerCurve::Ptr layer = LayerCurve::Create();
    CurveFixture() {
        SelectModel(model);
        curve = Safe::MakeX<Curve>();
        layer->SetLimits({100, 0, 400, 1});
        // Colours of their own: a random one could equal a colour a case sets, which would then
        // change nothing and announce nothing.
        curve->Designers().real->lineColor = curve->Designers().real->markerColor = 0xFF102030u;
        curve->Designers().imag->lineColor = curve->Designers().imag->markerColor = 0xFF405060u;
    }
};

constexpr int kBinding = CodeNumber(LayerEvent::kCurveBindingChanged);

// A case of a curve page: how the curve is before, the edit, and what the curve shows after.
struct CurveCase {
    RowCase row;
    std::function<void(Curve&)> before;
    std::function<void(const Curve&, const Winplus::PropertyRows&)> then;
};

TEST(CurvePagesTest, ViewPageAppliesEachRowWithItsEventAndRefusal) {
    using P = CurveViewPage;
    const auto keep = [](Curve&) {};
    const auto points = [](int n) {
        return [n](const Curve& c, const Winplus::PropertyRows& rows) {
            EXPECT_EQ(c.Size(), n);
            EXPECT_EQ(rows[P::kPoints]->GetText(), std::to_string(n));
            EXPECT_EQ(c.Min(0), 1.0);
            EXPECT_EQ(c.Max(0), 1000.0);
        };
    };
    const auto range = [](double lo, double hi) {
        return [lo, hi](const Curve& c, const Winplus::PropertyRows& rows) {
            EXPECT_DOUBLE_EQ(c.Min(0), lo);
            EXPECT_DOUBLE_EQ(c.Max(0), hi);
            EXPECT_DOUBLE_EQ(rows[P::kXMinimum]->doubleValue, lo);
            EXPECT_DOUBLE_EQ(rows[P::kXMaximum]->doubleValue, hi);
        };
    };
    const auto designer = [](bool imaginary, auto field, auto value) {
        return [=](const Curve& c, const Winplus::PropertyRows&) {
            const Winplus::CurveDesigner& d = imaginary ? *c.Designers().imag : *c.Designers().real;
            const Winplus::CurveDesigner& other =
                imaginary ? *c.Designers().real : *c.Designers().imag;
            EXPECT_EQ(d.*field, value);
            EXPECT_NE(other.*field, value);
        };
    };
    using D = Winplus::CurveDesigner;
    // clang-format off
    const CurveCase cases[] = {
        {{"1 point", P::kPoints, Text("1"), false, kNone, kNone, Box("Number of points [2,8096]")},
         keep, points(512)},
        {{"8097 points", P::kPoints, Text("8097"), false, kNone, kNone,
          Box("Number of points [2,8096]")}, keep, points(512)},
        {{"8096 points", P::kPoints, Text("8096"), true, {kChanged}, kNone, {}}, keep, points(8096)},
        {{"points unchanged", P::kPoints, Text("512"), true, kNone, kNone, {}}, keep, points(512)},
        {{"minimum at the maximum", P::kXMinimum, Text("1000"), false, kNone, kNone,
          Box("Value must be lower than X-Maximum")}, keep, range(1, 1000)},
        {{"minimum 10", P::kXMinimum, Text("10"), true, {kChanged}, kNone, {}}, keep,
         [](const Curve& c, const auto&) { EXPECT_EQ(c.Min(0), 10.0); }},
        {{"maximum at the minimum", P::kXMaximum, Text("1"), false, kNone, kNone,
          Box("Value must be greather than X-Minimum")}, keep, range(1, 1000)},
        {{"maximum 500", P::kXMaximum, Text("500"), true, {kChanged}, kNone, {}}, keep,
         [](const Curve& c, const auto&) { EXPECT_EQ(c.Max(0), 500.0); }},
        {{"AutoScale off", P::kAutoScale, Flag(false), false, kNone, kNone, {}}, keep,
         [](const Curve& c, const Winplus::PropertyRows& rows) {
             EXPECT_FALSE(c.autoScale);
             EXPECT_TRUE(rows[P::kXMinimum]->enabled && rows[P::kXMaximum]->enabled);
         }},
        {{"AutoScale on", P::kAutoScale, Flag(true), false, {kChanged}, kNone, {}},
         [](Curve& c) { c.autoScale = false; },
         [&](const Curve& c, const Winplus::PropertyRows& rows) {
             range(100, 500)(c, rows);
             EXPECT_FALSE(rows[P::kXMinimum]->enabled || rows[P::kXMaximum]->enabled);
         }},
        // Resampled geometrically over the layer's limits; the limit rows follow.
        {{"Exp Step", P::kExpStep, Flag(true), false, {kChanged}, kNone, {}}, keep,
         [&](const Curve& c, const Winplus::PropertyRows& rows) {
             range(100, 500)(c, rows);
             EXPECT_NEAR((*c.X())[1], 100 * std::pow(5.0, 1.0 / 511), 1e-9);
         }},
        {{"view mode", P::kViewMode, Text("X-Real"), true, {kChanged}, kNone, {}}, keep,
         [](const Curve& c, const auto&) { EXPECT_EQ(c.GetViewMode(), 0); }},
        {{"view mode unchanged", P::kViewMode, Text("X-Complex"), true, kNone, kNone, {}}, keep,
         [](const Curve& c, const auto&) { EXPECT_EQ(c.GetViewMode(), 2); }},
        {{"real line", 11, Flag(false), true, {kChanged}, kNone, {}}, keep,
         designer(false, &D::hasLine, false)},
        {{"imag thickness", 21, Text("3"), true, {kChanged}, kNone, {}}, keep,
         designer(true, &D::thickness, 3)},
        {{"real line colour", 13, Colour(0xFF123456), true, {kChanged}, kNone, {}}, keep,
         designer(false, &D::lineColor, 0xFF123456u)},
        {{"imag shape", 23, Flag(true), true, {kChanged}, kNone, {}}, keep,
         designer(true, &D::hasShape, true)},
        {{"imag style", 24, Text("Diamond"), true, {kChanged}, kNone, {}}, keep,
         designer(true, &D::style, 3)},
        {{"real size", 16, Text("6"), true, {kChanged}, kNone, {}}, keep,
         [&](const Curve& c, const auto& rows) {
             designer(false, &D::markerWidth, 6)(c, rows);
             designer(false, &D::markerHeight, 6)(c, rows);
         }},
        {{"real marker colour", 17, Colour(0xFF00FF00), true, {kChanged}, kNone, {}}, keep,
         designer(false, &D::markerColor, 0xFF00FF00u)},
        {{"imag filled", 27, Flag(true), true, {kChanged}, kNone, {}}, keep,
         designer(true, &D::isFilled, true)},
        {{"variable None", P::kVariable, Text("None"), true, {kBinding}, kNone, {}}, keep,
         [](const Curve& c, const auto&) { EXPECT_FALSE(c.GetUnit()->GetVariable()); }},
        {{"header", 10, Text("x"), true, kNone, kNone, {}}, keep, points(512)},
        {{"outside", 28, Text("x"), true, kNone, kNone, {}}, keep, points(512)},
    };
    // clang-format on
    for (const CurveCase& c : cases) {
        CurveFixture fixture;
        c.before(*fixture.curve);
        P page;
        page.Fill(fixture.curve);
        Property& row = c.row.index < 28 ? page.Row(c.row.index) : page.Row(0);
        Check(c.row, row, [&](int i) { return page.Apply(fixture.layer, fixture.curve, i); });
        SCOPED_TRACE(c.row.what);
        c.then(*fixture.curve, page.GetRows());
    }
}

TEST(CurvePagesTest, MathPathAsksAndRebindsToTheCurrentSelection) {
    CurveFixture fixture;
    const auto cube = SquareModel("cube", 2.0);
    SelectModel(cube);
    const std::string question = "Current math path is: sq.model.m\nChange path?";
    for (const auto answer : {Platform::BoxAnswer::No, Platform::BoxAnswer::Yes}) {
        const bool yes = answer == Platform::BoxAnswer::Yes;
        CurveViewPage page;
        page.Fill(fixture.curve);
        Check({"path",
               CurveViewPage::kMathPath,
               [](Property&) {},
               !yes,
               yes ? std::vector<int>{kBinding} : kNone,
               kNone,
               {question},
               {answer}},
              page.Row(CurveViewPage::kMathPath),
              [&](int i) { return page.Apply(fixture.layer, fixture.curve, i); });
        EXPECT_EQ(fixture.curve->GetMathPath(), yes ? "cube.model.m" : "sq.model.m");
        EXPECT_EQ(page.Row(CurveViewPage::kMathPath).GetText(), fixture.curve->GetMathPath());
        EXPECT_EQ(page.Row(CurveViewPage::kVariable).GetText(), "x");
        EXPECT_EQ(page.Row(CurveViewPage::kVariable).choices,
                  (std::vector<std::string>{"None", "x"}));
    }
    EXPECT_TRUE(fixture.curve->GetUnit()->GetVariable() == cube->FindMap("x"));
}

TEST(CurvePagesTest, ACurveWithoutVariableShowsNoneAndAnUntouchedRowKeepsItSo) {
    CurveFixture fixture;
    auto unbound = Safe::MakeX<Curve>();
    unbound->GetUnit()->SetVariable(nullptr);
    for (bool modify : {false, true}) {
        CurveViewPage view;
        CurveModifyPage page;
        Property& variable =
            modify ? page.Row(CurveModifyPage::kVariable) : view.Row(CurveViewPage::kVariable);
        const auto fill = [&](const Curve::Ptr& c) { modify ? page.Fill(c, true) : view.Fill(c); };
        fill(fixture.curve);
        EXPECT_EQ(variable.GetText(), "x");
        fill(unbound);
        EXPECT_EQ(variable.GetText(), "None");
        const int index = modify ? static_cast<int>(CurveModifyPage::kVariable)
                                 : static_cast<int>(CurveViewPage::kVariable);
        Check({"untouched", index, [](Property&) {}, true, kNone, kNone, {}}, variable, [&](int i) {
            return modify ? page.Apply(unbound, i) : view.Apply(fixture.layer, unbound, i);
        });
        EXPECT_FALSE(unbound->GetUnit()->GetVariable());
        // Null leaves the rows of the previous curve.
        fill(nullptr);
        EXPECT_EQ(variable.GetText(), "None");
    }
}

TEST(CurvePagesTest, ModifyPageReportsOnTheViewBus) {
    using P = CurveModifyPage;
    const auto keep = [](Curve&) {};
    const auto size = [](int n) {
        return [n](const Curve& c, const auto&) { EXPECT_EQ(c.Size(), n); };
    };
    const CurveCase cases[] = {
        {{"2049 points", P::kPoints, Text("2049"), false, kNone, kNone,
          Box("Number of points [2,2048]")},
         keep,
         size(512)},
        {{"2048 points", P::kPoints, Text("2048"), true, kNone, {kChanged}, {}}, keep, size(2048)},
        {{"view mode", P::kViewMode, Text("Hidden"), true, kNone, {kChanged}, {}},
         keep,
         [](const Curve& c, const auto&) { EXPECT_EQ(c.GetViewMode(), -1); }},
        // The line colour only: the marker keeps its own.
        {{"imag colour", P::kImagColor, Colour(0xFF0000FF), true, kNone, {kChanged}, {}},
         keep,
         [](const Curve& c, const auto&) {
             EXPECT_EQ(c.Designers().imag->lineColor, 0xFF0000FFu);
             EXPECT_NE(c.Designers().imag->markerColor, 0xFF0000FFu);
             EXPECT_NE(c.Designers().real->lineColor, 0xFF0000FFu);
         }},
        {{"variable None", P::kVariable, Text("None"), false, kNone, {kChanged}, {}},
         keep,
         [](const Curve& c, const auto&) { EXPECT_FALSE(c.GetUnit()->GetVariable()); }},
        {{"path not editable", P::kMathPath, [](Property&) {}, true, kNone, kNone, {}},
         keep,
         [](const Curve& c, const auto& rows) {
             EXPECT_FALSE(rows[P::kMathPath]->enabled);
             EXPECT_EQ(c.GetUnit()->GetLabel(), "sq.model.m");
         }},
    };
    for (const CurveCase& c : cases) {
        CurveFixture fixture;
        P page;
        page.Fill(fixture.curve, false);
        Check(c.row, page.Row(c.row.index), [&](int i) { return page.Apply(fixture.curve, i); });
        SCOPED_TRACE(c.row.what);
        c.then(*fixture.curve, page.GetRows());
    }
    // The flag given with a null curve counts: the path may be changed, and is re-evaluated.
    CurveFixture fixture;
    P page;
    page.Fill(fixture.curve, false);
    page.Fill(nullptr, true);
    SelectModel(SquareModel("cube", 2.0));
    Check({"path",
           P::kMathPath,
           [](Property&) {},
           false,
           kNone,
           {kChanged},
           Box("Current math path is: sq.model.m\nChange path?")},
          page.Row(P::kMathPath), [&](int i) { return page.Apply(fixture.curve, i); });
    EXPECT_EQ(page.Row(P::kMathPath).GetText(), "cube.model.m");
    EXPECT_DOUBLE_EQ(fixture.curve->Re()->Values()[0], 1.0 + 2.0);  // u*u + 2 at x = 1
}

}  // namespace
