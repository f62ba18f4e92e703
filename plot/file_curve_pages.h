#pragma once
// The property pages of a data-file curve: "View File Properties", shown for the current file
// curve of the layer set and reporting on the layer bus, and "Modify File Properties", shown
// for the file curve of a modelling mode and reporting on the view bus. Both show the data's
// extent and edit the drawn range (ends included), the view mode and the appearance.
#include "plot/file_curve.h"
#include "plot/property_page.h"

namespace Winplus {

// The rows both pages share, from "N-Points" (index points) to "View mode".
class FileCurvePage : public PropertyPage {
public:
    int PointsIndex() const { return points_; }
    int AllRangeIndex() const { return points_ + 3; }
    int XStartIndex() const { return points_ + 4; }
    int XEndIndex() const { return points_ + 5; }
    int ViewModeIndex() const { return points_ + 6; }

protected:
    FileCurvePage(const std::vector<RowTemplate>& headRows, const AppearanceRows& looks);

    void FillRows(const FileCurve& curve);
    // All Range from its row; the range rows show the range, editable while it is not whole.
    Outcome ApplyAllRange(FileCurve& curve);
    // X-Start or X-End; a value that does not keep X-Start below X-End is refused.
    Outcome ApplyRangeEnd(FileCurve& curve, int index);
    // View mode and appearance rows.
    Outcome ApplyLook(FileCurve& curve, int index);

private:
    void ShowRange(const FileCurve& curve);

    int points_;
    AppearanceRows looks_;
};

class FileCurveViewPage : public FileCurvePage {
public:
    enum Index { kName = 1, kFile = 2 };

    FileCurveViewPage();
    // Null changes nothing; without data the data rows keep what they showed.
    void Fill(const FileCurve::Ptr& curve);
    // True when no other row needs showing again; false after a refusal or a change of other
    // rows. An unchanged row does nothing.
    bool Apply(const FileCurve::Ptr& curve, int index);
};

class FileCurveModifyPage : public FileCurvePage {
public:
    enum Index { kName = 1 };

    FileCurveModifyPage();
    // editable: whether All Range may be changed (the user's own file curves).
    void Fill(const FileCurve::Ptr& curve, bool editable);
    bool Apply(const FileCurve::Ptr& curve, int index);
};

}  // namespace Winplus
