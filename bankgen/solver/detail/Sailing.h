// Chart arithmetic as the examination works it: mid-latitude sailing on a flat chart, with
// positions in minutes of arc and plane vectors in miles (east = departure, north = difference of
// latitude). Over a chart-sized area it agrees with Mercator sailing to well under 0.1 mile.
#pragma once

#include "bank/Solution.h"
#include "bankgen/solver/CheckTable.h"
#include "bankgen/solver/Position.h"

namespace tovarin::solver::detail {

constexpr double pi = 3.14159265358979323846;

inline double radians(double degrees)
{
    return degrees * pi / 180.0;
}
inline double degreesOf(double rad)
{
    return rad * 180.0 / pi;
}
double normalized360(double angle);
double signedAngle(double angle); // brought into -180..180, for differences of directions

Vec along(double trueDirection, double miles);
double directionOf(Vec v);

Position movedBy(Position from, Vec v); // a vector laid off from a position
double trueCourse(Position from, Position to);

LatLon latLon(Position p);

// Lines that cut at less than this are no fix a candidate could plot.
constexpr double minimumCut = 25.0;

// Intersection of two lines of position, each through a point along a true direction.
// Throws CheckError when they cut too finely.
Vec intersection(Vec p1, double direction1, Vec p2, double direction2);

struct Steering
{
    double heading = 0.0; // true course to steer
    double across = 0.0; // drift × sin(set − track), knots
    double correction = 0.0; // track − heading, degrees
    double speedOverGround = 0.0; // knots along the track
};

// The heading that holds a true track through a current. Throws CheckError when it cannot.
Steering steerForTrack(double track, double set, double drift, double speed);

// The chart a position lies on (150 around 30°N, 200 around 40°N) and the box that holds every
// item of a geometry, with a margin.
int chartOf(Position p);
void frame(Geometry &geometry);

} // namespace tovarin::solver::detail
