// The fixed world of each examination chart: its area, its variation and the named lights,
// beacons and buoys on it (bank/data/chartNNN.toml). Every chart question (51 to 53) takes its
// marks from the gazetteer of the chart it names, at their one position, keeps its tracks clear
// of the marks it does not use and of the land, and fixes the ship on fixed marks only.
// parseGazetteer reads and checks a gazetteer (Gazetteer.cpp); checkChartVariants holds a slot
// to those rules (GazetteerRules.cpp), measuring the geometry the solver worked.
#pragma once

#include "bankgen/solver/Position.h"

#include <string>
#include <string_view>
#include <vector>

namespace tovarin::banksource {

struct BankProblem;
struct SourceSlot;
using Problems = std::vector<BankProblem>;

// The solver's own position, so that the gazetteer's rules measure with the same mid-latitude
// sailing as the keys.
using ChartPosition = solver::Position;

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

    // The least distance in miles from a line of points (one point for a ship's position) to
    // this land, 0 when it touches or enters it.
    double distanceTo(const std::vector<ChartPosition> &line) const;
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

// Every mark-like name a text writes: a run of kanji or katakana ending in 灯台, 灯標 or 灯浮標,
// or such a word with a designator after it (灯台甲). The bare word (「灯台の光」) names no mark.
struct NameInText
{
    std::string name;
    std::size_t end; // byte offset after the name
};
std::vector<NameInText> markNamesIn(std::string_view text);

// Checks every variant of a slot whose question names an examination chart against that
// chart's gazetteer; slots 51 to 53 must name one. The marks, tracks and fixes come from each
// variant's worked solution (checkSlot keeps it); a variant the solver could not work is held to
// the rules of its texts alone, its key check having reported why.
void checkChartVariants(
    const SourceSlot &slot, const std::vector<Gazetteer> &gazetteers, Problems &problems);

// Hands each check table of the slot the marks of the chart its question names, so that the
// solver lays off the positions the table gives by a mark's name.
void lendChartMarks(SourceSlot &slot, const std::vector<Gazetteer> &gazetteers);

// The gazetteer of the chart a question text names (試験用海図第150号使用), or none.
const Gazetteer *gazetteerNamedIn(std::string_view text, const std::vector<Gazetteer> &gazetteers);

// How close a track may pass a mark the question does not use, and the land, in nautical miles.
constexpr double trackClearance = 1.0;
constexpr double landClearance = 0.5;

} // namespace tovarin::banksource
