#pragma once

#include "core/configuration.h"
#include "core/plotpoint.h"
#include "core/pointcharge.h"

#include <cstddef>
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

// Where a charge of the configuration is: its boxes read by the reading
// rule.
PlotPoint chargePlace(const Configuration &configuration, std::size_t index);

// The one rule for moving a charge by a drag or the arrow keys, in every
// front end. now is the configuration as last requested (the boxes as they
// are, not the picture on show, so that moves add up while a drawing runs);
// index counts from 0 and must be a charge the mode draws; shown are the
// charges of the picture on show, where the other charge is kept clear of
// (as the boxes have it when the picture has none). The charge goes where
// dragTarget puts (x, y), its boxes showing the place (coordinateText). The
// move is not taken (nullopt) when that is where the charge already is, or
// when the boxes with it would be refused: a move never shows a message, so
// a place that another box would make refused (one typed since the picture
// was drawn) is skipped.
std::optional<Configuration> movedCharge(const Configuration &now, const Charges &shown, std::size_t index, double x,
                                         double y);
