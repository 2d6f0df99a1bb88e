// One examination chart as the program draws it (試験用海図第150号, 第200号): its Mercator
// projection at the program's scale, the marks and land of its gazetteer, and where the chart's
// furniture goes: the graduated border, the compass roses, the title block and the scale of
// nautical miles. Plain arithmetic over the bank's compiled tables; the window paints it.
//
// Everything is in chart units (one logical pixel at zoom 1, see Mercator.h): the chart's area
// is [0, width] × [0, height]; the border lies outside it, within sheetMargin.
#pragma once

#include "bank/ChartTables.h"
#include "chart/Mercator.h"

#include <string>
#include <vector>

namespace tovarin::chart {

enum class MarkKind { Lighthouse, Beacon, Buoy }; // 灯台, 灯標, 灯浮標

struct ChartMarkInfo
{
    std::string name; // "鷹埼灯台"
    MarkKind kind = MarkKind::Lighthouse;
    solver::LatLon at;
};

struct ChartLandInfo
{
    std::string name;
    std::vector<ChartXY> outline; // closed, in chart units
};

// One division of a border scale, in tenths of a minute of arc from 0° (30°05.3′ is 18053).
struct Graduation
{
    enum class Size { Tenth, Half, Minute };
    int tenths = 0;
    Size size = Size::Tenth;
    std::string figure; // "30°" at a whole degree, "45′" every five minutes, otherwise empty
};

// The graduations from one degree value to another (both inclusive where they fall on a tenth).
std::vector<Graduation> graduationsBetween(double fromDegrees, double toDegrees);

// A compass rose: the outer ring true, the inner ring magnetic, turned by the variation.
struct Rose
{
    ChartXY centre;
    double radius = 0.0; // of the outer ring's outer edge, in chart units
};

struct Box
{
    double left = 0, top = 0, width = 0, height = 0;
    bool intersects(const Box &other) const;
};

class ExamChart
{
public:
    // How many chart units a minute of longitude spans at zoom 1, the same on both charts: the
    // 60′ of 第150号 are 1200 units wide.
    static constexpr double unitsPerLonMinute = 20.0;
    // Room outside the area for the two graduated bands and their figures.
    static constexpr double sheetMargin = 44.0;

    explicit ExamChart(const bankdata::ChartRecord &record);

    // The program's chart with this number, made when first asked for, or nullptr.
    static const ExamChart *byNumber(int number);

    int number() const { return m_number; }
    double variation() const { return m_variation; } // degrees, east positive
    const Mercator &projection() const { return m_projection; }
    const std::vector<ChartMarkInfo> &marks() const { return m_marks; }
    const std::vector<ChartLandInfo> &land() const { return m_land; }
    const std::vector<Rose> &roses() const { return m_roses; }
    Box titleBlock() const { return m_title; }
    Box scaleOfMiles() const { return m_scale; } // the bar itself; its figures go below
    int scaleMiles() const { return m_scaleMiles; }
    double scaleLatitude() const { return m_scaleLatitude; } // where the bar is true

    std::string title() const; // "試験用海図 第150号"
    std::string variationText() const; // "偏差 6°W"

    // The sheet: the area with its border, in chart units.
    Box sheet() const;

private:
    void placeFurniture();

    int m_number;
    double m_variation;
    Mercator m_projection;
    std::vector<ChartMarkInfo> m_marks;
    std::vector<ChartLandInfo> m_land;
    std::vector<Rose> m_roses;
    Box m_title;
    Box m_scale;
    int m_scaleMiles = 5;
    double m_scaleLatitude = 0.0;
};

} // namespace tovarin::chart
