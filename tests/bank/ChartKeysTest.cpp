// Recomputes the keys of the chart-work questions 51 to 53.
//
// Every variant of those questions carries a [variant.check] table with the figures its text
// gives. This test works the question again from those figures, then requires that
//   - the text really states every figure the check table uses (so the key follows from the
//     text alone), and no field of the table goes unread;
//   - each choice text states the value its choice_values entry claims;
//   - the keyed choice is the only one within the table's tolerance of the recomputed value;
//   - every other choice lies far enough from the key that a careful plot cannot land on it.
//
// Conventions, the same as the question texts use:
//   positions   [lat_deg, lat_min, lon_deg, lon_min], north and east, handled in minutes of arc;
//   flat plane  x = departure (miles east), y = difference of latitude (miles north);
//   sailing     mid-latitude sailing, both for the vector between two positions and for laying
//               a vector off from a position;
//   bearings    magnetic = compass + deviation, true = magnetic + variation, east positive;
//               a line of position runs through its mark along the true bearing (reversed);
//   current     set = true direction the water flows towards, drift in knots;
//   times       "HH:MM" in the table; durations and times of day as minutes in choice_values.
//
// Kinds and their fields (every kind also has variation, tolerance and choice_values):
//   voyage               ask = distance | time | arrival | departure; start; speed (knots, may be
//                        given per leg instead); depart or arrive_by for arrival / departure;
//                        legs = [{ to = position } | { course, abeam = mark }], the second kind
//                        of leg runs on the true course until the mark is abeam.
//   cross_bearing_fix    deviation; marks (two or three positions); bearings (compass).
//   transit_deviation    front, rear (the nearer and the farther mark); compass.
//   bearing_deviation    ship (a known position); mark; compass.
//   transit_fix          front; rear; transit_compass; mark; bearing (compass, same deviation).
//   radar_fix            mark; range; and either deviation + bearing_compass, or deviation +
//                        heading_compass + relative, or heading_true + relative.
//   course_to_steer      ask = true | compass (then deviation); from; to; speed; set; drift.
//   speed_over_ground    from; to; speed; set; drift.
//   arrival_with_current from; to; speed; set; drift; depart.
//   dr_with_current      start; set; drift; legs = [{ course | course_compass + deviation,
//                        speed, minutes }].
//   closest_approach     start; course (true, steered); speed; set; drift; mark.
//   current_from_fix     start; course; speed; depart; fixed_at; fix.

#include <gtest/gtest.h>
#include <toml++/toml.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Angles and plane vectors

constexpr double kPi = 3.14159265358979323846;

double radians(double degrees)
{
    return degrees * kPi / 180.0;
}
double degreesOf(double radians)
{
    return radians * 180.0 / kPi;
}

double normalized360(double angle)
{
    const double a = std::fmod(angle, 360.0);
    return a < 0.0 ? a + 360.0 : a;
}

// The angle brought into -180..180, for differences of directions.
double signedAngle(double angle)
{
    const double a = normalized360(angle);
    return a > 180.0 ? a - 360.0 : a;
}

struct Vec
{
    double east = 0.0; // miles
    double north = 0.0; // miles
};

Vec operator+(Vec a, Vec b)
{
    return { a.east + b.east, a.north + b.north };
}
Vec operator-(Vec a, Vec b)
{
    return { a.east - b.east, a.north - b.north };
}
Vec operator*(Vec a, double k)
{
    return { a.east * k, a.north * k };
}
double dot(Vec a, Vec b)
{
    return a.east * b.east + a.north * b.north;
}
double cross(Vec a, Vec b)
{
    return a.east * b.north - a.north * b.east;
}
double length(Vec v)
{
    return std::hypot(v.east, v.north);
}

// A vector of the given length along a true direction.
Vec along(double trueDirection, double miles)
{
    return { miles * std::sin(radians(trueDirection)), miles * std::cos(radians(trueDirection)) };
}

double directionOf(Vec v)
{
    return normalized360(degreesOf(std::atan2(v.east, v.north)));
}

// ---------------------------------------------------------------------------------------------
// Positions and mid-latitude sailing

struct Position
{
    double latMinutes = 0.0; // north
    double lonMinutes = 0.0; // east
};

// Departure and difference of latitude from one position to another.
Vec offsetBetween(Position from, Position to)
{
    const double midLat = radians((from.latMinutes + to.latMinutes) / 120.0);
    return { (to.lonMinutes - from.lonMinutes) * std::cos(midLat),
        to.latMinutes - from.latMinutes };
}

// The position reached by laying a vector off from a position.
Position movedBy(Position from, Vec v)
{
    const double lat = from.latMinutes + v.north;
    const double midLat = radians((from.latMinutes + lat) / 120.0);
    return { lat, from.lonMinutes + v.east / std::cos(midLat) };
}

double trueCourse(Position from, Position to)
{
    return directionOf(offsetBetween(from, to));
}
double distance(Position from, Position to)
{
    return length(offsetBetween(from, to));
}

// ---------------------------------------------------------------------------------------------
// Bearings, lines of position, currents

// Inputs that cannot be worked (a table that contradicts itself or its own text).
struct BadCheck : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

double compassToTrue(double compass, double deviation, double variation)
{
    return normalized360(compass + deviation + variation);
}

