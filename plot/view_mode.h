#pragma once
// The view modes of model and data-file curves: which pair of columns each of a curve's two
// designers draws, and the bounds of what is shown.
#include "foundation/spectrum.h"
#include "plot/curve_designer.h"

namespace Winplus {

enum ViewMode { kHidden = -1, kXReal = 0, kXImag = 1, kXComplex = 2, kRealImag = 3, kImagReal = 4 };

struct CurvePair {
    Safe::XPtr<CurveDesigner> real;
    Safe::XPtr<CurveDesigner> imag;
};

// Hands each drawing designer the frame and its pair of columns and paints it, in the single
// colour or in its own colours. A mode outside -1 to 4 paints nothing.
void PaintViewMode(Canvas& canvas, int mode, const Safe::XPtr<Frame>& frame, const CurvePair& pair,
                   const Safe::XPtr<Data>& x, const Safe::XPtr<Data>& re,
                   const Safe::XPtr<Data>& im, bool single);

// {min of the abscissa column, min of the ordinate column, max - min, max - min} of the shown
// pair (X-Complex: the ordinate range widened by the imaginary column); {0, 0, 1, 1} when hidden.
Rect ViewModeBounds(int mode, const Data& x, const Data& re, const Data& im);

}  // namespace Winplus
