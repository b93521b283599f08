#pragma once

#include <string>

struct EquipotentialProblem;
class PotentialGrid;

// The levels of the equipotentials: k · step for k from kMin to kMax, the
// step mantissa · 10^exponent. Kept as integers so that every level and its
// text are exact whatever the amounts' scale.
struct LevelPlan
{
    long long mantissa = 1;  // 1, 2, 5, or 25 with the exponent one lower
    int exponent = 0;
    int kMin = 0;
    int kMax = -1;

    // The step of 1, 2, 2.5 or 5 × 10^n over the range of the potential on
    // the plot outside a ring around each charge that leaves room for a label
    // between it and the dot (EquipotentialProblem::innerRadiusPx): the
    // largest such step that gives at least 8 levels, and of those at most
    // 12, leaving out the largest magnitudes (the rings nearest a charge)
    // first, both signs alike when they tie. V = 0 is among them wherever the
    // potential changes sign outside the dots. No levels (count() 0) when the
    // potential does not vary.
    static LevelPlan choose(const EquipotentialProblem &problem, const PotentialGrid &grid);

    int count() const { return kMax - kMin + 1; }
    // Level k in the amounts' own units.
    double actual(int k) const;
    // Level k as a label shows it: like %g with 3 significant digits (more
    // only where a level needs them), the exponent without '+' or leading
    // zeros, independent of the locale: "V=2.5", "V=0", "V=-1e-21".
    std::string text(int k) const;
};