// What a compass should have read: the deviation is the magnetic direction minus the compass
// direction, the magnetic direction the true one minus the variation.
double deviationOf(double trueDirection, double variation, double compass)
{
    return signedAngle(trueDirection - variation - compass);
}

// Lines that cut at less than this are no fix a candidate could plot.
constexpr double kMinimumCut = 25.0;

// Intersection of two lines of position, each through a point along a true direction.
Vec intersection(Vec p1, double direction1, Vec p2, double direction2)
{
    const double cut = std::abs(signedAngle(direction1 - direction2));
    if (std::min(cut, 180.0 - cut) < kMinimumCut)
        throw BadCheck("lines of position cut at less than 25 degrees");
    const Vec u1 = along(direction1, 1.0);
    const Vec u2 = along(direction2, 1.0);
    return p1 + u1 * (cross(p2 - p1, u2) / cross(u1, u2));
}

struct Steering
{
    double heading = 0.0; // true course to steer
    double speedOverGround = 0.0; // knots along the track
};

// The heading that keeps a ship of the given speed on a true track through a current, and the
// speed it then makes good.
Steering steerForTrack(double track, double set, double drift, double speed)
{
    const double across = drift * std::sin(radians(set - track)) / speed;
    if (std::abs(across) >= 1.0)
        throw BadCheck("the current is too strong to hold the track");
    const double heading = normalized360(track - degreesOf(std::asin(across)));
    const double sog
        = speed * std::cos(radians(heading - track)) + drift * std::cos(radians(set - track));
    if (sog <= 0.0)
        throw BadCheck("the ship makes no way along the track");
    return { heading, sog };
}

// ---------------------------------------------------------------------------------------------
// How the texts write the figures they give

