// A position on an examination chart and the little plane geometry the bank's build measures it
// with, shared by the solver and the charts' gazetteers so that both read, write and measure a
// position the same way: mid-latitude sailing on a flat chart, with plane vectors in miles
// (east = departure, north = difference of latitude).
#pragma once

#include "bankgen/solver/CheckTable.h"

#include <toml++/toml.h>

#include <optional>
#include <string>
#include <string_view>

namespace tovarin::solver {

struct Position
{
    double latMinutes = 0.0; // north, in minutes of arc
    double lonMinutes = 0.0; // east
};

struct Vec
{
    double east = 0.0; // miles
    double north = 0.0; // miles
};

inline Vec operator+(Vec a, Vec b)
{
    return { a.east + b.east, a.north + b.north };
}
inline Vec operator-(Vec a, Vec b)
{
    return { a.east - b.east, a.north - b.north };
}
inline Vec operator*(Vec a, double k)
{
    return { a.east * k, a.north * k };
}
inline double dot(Vec a, Vec b)
{
    return a.east * b.east + a.north * b.north;
}
inline double cross(Vec a, Vec b)
{
    return a.east * b.north - a.north * b.east;
}
double length(Vec v);

Vec offsetBetween(Position from, Position to); // departure and difference of latitude
double distance(Position from, Position to); // miles

// The least distance from p to the segment from a to b, all in one plane.
double distanceToSegment(Vec p, Vec a, Vec b);

// A position as the bank's TOML writes it, [lat_deg, lat_min, lon_deg, lon_min], and an angle as
// [deg, min], in minutes of arc. Throw CheckError naming `what` when the node is not one.
Position positionOf(const toml::node &node, const std::string &what);
double minutesOf(const toml::node &node, const std::string &what);

// "北緯30°05.2′、東経135°03.1′", as the texts write a position, and back: the position a text
// states (its four figures, with 北緯 and 東経), or nothing.
std::string positionText(Position p);
std::optional<Position> positionStatedBy(std::string_view text);

} // namespace tovarin::solver
