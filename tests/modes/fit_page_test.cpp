// The "Automatic Fit Properties" page against the fit driver: its rows, what each row applies,
// the questions (answered as a test tells) and every refusal with the stored value shown again.
#include <gtest/gtest.h>

#include "../io/reader_support.h"
#include "fit_driver_support.h"
#include "io/data_set.h"
#include "modes/fit_page.h"

namespace {

namespace FitCore = Core::FitCore;
using Core::FitController;
using Platform::BoxAnswer;
using Row = FitController::Row;

const test::Oscillators kModel{{{{2.0, 300.0, 15.0}}, {{0.5, 480.0, 25.0}}}};

Winplus::Property& At(int row) {
    return *FitController::GetProperties()[static_cast<std::size_t>(row)];
}

// Edits a row as the grid does, applies it, and gives the boxes shown; the page is filled
// again afterwards, as its panel does.
struct Applied {
    bool result;
    std::vector<std::string> boxes;
};
template <class Edit>
Applied Apply(int row, Edit edit, std::vector<BoxAnswer> answers = {}) {
    test::CapturedBoxes boxes;
    boxes.answers = std::move(answers);
    edit(At(row));
    const bool result = FitController::ApplyWhenIdle(row);
    FitController::RefreshProperties();
    return {result, boxes.Texts()};
}
auto Text(const std::string& text) {
    return [text](Winplus::Property& p) { p.SetText(text); };
}
auto Flag(bool on) {
    return [on](Winplus::Property& p) { p.SetBoolean(on); };
}

using Boxes = std::vector<std::string>;

TEST(FitPageTest, RowsShowTheStateAndSettingsRowsStoreOrRefuseWithTheirTexts) {
    FitCore::Initialize();
    FitController::RefreshProperties();
    std::string captions, kinds;
    for (const auto& row : FitController::GetProperties()) {
        captions += row->GetNameA() + "|";
        kinds += static_cast<char>('0' + row->Kind());
    }
    EXPECT_EQ(captions,
              "Automatic Fit Properties|Max-steps|Math Explorer Path|Model|Definition|Target|"
              "Variable|Experimental Data|File|Target|All Range| X-Start| X-End|Squeeze| Factor|"
              " Slope|");
    EXPECT_EQ(kinds, "7173364764022022");
    for (int row : {Row::kModel, Row::kDefinition, Row::kTarget, Row::kFile})
        EXPECT_EQ(At(row).GetText(), "Undefined") << row;
    EXPECT_FALSE(At(Row::kModel).enabled);
    EXPECT_FALSE(At(Row::kXStart).enabled);  // All Range is on
    EXPECT_FALSE(At(Row::kFactor).enabled);  // Squeeze is off

    const FitCore::Settings& s = FitCore::GetSettings();
    const auto refused = [](const std::string& text) { return Applied{false, {text}}; };
    struct Case {
        const char* what;
        int row;
        std::function<void(Winplus::Property&)> edit;
        Applied expected;
        std::function<bool()> holds;
    };
    const std::vector<Case> cases = {
        {"0 steps", Row::kMaxSteps, Text("0"), refused("Number must be positive"),
         [&] { return s.maxSteps == 32 && At(Row::kMaxSteps).GetText() == "32"; }},
        {"50 steps", Row::kMaxSteps, Text("50"), {false, {}}, [&] { return s.maxSteps == 50; }},
        {"steps unchanged", Row::kMaxSteps, Text("50"), {true, {}}, [] { return true; }},
        {"complex", Row::kPart, Text("COMPLEX"), {false, {}}, [&] { return s.fittedPart == 2; }},
        {"squeeze on",
         Row::kSqueeze,
         Flag(true),
         {false, {}},
         [&] { return s.squeeze && At(Row::kFactor).enabled; }},
        // The point reduction would ignore 1.0: refused, the stored 4 shown again.
        {"factor 1", Row::kFactor, Text("1.0"), refused("Value must be greather than 1.0"),
         [&] { return s.squeezeFactor == 4.0 && At(Row::kFactor).GetText() == "4"; }},
        {"factor 2.5",
         Row::kFactor,
         Text("2.5"),
         {true, {}},
         [&] { return s.squeezeFactor == 2.5; }},
        {"slope -1", Row::kSlope, Text("-1"), refused("Value must be positive"),
         [&] { return s.squeezeSlope == 0.05 && At(Row::kSlope).GetText() == "0.05"; }},
        {"slope 0", Row::kSlope, Text("0"), {false, {}}, [&] { return s.squeezeSlope == 0.0; }},
        {"header", 0, Text("x"), {false, {}}, [] { return true; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Applied applied = Apply(c.row, c.edit);
        EXPECT_EQ(applied.result, c.expected.result);
        EXPECT_EQ(applied.boxes, c.expected.boxes);
        EXPECT_TRUE(c.holds());
    }
}

TEST(FitPageTest, PathAndVariableFollowTheQuestionAndTheCurrentNode) {
    FitCore::Initialize();
    FitController::RefreshProperties();
    const auto touch = [](Winplus::Property&) {};
    // Without a node chosen in the definition tree nothing is asked.
    EXPECT_EQ(Apply(Row::kTarget, touch).boxes,
              Boxes{"No item is selected!\nChoose an item in the Definition window."});
    EXPECT_FALSE(FitCore::GetUserModel());

    test::PhononModel user(kModel);
    const Applied no = Apply(Row::kTarget, touch, {BoxAnswer::No});
    EXPECT_TRUE(no.result);
    EXPECT_EQ(no.boxes, Boxes{"Current math path is: Undefined\nChange path?"});
    EXPECT_FALSE(FitCore::GetUserModel());

    EXPECT_FALSE(Apply(Row::kTarget, touch, {BoxAnswer::Yes}).result);
    EXPECT_EQ(At(Row::kModel).GetText(), "oscillators");
    EXPECT_EQ(At(Row::kDefinition).GetText(), "model");
    EXPECT_EQ(At(Row::kTarget).GetText(), user.definition->GetRoot()->GetName());
    // The working copy's inactive definition "x" is the variable.
    EXPECT_EQ(At(Row::kVariable).choices, (std::vector<std::string>{"None", "x"}));
    EXPECT_EQ(At(Row::kVariable).GetText(), "x");

    EXPECT_TRUE(Apply(Row::kVariable, Text("None")).result);
    EXPECT_FALSE(FitCore::GetVariableMap());
    EXPECT_EQ(At(Row::kVariable).GetText(), "None");
    EXPECT_TRUE(Apply(Row::kVariable, Text("x")).result);
    EXPECT_EQ(FitCore::GetVariableMap(), FitCore::GetWorkingModel()->FindMap("x"));
}

TEST(FitPageTest, FileAndRangeRowsAskRefuseAndCutTheTarget) {
    FitCore::Initialize();
    FitController::RefreshProperties();
    const auto touch = [](Winplus::Property&) {};
    EXPECT_EQ(Apply(Row::kFile, touch).boxes, Boxes{"Select a data file"});

    // Abscissas 1 ... 10.
    Spectrum::Ptr data = kModel.Sample(1.0, 10.0, 10);
    data->SetName(std::wstring(L"ten"));
    Core::DataSet::GetSet().Add(data);
    Core::DataSet::SetCurrent(data);
    const Applied no = Apply(Row::kFile, touch, {BoxAnswer::No});
    EXPECT_TRUE(no.result);
    EXPECT_EQ(no.boxes, Boxes{"Current File is: Undefined\nChange File?"});
    EXPECT_FALSE(FitCore::GetExperimentalData());
    EXPECT_FALSE(Apply(Row::kFile, touch, {BoxAnswer::Yes}).result);
    EXPECT_EQ(FitCore::GetExperimentalData(), data);
    EXPECT_EQ(At(Row::kFile).GetText(), "ten");

    EXPECT_FALSE(Apply(Row::kAllRange, Flag(false)).result);
    EXPECT_TRUE(At(Row::kXStart).enabled);
    EXPECT_EQ(At(Row::kXStart).GetText(), "1");
    EXPECT_EQ(Apply(Row::kXStart, Text("10")).boxes, Boxes{"Value must be lower than X-End"});
    EXPECT_EQ(At(Row::kXStart).GetText(), "1");
    EXPECT_EQ(Apply(Row::kXEnd, Text("1")).boxes, Boxes{"Value must be greather than X-Start"});
    EXPECT_EQ(At(Row::kXEnd).GetText(), "10");
    // Ends included: 3 ... 8 keeps the six points 3, 4, ..., 8 as the target.
    EXPECT_FALSE(Apply(Row::kXStart, Text("3")).result);
    EXPECT_FALSE(Apply(Row::kXEnd, Text("8")).result);
    const Spectrum::Ptr target = FitCore::GetTargetSpectrum();
    ASSERT_EQ(target->Size(), 6);
    EXPECT_EQ((*target->X())[0], 3.0);
    EXPECT_EQ((*target->X())[5], 8.0);
    EXPECT_FALSE(Apply(Row::kAllRange, Flag(true)).result);
    EXPECT_EQ(FitCore::GetTargetSpectrum()->Size(), 10);
    EXPECT_FALSE(At(Row::kXEnd).enabled);
}

TEST(FitPageTest, NothingIsAppliedWhileAFitRuns) {
    test::PhononModel user(kModel);
    auto owner = Safe::MakeX<test::QueueOwner>();
    FitCore::Initialize();
    FitCore::CreateOptimizer(owner);
    FitCore::SetMathPath();
    FitCore::SetExperimentalData(kModel.Sample(200.0, 600.0, 41));
    test::MarkPhononParameters();
    FitController::RefreshProperties();
    FitCore::StartFit();
    ASSERT_TRUE(FitCore::IsRunning());
    const Applied applied = Apply(Row::kMaxSteps, Text("5"));
    EXPECT_FALSE(applied.result);
    EXPECT_EQ(applied.boxes, Boxes{"Action not possible during optimization."});
    EXPECT_EQ(FitCore::GetSettings().maxSteps, 32);
    EXPECT_EQ(At(Row::kMaxSteps).GetText(), "32");
    FitCore::StopFit();
    owner->RunFit();
}

}  // namespace