std::string printed(const char *format, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string degreesAndMinutes(double minutes)
{
    const long long tenths = std::llround(minutes * 10.0);
    char buffer[32];
    std::snprintf(
        buffer, sizeof buffer, "%lld°%02lld.%lld′", tenths / 600, tenths % 600 / 10, tenths % 10);
    return buffer;
}

std::string positionText(Position p)
{
    return "北緯" + degreesAndMinutes(p.latMinutes) + "、東経" + degreesAndMinutes(p.lonMinutes);
}

std::string directionText(double degrees)
{
    if (degrees == std::floor(degrees))
        return printed("%03.0f", degrees) + "°";
    return printed("%05.1f", degrees) + "°";
}

// Variation and deviation: "6°W", "2°E", "0°".
std::string eastWestText(double degrees)
{
    if (degrees == 0.0)
        return "0°";
    return printed("%g", std::abs(degrees)) + (degrees > 0.0 ? "°E" : "°W");
}

std::string clockText(double minutes)
{
    const long m = std::lround(minutes);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%ld時%02ld分", m / 60, m % 60);
    return buffer;
}

std::string durationText(double minutes)
{
    const long m = std::lround(minutes);
    char buffer[32];
    if (m >= 60 && m % 60 != 0)
        std::snprintf(buffer, sizeof buffer, "%ld時間%02ld分", m / 60, m % 60);
    else if (m >= 60)
        std::snprintf(buffer, sizeof buffer, "%ld時間", m / 60);
    else
        std::snprintf(buffer, sizeof buffer, "%ld分", m);
    return buffer;
}

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The phrase stands in the text as a figure of its own, not as the tail or head of a longer one.
bool states(const std::string &text, const std::string &phrase)
{
    for (std::size_t at = text.find(phrase); at != std::string::npos;
         at = text.find(phrase, at + 1)) {
        const bool cleanBefore = at == 0 || !(isAsciiDigit(text[at - 1]) || text[at - 1] == '.');
        const std::size_t end = at + phrase.size();
        const bool cleanAfter = end >= text.size() || !isAsciiDigit(text[end]);
        if (cleanBefore && cleanAfter)
            return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Typed access to a check table. Each figure read is noted in the form the text must state it.

class Inputs
{
public:
    Inputs(const toml::table &table, std::string where, std::vector<std::string> &statements)
        : m_table(&table)
        , m_where(std::move(where))
        , m_statements(&statements)
    {
    }

    bool has(const std::string &key) const { return m_table->contains(key); }

    std::string text(const std::string &key)
    {
        if (auto s = node(key).value<std::string>())
            return *s;
        throw BadCheck(m_where + key + " is not a string");
    }

    double number(const std::string &key) { return numberOf(node(key), m_where + key); }

    const toml::node &raw(const std::string &key) { return node(key); }

    Position position(const std::string &key)
    {
        const Position p = positionOf(node(key), m_where + key);
        m_statements->push_back(positionText(p));
        return p;
    }

    std::vector<Position> positions(const std::string &key)
    {
        std::vector<Position> result;
        for (const toml::node &element : arrayOf(key)) {
            result.push_back(positionOf(element, m_where + key));
            m_statements->push_back(positionText(result.back()));
        }
        return result;
    }

    double direction(const std::string &key)
    {
        const double v = number(key);
        return stated(v, directionText(v));
    }

    std::vector<double> directions(const std::string &key)
    {
        std::vector<double> result;
        for (const toml::node &element : arrayOf(key)) {
            result.push_back(numberOf(element, m_where + key));
            m_statements->push_back(directionText(result.back()));
        }
        return result;
    }

    double eastWest(const std::string &key)
    {
        const double v = number(key);
        return stated(v, eastWestText(v));
    }

    double knots(const std::string &key)
    {
        const double v = positive(key);
        return stated(v, printed("%g", v) + "ノット");
    }

    double miles(const std::string &key)
    {
        const double v = positive(key);
        return stated(v, printed("%g", v) + "海里");
    }

    double minutes(const std::string &key)
    {
        const double v = positive(key);
        return stated(v, durationText(v));
    }

    // "HH:MM" in the table, minutes after midnight in the result.
    double clock(const std::string &key)
    {
        const std::string s = text(key);
        int h = -1;
        int m = -1;
        char tail = 0;
        if (s.size() != 5 || std::sscanf(s.c_str(), "%2d:%2d%c", &h, &m, &tail) != 2 || h > 23
            || m > 59)
            throw BadCheck(m_where + key + " is not a time HH:MM");
        m_statements->push_back(clockText(h * 60 + m));
        return h * 60.0 + m;
    }

    // The tables of an array of tables, each read like this one.
    std::vector<Inputs *> tables(const std::string &key)
    {
        std::vector<Inputs *> result;
        std::size_t i = 0;
        for (const toml::node &element : arrayOf(key)) {
            const toml::table *t = element.as_table();
            if (!t)
                throw BadCheck(m_where + key + " holds something other than tables");
            m_children.emplace_back(
                *t, m_where + key + "[" + std::to_string(i++) + "].", *m_statements);
            result.push_back(&m_children.back());
        }
        if (result.empty())
            throw BadCheck(m_where + key + " is empty");
        return result;
    }

    // Fields nobody read: a misspelt field would otherwise be ignored without a word.
    std::vector<std::string> unread() const
    {
        std::vector<std::string> result;
        for (const auto &[key, value] : *m_table) {
            (void)value;
            if (!m_read.count(std::string(key.str())))
                result.push_back(m_where + std::string(key.str()));
        }
        for (const Inputs &child : m_children) {
            const auto more = child.unread();
            result.insert(result.end(), more.begin(), more.end());
        }
        return result;
    }

private:
    const toml::node &node(const std::string &key)
    {
        const toml::node *n = m_table->get(key);
        if (!n)
            throw BadCheck("missing " + m_where + key);
        m_read.insert(key);
        return *n;
    }

    const toml::array &arrayOf(const std::string &key)
    {
        if (const toml::array *a = node(key).as_array())
            return *a;
        throw BadCheck(m_where + key + " is not an array");
    }

    double positive(const std::string &key)
    {
        const double v = number(key);
        if (!(v > 0.0))
            throw BadCheck(m_where + key + " must be positive");
        return v;
    }

    double stated(double value, std::string statement)
    {
        m_statements->push_back(std::move(statement));
        return value;
    }

    static double numberOf(const toml::node &n, const std::string &what)
    {
        if (auto i = n.as_integer())
            return static_cast<double>(i->get());
        if (auto f = n.as_floating_point())
            return f->get();
        throw BadCheck(what + " is not a number");
    }

    static Position positionOf(const toml::node &n, const std::string &what)
    {
        const toml::array *a = n.as_array();
        if (!a || a->size() != 4)
            throw BadCheck(what + " is not [lat_deg, lat_min, lon_deg, lon_min]");
        const double latMin = numberOf((*a)[1], what);
        const double lonMin = numberOf((*a)[3], what);
        if (latMin < 0.0 || latMin >= 60.0 || lonMin < 0.0 || lonMin >= 60.0)
            throw BadCheck(what + " has minutes outside 0..60");
        return { numberOf((*a)[0], what) * 60.0 + latMin, numberOf((*a)[2], what) * 60.0 + lonMin };
    }

    const toml::table *m_table;
    std::string m_where;
    std::vector<std::string> *m_statements;
    std::set<std::string> m_read;
    std::deque<Inputs> m_children;
};

// ---------------------------------------------------------------------------------------------
// What a question asks for

enum class Unit { Miles, Duration, ClockTime, Position, Deviation, Course, Knots, Current };

struct UnitRule
{
    const char *name;
    std::size_t components;
    std::array<bool, 2> circular; // a difference of directions
    std::array<double, 2> maxTolerance; // an honest tolerance for a hand plot
    std::array<double, 2> minimumGap; // how far a wrong choice must lie from the key
};

// Distractor spacing: times about 20 minutes apart, distances a few miles, positions a few
// tenths of a minute in the differing coordinate, directions at least 3 degrees.
const UnitRule &ruleOf(Unit unit)
{
    static const std::map<Unit, UnitRule> rules = {
        { Unit::Miles, { "miles", 1, { false, false }, { 0.5, 0.0 }, { 1.5, 0.0 } } },
        { Unit::Duration, { "duration", 1, { false, false }, { 5.0, 0.0 }, { 15.0, 0.0 } } },
        { Unit::ClockTime, { "time of day", 1, { false, false }, { 5.0, 0.0 }, { 15.0, 0.0 } } },
        { Unit::Position, { "position", 2, { false, false }, { 0.05, 0.05 }, { 0.3, 0.3 } } },
        { Unit::Deviation, { "deviation", 1, { true, false }, { 1.0, 0.0 }, { 3.0, 0.0 } } },
        { Unit::Course, { "course", 1, { true, false }, { 1.0, 0.0 }, { 3.0, 0.0 } } },
        { Unit::Knots, { "knots", 1, { false, false }, { 0.2, 0.0 }, { 1.0, 0.0 } } },
        { Unit::Current, { "set and drift", 2, { true, false }, { 5.0, 0.2 }, { 10.0, 0.5 } } },
    };
    return rules.at(unit);
}

struct Answer
{
    Unit unit;
    std::vector<double> value; // positions as minutes of arc, times as minutes
};

Answer miles(double v)
{
    return { Unit::Miles, { v } };
}
Answer position(Position p)
{
    return { Unit::Position, { p.latMinutes, p.lonMinutes } };
}

// ---------------------------------------------------------------------------------------------
// The kinds

Answer voyage(Inputs &in)
{
    const std::string ask = in.text("ask");
    in.eastWest("variation");
    const double defaultSpeed = in.has("speed") ? in.knots("speed") : 0.0;
    Position here = in.position("start");
    double totalMiles = 0.0;
    double totalMinutes = 0.0;
    for (Inputs *leg : in.tables("legs")) {
        double run = 0.0;
        if (leg->has("to")) {
            const Position to = leg->position("to");
            run = distance(here, to);
            here = to;
        } else {
            // On the course until the mark bears square to it: the foot of the perpendicular.
            const double course = leg->direction("course");
            const Position mark = leg->position("abeam");
            run = dot(offsetBetween(here, mark), along(course, 1.0));
            if (run <= 0.0)
                throw BadCheck("the mark is already abaft the beam");
            here = movedBy(here, along(course, run));
        }
        const double speed = leg->has("speed") ? leg->knots("speed") : defaultSpeed;
        if (speed <= 0.0 && ask != "distance")
            throw BadCheck("a leg has no speed");
        totalMiles += run;
        totalMinutes += ask == "distance" ? 0.0 : run / speed * 60.0;
    }
    if (ask == "distance")
        return miles(totalMiles);
    if (ask == "time")
        return { Unit::Duration, { totalMinutes } };
    if (ask == "arrival")
        return { Unit::ClockTime, { in.clock("depart") + totalMinutes } };
    if (ask == "departure")
        return { Unit::ClockTime, { in.clock("arrive_by") - totalMinutes } };
    throw BadCheck("unknown ask '" + ask + "'");
}

Answer crossBearingFix(Inputs &in)
{
    const double variation = in.eastWest("variation");
    const double deviation = in.eastWest("deviation");
    const std::vector<Position> marks = in.positions("marks");
    const std::vector<double> bearings = in.directions("bearings");
    if (marks.size() != bearings.size() || marks.size() < 2 || marks.size() > 3)
        throw BadCheck("a cross-bearing fix needs two or three marks, each with a bearing");
    std::vector<Vec> local;
    for (const Position &m : marks)
        local.push_back(offsetBetween(marks[0], m));
    std::vector<Vec> crossings;
    for (std::size_t i = 0; i < marks.size(); ++i)
        for (std::size_t j = i + 1; j < marks.size(); ++j)
            crossings.push_back(
                intersection(local[i], compassToTrue(bearings[i], deviation, variation), local[j],
                    compassToTrue(bearings[j], deviation, variation)));
    Vec centre;
    for (const Vec &c : crossings)
        centre = centre + c * (1.0 / static_cast<double>(crossings.size()));
    for (const Vec &c : crossings)
        if (length(c - centre) > 0.1)
            throw BadCheck("the three lines of position do not meet in a point");
    return position(movedBy(marks[0], centre));
}

Answer transitDeviation(Inputs &in)
{
    const double variation = in.eastWest("variation");
    const double chartBearing = trueCourse(in.position("front"), in.position("rear"));
    return { Unit::Deviation, { deviationOf(chartBearing, variation, in.direction("compass")) } };
}

Answer bearingDeviation(Inputs &in)
{
    const double variation = in.eastWest("variation");
    const double chartBearing = trueCourse(in.position("ship"), in.position("mark"));
    return { Unit::Deviation, { deviationOf(chartBearing, variation, in.direction("compass")) } };
}

Answer transitFix(Inputs &in)
{
    const double variation = in.eastWest("variation");
    const Position front = in.position("front");
    const double transitTrue = trueCourse(front, in.position("rear"));
    const double deviation = deviationOf(transitTrue, variation, in.direction("transit_compass"));
    const Position mark = in.position("mark");
    const double markTrue = compassToTrue(in.direction("bearing"), deviation, variation);
    return position(
        movedBy(front, intersection({}, transitTrue, offsetBetween(front, mark), markTrue)));
}

Answer radarFix(Inputs &in)
{
    const double variation = in.eastWest("variation");
    double bearing = 0.0;
    if (in.has("bearing_compass")) {
        bearing
            = compassToTrue(in.direction("bearing_compass"), in.eastWest("deviation"), variation);
    } else {
        const double head = in.has("heading_true")
            ? in.direction("heading_true")
            : compassToTrue(in.direction("heading_compass"), in.eastWest("deviation"), variation);
        bearing = normalized360(head + in.direction("relative"));
    }
    const Position mark = in.position("mark");
    return position(movedBy(mark, along(bearing + 180.0, in.miles("range"))));
}

// The passage from `from` to `to` held on its track through the current.
struct Passage
{
    double track = 0.0;
    double miles = 0.0;
    Steering steering;
};

Passage passageWithCurrent(Inputs &in)
{
    in.eastWest("variation");
    const Position from = in.position("from");
    const Position to = in.position("to");
    const double track = trueCourse(from, to);
    return { track, distance(from, to),
        steerForTrack(track, in.direction("set"), in.knots("drift"), in.knots("speed")) };
}

Answer courseToSteer(Inputs &in)
{
    const std::string ask = in.text("ask");
    const Passage p = passageWithCurrent(in);
    if (ask == "true")
        return { Unit::Course, { p.steering.heading } };
    if (ask == "compass")
        return { Unit::Course,
            { normalized360(
                p.steering.heading - in.number("variation") - in.eastWest("deviation")) } };
    throw BadCheck("unknown ask '" + ask + "'");
}

Answer speedOverGround(Inputs &in)
{
    return { Unit::Knots, { passageWithCurrent(in).steering.speedOverGround } };
}

Answer arrivalWithCurrent(Inputs &in)
{
    const Passage p = passageWithCurrent(in);
    return { Unit::ClockTime,
        { in.clock("depart") + p.miles / p.steering.speedOverGround * 60.0 } };
}

Answer drWithCurrent(Inputs &in)
{
    const double variation = in.eastWest("variation");
    const Vec currentPerHour = along(in.direction("set"), in.knots("drift"));
    Position here = in.position("start");
    for (Inputs *leg : in.tables("legs")) {
        const double heading = leg->has("course") ? leg->direction("course")
                                                  : compassToTrue(leg->direction("course_compass"),
                                                      leg->eastWest("deviation"), variation);
        const double hours = leg->minutes("minutes") / 60.0;
        here = movedBy(here, along(heading, leg->knots("speed") * hours) + currentPerHour * hours);
    }
    return position(here);
}

Answer closestApproach(Inputs &in)
{
    in.eastWest("variation");
    const Position start = in.position("start");
    const Vec ground = along(in.direction("course"), in.knots("speed"))
        + along(in.direction("set"), in.knots("drift"));
    const Vec toMark = offsetBetween(start, in.position("mark"));
    if (dot(toMark, ground) <= 0.0)
        throw BadCheck("the mark is astern: the ship opens it from the start");
    return miles(std::abs(cross(ground, toMark)) / length(ground));
}

Answer currentFromFix(Inputs &in)
{
    in.eastWest("variation");
    const Position start = in.position("start");
    const double course = in.direction("course");
    const double speed = in.knots("speed");
    const double hours = (in.clock("fixed_at") - in.clock("depart")) / 60.0;
    if (hours <= 0.0)
        throw BadCheck("the fix is not later than the departure");
    const Vec ground = offsetBetween(start, in.position("fix"));
    const Vec current = (ground - along(course, speed * hours)) * (1.0 / hours);
    if (length(current) < 0.3)
        throw BadCheck("the current is too weak for its set to mean anything");
    return { Unit::Current, { directionOf(current), length(current) } };
}

const std::map<std::string, std::function<Answer(Inputs &)>> &kinds()
{
    static const std::map<std::string, std::function<Answer(Inputs &)>> table = {
        { "voyage", voyage },
        { "cross_bearing_fix", crossBearingFix },
        { "transit_deviation", transitDeviation },
        { "bearing_deviation", bearingDeviation },
        { "transit_fix", transitFix },
        { "radar_fix", radarFix },
        { "course_to_steer", courseToSteer },
        { "speed_over_ground", speedOverGround },
        { "arrival_with_current", arrivalWithCurrent },
        { "dr_with_current", drWithCurrent },
        { "closest_approach", closestApproach },
        { "current_from_fix", currentFromFix },
    };
    return table;
}

// ---------------------------------------------------------------------------------------------
// Choices: what choice_values claims and what the choice text says

std::vector<double> numbersIn(const std::string &text)
{
    static const std::regex number(R"(\d+(?:\.\d+)?)");
    std::vector<double> result;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), number);
         it != std::sregex_iterator(); ++it)
        result.push_back(std::stod(it->str()));
    return result;
}

