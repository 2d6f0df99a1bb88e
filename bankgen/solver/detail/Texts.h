// How the solver writes figures: the forms the question texts use ("北緯30°05.2′", "045°",
// "6°W", "13時55分", "2時間20分") and plain numbers for the working. Every text survives code
// page 932 (no superscripts, no U+2212).
#pragma once

#include <string>

namespace tovarin::solver::detail {

std::string fixed(double value, int decimals);
std::string plain(double value); // shortest form: 12, 0.48, 1.5

std::string degreesMinutes(double minutesOfArc); // 30°05.2′
std::string latitudeText(double minutesOfArc); // 北緯30°05.2′
std::string longitudeText(double minutesOfArc); // 東経135°03.1′
std::string positionText(double latMinutes, double lonMinutes); // 北緯…、東経…
// 大島灯台から真方位045°、距離4海里: a position given from a mark, in the one phrase the texts and
// choices use; `miles` as it is printed.
std::string fromMarkText(const std::string &mark, double bearing, const std::string &miles);
// The same for a computed position: whole degrees and tenths of a mile, as a choice prints it.
std::string fromMarkAnswer(const std::string &mark, double bearing, double miles);
std::string directionText(double degrees); // 045° (or 045.5° when not whole)
std::string computedDirection(double degrees); // 045.3°
std::string eastWestText(double degrees); // 6°W, 2°E, 0°
std::string addedEastWest(double degrees); // "+ 2°" for east, "- 6°" for west
std::string addedFixed(double value, int decimals); // "+ 1.50", "- 2.60"
std::string clockText(double minutes); // 13時55分
std::string durationText(double minutes); // 2時間20分, 40分, 3時間
std::string milesText(double miles); // 12.0海里
std::string knotsText(double knots); // 9.8ノット

} // namespace tovarin::solver::detail
