// The arithmetic of the plotting tools on a chart, in chart coordinates (ChartXY, y growing
// south): a set square turned about its pivot and slid along another, a pencil line snapped to an
// edge and clipped at the chart's border, the dividers walked along a line. Directions are chart
// directions as a compass rose reads them: degrees clockwise from north (up), 0 to 360.
#pragma once

#include "chart/Mercator.h"

#include <optional>
#include <utility>

namespace tovarin::chart {

// A direction brought into [0, 360).
double normalDirection(double degrees);

// The point at a distance from another in a chart direction.
ChartXY pointToward(ChartXY from, double direction, double distance);

// A point turned about a pivot, clockwise on the chart by the given degrees.
ChartXY turnAbout(ChartXY p, ChartXY pivot, double clockwiseDegrees);

// How far a handle has turned about a pivot between two positions of the pointer, clockwise, in
// (-180, 180]; 0 when either position is on the pivot.
double turnBetween(ChartXY pivot, ChartXY from, ChartXY to);

// The part of a displacement that lies along a guide edge of the given direction: a set square
// slid along another moves only this way, so its own edge keeps its direction and its line moves
// parallel to itself.
ChartXY slideAlong(ChartXY displacement, double guideDirection);

// The point of the segment a-b nearest to p, and the distance to it.
ChartXY nearestOnSegment(ChartXY p, ChartXY a, ChartXY b);
double distanceToSegment(ChartXY p, ChartXY a, ChartXY b);

// The foot of p on the whole line through a and b (a pencil held against an edge).
ChartXY footOnLine(ChartXY p, ChartXY a, ChartXY b);

// The part of the segment a-b inside the chart's area [0, width] x [0, height], in the same
// order; nothing when the segment lies wholly outside.
std::optional<std::pair<ChartXY, ChartXY>> clipToArea(
    ChartXY a, ChartXY b, double width, double height);

// One step of dividers walked along a line: the trailing leg swings over the leading one, so the
// dividers keep their span and their direction.
ChartXY swingOver(ChartXY pivot, ChartXY swung);

} // namespace tovarin::chart
