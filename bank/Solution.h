// The worked solution of one computed question, as data: what the answer is, the steps that lead
// to it (each a formula in words with its numbers, in Japanese), and for chart work the geometry a
// plot of the question needs. The bank's build checks keys against it, bank-export prints it, and
// the review's explanation shows its steps and draws its plot.
//
// Positions are degrees of latitude (north) and longitude (east); distances are nautical miles;
// directions are true, in degrees clockwise from north.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tovarin::solver {

// One line of the working: "東西距" / "東西距 ＝ 経度差 × cos 平均緯度" /
// "22.3′ × cos 30°05′" / "19.3 M".
struct Step
{
    std::string label; // what the step finds
    std::string formula; // the rule, in words
    std::string working; // the rule with the question's numbers put in
    std::string result; // the value found, with its unit
};

struct LatLon
{
    double lat = 0.0; // degrees north
    double lon = 0.0; // degrees east
};

enum class PointRole {
    Mark, // a lighthouse or other charted mark the question names
    Start, // where the run begins
    Turn, // a waypoint where the course alters
    End, // the destination
    Dr, // a position from course and distance alone (推測位置)
    Fix, // a position found on the way (an intermediate fix or abeam point)
    Answer, // the position the question asks for
};

struct ChartPoint
{
    std::string name; // "A", "B", "物標1", "推測位置" …
    LatLon at;
    PointRole role = PointRole::Mark;
};

enum class TrackStyle {
    Planned, // the intended track over the ground
    Water, // the course steered through the water (heading × speed)
    Ground, // the track actually made good
};

struct Track
{
    std::vector<LatLon> points; // a polyline, in order
    TrackStyle style = TrackStyle::Planned;
    std::string label; // "真針路 045° 12ノット" or empty
};

// A line of position through a mark: drawn from the mark towards the ship, i.e. along the
// reverse of the true bearing the ship observed.
struct BearingLine
{
    std::string mark; // the mark's point name
    LatLon from; // the mark
    double trueBearing = 0.0; // as observed from the ship
    double lengthMiles = 0.0; // how far to draw it from the mark
    std::string label; // "真方位 312°"
};

struct RangeCircle
{
    std::string mark;
    LatLon centre;
    double radiusMiles = 0.0;
};

// A vector of the current triangle, drawn from one position to another (one hour's worth, or the
// interval the question names).
struct ChartVector
{
    LatLon from;
    LatLon to;
    std::string label; // "流向 090° 流速 2ノット"
};

// Water (heading and speed), current (set and drift) and ground (track and speed made good):
// ground = water + current, so water.to == current.from and ground joins water.from to current.to.
struct CurrentTriangle
{
    ChartVector water;
    ChartVector current;
    ChartVector ground;
};

struct Segment
{
    LatLon from;
    LatLon to;
};

struct Geometry
{
    int chart = 150; // 試験用海図第150号 (around 30°N) or 第200号 (around 40°N)
    std::vector<ChartPoint> points;
    std::vector<Track> tracks;
    std::vector<BearingLine> bearings;
    std::vector<RangeCircle> ranges;
    std::optional<CurrentTriangle> current;
    std::optional<LatLon> answerPoint; // a fix or estimated position asked for
    std::optional<Segment> answerLine; // a transit, a bearing or a closest-approach distance
    LatLon southWest; // every drawn item lies inside, with a margin
    LatLon northEast;
    // The ship's way over the ground, which the bank's build keeps clear of the land and of the
    // marks the question does not use: a line of points, one point for a ship at a position,
    // none when the question puts the ship nowhere. Not drawn, so the program's tables leave it
    // empty.
    std::vector<LatLon> way;
};

// What the answer is. The value's components depend on the quantity:
//   Miles, Knots, Cm, Metres, Number: one number; Duration, ClockTime: minutes (a time of day as
//   minutes after midnight); Position: latitude and longitude in minutes of arc; FromMark: a
//   position as the true bearing from a mark (the unit names the mark) and the distance from it
//   in miles; Course and Deviation: degrees (deviation east positive); Current: set in degrees
//   and drift in knots.
enum class Quantity {
    Miles,
    Knots,
    Duration,
    ClockTime,
    Position,
    FromMark,
    Course,
    Deviation,
    Current,
    Cm,
    Number,
    Metres // a depth or clearance, printed to 0.1 m
};

struct Solution
{
    std::string kind; // the check table's kind ("voyage", "tide", "fuel_for_distance" …)
    Quantity quantity = Quantity::Number;
    std::vector<double> value; // see Quantity
    std::string unit; // the unit the choices use: "海里", "ノット", "分", "cm", "リットル" …
    std::string
        answer; // the value as a choice would state it: "37海里", "北緯30°05.2′、東経135°03.1′"
    std::vector<Step> steps; // in the order a candidate works them
    std::optional<Geometry> geometry; // chart work only
};

} // namespace tovarin::solver
