#include "bankgen/solver/detail/Sailing.h"

#include <algorithm>
#include <cmath>

namespace tovarin::solver::detail {

double normalized360(double angle)
{
    const double a = std::fmod(angle, 360.0);
    return a < 0.0 ? a + 360.0 : a;
}

double signedAngle(double angle)
{
    const double a = normalized360(angle);
    return a > 180.0 ? a - 360.0 : a;
}

Vec along(double trueDirection, double miles)
{
    return { miles * std::sin(radians(trueDirection)), miles * std::cos(radians(trueDirection)) };
}

double directionOf(Vec v)
{
    return normalized360(degreesOf(std::atan2(v.east, v.north)));
}

Position movedBy(Position from, Vec v)
{
    const double lat = from.latMinutes + v.north;
    const double midLat = radians((from.latMinutes + lat) / 120.0);
    return { lat, from.lonMinutes + v.east / std::cos(midLat) };
}

double trueCourse(Position from, Position to)
{
    return directionOf(offsetBetween(from, to));
}

LatLon latLon(Position p)
{
    return { p.latMinutes / 60.0, p.lonMinutes / 60.0 };
}

Vec intersection(Vec p1, double direction1, Vec p2, double direction2)
{
    const double cut = std::abs(signedAngle(direction1 - direction2));
    if (std::min(cut, 180.0 - cut) < minimumCut)
        throw CheckError("lines of position cut at less than 25 degrees");
    const Vec u1 = along(direction1, 1.0);
    const Vec u2 = along(direction2, 1.0);
    return p1 + u1 * (cross(p2 - p1, u2) / cross(u1, u2));
}

Steering steerForTrack(double track, double set, double drift, double speed)
{
    Steering s;
    s.across = drift * std::sin(radians(set - track));
    if (std::abs(s.across / speed) >= 1.0)
        throw CheckError("the current is too strong to hold the track");
    s.correction = degreesOf(std::asin(s.across / speed));
    s.heading = normalized360(track - s.correction);
    s.speedOverGround
        = speed * std::cos(radians(s.heading - track)) + drift * std::cos(radians(set - track));
    if (s.speedOverGround <= 0.0)
        throw CheckError("the ship makes no way along the track");
    return s;
}

int chartOf(Position p)
{
    return p.latMinutes < 35.0 * 60.0 ? 150 : 200;
}

void frame(Geometry &g)
{
    std::vector<LatLon> all;
    for (const ChartPoint &p : g.points)
        all.push_back(p.at);
    for (const Track &t : g.tracks)
        all.insert(all.end(), t.points.begin(), t.points.end());
    for (const BearingLine &b : g.bearings) {
        const double cosLat = std::cos(radians(b.from.lat));
        const Vec v = along(b.trueBearing + 180.0, b.lengthMiles);
        all.push_back(b.from);
        all.push_back({ b.from.lat + v.north / 60.0, b.from.lon + v.east / 60.0 / cosLat });
    }
    for (const RangeCircle &r : g.ranges) {
        const double dLat = r.radiusMiles / 60.0;
        const double dLon = dLat / std::cos(radians(r.centre.lat));
        all.push_back({ r.centre.lat - dLat, r.centre.lon - dLon });
        all.push_back({ r.centre.lat + dLat, r.centre.lon + dLon });
    }
    if (g.current)
        for (const ChartVector *v :
            { &g.current->water, &g.current->current, &g.current->ground }) {
            all.push_back(v->from);
            all.push_back(v->to);
        }
    if (g.answerPoint)
        all.push_back(*g.answerPoint);
    if (g.answerLine) {
        all.push_back(g.answerLine->from);
        all.push_back(g.answerLine->to);
    }
    if (all.empty())
        return;
    g.southWest = g.northEast = all.front();
    for (const LatLon &p : all) {
        g.southWest = { std::min(g.southWest.lat, p.lat), std::min(g.southWest.lon, p.lon) };
        g.northEast = { std::max(g.northEast.lat, p.lat), std::max(g.northEast.lon, p.lon) };
    }
    const double margin = 2.0 / 60.0; // two minutes of arc round the drawing
    g.southWest = { g.southWest.lat - margin, g.southWest.lon - margin };
    g.northEast = { g.northEast.lat + margin, g.northEast.lon + margin };
}

} // namespace tovarin::solver::detail