bool contains(const std::string &text, const char *part)
{
    return text.find(part) != std::string::npos;
}

// The value a choice text states, in the machine form of its unit; empty if it states none.
std::vector<double> valueStatedBy(Unit unit, const std::string &text)
{
    const std::vector<double> n = numbersIn(text);
    switch (unit) {
    case Unit::Miles:
        if (n.size() == 1 && contains(text, "海里"))
            return n;
        break;
    case Unit::Knots:
        if (n.size() == 1 && contains(text, "ノット"))
            return n;
        break;
    case Unit::Duration:
        if (contains(text, "時間") && n.size() == 1 && !contains(text, "分"))
            return { n[0] * 60.0 };
        if (contains(text, "時間") && n.size() == 2 && contains(text, "分"))
            return { n[0] * 60.0 + n[1] };
        if (!contains(text, "時") && n.size() == 1 && contains(text, "分"))
            return n;
        break;
    case Unit::ClockTime:
        if (n.size() == 2 && contains(text, "時") && contains(text, "分")
            && !contains(text, "時間"))
            return { n[0] * 60.0 + n[1] };
        break;
    case Unit::Position:
        if (n.size() == 4 && contains(text, "北緯") && contains(text, "東経"))
            return { n[0] * 60.0 + n[1], n[2] * 60.0 + n[3] };
        break;
    case Unit::Deviation: {
        const bool east = contains(text, "E");
        const bool west = contains(text, "W");
        if (n.size() == 1 && contains(text, "°") && !(east && west)
            && (east || west || n[0] == 0.0))
            return { west ? -n[0] : n[0] };
        break;
    }
    case Unit::Course:
        if (n.size() == 1 && contains(text, "°"))
            return n;
        break;
    case Unit::Current:
        if (n.size() == 2 && contains(text, "流向") && contains(text, "流速"))
            return n;
        break;
    }
    return {};
}

