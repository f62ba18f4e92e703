#include "modes/fit_page.h"

#include <memory>

#include "foundation/platform.h"
#include "io/data_set.h"
#include "model/current.h"
#include "modes/fit_core.h"
#include "plot/property_page.h"

namespace Core {

namespace {

using Winplus::Property;
using Winplus::RowTemplate;

const std::vector<std::string> kParts = {"REAL", "IMAG", "COMPLEX"};

// A box with the information icon and Ok.
void Inform(const std::string& text) {
    Platform::ShowMessageBox(
        {text, "Message", Platform::BoxIcon::Information, Platform::BoxButtons::Ok});
}

std::vector<RowTemplate> Templates() {
    using namespace Winplus;
    return {{kHeaderRow, L"Automatic Fit Properties"},
            {kIntegerRow, L"Max-steps"},
            {kHeaderRow, L"Math Explorer Path"},
            {kStringRow, L"Model", "", {}, true},
            {kStringRow, L"Definition", "", {}, true},
            {kMessageRow, L"Target"},
            {kListRow, L"Variable", "None", {"None"}},
            {kHeaderRow, L"Experimental Data"},
            {kMessageRow, L"File"},
            {kListRow, L"Target", "REAL", kParts},
            {kBooleanRow, L"All Range"},
            {kDoubleRow, L" X-Start"},
            {kDoubleRow, L" X-End"},
            {kBooleanRow, L"Squeeze"},
            {kDoubleRow, L" Factor"},
            {kDoubleRow, L" Slope"}};
}

class FitPage : public Winplus::PropertyPage {
public:
    FitPage() : PropertyPage(Templates()) {}
    void Fill();
    bool Apply(int index);

private:
    bool ApplyPath();
    bool ApplyFile();
    bool ApplyRange(int index);
    // A refused value: its box, then the stored value back in the row.
    bool Refuse(const std::string& text) {
        Winplus::Refuse(text);
        Fill();
        return false;
    }
};

template <class T>
std::string NameOr(const Safe::XPtr<T>& named, const char* otherwise) {
    return named ? named->GetNameA() : otherwise;
}
std::string NameOr(const NodeMap::Ptr& map, const char* otherwise) {
    return map ? map->GetName() : otherwise;
}
std::string NameOr(const Node::Ptr& node, const char* otherwise) {
    return node ? node->GetName() : otherwise;
}

void FitPage::Fill() {
    const FitCore::Settings& settings = FitCore::GetSettings();
    Row(FitController::kMaxSteps).SetInteger(settings.maxSteps);
    Row(FitController::kModel).SetText(NameOr(FitCore::GetUserModel(), "Undefined"));
    Row(FitController::kDefinition).SetText(NameOr(FitCore::GetSelectedDefinition(), "Undefined"));
    // The working model and its nodes are the worker's while a fit runs (their reference counts
    // too): the rows taken from them keep what they showed when it started.
    if (!FitCore::IsRunning()) {
        Row(FitController::kTarget).SetText(NameOr(FitCore::GetTargetNode(), "Undefined"));
        Property& variable = Row(FitController::kVariable);
        variable.choices = {"None"};
        if (const MathMap::Ptr working = FitCore::GetWorkingModel())
            for (const NodeMap::Ptr& map : working->GetInactiveMaps())
                variable.choices.push_back(map->GetName());
        variable.SetText(NameOr(FitCore::GetVariableMap(), "None"));
    }
    Row(FitController::kFile).SetText(NameOr(FitCore::GetExperimentalData(), "Undefined"));
    const int part = settings.fittedPart;
    if (part >= 0 && part < static_cast<int>(kParts.size()))
        Row(FitController::kPart).SetText(kParts[static_cast<std::size_t>(part)]);
    const Winplus::FileCurve::Ptr data = FitCore::GetDataCurve();
    const bool allRange = !data || data->GetAllRange();
    Row(FitController::kAllRange).SetBoolean(allRange);
    Row(FitController::kXStart).SetDouble(data ? data->GetXStart() : 0.0);
    Row(FitController::kXEnd).SetDouble(data ? data->GetXEnd() : 0.0);
    Row(FitController::kXStart).SetEnabled(!allRange);
    Row(FitController::kXEnd).SetEnabled(!allRange);
    Row(FitController::kSqueeze).SetBoolean(settings.squeeze);
    Row(FitController::kFactor).SetDouble(settings.squeezeFactor);
    Row(FitController::kSlope).SetDouble(settings.squeezeSlope);
    Row(FitController::kFactor).SetEnabled(settings.squeeze);
    Row(FitController::kSlope).SetEnabled(settings.squeeze);
}

bool FitPage::ApplyPath() {
    if (!MenuCore::GetCurrentNode())
        return Refuse("No item is selected!\nChoose an item in the Definition window.");
    const std::string text = Row(FitController::kTarget).GetText();
    if (!Winplus::AskYes("Current math path is: " + text + "\nChange path?")) return true;
    FitCore::SetMathPath();
    return false;
}

bool FitPage::ApplyFile() {
    const Spectrum::Ptr data = DataSet::GetCurrent();
    if (!data) {
        Inform("Select a data file");
        return false;
    }
    Property& row = Row(FitController::kFile);
    if (!Winplus::AskYes("Current File is: " + row.GetText() + "\nChange File?")) return true;
    FitCore::SetExperimentalData(data);
    row.SetText(data->GetNameA());
    return false;
}

bool FitPage::ApplyRange(int index) {
    const Winplus::FileCurve::Ptr data = FitCore::GetDataCurve();
    if (!data) return false;
    const Property& row = Row(index);
    if (index == FitController::kAllRange) {
        if (row.booleanValue == data->GetAllRange()) return true;
        data->SetAllRange(row.booleanValue);
    } else {
        const double start = data->GetXStart(), end = data->GetXEnd(), v = row.doubleValue;
        const bool isStart = index == FitController::kXStart;
        if (v == (isStart ? start : end)) return true;
        if (isStart && !(v < end)) return Refuse("Value must be lower than X-End");
        if (!isStart && !(v > start)) return Refuse("Value must be greather than X-Start");
        data->SetRange(isStart ? v : start, isStart ? end : v);
    }
    FitCore::PrepareTarget(false);
    return false;
}

bool FitPage::Apply(int index) {
    if (!HasRow(index)) return false;
    const Property& row = Row(index);
    const FitCore::Settings& settings = FitCore::GetSettings();
    switch (index) {
        case FitController::kMaxSteps:
            if (row.integerValue == settings.maxSteps) return true;
            if (row.integerValue < 1) return Refuse("Number must be positive");
            FitCore::SetMaxSteps(row.integerValue);
            return false;
        case FitController::kTarget: return ApplyPath();
        case FitController::kVariable:
            if (const MathMap::Ptr working = FitCore::GetWorkingModel()) {
                FitCore::SetVariableMap(working->FindMap(row.GetText()));
                return true;
            }
            return false;
        case FitController::kFile: return ApplyFile();
        case FitController::kPart: {
            const int part = row.GetText() == "IMAG" ? 1 : row.GetText() == "COMPLEX" ? 2 : 0;
            if (part == settings.fittedPart) return true;
            FitCore::SetFitPart(part);
            return false;
        }
        case FitController::kAllRange:
        case FitController::kXStart:
        case FitController::kXEnd: return ApplyRange(index);
        case FitController::kSqueeze:
            if (row.booleanValue == settings.squeeze) return true;
            FitCore::SetSqueeze(row.booleanValue);
            return false;
        case FitController::kFactor:
            if (row.doubleValue == settings.squeezeFactor) return true;
            // The point reduction ignores a factor of 1.0 or less: refused, not stored.
            if (!FitCore::SetSqueezeFactor(row.doubleValue))
                return Refuse("Value must be greather than 1.0");
            return true;
        case FitController::kSlope:
            if (row.doubleValue == settings.squeezeSlope) return true;
            if (row.doubleValue < 0.0) return Refuse("Value must be positive");
            FitCore::SetSqueezeSlope(row.doubleValue);
            return false;
        default: return false;
    }
}

std::unique_ptr<FitPage>& PageHolder() {
    static std::unique_ptr<FitPage> page;
    return page;
}

FitPage& Page() {
    std::unique_ptr<FitPage>& page = PageHolder();
    if (!page) page = std::make_unique<FitPage>();
    return *page;
}

[[maybe_unused]] const bool kResets = RegisterProcessReset([] { PageHolder().reset(); });

}  // namespace

std::vector<Safe::XPtr<Property>> FitController::GetProperties() {
    return Page().GetRows();
}

void FitController::RefreshProperties() {
    Page().Fill();
}

bool FitController::ApplyProperty(const int& row) {
    return Page().Apply(row);
}

bool FitController::ApplyWhenIdle(const int& row) {
    return !RefusedDuringFit() && ApplyProperty(row);
}

bool FitController::RefusedDuringFit() {
    if (!FitCore::IsRunning()) return false;
    Inform("Action not possible during optimization.");
    return true;
}

}  // namespace Core
