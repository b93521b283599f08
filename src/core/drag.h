#pragma once

#include "core/plotpoint.h"

#include <optional>
#include <string>

// Where a charge dragged (or moved by the arrow keys) to (x, y) goes, so
// that the picture never has to be refused: each coordinate rounded to the
// nearest 0.5, kept inside the plot, charge 2 kept at or right of charge 1
// and charge 1 at or left of charge 2 (other is the other charge, used only
// with two charges). A place on the other charge is no place to go: nullopt,
// and the charge stays where it was.
std::optional<PlotPoint> dragTarget(double x, double y, int charge, const PlotPoint &other, bool twoCharges);

// A coordinate as a box shows it after a drag: "-12.5", "15", "0".
std::string coordinateText(double value);
