#pragma once

#include "core/configuration.h"
#include "core/messenger.h"
#include "core/pointcharge.h"

#include <vector>

class EventPump;
class PlotSurface;

// The excite of the accurate tracer, for several charges and for one or two
// with the accurate switch: clears and scales the plot as 激　发 does, reads
// the charges the mode draws, and draws their field lines (lines in
// proportion to charge, at the exact field's direction) with their
// arrowheads, then the dots with their signs. A refusal or a failure is a
// message and nothing more is drawn. events lets a closing window stop it.
// Returns the charges drawn (none when refused).
Charges exciteAccurately(const Configuration &configuration, PlotSurface &surface, std::vector<Message> &messages,
                         EventPump &events);
