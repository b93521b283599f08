#pragma once

#include "core/recordingsurface.h"

#include <string>
#include <vector>

// The CSV of the Line and PSet operations of a recording, in the order
// issued, every one of them including those outside the plot:
//   op,x1,y1,x2,y2,colour,width
//   line,-14,0,-13,0,#0000ff,1
//   pset,-15,0,,,#00c000,20
// Coordinates are the 32-bit values as passed, with nine significant digits
// (printf's %.9g) so they read back to the same float, always with a full
// stop whatever the locale; colours are #rrggbb; width is the pen width in
// force. The command line writes it, and the browser edition returns the
// same text.
std::string csvText(const std::vector<RecordingSurface::Operation> &drawing);

// The same text in pieces, for a writer that never holds a long recording
// twice: the header line, then one row per Line or PSet operation (other
// operations add nothing).
extern const char *const kCsvHeader;
void appendCsvRow(std::string &out, const RecordingSurface::Operation &operation);
