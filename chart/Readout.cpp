#include "chart/Readout.h"

#include "chart/PlotGeometry.h"

#include <cmath>
#include <cstdio>

namespace tovarin::chart {
namespace {

// Degrees as whole degrees and minutes to a tenth, rounded as one figure in tenths of a minute.
std::string angleText(double degrees, int degreeDigits)
{
    const long long tenths = std::llround(std::abs(degrees) * 600.0);
    char text[32];
    std::snprintf(text, sizeof text, "%0*lld°%02lld.%lld′", degreeDigits, tenths / 600,
        tenths % 600 / 10, tenths % 10);
    return text;
}

std::string directionFigure(double direction)
{
    const long long tenths = std::llround(normalDirection(direction) * 10.0) % 3600;
    char text[16];
    std::snprintf(text, sizeof text, "%03lld.%lld°", tenths / 10, tenths % 10);
    return text;
}

} // namespace

std::string positionText(solver::LatLon at)
{
    return (at.lat < 0 ? "南緯" : "北緯") + angleText(at.lat, 2) + "　"
        + (at.lon < 0 ? "西経" : "東経") + angleText(at.lon, 3);
}

std::string directionText(double trueDirection, double variationEast)
{
    return "真方位" + directionFigure(trueDirection) + "　磁針方位"
        + directionFigure(trueDirection - variationEast);
}

std::string milesText(double miles)
{
    const long long tenths = std::llround(std::abs(miles) * 10.0);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "海里";
}

} // namespace tovarin::chart
