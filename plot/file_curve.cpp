#include "plot/file_curve.h"

#include <algorithm>

namespace Winplus {

FileCurve::FileCurve()
    : Label(std::wstring(L"file")),
      data_(Safe::MakeX<Spectrum>()),
      designers_{Safe::MakeX<CurveDesigner>(), Safe::MakeX<CurveDesigner>()} {}

void FileCurve::SetData(const Spectrum::Ptr& data) {
    if (!data) return;
    data_ = data;
    ResetRange();
}

void FileCurve::SetAllRange(const bool& on) {
    allRange_ = on;
    if (on) ResetRange();
}

void FileCurve::ResetRange() {
    const int count = data_->Size();
    xStart_ = xEnd_ = 0.0;
    startIndex_ = 0;
    endIndex_ = count - 1;
    if (count >= 1) {
        xStart_ = (*data_->X())[0];
        xEnd_ = (*data_->X())[static_cast<std::size_t>(count - 1)];
    }
    allRange_ = true;
}

void FileCurve::SetRange(const double& a, const double& b) {
    const double lo = std::min(a, b), hi = std::max(a, b);
    const std::vector<double>& x = data_->X()->Values();
    const int count = static_cast<int>(x.size());
    int start = 0;
    while (start < count && !(x[static_cast<std::size_t>(start)] >= lo)) ++start;
    int end = count - 1;
    while (end >= 0 && !(x[static_cast<std::size_t>(end)] <= hi)) --end;
    startIndex_ = start;
    endIndex_ = end;
    allRange_ = false;
    xStart_ = lo;
    xEnd_ = hi;
}

int FileCurve::StartIndex() const {
    return allRange_ ? 0 : std::min(startIndex_, data_->Size());
}

int FileCurve::EndIndex() const {
    return allRange_ ? data_->Size() - 1 : std::min(endIndex_, data_->Size() - 1);
}

Rect FileCurve::GetBounds() const {
    return ViewModeBounds(viewMode, *data_->X(), *data_->Re(), *data_->Im());
}

void FileCurve::ApplyRange() {
    for (const auto& designer : {designers_.real, designers_.imag})
        designer->SetRange(StartIndex(), EndIndex(), true);
}

void FileCurve::PaintColumns(Canvas& canvas, const Safe::XPtr<Frame>& frame,
                             const Safe::XPtr<Data>& re, const Safe::XPtr<Data>& im) {
    ApplyRange();
    PaintViewMode(canvas, viewMode, frame, designers_, data_->X(), re, im, true);
}

void FileCurve::Paint(Canvas& canvas, const Safe::XPtr<Frame>& frame) {
    ApplyRange();
    PaintViewMode(canvas, viewMode, frame, designers_, data_->X(), data_->Re(), data_->Im(), false);
}

void FileCurve::PaintSaved(Canvas& canvas, const Safe::XPtr<Frame>& frame) {
    PaintColumns(canvas, frame, data_->SavedRe(), data_->SavedIm());
}

}  // namespace Winplus
