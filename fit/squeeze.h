#pragma once
// Point reduction of an experimental spectrum before a fit: keeps the points where the fitted
// column changes most, plus a share spread evenly along the abscissa.
#include "foundation/spectrum.h"

namespace Optimize {

class SqueezeInfo : public Safe::Countable {
public:
    // Ignored unless greater than 1.0.
    void SetFactor(const double& factor);
    // Ignored when negative.
    void SetSlope(const double& slope);
    double GetFactor() const { return factor_; }
    double GetSlope() const { return slope_; }

    int first = -1;  // -1: the first point
    int last = -1;   // -1: the last point
    int mode = 0;    // the fitted part: 0 real column, 1 imaginary, 2 both

private:
    double factor_ = 4.0;  // about one point in this many survives
    double slope_ = 0.05;  // share of the abscissa distance in the measure
};

// The settings of the fit page.
SqueezeInfo& SqueezeSettings();

// A range of fewer points than this is copied whole instead of reduced.
constexpr int kSqueezeMinimumPoints = 9;

// Reduces source into destination by the settings' mode; an unknown mode does nothing.
void Squeeze(const SqueezeInfo& info, const Spectrum::Ptr& source,
             const Spectrum::Ptr& destination);
void Squeeze(const Spectrum::Ptr& source, const Spectrum::Ptr& destination);
// On the real column, or the imaginary one.
void SqueezeColumn(const SqueezeInfo& info, const Spectrum::Ptr& source,
                   const Spectrum::Ptr& destination, bool real);
// On both columns, the imaginary variation weighted to count as much as the real one.
void SqueezeComplex(const SqueezeInfo& info, const Spectrum::Ptr& source,
                    const Spectrum::Ptr& destination);

}  // namespace Optimize
