#pragma once

#include "core/plotpoint.h"

#include <array>
#include <vector>

struct EquipotentialProblem;
class PotentialGrid;

// Marching squares over the potential grid, one level at a time: the
// polylines that fix the topology of each level (which crossings join, where
// a curve leaves the plot or ends at the cells left out round a charge,
// which curves close). Every crossing is found on its cell edge to full
// precision, so the points lie on the level.
//
// Edges are numbered horizontal first (between nodes (i, j) and (i + 1, j)),
// then vertical (between (i, j) and (i, j + 1)); cells by their lower left
// node.
class MarchingSquares
{
public:
    struct Path
    {
        std::vector<PlotPoint> points;
        // A closed path does not repeat its first point at the end.
        bool closed = false;
    };

    // levels ascending and normalised, as the problem's field is.
    MarchingSquares(const EquipotentialProblem &problem, const PotentialGrid &grid, std::vector<double> levels);

    // The paths of level `index`: first those that end (on the border, or
    // at a cell left out near a charge), each followed from whichever end
    // comes first, then the closed ones. Once for each index.
    std::vector<Path> trace(int index);

private:
    std::array<int, 2> edgeNodes(int e) const;
    std::array<int, 2> validCells(int e) const;
    std::array<int, 4> cellNodes(int c) const;
    std::array<int, 4> cellEdges(int c) const;
    int exitEdge(int index, int c, int entry) const;
    PlotPoint crossingPoint(int index, int e) const;
    std::vector<PlotPoint> walk(int index, int start, int c, bool &closed);

    const EquipotentialProblem &problem_;
    const PotentialGrid &grid_;
    int nx_ = 0;
    int ny_ = 0;
    int horizontal_ = 0;
    std::vector<double> levels_;
    std::vector<int> band_;
    std::vector<unsigned char> cellValid_;
    std::vector<std::vector<int>> crossings_;  // per level, the edges it crosses
    std::vector<int> visited_;                 // level index that last passed each edge
};
