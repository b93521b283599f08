#pragma once

#include "core/equipotentials.h"
#include "core/plotpoint.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct EquipotentialProblem;

// Places one label per curve: the box is centred on a vertex of its curve,
// inside the plot, clear of every dot and of the labels already placed, and
// over as few other curves as can be. Short curves choose first, having the
// fewest places.
class LabelPlacer
{
public:
    explicit LabelPlacer(const EquipotentialProblem &problem);

    // Sets each curve's label position and `labelled`; the texts are set.
    // `avoid` are lines of the picture (x1, y1, x2, y2) that the labels keep
    // clear of where they can.
    void place(std::vector<EquipotentialCurve> &curves, const std::vector<std::array<float, 4>> *avoid);

private:
    struct Box
    {
        double left = 0, bottom = 0, right = 0, top = 0;
    };

    int column(double x) const;
    int row(double y) const;
    void mark(const EquipotentialCurve &curve, std::uint64_t owner);
    void markAvoided(PlotPoint a, PlotPoint b);
    Box boxAt(PlotPoint p, const std::string &text) const;
    bool fits(const Box &box) const;
    int crowding(const Box &box, std::uint64_t owner) const;
    void placeOne(EquipotentialCurve &curve, std::uint64_t owner);

    const EquipotentialProblem &problem_;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::uint64_t> cover_;  // per cell, a bit for each curve (modulo 64) through it
    std::vector<std::uint8_t> avoid_;   // per cell, whether a line to keep clear of runs through it
    std::vector<Box> placed_;
};