// A choice_values entry in the machine form of the unit.
std::vector<double> claimedValue(Unit unit, const toml::node &entry, const std::string &what)
{
    std::vector<double> raw;
    if (const toml::array *a = entry.as_array()) {
        for (const toml::node &n : *a) {
            if (auto i = n.as_integer())
                raw.push_back(static_cast<double>(i->get()));
            else if (auto f = n.as_floating_point())
                raw.push_back(f->get());
            else
                throw BadCheck(what + " holds something other than numbers");
        }
    } else if (auto i = entry.as_integer()) {
        raw.push_back(static_cast<double>(i->get()));
    } else if (auto f = entry.as_floating_point()) {
        raw.push_back(f->get());
    }
    if (unit == Unit::Position && raw.size() == 4)
        return { raw[0] * 60.0 + raw[1], raw[2] * 60.0 + raw[3] };
    if (unit != Unit::Position && raw.size() == ruleOf(unit).components)
        return raw;
    throw BadCheck(what + " is not a " + ruleOf(unit).name);
}

double componentDifference(Unit unit, std::size_t i, double a, double b)
{
    return ruleOf(unit).circular[i] ? std::abs(signedAngle(a - b)) : std::abs(a - b);
}

bool withinTolerance(Unit unit, const std::vector<double> &a, const std::vector<double> &b,
    const std::vector<double> &tolerance)
{
    for (std::size_t i = 0; i < a.size(); ++i)
        if (componentDifference(unit, i, a[i], b[i]) > tolerance[i] + 1e-9)
            return false;
    return true;
}

