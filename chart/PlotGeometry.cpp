#include "chart/PlotGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tovarin::chart {
namespace {

constexpr double degree = std::numbers::pi / 180.0;

double dot(ChartXY a, ChartXY b)
{
    return a.x * b.x + a.y * b.y;
}
ChartXY minus(ChartXY a, ChartXY b)
{
    return { a.x - b.x, a.y - b.y };
}

} // namespace

double normalDirection(double degrees)
{
    const double d = std::fmod(degrees, 360.0);
    return d < 0 ? d + 360.0 : d;
}

ChartXY pointToward(ChartXY from, double direction, double distance)
{
    // North is up, towards smaller y.
    return { from.x + distance * std::sin(direction * degree),
        from.y - distance * std::cos(direction * degree) };
}

ChartXY turnAbout(ChartXY p, ChartXY pivot, double clockwiseDegrees)
{
    // With y growing south, a positive angle in the x-y frame already turns clockwise on screen.
    const double c = std::cos(clockwiseDegrees * degree), s = std::sin(clockwiseDegrees * degree);
    const ChartXY d = minus(p, pivot);
    return { pivot.x + d.x * c - d.y * s, pivot.y + d.x * s + d.y * c };
}

double turnBetween(ChartXY pivot, ChartXY from, ChartXY to)
{
    const ChartXY a = minus(from, pivot), b = minus(to, pivot);
    if ((a.x == 0 && a.y == 0) || (b.x == 0 && b.y == 0))
        return 0.0;
    const double t = std::atan2(a.x * b.y - a.y * b.x, dot(a, b)) / degree;
    return t == -180.0 ? 180.0 : t;
}

ChartXY slideAlong(ChartXY displacement, double guideDirection)
{
    const ChartXY unit = pointToward({}, guideDirection, 1.0);
    const double along = dot(displacement, unit);
    return { unit.x * along, unit.y * along };
}

ChartXY nearestOnSegment(ChartXY p, ChartXY a, ChartXY b)
{
    const ChartXY ab = minus(b, a);
    const double length2 = dot(ab, ab);
    if (length2 == 0)
        return a;
    const double t = std::clamp(dot(minus(p, a), ab) / length2, 0.0, 1.0);
    return { a.x + ab.x * t, a.y + ab.y * t };
}

double distanceToSegment(ChartXY p, ChartXY a, ChartXY b)
{
    const ChartXY n = nearestOnSegment(p, a, b);
    return std::hypot(p.x - n.x, p.y - n.y);
}

ChartXY footOnLine(ChartXY p, ChartXY a, ChartXY b)
{
    const ChartXY ab = minus(b, a);
    const double length2 = dot(ab, ab);
    if (length2 == 0)
        return a;
    const double t = dot(minus(p, a), ab) / length2;
    return { a.x + ab.x * t, a.y + ab.y * t };
}

std::optional<std::pair<ChartXY, ChartXY>> clipToArea(
    ChartXY a, ChartXY b, double width, double height)
{
    // Liang-Barsky: the segment is a + t(b - a) for t in [0, 1], narrowed by each border.
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t0 = 0.0, t1 = 1.0;
    const auto narrow = [&](double p, double q) {
        if (p == 0)
            return q >= 0;
        const double r = q / p;
        if (p < 0) {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    if (!narrow(-dx, a.x) || !narrow(dx, width - a.x) || !narrow(-dy, a.y)
        || !narrow(dy, height - a.y))
        return std::nullopt;
    return std::pair { ChartXY { a.x + dx * t0, a.y + dy * t0 },
        ChartXY { a.x + dx * t1, a.y + dy * t1 } };
}

ChartXY swingOver(ChartXY pivot, ChartXY swung)
{
    return { 2 * pivot.x - swung.x, 2 * pivot.y - swung.y };
}

} // namespace tovarin::chart
