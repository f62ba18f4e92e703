#include "plot/frame.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "foundation/text.h"

namespace Winplus {

namespace {

// Numbers are ASCII: widening is a copy.
std::wstring LabelText(double value) {
    const std::string text = ToString(value);
    return std::wstring(text.begin(), text.end());
}

// Ticks are values far from each other; this many are never asked for.
constexpr int kMaxTicks = 1000;

}  // namespace

int Frame::GetScale(int axis) const {
    return axis == 0 || axis == 1 ? scale_[axis] : -1;
}

void Frame::SetScale(int axis, int scale) {
    if (axis != 0 && axis != 1) return;
    scale_[axis] = scale;
    UpdateTicks();
}

void Frame::SetLimits(const Rect& limits) {
    Rect kept = limits;
    // A logarithm of a non-positive limit is no place on the axis: keep the previous range.
    if (scale_[0] == kLog10 && !(limits.x > 0.0 && limits.x + limits.width > 0.0)) {
        kept.x = limits_.x;
        kept.width = limits_.width;
    }
    if (scale_[1] == kLog10 && !(limits.y > 0.0 && limits.y + limits.height > 0.0)) {
        kept.y = limits_.y;
        kept.height = limits_.height;
    }
    limits_ = kept;
    UpdateTicks();
}

void Frame::UpdateTicks() {
    for (int axis = 0; axis < 2; ++axis) minorSubdivisions[axis] = scale_[axis] != kLinear ? 8 : 1;
    auto ticks = [](int scale, double a, double b, int count) {
        return scale == kLog10 ? LogTicks(a, b) : LinearTicks(a, b, count);
    };
    xTicks_ = ticks(scale_[0], limits_.x, limits_.x + limits_.width, majorTickCount[0]);
    yTicks_ = ticks(scale_[1], limits_.y, limits_.y + limits_.height, majorTickCount[1]);
}

std::vector<double> Frame::LinearTicks(double a, double b, int count) {
    std::vector<double> ticks;
    if (!std::isfinite(a) || !std::isfinite(b) || count < 2) return ticks;
    if (a == b) return {a};
    const double s = (b - a) / (count - 1);
    if (!std::isfinite(s) || s == 0.0) return ticks;
    double e = std::log10(std::fabs(s));
    if (!(e > 0.0)) e -= 1.0;
    int k = static_cast<int>(e);
    const double m = std::fabs(s / std::pow(10.0, k));
    double multiplier = 1.0;
    if (m >= 1.5 && m < 3.0) {
        multiplier = 2.0;
    } else if (m >= 3.0 && m < 7.0) {
        multiplier = 5.0;
    } else if (m >= 7.0) {
        ++k;
    }
    const double unit = std::pow(10.0, k);
    const double step = unit * multiplier;
    if (!(step > 0.0) || !std::isfinite(step)) return ticks;
    // Ticks are whole multiples of the step, each computed from its index: no drift piles up
    // (zero is exactly zero), and a step below the resolution of the values cannot stall.
    double index = std::ceil(a / step);
    if (!std::isfinite(index)) return ticks;
    // Corrects the rounding of the division; beyond 2^53 a step of one changes nothing.
    for (int i = 0; i < 2 && index * step < a; ++i) index += 1.0;
    for (int i = 0; i < 2 && (index - 1.0) * step >= a; ++i) index -= 1.0;
    // Tolerance for the last tick relative to the extent, so a tiny extent far from zero does
    // not run on past its end.
    const double end = b + 1e-5 * (b - a);
    for (int i = 0; i < kMaxTicks; ++i) {
        double t = (index + i) * step;
        if (!(t <= end)) break;
        if (!ticks.empty() && t <= ticks.back()) continue;  // below the values' resolution
        // Zero relative to the step, not absolutely: a range of 1e-12 has ticks below 1e-10.
        if (std::fabs(t) < 1e-6 * step) t = 0.0;
        ticks.push_back(t);
    }
    return ticks;
}

std::vector<double> Frame::LogTicks(double a, double b) {
    std::vector<double> ticks;
    if (!(a > 0.0) || !(b >= a) || !std::isfinite(b)) return ticks;
    const int low = static_cast<int>(std::ceil(std::log10(a)));
    const int high = static_cast<int>(std::floor(std::log10(b)));
    double t = std::pow(10.0, low);
    for (int k = low; k <= high; ++k, t *= 10.0) ticks.push_back(t);
    return ticks;
}

int Frame::RoundPixel(double r) {
    // r - trunc(r) is fmod(r, 1.0) exactly, at a fraction of its cost; within the range of a
    // 64-bit integer the conversion truncates as trunc does, without a call.
    const double whole = std::fabs(r) < 9.0e15 ? static_cast<double>(static_cast<long long>(r))
                                               : std::trunc(r);
    return r - whole > 0.5 ? static_cast<int>(r + 1.0) : static_cast<int>(r);
}

int Frame::MinorTickPosition(int scale, int majorPixel, int majorPixelStep, int i, int subdivisions,
                             bool backwards) {
    double offset;
    if (scale == kLog10) {
        offset = backwards ? (1.0 - std::log10(9.0 - i)) * majorPixelStep
                           : std::log10(i + 2.0) * majorPixelStep;
    } else {
        offset = (i + 1.0) * majorPixelStep / (subdivisions + 1.0);
    }
    return RoundPixel(backwards ? majorPixel - offset : majorPixel + offset);
}

bool Frame::Placeable(int axis, double value) const {
    if (!std::isfinite(value)) return false;
    if (scale_[axis] == kLinear) return true;
    if (scale_[axis] != kLog10) return false;
    const double low = axis == 0 ? limits_.x : limits_.y;
    const double extent = axis == 0 ? limits_.width : limits_.height;
    return value > 0.0 && low > 0.0 && low + extent > 0.0;
}

bool Frame::Position(int axis, double v, int& pixel) const {
    if (!Placeable(axis, v)) return false;
    const PixelRect& p = plotArea_;
    const double low = axis == 0 ? limits_.x : limits_.y;
    const double extent = axis == 0 ? limits_.width : limits_.height;
    double r;
    if (axis == 0) {
        r = scale_[0] == kLinear ? p.x + (v - low) * p.width / extent
                                 : p.x + (std::log10(v) - std::log10(low)) * p.width /
                                             (std::log10(low + extent) - std::log10(low));
    } else {
        r = scale_[1] == kLinear ? p.y + (low + extent - v) * p.height / extent
                                 : p.y + (std::log10(low + extent) - std::log10(v)) * p.height /
                                             (std::log10(low + extent) - std::log10(low));
    }
    // A zero extent places nothing; far-off points are kept inside int, outside any window.
    if (!std::isfinite(r)) return false;
    pixel = RoundPixel(std::clamp(r, -1.0e8, 1.0e8));
    return true;
}

int Frame::XToPixel(double v) const {
    int pixel = -1;
    return Position(0, v, pixel) ? pixel : -1;
}

int Frame::YToPixel(double v) const {
    int pixel = -1;
    return Position(1, v, pixel) ? pixel : -1;
}

double Frame::PixelToX(int pixel) const {
    if (!Placeable(0, limits_.x + limits_.width)) return 0.0;
    const PixelRect& p = plotArea_;
    const Rect& l = limits_;
    if (scale_[0] == kLinear) return (pixel - p.x) * l.width / p.width + l.x;
    return l.x *
           std::pow(10.0, (std::log10(l.x + l.width) - std::log10(l.x)) / p.width * (pixel - p.x));
}

double Frame::PixelToY(int pixel) const {
    if (!Placeable(1, limits_.y + limits_.height)) return 0.0;
    const PixelRect& p = plotArea_;
    const Rect& l = limits_;
    if (scale_[1] == kLinear) return (p.y - pixel + p.height) * l.height / p.height + l.y;
    return l.y * std::pow(10.0, (std::log10(l.y + l.height) - std::log10(l.y)) / p.height *
                                    (p.y - pixel + p.height));
}

bool Frame::ToPixel(double x, double y, int& px, int& py) const {
    return Position(0, x, px) && Position(1, y, py);
}

void Frame::Layout(Canvas& canvas, const PixelRect& rect, const Rect& limits) {
    SetLimits(limits);
    auto measure = [&canvas](const std::vector<double>& ticks) {
        TextSize size;
        for (double t : ticks) {
            const TextSize one = canvas.MeasureText(LabelText(t));
            size.width = std::max(size.width, one.width);
            size.height = one.height;
        }
        return size;
    };
    yLabel_ = measure(yTicks_);
    xLabel_ = measure(xTicks_);
    const int t = majorTickLength;
    plotArea_ = {rect.x + t + yLabel_.width, rect.y + t, rect.width - 2 * t - yLabel_.width - 25,
                 rect.height - 2 * t - 4 - yLabel_.height};
}

void Frame::Paint(Canvas& canvas, const PixelRect& rect, const Rect& limits, bool drawAxes,
                  bool fillBackground) {
    Layout(canvas, rect, limits);
    const PixelRect& p = plotArea_;
    if (fillBackground)
        canvas.Rectangle({p.x + 1, p.y + 1, p.width - 2, p.height - 2}, 0xFFFFFFFF, true);
    if (!drawAxes) return;
    for (int side = kLeft; side <= kBottom; ++side)
        if (axisVisible[side]) PaintAxis(canvas, side);
    PaintLabels(canvas);
}

void Frame::Tick(Canvas& canvas, int side, int at, int length) {
    const PixelRect& p = plotArea_;
    const bool vertical = side == kLeft || side == kRight;
    const int base = side == kLeft    ? p.x
                     : side == kRight ? p.x + p.width
                     : side == kTop   ? p.y
                                      : p.y + p.height;
    const int outwards = side == kLeft || side == kTop ? -1 : 1;
    int from = base, to = base + outwards * length;
    if (tickStyle[side] == kInside) {
        to = base - outwards * length;
    } else if (tickStyle[side] == kCentred) {
        from = base - outwards * length / 2;
        to = base + outwards * length / 2;
    }
    const double width = axisLineWidth;
    if (vertical)
        canvas.Line({double(from), double(at)}, {double(to), double(at)}, axisColor, width);
    else
        canvas.Line({double(at), double(from)}, {double(at), double(to)}, axisColor, width);
}

void Frame::PaintAxis(Canvas& canvas, int side) {
    const PixelRect& p = plotArea_;
    const bool vertical = side == kLeft || side == kRight;
    const double left = p.x, right = p.x + p.width, top = p.y, bottom = p.y + p.height;
    switch (side) {
        case kLeft: canvas.Line({left, top}, {left, bottom}, axisColor, axisLineWidth); break;
        case kRight: canvas.Line({right, top}, {right, bottom}, axisColor, axisLineWidth); break;
        case kTop: canvas.Line({left, top}, {right, top}, axisColor, axisLineWidth); break;
        default: canvas.Line({left, bottom}, {right, bottom}, axisColor, axisLineWidth); break;
    }
    const int axis = vertical ? 1 : 0;
    const std::vector<double>& ticks = vertical ? yTicks_ : xTicks_;
    if (ticks.size() < 2) return;
    std::vector<int> pixels;
    for (double t : ticks) {
        int at = 0;
        if (!Position(axis, t, at)) return;
        pixels.push_back(at);
    }
    const int count = static_cast<int>(pixels.size());
    const int step = (pixels.back() - pixels.front()) / (count - 1);
    const int subdivisions = minorSubdivisions[axis];
    // Forwards runs towards larger values: right on a horizontal axis, up on a vertical one.
    auto within = [&](int at, bool backwards) {
        if (vertical) return backwards ? at <= p.y + p.height : at >= p.y;
        return backwards ? at >= p.x : at <= p.x + p.width;
    };
    auto minors = [&](int major, bool backwards) {
        for (int i = 0; i < subdivisions; ++i) {
            const int at = MinorTickPosition(scale_[axis], major, step, i, subdivisions, backwards);
            if (within(at, backwards)) Tick(canvas, side, at, minorTickLength);
        }
    };
    for (int j = 0; j < count; ++j) {
        Tick(canvas, side, pixels[j], majorTickLength);
        if (j == 0) minors(pixels[j], true);
        minors(pixels[j], false);
    }
}

std::vector<bool> Frame::LabelsThatFit(const std::vector<int>& centres, int extent) {
    // Two pixels between neighbours; the first label always shows.
    constexpr int kGap = 2;
    std::vector<bool> shown(centres.size(), false);
    bool any = false;
    int last = 0;
    for (std::size_t i = 0; i < centres.size(); ++i) {
        if (any && std::abs(centres[i] - last) < extent + kGap) continue;
        shown[i] = true;
        any = true;
        last = centres[i];
    }
    return shown;
}

void Frame::PaintLabels(Canvas& canvas) {
    const PixelRect& p = plotArea_;
    const int t = majorTickLength;
    const Argb color = canvas.LabelColor(labelColor);
    // Labels that would run into the one before them are left out.
    auto pixels = [this](const std::vector<double>& ticks, bool vertical) {
        std::vector<int> at;
        for (double value : ticks) at.push_back(vertical ? YToPixel(value) : XToPixel(value));
        return at;
    };
    const std::vector<int> ys = pixels(yTicks_, true), xs = pixels(xTicks_, false);
    const std::vector<bool> yShown = LabelsThatFit(ys, yLabel_.height);
    const std::vector<bool> xShown = LabelsThatFit(xs, xLabel_.width);
    for (std::size_t i = 0; i < yTicks_.size(); ++i) {
        if (!yShown[i]) continue;
        const double value = yTicks_[i];
        const int at = ys[i];
        const PixelRect box{p.x - t - yLabel_.width, at - yLabel_.height / 2, yLabel_.width,
                            yLabel_.height};
        canvas.Text(LabelText(value), box, TextAlign::Trailing, color);
    }
    for (std::size_t i = 0; i < xTicks_.size(); ++i) {
        if (!xShown[i]) continue;
        const double value = xTicks_[i];
        const int at = xs[i];
        const PixelRect box{at - xLabel_.width, p.y + p.height + t, 2 * xLabel_.width,
                            xLabel_.height};
        canvas.Text(LabelText(value), box, TextAlign::Center, color);
    }
}

}  // namespace Winplus
