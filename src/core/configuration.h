#pragma once

#include "core/look.h"
#include "core/overlays.h"
#include "core/testcharge.h"

#include <cstddef>
#include <string>
#include <vector>

// The picture the charges make: one charge alone or two, traced by the
// unit-step tracers as the boxes describe them, or any number of charges
// (up to kMaxCharges) traced by the accurate tracer.
enum class Mode { Single, Two, Several };

constexpr std::size_t kMaxCharges = 32;

// A charge as the boxes hold it: the texts of its position and its amount,
// read by the reading rule when the picture is drawn.
struct ChargeTexts
{
    std::string x;
    std::string y;
    std::string q;

    bool operator==(const ChargeTexts &other) const { return x == other.x && y == other.y && q == other.q; }
    bool operator!=(const ChargeTexts &other) const { return !(*this == other); }
};

// The window's charges at start: 10 at (-15, 0) and -10 at (15, 0).
std::vector<ChargeTexts> defaultCharges();

// Everything a picture is drawn from, as a value: every front end fills one
// in (the window from its controls, the command line from its options, the
// page from its boxes and link) and hands it to the Pipeline.
struct Configuration
{
    Mode mode = Mode::Two;
    // Charge 1 (the boxes Text1 … Text3) first, then charge 2 (Text4 …
    // Text6), then the others of several charges. Single-charge mode draws
    // charge 1 only; charge 2's texts stay as the boxes hold them.
    std::vector<ChargeTexts> charges = defaultCharges();
    OverlaySet overlays;
    Look look;
    // One or two charges drawn by the accurate tracer too, with lines in
    // proportion to charge (several charges always are).
    bool accurate = false;

    // Test charges released into the field, each shown at its own moment
    // of its motion (testTimes, parallel; missing or infinite: the whole
    // path), and whether the field line through each release point is
    // drawn beside its path.
    TestCharges testCharges;
    std::vector<double> testTimes;
    bool releaseLines = false;

    // How many of the charges the mode draws: 1, 2, or all of them.
    std::size_t chargesInMode() const;
    // True when the accurate tracer draws the picture.
    bool drawsAccurately() const { return mode == Mode::Several || accurate; }
    // True when both draw the same field lines: the same mode and tracer
    // and the same texts of the charges the mode draws.
    bool sameFieldLines(const Configuration &other) const;

    // The moment test charge i is shown at.
    double testTime(std::size_t i) const;

    bool operator==(const Configuration &other) const;
    bool operator!=(const Configuration &other) const { return !(*this == other); }
};
