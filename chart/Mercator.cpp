#include "chart/Mercator.h"

#include <cmath>
#include <numbers>

namespace tovarin::chart {
namespace {

constexpr double degree = std::numbers::pi / 180.0;

} // namespace

Mercator::Mercator(solver::LatLon southWest, solver::LatLon northEast, double unitsPerLonMinute)
    : m_southWest(southWest)
    , m_northEast(northEast)
    , m_unitsPerLonMinute(unitsPerLonMinute)
    , m_northY(meridionalUnits(northEast.lat))
{
}

double Mercator::meridionalUnits(double latDegrees) const
{
    // Meridional parts in minutes of longitude: ln tan(45° + φ/2), in radians, times 60 · 180/π.
    const double parts
        = std::log(std::tan(std::numbers::pi / 4 + latDegrees * degree / 2)) / degree * 60.0;
    return parts * m_unitsPerLonMinute;
}

ChartXY Mercator::toChart(solver::LatLon at) const
{
    return { (at.lon - m_southWest.lon) * 60.0 * m_unitsPerLonMinute,
        m_northY - meridionalUnits(at.lat) };
}

solver::LatLon Mercator::toLatLon(ChartXY p) const
{
    const double parts = (m_northY - p.y) / m_unitsPerLonMinute / 60.0 * degree;
    const double lat = (2 * std::atan(std::exp(parts)) - std::numbers::pi / 2) / degree;
    return { lat, m_southWest.lon + p.x / m_unitsPerLonMinute / 60.0 };
}

double Mercator::width() const
{
    return (m_northEast.lon - m_southWest.lon) * 60.0 * m_unitsPerLonMinute;
}

double Mercator::height() const
{
    return m_northY - meridionalUnits(m_southWest.lat);
}

double Mercator::latMinuteAt(double latDegrees) const
{
    return m_unitsPerLonMinute / std::cos(latDegrees * degree);
}

double Mercator::dividerMiles(ChartXY a, ChartXY b, double latDegrees) const
{
    return std::hypot(b.x - a.x, b.y - a.y) / latMinuteAt(latDegrees);
}

double chartDirection(ChartXY a, ChartXY b)
{
    const double d = std::atan2(b.x - a.x, a.y - b.y) / degree; // y grows south
    return d < 0 ? d + 360.0 : d;
}

} // namespace tovarin::chart
