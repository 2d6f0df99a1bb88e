// Steps the chart kinds share: a compass bearing made true, a deviation found from a true bearing,
// the chart a geometry is drawn on and the answer that is a position (as latitude and longitude,
// or, when the table has `answer_from`, as the true bearing and distance from that mark).
#pragma once

#include "bank/Solution.h"
#include "bankgen/solver/detail/Inputs.h"
#include "bankgen/solver/detail/Sailing.h"

#include <string>

namespace tovarin::solver::detail {

std::string minutesOfArc(double m); // 12.3′, without sign

// 真方位 ＝ コンパス方位 ＋ 自差 ＋ 偏差, east added and west subtracted.
double trueFromCompass(
    Solution &s, const std::string &what, double compass, double deviation, double variation);
// 自差 ＝ 磁針方位 － コンパス方位, 磁針方位 ＝ 真方位 － 偏差; returns the deviation, east
// positive.
double deviationSteps(Solution &s, double trueBearing, double variation, double compass);

Geometry chartFor(Position p);
void setPosition(Solution &s, Position p); // latitude and longitude
void answerPosition(Solution &s, Inputs &in, Position p);

} // namespace tovarin::solver::detail
