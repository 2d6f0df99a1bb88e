#include "bankgen/solver/Position.h"

#include "bankgen/solver/detail/Inputs.h"
#include "bankgen/solver/detail/Texts.h"

#include <algorithm>
#include <cmath>

namespace tovarin::solver {

double length(Vec v)
{
    return std::hypot(v.east, v.north);
}

Vec offsetBetween(Position from, Position to)
{
    const double midLat = detail::radians((from.latMinutes + to.latMinutes) / 120.0);
    return { (to.lonMinutes - from.lonMinutes) * std::cos(midLat),
        to.latMinutes - from.latMinutes };
}

double distance(Position from, Position to)
{
    return length(offsetBetween(from, to));
}

double distanceToSegment(Vec p, Vec a, Vec b)
{
    const Vec ab = b - a;
    const Vec ap = p - a;
    const double squared = dot(ab, ab);
    const double t = squared > 0.0 ? std::clamp(dot(ap, ab) / squared, 0.0, 1.0) : 0.0;
    return length(ap - ab * t);
}

Position positionOf(const toml::node &node, const std::string &what)
{
    const toml::array *a = node.as_array();
    if (!a || a->size() != 4)
        throw CheckError(what + " is not [lat_deg, lat_min, lon_deg, lon_min]");
    const double latMin = detail::Inputs::numberOf((*a)[1], what);
    const double lonMin = detail::Inputs::numberOf((*a)[3], what);
    if (latMin < 0.0 || latMin >= 60.0 || lonMin < 0.0 || lonMin >= 60.0)
        throw CheckError(what + " has minutes outside 0..60");
    return { detail::Inputs::numberOf((*a)[0], what) * 60.0 + latMin,
        detail::Inputs::numberOf((*a)[2], what) * 60.0 + lonMin };
}

double minutesOf(const toml::node &node, const std::string &what)
{
    const toml::array *a = node.as_array();
    if (!a || a->size() != 2)
        throw CheckError(what + " is not [deg, min]");
    const double minutes = detail::Inputs::numberOf((*a)[1], what);
    if (minutes < 0.0 || minutes >= 60.0)
        throw CheckError(what + " has minutes outside 0..60");
    return detail::Inputs::numberOf((*a)[0], what) * 60.0 + minutes;
}

std::string positionText(Position p)
{
    return detail::positionText(p.latMinutes, p.lonMinutes);
}

std::optional<Position> positionStatedBy(std::string_view text)
{
    const std::string s(text);
    const std::vector<double> n = detail::numbersIn(s);
    if (n.size() != 4 || s.find("北緯") == std::string::npos || s.find("東経") == std::string::npos)
        return std::nullopt;
    return Position { n[0] * 60.0 + n[1], n[2] * 60.0 + n[3] };
}

} // namespace tovarin::solver