bool wellApart(Unit unit, const std::vector<double> &a, const std::vector<double> &b)
{
    for (std::size_t i = 0; i < a.size(); ++i)
        if (componentDifference(unit, i, a[i], b[i]) >= ruleOf(unit).minimumGap[i] - 1e-9)
            return true;
    return false;
}

std::string shown(const std::vector<double> &value)
{
    std::string s;
    for (double v : value)
        s += (s.empty() ? "" : ", ") + printed("%.3f", v);
    return "(" + s + ")";
}

std::vector<double> toleranceOf(Unit unit, const toml::node &node)
{
    const std::size_t n = ruleOf(unit).components;
    std::vector<double> result;
    if (const toml::array *a = node.as_array()) {
        for (const toml::node &e : *a)
            if (auto v = e.value<double>())
                result.push_back(*v);
    } else if (auto v = node.value<double>()) {
        result.assign(n, *v);
    }
    if (result.size() != n)
        throw BadCheck("tolerance does not fit a " + std::string(ruleOf(unit).name));
    return result;
}

// ---------------------------------------------------------------------------------------------
// One variant: every fault found, none means its key is proven

std::vector<std::string> checkVariant(const toml::table &variant)
{
    std::vector<std::string> faults;
    const std::string question = variant["question"].value_or(std::string());
    const toml::array *choiceArray = variant["choices"].as_array();
    const int correct = variant["correct"].value_or(0);
    if (!choiceArray || choiceArray->size() != 4 || correct < 1 || correct > 4)
        return { "the variant lacks four choices or a key 1..4" };
    std::vector<std::string> choices;
    for (const toml::node &c : *choiceArray)
        choices.push_back(c.value_or(std::string()));

    const toml::table *check = variant["check"].as_table();
    if (!check)
        return { "no check table" };
    std::vector<std::string> statements;
    Inputs in(*check, "check.", statements);
    try {
        const std::string kind = in.text("kind");
        const auto found = kinds().find(kind);
        if (found == kinds().end())
            return { "unknown kind '" + kind + "'" };
        const Answer answer = found->second(in);
        const Unit unit = answer.unit;
        const UnitRule &rule = ruleOf(unit);

        for (const std::string &s : statements)
            if (!states(question, s))
                faults.push_back("the question does not state " + s);
        const std::vector<double> tolerance = toleranceOf(unit, in.raw("tolerance"));
        for (std::size_t i = 0; i < tolerance.size(); ++i)
            if (tolerance[i] > rule.maxTolerance[i])
                faults.push_back("tolerance " + printed("%g", tolerance[i])
                    + " is looser than a careful plot needs");

        const toml::array *claimedArray = in.raw("choice_values").as_array();
        if (!claimedArray || claimedArray->size() != 4)
            throw BadCheck("choice_values must hold four values");
        std::vector<std::vector<double>> claimed;
        for (std::size_t c = 0; c < 4; ++c) {
            const std::string label = "choice " + std::to_string(c + 1);
            claimed.push_back(claimedValue(unit, (*claimedArray)[c], "choice_values of " + label));
            const std::vector<double> said = valueStatedBy(unit, choices[c]);
            bool same = said.size() == claimed.back().size();
            for (std::size_t i = 0; same && i < said.size(); ++i)
                same = std::abs(said[i] - claimed.back()[i]) < 1e-6;
            if (!same)
                faults.push_back(
                    label + " text '" + choices[c] + "' does not state " + shown(claimed.back()));
        }
        for (const std::string &field : in.unread())
            faults.push_back("unused field " + field);

        for (std::size_t c = 0; c < 4; ++c) {
            const bool matches = withinTolerance(unit, claimed[c], answer.value, tolerance);
            const bool keyed = static_cast<int>(c) + 1 == correct;
            if (keyed && !matches)
                faults.push_back("the key, choice " + std::to_string(correct) + " "
                    + shown(claimed[c]) + ", is not within tolerance of the worked " + rule.name
                    + " " + shown(answer.value));
            if (!keyed && matches)
                faults.push_back("choice " + std::to_string(c + 1) + " " + shown(claimed[c])
                    + " also matches the worked " + rule.name + " " + shown(answer.value));
            if (!keyed && !wellApart(unit, claimed[c], claimed[correct - 1]))
                faults.push_back("choice " + std::to_string(c + 1) + " lies too close to the key");
        }
    } catch (const BadCheck &e) {
        faults.push_back(e.what());
    }
    return faults;
}

