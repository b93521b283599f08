#include "support/rig.h"

#include <cstring>

void Rig::setCharges(const std::string &x1, const std::string &y1, const std::string &q1, const std::string &x2,
                     const std::string &y2, const std::string &q2, bool twoCharges)
{
    panel.setText(1, x1);
    panel.setText(2, y1);
    panel.setText(3, q1);
    panel.setText(4, x2);
    panel.setText(5, y2);
    panel.setText(6, q2);
    panel.setTwoChargeMode(twoCharges);
}

std::vector<Operation> Rig::excite()
{
    lines.excite();
    return surface.drawing();
}

static std::vector<Operation> only(const std::vector<Operation> &ops, Op kind)
{
    std::vector<Operation> result;
    for (const Operation &o : ops) {
        if (o.op == kind)
            result.push_back(o);
    }
    return result;
}

std::vector<Operation> linesOf(const std::vector<Operation> &ops)
{
    return only(ops, Op::Line);
}

std::vector<Operation> dotsOf(const std::vector<Operation> &ops)
{
    return only(ops, Op::PSet);
}

// Field by field, bit for bit: the padding between fields is not compared.
bool sameState(const DrawingState &a, const DrawingState &b)
{
    auto same = [](float u, float v) { return std::memcmp(&u, &v, sizeof u) == 0; };
    const float DrawingState::*fields[] = {
        &DrawingState::q1, &DrawingState::x1, &DrawingState::y1, &DrawingState::q2, &DrawingState::x2,
        &DrawingState::y2, &DrawingState::e1, &DrawingState::e1x, &DrawingState::e1y, &DrawingState::r1,
        &DrawingState::e2, &DrawingState::e2x, &DrawingState::e2y, &DrawingState::r2, &DrawingState::px,
        &DrawingState::py, &DrawingState::theta, &DrawingState::cos1, &DrawingState::sin1, &DrawingState::cos2,
        &DrawingState::sin2, &DrawingState::ex, &DrawingState::ey, &DrawingState::e, &DrawingState::sinT,
        &DrawingState::cosT, &DrawingState::qx, &DrawingState::qy, &DrawingState::theta2,
        &DrawingState::arrowAngle, &DrawingState::tipX, &DrawingState::tipY, &DrawingState::wing1X,
        &DrawingState::wing1Y, &DrawingState::wing2X, &DrawingState::wing2Y, &DrawingState::arrowAngle2,
        &DrawingState::tip2X, &DrawingState::tip2Y, &DrawingState::wing3X, &DrawingState::wing3Y,
        &DrawingState::wing4X, &DrawingState::wing4Y};
    for (auto field : fields) {
        if (!same(a.*field, b.*field))
            return false;
    }
    return a.angle == b.angle && a.angle2 == b.angle2;
}

#include <cmath>

double distance(Point2 a, Point2 b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

static double lengthOf(const Operation &o)
{
    return std::hypot(double(o.x2) - o.x1, double(o.y2) - o.y1);
}

std::vector<Chain> unitChains(const std::vector<Operation> &ops)
{
    std::vector<Chain> chains;
    for (const Operation &o : ops) {
        if (o.op != Op::Line || std::fabs(lengthOf(o) - 1) > 1e-3)
            continue;
        const Point2 from{o.x1, o.y1};
        const Point2 to{o.x2, o.y2};
        if (chains.empty() || distance(chains.back().back(), from) > 1e-6)
            chains.push_back({from});
        chains.back().push_back(to);
    }
    return chains;
}

Point2 DrawnArrowhead::pointing() const
{
    const double x = tip.x - (wing1.x + wing2.x) / 2;
    const double y = tip.y - (wing1.y + wing2.y) / 2;
    const double n = std::hypot(x, y);
    return {x / n, y / n};
}

std::vector<DrawnArrowhead> arrowheadsOf(const std::vector<Operation> &ops)
{
    std::vector<DrawnArrowhead> result;
    for (std::size_t i = 0; i + 1 < ops.size(); ++i) {
        const Operation &a = ops[i];
        const Operation &b = ops[i + 1];
        if (a.op != Op::Line || b.op != Op::Line)
            continue;
        if (std::fabs(lengthOf(a) - 2) > 1e-3 || std::fabs(lengthOf(b) - 2) > 1e-3)
            continue;
        if (a.x1 != b.x1 || a.y1 != b.y1)
            continue;
        result.push_back({{a.x1, a.y1}, {a.x2, a.y2}, {b.x2, b.y2}});
        ++i;
    }
    return result;
}
