// Working shared by the chart kinds (kinds/ChartKinds.cpp, ChartVoyageKinds.cpp,
// ChartFixKinds.cpp, ChartCurrentKinds.cpp): the sailing between two positions, a compass bearing
// made true, a deviation found from a true bearing, the chart a plot is drawn on, a point laid
// off from a mark, and the answer that is a position (as latitude and longitude, or, when the
// table has `answer_from`, as the true bearing and distance from that mark).
#pragma once

#include "bank/Solution.h"
#include "bankgen/solver/detail/Inputs.h"
#include "bankgen/solver/detail/Sailing.h"

#include <string>

namespace tovarin::solver::detail {

std::string minutesOfArc(double m); // 12.3′, without sign

// The sailing from a to b, step by step (difference of latitude, departure, distance, and the
// true course when asked); returns the departure and difference of latitude.
Vec sailing(Solution &s, const std::string &leg, Position a, Position b, bool withCourse);

// 真方位 ＝ コンパス方位 ＋ 自差 ＋ 偏差, east added and west subtracted.
double trueFromCompass(
    Solution &s, const std::string &what, double compass, double deviation, double variation);
// 自差 ＝ 磁針方位 － コンパス方位, 磁針方位 ＝ 真方位 － 偏差; returns the deviation, east
// positive.
double deviationSteps(Solution &s, double trueBearing, double variation, double compass);

// An empty plot on the chart a position lies on.
Geometry chartFor(Position p);

// A mark the plot shows once, under its own name.
void showMark(Geometry &g, const std::string &name, Position at);
// The position field `key` as the candidate plots it when it names a mark: the mark, and for a
// point laid off from it the bearing line and the step that lays the distance off along it
// (`point` names the point in the working: "A地点"). Nothing for a latitude and longitude.
void showLaidOff(Geometry &g, Solution &s, Inputs &in, const std::string &key,
    const std::string &point, Position at);

// A current's label on the plot, and the triangle of one run: the water vector, the current from
// its tip, and the ground vector closing it on the same start.
std::string currentLabel(double set, double drift);
CurrentTriangle triangle(Position from, Vec water, Vec current, std::string waterLabel,
    std::string currentText, std::string groundLabel);

// The answer is the position p: as latitude and longitude, the ship's way at p when the kind
// laid none, or as the bearing and distance from the table's `answer_from` mark.
void setPosition(Solution &s, Position p);
void answerPosition(Solution &s, Inputs &in, Position p);

} // namespace tovarin::solver::detail
