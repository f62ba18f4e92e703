#pragma once
// Models with known values for the plotting tests.
#include <string>

#include "model/math_map.h"
#include "plot/file_curve.h"

namespace PlotTest {

// A model of the model set whose definition "model" is m(u) = u*u + offset of "x".
Core::MathMap::Ptr SquareModel(const std::string& name, double offset = 1.0);
// Makes that model, its definition "model" and its root the current selection.
void SelectModel(const Core::MathMap::Ptr& model);

// A data-file curve drawn as a red line three pixels wide from (100, 0.1) to (900, 0.9), over
// nine points.
Winplus::FileCurve::Ptr RedDiagonal();
// Red as the red diagonal's pixels show it (0x00RRGGBB), give or take smoothing.
bool IsRed(unsigned pixel);

}  // namespace PlotTest
