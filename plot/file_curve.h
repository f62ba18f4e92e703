#pragma once
// A loaded experimental spectrum shown in a layer, whole or within an abscissa range. The
// curve refers to the spectrum of the data set; it does not own a copy.
#include "foundation/label.h"
#include "foundation/spectrum.h"
#include "plot/view_mode.h"

namespace Winplus {

class FileCurve : public Label {
public:
    using Ptr = Safe::XPtr<FileCurve>;

    // Named "file", with an empty spectrum.
    FileCurve();

    // A null spectrum is refused (nothing changes); any other resets the range to the whole.
    void SetData(const Spectrum::Ptr& data);
    const Spectrum::Ptr& GetData() const { return data_; }
    void SetAllRange(const bool& on);
    bool GetAllRange() const { return allRange_; }
    // The whole data: indices 0 to count - 1, X-Start and X-End its first and last abscissa.
    void ResetRange();
    // The points whose abscissa lies within [min(a, b), max(a, b)], ends included; none when no
    // point does. The data is taken as ascending.
    void SetRange(const double& a, const double& b);
    double GetXStart() const { return xStart_; }
    double GetXEnd() const { return xEnd_; }
    // The drawn indices, re-clamped to the data as it is now (it may have shrunk since).
    int StartIndex() const;
    int EndIndex() const;

    int viewMode = kXComplex;

    // Over the whole data, not the range.
    Rect GetBounds() const;
    void PaintColumns(Canvas& canvas, const Safe::XPtr<Frame>& frame, const Safe::XPtr<Data>& re,
                      const Safe::XPtr<Data>& im);
    void Paint(Canvas& canvas, const Safe::XPtr<Frame>& frame);
    void PaintSaved(Canvas& canvas, const Safe::XPtr<Frame>& frame);

    const CurvePair& Designers() const { return designers_; }

private:
    void ApplyRange();

    bool allRange_ = true;
    int startIndex_ = 0;
    int endIndex_ = 0;
    Spectrum::Ptr data_;
    double xStart_ = 0.0;
    double xEnd_ = 0.0;
    CurvePair designers_;
};

}  // namespace Winplus
