// The Mercator projection (漸長図) of an examination chart, north up: positions in degrees become
// chart coordinates and back. A chart coordinate is one logical pixel of the chart at zoom 1, x
// growing east from the chart's west edge and y growing south from its north edge. Meridians are
// evenly spaced; a minute of latitude grows longer towards the pole (by the secant of the
// latitude), so a distance is measured on the latitude scale beside the same latitude.
#pragma once

#include "bank/Solution.h"

namespace tovarin::chart {

struct ChartXY
{
    double x = 0.0;
    double y = 0.0;
};

class Mercator
{
public:
    // The chart's area, and how many chart units one minute of longitude spans.
    Mercator(solver::LatLon southWest, solver::LatLon northEast, double unitsPerLonMinute);

    ChartXY toChart(solver::LatLon at) const;
    solver::LatLon toLatLon(ChartXY p) const;

    double width() const; // the chart's area in chart units
    double height() const;
    solver::LatLon southWest() const { return m_southWest; }
    solver::LatLon northEast() const { return m_northEast; }
    double unitsPerLonMinute() const { return m_unitsPerLonMinute; }

    // The length in chart units of one minute of latitude (one nautical mile) at a latitude:
    // what the latitude scale on the border shows there.
    double latMinuteAt(double latDegrees) const;

    // What dividers opened from a to b read on the latitude scale at latDegrees, in miles.
    double dividerMiles(ChartXY a, ChartXY b, double latDegrees) const;

private:
    double meridionalUnits(double latDegrees) const; // from the equator, in chart units

    solver::LatLon m_southWest;
    solver::LatLon m_northEast;
    double m_unitsPerLonMinute;
    double m_northY; // meridionalUnits of the north edge
};

// The true direction from a to b as a line drawn on the chart reads against a compass rose: on a
// Mercator chart the rhumb line is straight and keeps its angle to the meridians. Degrees, 0 to
// 360, clockwise from north.
double chartDirection(ChartXY a, ChartXY b);

} // namespace tovarin::chart
