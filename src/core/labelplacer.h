#pragma once

#include "core/equipotentials.h"
#include "core/plotpoint.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct EquipotentialProblem;

// Places one label on each curve. A label's box (EquipotentialOptions) is
// centred on a vertex of its curve, 1 px inside the plot, 3 px clear of
// every dot and 2 px clear of every other label: those are musts. Among the
// places that meet them, a curve prefers one over as few other curves and
// lines to keep clear of as can be, where the curve runs level (so it reads
// along the text), away from the border.
//
// The curves with the fewest places choose first, each its best place still
// free. For a curve left without one, the labels round it are rearranged if
// that labels more curves. Every curve with room for its label gets one
// unless the labels round it cannot all fit: rings crowding a charge have
// room above and below the dot for only a few labels between them.
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

    struct Candidate
    {
        PlotPoint at;
        Box box;
        double score = 0;  // lower is better
    };

    static Box reach(const std::vector<Candidate> &places);
    int column(double x) const;
    int row(double y) const;
    void mark(const EquipotentialCurve &curve, std::uint64_t owner);
    void markAvoided(PlotPoint a, PlotPoint b);
    Box boxAt(PlotPoint p, const std::string &text) const;
    bool fitsPlot(const Box &box) const;
    bool overlaps(const Box &a, const Box &b) const;
    int crowding(const Box &box, std::uint64_t owner) const;
    std::vector<Candidate> candidates(const EquipotentialCurve &curve, std::uint64_t owner, double spacingPx) const;
    bool isFree(std::size_t curve, const Box &box) const;
    int firstFree(std::size_t curve) const;
    void rearrange(std::size_t curve);
    void search(std::size_t i, int placed);

    const EquipotentialProblem &problem_;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::uint64_t> cover_;  // per cell, a bit for each curve (modulo 64) through it
    std::vector<std::uint8_t> avoid_;   // per cell, whether a line to keep clear of runs through it
    std::vector<std::vector<Candidate>> candidates_;  // per curve, best first
    std::vector<int> chosen_;                         // per curve, its candidate in use, -1 for none
    std::vector<Box> reach_;                          // per curve, round all its candidates
    // The search of rearrange(), per member of the group: its curve, its
    // places clear of the labels outside the group, its place in the best
    // arrangement so far.
    std::vector<std::size_t> group_;
    std::vector<std::vector<int>> open_;
    std::vector<int> best_;
    int bestCount_ = 0;  // curves labelled in the best arrangement
    long steps_ = 0;
};
