// The texts of the chart's numeric readouts, in the chart's own notation: a position
// "北緯30°05.1′　東経135°15.0′", a set square's direction true and magnetic
// "真方位045.0°　磁針方位051.0°", a span on the latitude scale "3.2海里". Each figure is rounded
// once, to the digit it prints, so that 59.96′ reads as the next whole degree and 359.96° as
// 000.0°.
#pragma once

#include "bank/Solution.h"

#include <string>

namespace tovarin::chart {

std::string positionText(solver::LatLon at);

// variationEast: the chart's variation, east positive (6°W is -6); magnetic = true - variation.
std::string directionText(double trueDirection, double variationEast);

std::string milesText(double miles);

} // namespace tovarin::chart
