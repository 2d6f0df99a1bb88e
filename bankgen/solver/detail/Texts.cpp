#include "bankgen/solver/detail/Texts.h"

#include <cmath>
#include <cstdio>

namespace tovarin::solver::detail {

std::string fixed(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value + 0.0);
    std::string s = buffer;
    return s == "-0" || s == "-0.0" || s == "-0.00" ? s.substr(1) : s;
}

std::string plain(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    return buffer;
}

std::string degreesMinutes(double minutesOfArc)
{
    const long long tenths = std::llround(minutesOfArc * 10.0);
    char buffer[48];
    std::snprintf(
        buffer, sizeof buffer, "%lld°%02lld.%lld′", tenths / 600, tenths % 600 / 10, tenths % 10);
    return buffer;
}

std::string latitudeText(double minutesOfArc)
{
    return "北緯" + degreesMinutes(minutesOfArc);
}

std::string longitudeText(double minutesOfArc)
{
    return "東経" + degreesMinutes(minutesOfArc);
}

std::string positionText(double latMinutes, double lonMinutes)
{
    return latitudeText(latMinutes) + "、" + longitudeText(lonMinutes);
}

std::string fromMarkText(const std::string &mark, double bearing, const std::string &miles)
{
    return mark + "から真方位" + directionText(bearing) + "、距離" + miles + "海里";
}

std::string fromMarkAnswer(const std::string &mark, double bearing, double miles)
{
    double whole = std::round(bearing);
    if (whole >= 360.0)
        whole -= 360.0;
    return fromMarkText(mark, whole, fixed(miles, 1));
}

std::string directionText(double degrees)
{
    char buffer[32];
    if (degrees == std::floor(degrees))
        std::snprintf(buffer, sizeof buffer, "%03.0f°", degrees);
    else
        std::snprintf(buffer, sizeof buffer, "%05.1f°", degrees);
    return buffer;
}

std::string computedDirection(double degrees)
{
    double d = std::round(degrees * 10.0) / 10.0;
    if (d >= 360.0)
        d -= 360.0;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%05.1f°", d);
    return buffer;
}

std::string eastWestText(double degrees)
{
    if (degrees == 0.0)
        return "0°";
    return plain(std::abs(degrees)) + (degrees > 0.0 ? "°E" : "°W");
}

std::string addedEastWest(double degrees)
{
    return (degrees < 0.0 ? "- " : "+ ") + plain(std::round(std::abs(degrees) * 10.0) / 10.0) + "°";
}

std::string clockText(double minutes)
{
    long m = std::lround(minutes) % 1440;
    if (m < 0)
        m += 1440;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%ld時%02ld分", m / 60, m % 60);
    return buffer;
}

std::string durationText(double minutes)
{
    const long m = std::lround(minutes);
    char buffer[32];
    if (m >= 60 && m % 60 != 0)
        std::snprintf(buffer, sizeof buffer, "%ld時間%02ld分", m / 60, m % 60);
    else if (m >= 60)
        std::snprintf(buffer, sizeof buffer, "%ld時間", m / 60);
    else
        std::snprintf(buffer, sizeof buffer, "%ld分", m);
    return buffer;
}

std::string milesText(double miles)
{
    return fixed(miles, 1) + "海里";
}

std::string knotsText(double knots)
{
    return fixed(knots, 1) + "ノット";
}

} // namespace tovarin::solver::detail

namespace tovarin::solver::detail {

std::string addedFixed(double value, int decimals)
{
    return (value < 0.0 ? "- " : "+ ") + fixed(std::abs(value), decimals);
}

} // namespace tovarin::solver::detail
