#pragma once
// Models with known values for the plotting tests.
#include <string>

#include "model/math_map.h"

namespace PlotTest {

// A model of the model set whose definition "model" is m(u) = u*u + offset of "x".
Core::MathMap::Ptr SquareModel(const std::string& name, double offset = 1.0);
// Makes that model, its definition "model" and its root the current selection.
void SelectModel(const Core::MathMap::Ptr& model);

}  // namespace PlotTest
