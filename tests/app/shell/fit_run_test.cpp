// What a person does on the interface thread while a fit runs: ticks in the fit's Parameters
// tree, edits of the fit page and state dumps between the worker's steps. Run under
// ThreadSanitizer too: none of it may touch what the worker uses.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/explorers/parameter_panels.h"
#include "app/shell/state_dump.h"
#include "modes/fit_page.h"
#include "tests/modes/fit_driver_support.h"
#include "tests/io/reader_support.h"

namespace {

namespace FitCore = Core::FitCore;
namespace Fit = Core::FitParameters;
using Core::FitController;

const test::Oscillators kTruth{{{{2.0, 300.0, 15.0}}, {{0.5, 480.0, 25.0}}}};
const test::Oscillators kStart{{{{1.9, 297.0, 17.0}}, {{0.55, 485.0, 22.0}}}};

// The value of a "key: value" line of the state dump.
std::string DumpValue(const std::string& dump, const std::string& key) {
    const std::size_t at = ("\n" + dump).find("\n" + key + ": ");
    if (at == std::string::npos) return "absent";
    const std::size_t from = at + key.size() + 2;
    return dump.substr(from, dump.find('\n', from) - from);
}

TEST(FitRunTest, TicksPageEditsAndDumpsBetweenStepsLeaveTheWorkerAlone) {
    test::PhononModel user(kStart);
    auto owner = Safe::MakeX<test::QueueOwner>();
    FitCore::Initialize();
    FitCore::CreateOptimizer(owner);
    FitCore::SetMathPath();
    FitCore::SetExperimentalData(kTruth.Sample(200.0, 600.0, 41));
    test::MarkPhononParameters();
    FitController::RefreshProperties();
    const std::vector<Fit::Item> items = Fit::TreeItems();
    // The root, the sum, then the first phonon and its children.
    ASSERT_GE(items.size(), 5u);
    const std::wstring phonon = items[2].text, parameter = items[4].text;

    test::CapturedBoxes boxes;
    FitCore::StartFit();
    ASSERT_TRUE(FitCore::IsRunning());
    std::vector<std::string> dumps;
    int refused = 0;
    const int steps = owner->RunFit([&](int step) {
        if (!FitCore::IsRunning()) return;  // the last step ended the fit
        // Untick and tick again, a node with its subtree and a single parameter.
        for (const bool mark : {false, true}) {
            EXPECT_FALSE(Fit::SetMarks(L"", phonon, mark)) << step;
            EXPECT_FALSE(Fit::SetMarks(L"", parameter, mark)) << step;
        }
        FitController::GetProperties()[FitController::kMaxSteps]->SetText("5");
        EXPECT_FALSE(FitController::ApplyWhenIdle(FitController::kMaxSteps)) << step;
        FitController::RefreshProperties();
        refused += 5;
        // The list of the current node's values is left as it is: the worker moves them.
        EXPECT_FALSE(Core::NodeParameters::ShowsValuesOn(ModelEvent::kParametersChanged));
        dumps.push_back(Core::StateDumpText(Core::ShownState{}));
    });
    EXPECT_EQ(steps, 31);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>(static_cast<std::size_t>(refused),
                                                      "Action not possible during optimization."));
    // Nothing was unticked or applied: the fit ran its 32 steps over all six parameters.
    EXPECT_EQ(Fit::TreeItems(), items);
    EXPECT_EQ(FitCore::GetSettings().maxSteps, 32);
    EXPECT_EQ(FitCore::GetParameters().size(), 6u);

    // Each dump was of the running fit after its step, its best chi2 never rising; the last
    // dump's is that of the ended fit's text.
    ASSERT_EQ(dumps.size(), 30u);
    double previous = kStart.Chi2(*FitCore::GetTargetSpectrum());
    for (std::size_t k = 0; k < dumps.size(); ++k) {
        EXPECT_EQ(DumpValue(dumps[k], "fit"), "running") << k;
        EXPECT_EQ(DumpValue(dumps[k], "fit step"), std::to_string(k + 1)) << k;
        const double chi2 = std::strtod(DumpValue(dumps[k], "fit best chi2").c_str(), nullptr);
        EXPECT_LE(chi2, previous * (1 + 1e-5)) << k;
        previous = chi2;
    }
    const std::string after = Core::StateDumpText(Core::ShownState{});
    EXPECT_EQ("Best Chi2 = " + DumpValue(after, "fit best chi2"), FitCore::GetStatusText());
    EXPECT_TRUE(Core::NodeParameters::ShowsValuesOn(ModelEvent::kParametersChanged));
}

}  // namespace
