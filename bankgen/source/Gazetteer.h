// The fixed world of each examination chart: its area, its variation and the named lights,
// beacons and buoys on it (bank/data/chartNNN.toml). Every chart question (51 to 53) takes its
// marks from the gazetteer of the chart it names, at their one position, keeps its tracks clear
// of the marks it does not use and of the land, and fixes the ship on fixed marks only;
// checkChartVariants holds a slot to those rules.
#pragma once

#include "bankgen/solver/detail/Sailing.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovarin::banksource {

struct BankProblem;
struct SourceSlot;
using Problems = std::vector<BankProblem>;

// A position in minutes of arc, north and east: the solver's own, so that the gazetteer's rules
// measure with the same mid-latitude sailing as the keys.
using ChartPosition = solver::detail::Position;

struct ChartMark
{
    std::string name; // "鷹埼灯台": the name as the texts write it, ending in its kind
    std::string kind; // "灯台", "灯標" (fixed marks) or "灯浮標" (a buoy)
    ChartPosition position;

    bool isFixed() const { return kind != "灯浮標"; }
};

// A piece of land: the mainland's coast or an island, as a closed outline.
struct ChartLand
{
    std::string name; // "本土", "大島"
    std::vector<ChartPosition> outline;
};

struct Gazetteer
{
    std::string fileName;
    int chart = 0; // 150 for "試験用海図第150号使用"
    double variation = 0.0; // east positive
    ChartPosition southWest;
    ChartPosition northEast;
    std::vector<ChartMark> marks;
    std::vector<ChartLand> land;

    bool contains(ChartPosition p) const;
    const ChartMark *find(std::string_view name) const;
};

// Parses and checks one gazetteer file (unique names, each ending in its kind, inside the
// chart's area, marks apart from each other, lights on land and the other marks in the water).
// Faults are reported, not thrown.
Gazetteer parseGazetteer(std::string_view toml, const std::string &fileName, Problems &problems);

// The chart a question's text names ("試験用海図第150号使用" → 150), if it names one.
std::optional<int> namedChart(std::string_view questionText);

// Checks every variant of a slot whose question names an examination chart against that
// chart's gazetteer; slots 51 to 53 must name one. `toml` is the slot file the slot was read from
// (its check tables hold the marks and tracks).
void checkChartVariants(std::string_view toml, const SourceSlot &slot,
    const std::vector<Gazetteer> &gazetteers, Problems &problems);

// How close a track may pass a mark the question does not use, and the land, in nautical miles.
constexpr double trackClearance = 1.0;
constexpr double landClearance = 0.5;

} // namespace tovarin::banksource
