#include "plot/file_curve_pages.h"

#include "foundation/event_codes.h"
#include "io/data_set.h"

namespace Winplus {

namespace {

// A file curve made without a file holds an empty spectrum.
bool HasData(const FileCurve& curve) {
    return curve.GetData() && curve.GetData()->Size() > 0;
}

std::vector<RowTemplate> Templates(std::vector<RowTemplate> head, const AppearanceRows& looks) {
    const std::vector<RowTemplate> shared = {
        {kIntegerRow, L"N-Points", "", {}, true},
        {kDoubleRow, L"X-Minimum", "", {}, true},
        {kDoubleRow, L"X-Maximum", "", {}, true},
        {kBooleanRow, L"All Range"},
        {kDoubleRow, L"X-Start", "", {}, true},
        {kDoubleRow, L"X-End", "", {}, true},
        {kListRow, L"View mode", "Hidden", ViewModeTexts().Texts()}};
    head.insert(head.end(), shared.begin(), shared.end());
    for (RowTemplate& row : looks.Templates()) head.push_back(std::move(row));
    return head;
}

const std::vector<Look> kViewLooks = {Look::kHasLine,     Look::kThickness, Look::kLineColor,
                                      Look::kHasShape,    Look::kStyle,     Look::kSize,
                                      Look::kMarkerColor, Look::kIsFilled};
// The Modify page has no thickness rows.
const std::vector<Look> kModifyLooks = {Look::kHasLine, Look::kLineColor, Look::kHasShape,
                                        Look::kStyle,   Look::kSize,      Look::kMarkerColor,
                                        Look::kIsFilled};

AppearanceRows ViewLooks() {
    return {11, kViewLooks, EvenSizeTexts()};
}
AppearanceRows ModifyLooks() {
    return {10, kModifyLooks, EvenSizeTexts()};
}

}  // namespace

FileCurvePage::FileCurvePage(const std::vector<RowTemplate>& headRows, const AppearanceRows& looks)
    : PropertyPage(Templates(headRows, looks)),
      points_(static_cast<int>(headRows.size())),
      looks_(looks) {}

void FileCurvePage::ShowRange(const FileCurve& curve) {
    Row(XStartIndex()).SetDouble(curve.GetXStart());
    Row(XEndIndex()).SetDouble(curve.GetXEnd());
    Row(XStartIndex()).SetEnabled(!curve.GetAllRange());
    Row(XEndIndex()).SetEnabled(!curve.GetAllRange());
}

void FileCurvePage::FillRows(const FileCurve& curve) {
    Row(1).SetText(curve.GetNameA());
    if (HasData(curve)) {
        const Spectrum& data = *curve.GetData();
        Row(points_).SetInteger(data.Size());
        Row(points_ + 1).SetDouble(data.Min(Spectrum::kX));
        Row(points_ + 2).SetDouble(data.Max(Spectrum::kX));
    }
    Row(AllRangeIndex()).SetBoolean(curve.GetAllRange());
    ShowRange(curve);
    ViewModeTexts().Show(Row(ViewModeIndex()), curve.viewMode);
    looks_.Fill(*this, curve.Designers());
}

Outcome FileCurvePage::ApplyAllRange(FileCurve& curve) {
    const bool whole = Row(AllRangeIndex()).booleanValue;
    if (whole == curve.GetAllRange()) return Outcome::kUnchanged;
    curve.SetAllRange(whole);
    ShowRange(curve);
    return Outcome::kChanged;
}

Outcome FileCurvePage::ApplyRangeEnd(FileCurve& curve, int index) {
    Property& row = Row(index);
    const double start = curve.GetXStart(), end = curve.GetXEnd(), v = row.doubleValue;
    const bool isStart = index == XStartIndex();
    if (v == (isStart ? start : end)) return Outcome::kUnchanged;
    if (isStart ? v < end : v > start) {
        curve.SetRange(isStart ? v : start, isStart ? end : v);
        return Outcome::kChanged;
    }
    Refuse(isStart ? "Value must be lower than X-End" : "Value must be greather than X-Start");
    row.SetDouble(isStart ? start : end);
    return Outcome::kNotApplied;
}

Outcome FileCurvePage::ApplyLook(FileCurve& curve, int index) {
    if (index == ViewModeIndex()) {
        const int mode = ViewModeTexts().Parse(Row(index).GetText());
        if (mode == curve.viewMode) return Outcome::kUnchanged;
        curve.viewMode = mode;
        return Outcome::kChanged;
    }
    return looks_.Apply(*this, index, curve.Designers()) ? Outcome::kChanged : Outcome::kUnchanged;
}

FileCurveViewPage::FileCurveViewPage()
    : FileCurvePage({{kHeaderRow, L"View File Properties"},
                     {kStringRow, L"Name", "", {}, true},
                     {kMessageRow, L"File"}},
                    ViewLooks()) {}

void FileCurveViewPage::Fill(const FileCurve::Ptr& curve) {
    if (!curve) return;
    Row(kFile).SetText(HasData(*curve) ? curve->GetData()->GetNameA() : "Undefined");
    FillRows(*curve);
}

bool FileCurveViewPage::Apply(const FileCurve::Ptr& curve, int index) {
    if (!curve || !HasRow(index)) return true;
    if (index == kFile) {
        if (!AskYes("Current file is: " + Row(kFile).GetText() + "\nChange file?")) return true;
        // The new data resets the range: every row shows the curve again.
        if (const Spectrum::Ptr& current = Core::DataSet::GetCurrent()) {
            curve->SetData(current);
            Fill(curve);
        }
        AnnounceOnLayers(LayerEvent::kCurveBindingChanged);
        return false;
    }
    if (index == AllRangeIndex()) {
        // Only the whole range redraws: the range it replaces was drawn before.
        if (ApplyAllRange(*curve) == Outcome::kChanged && curve->GetAllRange())
            AnnounceOnLayers(LayerEvent::kCurveChanged);
        return false;
    }
    const bool rangeEnd = index == XStartIndex() || index == XEndIndex();
    const Outcome outcome = rangeEnd ? ApplyRangeEnd(*curve, index) : ApplyLook(*curve, index);
    if (outcome == Outcome::kChanged) AnnounceOnLayers(LayerEvent::kCurveChanged);
    return outcome != Outcome::kNotApplied;
}

FileCurveModifyPage::FileCurveModifyPage()
    : FileCurvePage({{kHeaderRow, L"Modify File Properties"}, {kStringRow, L"Name", "", {}, true}},
                    ModifyLooks()) {}

void FileCurveModifyPage::Fill(const FileCurve::Ptr& curve, bool editable) {
    if (!curve) return;
    FillRows(*curve);
    Row(AllRangeIndex()).SetEnabled(editable);
}

bool FileCurveModifyPage::Apply(const FileCurve::Ptr& curve, int index) {
    if (!curve || !HasRow(index)) return true;
    Outcome outcome;
    if (index == AllRangeIndex())
        outcome = ApplyAllRange(*curve);
    else if (index == XStartIndex() || index == XEndIndex())
        outcome = ApplyRangeEnd(*curve, index);
    else
        outcome = ApplyLook(*curve, index);
    if (outcome == Outcome::kChanged) AnnounceOnView(ViewEvent::kViewCurveChanged);
    return outcome != Outcome::kNotApplied;
}

}  // namespace Winplus
