#include "plot/view_mode.h"

#include <algorithm>

namespace Winplus {

void PaintViewMode(Canvas& canvas, int mode, const Safe::XPtr<Frame>& frame, const CurvePair& pair,
                   const Safe::XPtr<Data>& x, const Safe::XPtr<Data>& re,
                   const Safe::XPtr<Data>& im, bool single) {
    auto paint = [&](const Safe::XPtr<CurveDesigner>& designer, const Safe::XPtr<Data>& xs,
                     const Safe::XPtr<Data>& ys) {
        if (!designer) return;
        designer->SetFrame(frame);
        designer->SetData(xs, ys);
        if (single)
            designer->PaintSingle(canvas);
        else
            designer->PaintOwn(canvas);
    };
    switch (mode) {
        case kXReal: paint(pair.real, x, re); break;
        case kXImag: paint(pair.imag, x, im); break;
        case kXComplex:
            paint(pair.real, x, re);
            paint(pair.imag, x, im);
            break;
        case kRealImag: paint(pair.imag, re, im); break;
        case kImagReal: paint(pair.real, im, re); break;
        default: break;
    }
}

Rect ViewModeBounds(int mode, const Data& x, const Data& re, const Data& im) {
    auto bounds = [](const Data& xs, const Data& ys) {
        return Rect{xs.Min(), ys.Min(), xs.Max() - xs.Min(), ys.Max() - ys.Min()};
    };
    switch (mode) {
        case kXReal: return bounds(x, re);
        case kXImag: return bounds(x, im);
        case kXComplex: {
            const double low = std::min(re.Min(), im.Min()), high = std::max(re.Max(), im.Max());
            return {x.Min(), low, x.Max() - x.Min(), high - low};
        }
        case kRealImag: return bounds(re, im);
        case kImagReal: return bounds(im, re);
        default: return {0.0, 0.0, 1.0, 1.0};
    }
}

}  // namespace Winplus