// ---------------------------------------------------------------------------------------------
// The bank files

struct ChartSlot
{
    int number;
    int poolSize;
};

constexpr std::array<ChartSlot, 3> kChartSlots = { { { 51, 14 }, { 52, 14 }, { 53, 13 } } };

std::string bankFile(int number)
{
    return std::string(TOVARIN_BANK_DATA_DIR) + "/q" + std::to_string(number) + ".toml";
}

std::string joined(const std::vector<std::string> &lines)
{
    std::string s;
    for (const std::string &l : lines)
        s += "\n  " + l;
    return s;
}

TEST(ChartKeys, EveryChartVariantCarriesACheckTable)
{
    int variants = 0;
    for (const ChartSlot &slot : kChartSlots) {
        const toml::table bank = toml::parse_file(bankFile(slot.number));
        EXPECT_EQ(bank["number"].value_or(0), slot.number);
        const toml::array *pool = bank["variant"].as_array();
        ASSERT_NE(pool, nullptr) << bankFile(slot.number);
        EXPECT_EQ(static_cast<int>(pool->size()), slot.poolSize) << "question " << slot.number;
        for (std::size_t i = 0; i < pool->size(); ++i) {
            const toml::table *variant = (*pool)[i].as_table();
            ASSERT_NE(variant, nullptr);
            EXPECT_TRUE((*variant)["check"].is_table())
                << "question " << slot.number << " variant " << i;
            ++variants;
        }
    }
    EXPECT_EQ(variants, 41);
}

