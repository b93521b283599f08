#include "core/equipotentials.h"

#include "core/curverefiner.h"
#include "core/equipotentialproblem.h"
#include "core/labelplacer.h"
#include "core/levelplan.h"
#include "core/marchingsquares.h"
#include "core/potentialgrid.h"

#include <algorithm>

// How the curves are made: the potential is sampled on a grid of 3-pixel
// cells (PotentialGrid), the levels are chosen from it (LevelPlan) and each
// is contoured by marching squares, every crossing found exactly on its cell
// edge (MarchingSquares). That polyline fixes the topology of the level
// (which crossings join, where a curve leaves the plot, which curves close)
// and serves as a guide: the delivered vertices are placed along it at a
// spacing set by the curve's own curvature and pushed onto the level by
// Newton steps along the gradient (CurveRefiner). Near a charge the
// potential varies too fast for the grid, so the disk under the charge's dot
// is left out; the levels are chosen so that the rings around a charge stay
// well outside it. Last, each curve gets its label (LabelPlacer).

namespace {

constexpr double kShortestCurvePx = 3;

// The advance of a label's character in Liberation Sans, in em, measured
// with Qt at 10, 15 and 20 px and rounded up: the painter's text is the sum
// of them, the face having no kerning between these characters. A label
// holds nothing else; anything else counts as wide as an M.
double advanceEm(char c)
{
    if ((c >= '0' && c <= '9') || c == 'e')
        return 0.556;
    switch (c) {
    case 'V':
        return 0.667;
    case '=':
        return 0.584;
    case '-':
        return 0.333;
    case '.':
        return 0.278;
    default:
        return 0.833;
    }
}

constexpr double kLabelLineEm = 1.12;  // ascent 0.905 + descent 0.212
constexpr double kLabelPaddingPx = 2;  // the painter's box is the advance + 2 px

}  // namespace

double EquipotentialOptions::labelWidthPx(const std::string &text) const
{
    double em = 0;
    for (char c : text)
        em += advanceEm(c);
    return em * labelFontPx + kLabelPaddingPx;
}

double EquipotentialOptions::labelHeightPx() const
{
    return kLabelLineEm * labelFontPx;
}

std::vector<double> equipotentialLevels(const std::vector<PointCharge> &charges, const EquipotentialOptions &options)
{
    const auto problem = EquipotentialProblem::make(charges, options);
    if (!problem)
        return {};
    const LevelPlan plan = LevelPlan::choose(*problem, PotentialGrid(*problem));
    std::vector<double> levels;
    for (int k = plan.kMin; k <= plan.kMax; ++k)
        levels.push_back(plan.actual(k));
    return levels;
}

std::vector<EquipotentialCurve> equipotentials(const std::vector<PointCharge> &charges,
                                               const EquipotentialOptions &options)
{
    const auto problem = EquipotentialProblem::make(charges, options);
    if (!problem)
        return {};
    const PotentialGrid grid(*problem);
    const LevelPlan plan = LevelPlan::choose(*problem, grid);
    std::vector<EquipotentialCurve> curves;
    if (plan.count() <= 0)
        return curves;
    std::vector<double> levels;
    for (int k = plan.kMin; k <= plan.kMax; ++k)
        levels.push_back(plan.actual(k) / problem->scale);
    MarchingSquares squares(*problem, grid, levels);
    for (int index = 0; index < plan.count(); ++index) {
        const CurveRefiner refiner(*problem, levels[index]);
        for (const MarchingSquares::Path &path : squares.trace(index)) {
            const std::vector<PlotPoint> points = refiner.refine(path.points, path.closed);
            if (points.size() < 2)
                continue;
            EquipotentialCurve curve;
            curve.level = plan.actual(plan.kMin + index);
            curve.closed = path.closed;
            curve.label.text = plan.text(plan.kMin + index);
            curve.points.reserve(points.size());
            for (const PlotPoint &p : points)
                curve.points.emplace_back(p.x, p.y);
            curves.push_back(std::move(curve));
        }
    }

    // Pieces a few pixels long, or hidden under the dots, are left out.
    curves.erase(std::remove_if(curves.begin(), curves.end(),
                                [&](const EquipotentialCurve &curve) {
                                    return problem->pxLength(curve.points) < kShortestCurvePx
                                           || problem->underDots(curve.points);
                                }),
                 curves.end());
    LabelPlacer(*problem).place(curves, options.avoid);
    return curves;
}
