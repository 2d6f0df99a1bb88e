// Working shared by the chart kinds (kinds/ChartKinds.cpp, kinds/ChartVoyageKinds.cpp).
#pragma once

#include "bank/Solution.h"
#include "bankgen/solver/detail/Sailing.h"

#include <string>

namespace tovarin::solver::detail {

std::string minutesOfArc(double m); // 12.3′, without sign

// The sailing from a to b, step by step (difference of latitude, departure, distance, and the
// true course when asked); returns the departure and difference of latitude.
Vec sailing(Solution &s, const std::string &leg, Position a, Position b, bool withCourse);

// An empty plot on the chart a position lies on.
Geometry chartFor(Position p);

} // namespace tovarin::solver::detail