TEST(ChartKeys, EveryKeyIsTheOnlyChoiceMatchingTheWorkedAnswer)
{
    for (const ChartSlot &slot : kChartSlots) {
        const toml::table bank = toml::parse_file(bankFile(slot.number));
        const toml::array *pool = bank["variant"].as_array();
        ASSERT_NE(pool, nullptr);
        for (std::size_t i = 0; i < pool->size(); ++i) {
            const std::vector<std::string> faults = checkVariant(*(*pool)[i].as_table());
            EXPECT_TRUE(faults.empty())
                << "question " << slot.number << " variant " << i << joined(faults);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The checker itself must catch what it is there to catch

// A sound variant: 12 miles due north at 12 knots take one hour.
const char *const kSoundFixture = R"(
question = """
試験用海図第150号使用
A地点（北緯30°00.0′、東経135°00.0′）から B地点（北緯30°12.0′、東経135°00.0′）まで速力 12ノットで航行する。偏差は 6°W とする。所要時間はどれか。"""
choices = ["40分", "1時間", "1時間20分", "1時間40分"]
correct = 2

[check]
kind = "voyage"
ask = "time"
variation = -6.0
speed = 12.0
start = [30, 0.0, 135, 0.0]
legs = [ { to = [30, 12.0, 135, 0.0] } ]
tolerance = 5
choice_values = [40, 60, 80, 100]
)";

using Edits = std::vector<std::pair<std::string, std::string>>;

// The sound fixture with each edit's first text replaced by its second.
std::vector<std::string> checkFixture(const Edits &edits)
{
    std::string text = kSoundFixture;
    for (const auto &[from, to] : edits) {
        const std::size_t at = text.find(from);
        if (at == std::string::npos)
            return { "the fixture has no '" + from + "'" };
        text.replace(at, from.size(), to);
    }
    return checkVariant(toml::parse(text));
}

bool mentions(const std::vector<std::string> &faults, const std::string &part)
{
    return std::any_of(faults.begin(), faults.end(),
        [&](const std::string &f) { return contains(f, part.c_str()); });
}

TEST(ChartKeysChecker, AcceptsTheSoundFixture)
{
    const std::vector<std::string> faults = checkFixture({});
    EXPECT_TRUE(faults.empty()) << joined(faults);
}

TEST(ChartKeysChecker, ReportsAnAlteredKey)
{
    const std::vector<std::string> faults = checkFixture({ { "correct = 2", "correct = 3" } });
    EXPECT_TRUE(mentions(faults, "the key, choice 3")) << joined(faults);
    EXPECT_TRUE(mentions(faults, "choice 2 (60.000) also matches")) << joined(faults);
}

TEST(ChartKeysChecker, ReportsFiguresTheTextsDoNotBear)
{
    // An input the question never gives.
    auto faults = checkFixture({ { "speed = 12.0", "speed = 10.0" } });
    EXPECT_TRUE(mentions(faults, "does not state 10ノット")) << joined(faults);
    // A choice text that says something else than its choice_values entry.
    faults = checkFixture({ { "\"1時間20分\"", "\"1時間30分\"" } });
    EXPECT_TRUE(mentions(faults, "choice 3 text '1時間30分' does not state (80.000)"))
        << joined(faults);
    // A misspelt field, and a kind nobody knows.
    faults = checkFixture({ { "tolerance = 5", "tolerance = 5\nspeeed = 12.0" } });
    EXPECT_TRUE(mentions(faults, "unused field check.speeed")) << joined(faults);
    faults = checkFixture({ { "kind = \"voyage\"", "kind = \"voyages\"" } });
    EXPECT_TRUE(mentions(faults, "unknown kind 'voyages'")) << joined(faults);
}

TEST(ChartKeysChecker, ReportsLooseTolerancesAndCrowdedChoices)
{
    // A wrong choice ten minutes from the key cannot be told from it with dividers.
    auto faults = checkFixture(
        { { "\"1時間20分\"", "\"1時間10分\"" }, { "[40, 60, 80, 100]", "[40, 60, 70, 100]" } });
    EXPECT_TRUE(mentions(faults, "choice 3 lies too close to the key")) << joined(faults);
    // A tolerance wide enough to take in a neighbouring choice proves nothing.
    faults = checkFixture({ { "tolerance = 5", "tolerance = 25" } });
    EXPECT_TRUE(mentions(faults, "looser than a careful plot needs")) << joined(faults);
    EXPECT_TRUE(mentions(faults, "also matches")) << joined(faults);
}

TEST(ChartKeysChecker, PlotsARadarRangeAlongTheReverseBearing)
{
    // Head 090° true, the mark broad on the starboard beam bears 180°: the ship lies 5 miles
    // north of it. Choice 1 is where the range laid off towards the bearing would put her.
    const std::vector<std::string> faults = checkVariant(toml::parse(R"(
question = """
試験用海図第150号使用
真針路 090°で航行中、レーダーで灯台甲（北緯30°05.0′、東経135°00.0′）を船首から右回りに 090°の方向、距離 5海里に観測した。偏差は 6°W である。船位はどれか。"""
choices = ["北緯30°00.0′、東経135°00.0′", "北緯30°10.0′、東経135°00.0′", "北緯30°05.0′、東経134°54.2′", "北緯30°05.0′、東経135°05.8′"]
correct = 2

[check]
kind = "radar_fix"
variation = -6.0
heading_true = 90.0
relative = 90.0
mark = [30, 5.0, 135, 0.0]
range = 5.0
tolerance = 0.05
choice_values = [[30, 0.0, 135, 0.0], [30, 10.0, 135, 0.0], [30, 5.0, 134, 54.2], [30, 5.0, 135, 5.8]]
)"));
    EXPECT_TRUE(faults.empty()) << joined(faults);
}

// ---------------------------------------------------------------------------------------------
// The geometry against figures worked by hand

TEST(ChartGeometry, AgreesWithHandWorkedFigures)
{
    // 20.8' of longitude on 30°18'N: departure 20.8 x cos 30.3° = 17.96 miles, due east.
    const Vec east
        = offsetBetween({ 30 * 60 + 18.0, 135 * 60 + 0.0 }, { 30 * 60 + 18.0, 135 * 60 + 20.8 });
    EXPECT_NEAR(east.east, 17.96, 0.005);
    EXPECT_NEAR(directionOf(east), 90.0, 1e-9);

    // 10 miles on 045° from 40°00'N: 7.07' of latitude, and 7.07 miles of departure on the mean
    // latitude 40°03.5' make 7.07 / cos 40.06° = 9.24' of longitude.
    const Position reached = movedBy({ 40 * 60 + 0.0, 140 * 60 + 0.0 }, along(45.0, 10.0));
    EXPECT_NEAR(reached.latMinutes - 40 * 60, 7.071, 0.001);
    EXPECT_NEAR(reached.lonMinutes - 140 * 60, 9.24, 0.005);

    // Compass 045° with 3°E deviation and 6°W variation is 042° true.
    EXPECT_NEAR(compassToTrue(45.0, 3.0, -6.0), 42.0, 1e-9);
    // A transit charted at 040° seen at compass 045° with 6°W variation: deviation 1°E.
    EXPECT_NEAR(deviationOf(40.0, -6.0, 45.0), 1.0, 1e-9);

    // A mark 4 miles due north bearing 000° and one 3 miles due east bearing 090° fix the ship
    // at the origin.
    const Vec fix = intersection({ 0.0, 4.0 }, 0.0, { 3.0, 0.0 }, 90.0);
    EXPECT_NEAR(fix.east, 0.0, 1e-9);
    EXPECT_NEAR(fix.north, 0.0, 1e-9);

    // Track 000°, current setting 090° at 2 knots, speed 10 knots: steer 348.5° (asin 0.2 =
    // 11.54°), making good √(100 - 4) = 9.80 knots.
    const Steering s = steerForTrack(0.0, 90.0, 2.0, 10.0);
    EXPECT_NEAR(s.heading, 348.46, 0.01);
    EXPECT_NEAR(s.speedOverGround, 9.798, 0.001);
}

} // namespace
