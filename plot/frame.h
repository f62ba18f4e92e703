#pragma once
// The axes box of one plot layer: the scale and visible limits of each axis, the pixel plot area,
// round-numbered ticks, and the painting of axes, ticks and labels on a canvas.
#include <vector>

#include "foundation/countable.h"
#include "plot/canvas.h"
#include "plot/rect.h"

namespace Winplus {

class Frame : public Safe::Countable {
public:
    enum Scale { kLinear = 0, kLog10 = 1 };
    enum Side { kLeft = 0, kTop = 1, kRight = 2, kBottom = 3 };
    enum TickStyle { kInside = 0, kOutside = 1, kCentred = 2 };

    Frame() { UpdateTicks(); }

    // Axis 0 is x, 1 is y; another axis gives -1 (and SetScale changes nothing).
    int GetScale(int axis) const;
    void SetScale(int axis, int scale);
    const Rect& GetLimits() const { return limits_; }
    // Stores the limits and recomputes the ticks. On a Log10 axis limits that are not all
    // positive are refused for that axis: it keeps its previous range.
    void SetLimits(const Rect& limits);
    void UpdateTicks();
    const std::vector<double>& XTicks() const { return xTicks_; }
    const std::vector<double>& YTicks() const { return yTicks_; }
    const PixelRect& PlotArea() const { return plotArea_; }
    void SetPlotArea(const PixelRect& area) { plotArea_ = area; }

    // -1 for a value a scale cannot place (another scale, a non-positive value or limit on
    // Log10, a value that is not finite); PixelToX and PixelToY give 0 there.
    int XToPixel(double value) const;
    int YToPixel(double value) const;
    double PixelToX(int pixel) const;
    double PixelToY(int pixel) const;
    // Both pixels of a point; false when either axis cannot place it.
    bool ToPixel(double x, double y, int& px, int& py) const;
    // The pixel of a value on an axis (0 x, 1 y); false when the axis cannot place it.
    bool Position(int axis, double value, int& pixel) const;

    // Lays the box out inside rect for the limits (storing them), then fills the plot area
    // white and draws the visible axes and the labels, as asked. With both flags false it only
    // lays out.
    void Paint(Canvas& canvas, const PixelRect& rect, const Rect& limits, bool drawAxes,
               bool fillBackground);

    // Ticks of a Linear axis over [a, b] asked for count - 1 intervals: multiples of 1, 2 or 5
    // times a power of ten.
    static std::vector<double> LinearTicks(double a, double b, int count);
    // The powers of ten within [a, b]; none unless 0 < a <= b.
    static std::vector<double> LogTicks(double a, double b);
    // Rounds half down: n.5 gives n.
    static int RoundPixel(double r);
    static int MinorTickPosition(int scale, int majorPixel, int majorPixelStep, int i,
                                 int subdivisions, bool backwards);

    bool axisVisible[4] = {true, true, true, true};
    int axisLineWidth = 1;
    Argb axisColor = 0xFF000000;
    int tickStyle[4] = {kOutside, kOutside, kOutside, kOutside};
    int majorTickLength = 8;
    int majorTickCount[2] = {6, 6};
    int minorSubdivisions[2] = {1, 1};
    int minorTickLength = 4;
    int fontSize = 15;
    Argb labelColor = 0xFF141EC0;

private:
    void Layout(Canvas& canvas, const PixelRect& rect, const Rect& limits);
    void PaintAxis(Canvas& canvas, int side);
    void PaintLabels(Canvas& canvas);
    // Which of the labels centred at these pixels (in tick order) show: each one at least its
    // extent and a gap away from the last one shown.
    static std::vector<bool> LabelsThatFit(const std::vector<int>& centres, int extent);
    void Tick(Canvas& canvas, int side, int at, int length);
    bool Placeable(int axis, double value) const;

    PixelRect plotArea_;
    int scale_[2] = {kLinear, kLinear};
    Rect limits_{0.0, 0.0, 1.0, 1.0};
    std::vector<double> xTicks_;
    std::vector<double> yTicks_;
    TextSize yLabel_;
    TextSize xLabel_;
};

}  // namespace Winplus
