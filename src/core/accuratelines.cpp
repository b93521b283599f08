#include "core/accuratelines.h"

#include "core/linestarts.h"

#include <cmath>
#include <cstddef>

std::vector<TracedLine> accurateFieldLines(const Charges &charges)
{
    const std::vector<int> shares = lineShares(charges);
    const FieldLineTracer tracer(charges);
    std::vector<TracedLine> lines;
    // Seen from each charge: the directions in which lines reached it.
    std::vector<std::vector<PlotPoint>> arrivals(charges.size());
    for (std::size_t i = 0; i < charges.size(); ++i) {
        if (!(charges[i].q > 0))
            continue;
        for (const PlotPoint &direction : startDirections(charges, i, shares[i])) {
            TracedLine line = tracer.fromCharge(i, direction);
            if (line.end.how == LineEnd::Charge) {
                // The point where the line came within the capture radius,
                // just before the centre.
                const PointCharge &c = charges[std::size_t(line.end.charge)];
                const PlotPoint &near = line.points[line.points.size() - 2];
                const double r = std::sqrt((near.x - c.x) * (near.x - c.x) + (near.y - c.y) * (near.y - c.y));
                arrivals[std::size_t(line.end.charge)].push_back({(near.x - c.x) / r, (near.y - c.y) / r});
            }
            lines.push_back(std::move(line));
        }
    }
    for (std::size_t j = 0; j < charges.size(); ++j) {
        const int missing = shares[j] - int(arrivals[j].size());
        if (!(charges[j].q < 0) || missing <= 0)
            continue;
        const std::vector<PlotPoint> directions = arrivals[j].empty() ? startDirections(charges, j, shares[j])
                                                                      : gapDirections(arrivals[j], missing);
        for (const PlotPoint &direction : directions)
            lines.push_back(tracer.fromCharge(j, direction));
    }
    return lines;
}
