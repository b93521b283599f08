#pragma once

#include "core/pointcharge.h"

class PlotSurface;

// The dots of the charges showing their sign, drawn over the field lines:
// at pen width 20, a positive charge's dot in red (#ff0000), a negative
// one's in green (#00c000), each with a white mark 12 pixels long at the
// designed size, drawn at pen width 2: + on a positive charge, − on a
// negative one. A charge of 0 has no sign: its dot is grey (#808080) and
// unmarked. All the dots first, then all the marks; the pen is left at 2.
void drawSignedChargeDots(PlotSurface &surface, const Charges &charges);
