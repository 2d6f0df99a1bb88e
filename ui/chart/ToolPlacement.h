// Where the instruments lie on the chart, as a value the undo steps keep: the two set squares,
// the dividers and the compass, in chart coordinates.
#pragma once

#include <QPointF>

#include <array>

namespace tovarin {

struct SetSquarePlacement
{
    QPointF pivot; // the end of the drawing edge the square turns about
    double direction = 90.0; // of the drawing edge from the pivot, clockwise from north
    bool flipped = false; // the body lies to the left of the edge instead of to its right
    bool operator==(const SetSquarePlacement &) const = default;
};

struct ToolPlacement
{
    std::array<SetSquarePlacement, 2> squares;
    QPointF dividerA, dividerB; // the dividers' points
    QPointF needle, pencil; // the compass's centre and its pencil's point
    bool operator==(const ToolPlacement &) const = default;
};

} // namespace tovarin
