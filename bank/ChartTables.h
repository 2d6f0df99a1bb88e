// The shape of the chart table that the bank generator writes from the gazetteers
// (bank/data/chartNNN.toml): each examination chart's area, variation, marks and land, and which
// chart each variant of the chart questions names. Only bank/Charts reads it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tovarin::bankdata {

struct ChartPositionRecord
{
    double lat; // degrees north
    double lon; // degrees east
};

struct ChartMarkRecord
{
    const char *name; // "鷹埼灯台", UTF-8
    const char *kind; // "灯台", "灯標" or "灯浮標"
    ChartPositionRecord at;
};

struct ChartLandRecord
{
    const char *name; // "本土", "大島"
    const ChartPositionRecord *outline; // a closed outline, its last point joined to the first
    std::size_t pointCount;
};

struct ChartRecord
{
    std::int16_t number; // 150 for 試験用海図第150号
    double variation; // degrees, east positive
    ChartPositionRecord southWest;
    ChartPositionRecord northEast;
    const ChartMarkRecord *marks;
    std::size_t markCount;
    const ChartLandRecord *land;
    std::size_t landCount;
};

// Per chart question (51 to 53, in order), per variant: the chart its text names.
struct ChartUseRecord
{
    std::int16_t number;
    std::int16_t count;
    const std::int16_t *charts;
};

extern const ChartRecord charts[];
extern const std::size_t chartCount;
extern const ChartUseRecord chartUses[3];

} // namespace tovarin::bankdata
