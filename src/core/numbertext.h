#pragma once

#include <string>

// The number as printf's %g writes it with this many significant digits,
// with a full stop for its decimal point whatever the C locale (a Qt
// application takes it from the environment, and a German one writes a
// comma).
std::string numberText(double value, int significantDigits);

// A number as printf wrote it, with the C locale's decimal point written as
// a full stop.
std::string withFullStop(std::string printed);
