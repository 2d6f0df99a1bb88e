// The examination chart and the chart questions (51 to 53) agree: every variant is worked on the
// chart as a candidate works it, at the chart window's scale at zoom 1, each position a pencil
// point on a whole chart unit, each direction read against the rose and each distance taken with
// the dividers beside the same latitude. What the chart gives must come to the key's printed value
// (or within a careful hand plot's error of it) and stand clear of every wrong choice by more than
// that error; otherwise a candidate plotting well could not tell the key, or would land on
// another choice. The keys themselves come from mid-latitude sailing, never from the chart.

#include "bankgen/source/BankSource.h"
#include "chart/Mercator.h"

#include <gtest/gtest.h>
#include <toml++/toml.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace tovarin;
using chart::chartDirection;
using chart::ChartXY;
using chart::Mercator;
using solver::LatLon;
using solver::Quantity;

// The chart window's scale at zoom 1 (ExamChart::unitsPerLonMinute): the 60′ of 第150号 are
// 1200 units wide.
constexpr double unitsPerLonMinute = 20.0;

// What a careful hand plot can tell apart: a pencil point and the dividers' setting are good to
// about 0.2 M, a line laid with the set square against the rose to about 1°; a time and a speed
// inherit the distance's error (0.2 M at 6 kn or more is at most 2 minutes, and 0.2 kn per hour).
constexpr double milesError = 0.2;
constexpr double degreesError = 1.0;
constexpr double minutesError = 2.0;
constexpr double knotsError = 0.2;

const banksource::SourceBank &bank()
{
    static const auto loaded
        = banksource::loadBank(TOVARIN_BANK_DATA_DIR, TOVARIN_BANK_PICTURES_DIR);
    return loaded;
}

LatLon degrees(const solver::Position &p)
{
    return { p.latMinutes / 60.0, p.lonMinutes / 60.0 };
}

Mercator projectionOf(const banksource::Gazetteer &g)
{
    return Mercator(degrees(g.southWest), degrees(g.northEast), unitsPerLonMinute);
}

double angleBetween(double a, double b)
{
    return std::abs(std::remainder(a - b, 360.0));
}

// The chart as a candidate draws on it: every position plotted to the nearest whole chart unit.
class Plot
{
public:
    explicit Plot(const Mercator &chart)
        : m_chart(chart)
    {
    }

    ChartXY at(LatLon p) const
    {
        const ChartXY c = m_chart.toChart(p);
        return { std::round(c.x), std::round(c.y) };
    }
    double direction(LatLon from, LatLon to) const { return chartDirection(at(from), at(to)); }
    // The dividers laid on the latitude scale at the mid-latitude of the two points.
    double miles(LatLon from, LatLon to) const
    {
        const ChartXY a = at(from), b = at(to);
        const double mid = (m_chart.toLatLon(a).lat + m_chart.toLatLon(b).lat) / 2;
        return m_chart.dividerMiles(a, b, mid);
    }
    LatLon read(LatLon p) const { return m_chart.toLatLon(at(p)); }

private:
    const Mercator &m_chart;
};

double clockMinutes(const std::string &hhmm)
{
    int h = 0, m = 0;
    EXPECT_EQ(std::sscanf(hhmm.c_str(), "%d:%d", &h, &m), 2) << hhmm;
    return h * 60.0 + m;
}

double numberIn(const toml::node &n)
{
    return n.value<double>().value_or(NAN);
}

double field(const toml::table &check, const char *key)
{
    const toml::node *n = check.get(key);
    return n ? numberIn(*n) : NAN;
}

double clockField(const toml::table &check, const char *key)
{
    return clockMinutes(check[key].value_or(std::string()));
}

const solver::ChartPoint *pointWithRole(const solver::Geometry &g, solver::PointRole role)
{
    for (const auto &p : g.points)
        if (p.role == role)
            return &p;
    return nullptr;
}

// The planned voyage's legs in order, as the dividers measure them.
std::vector<double> legMiles(const Plot &plot, const solver::Geometry &g)
{
    std::vector<double> legs;
    for (const auto &track : g.tracks)
        if (track.style == solver::TrackStyle::Planned)
            for (std::size_t i = 1; i < track.points.size(); ++i)
                legs.push_back(plot.miles(track.points[i - 1], track.points[i]));
    return legs;
}

// Minutes under way on the planned voyage: each leg at its own speed or the voyage's.
double voyageMinutes(const Plot &plot, const solver::Geometry &g, const toml::table &check)
{
    const std::vector<double> legs = legMiles(plot, g);
    const toml::array *given = check["legs"].as_array();
    if (!given || given->size() != legs.size()) {
        ADD_FAILURE() << "the planned track has " << legs.size() << " legs";
        return NAN;
    }
    double minutes = 0.0;
    for (std::size_t i = 0; i < legs.size(); ++i) {
        const toml::table *leg = (*given)[i].as_table();
        const double speed
            = leg && leg->contains("speed") ? field(*leg, "speed") : field(check, "speed");
        minutes += legs[i] / speed * 60.0;
    }
    return minutes;
}

// The ground vector of the current triangle is one hour's run: its length is the speed made good.
double groundKnots(const Plot &plot, const solver::Geometry &g)
{
    if (!g.current) {
        ADD_FAILURE() << "no current triangle to read the speed over the ground from";
        return NAN;
    }
    return plot.miles(g.current->ground.from, g.current->ground.to);
}

// The asked quantity as the chart gives it, in the components of the solution's value.
std::vector<double> workOnChart(
    const Plot &plot, const solver::Solution &s, const toml::table &check, double variation)
{
    const solver::Geometry &g = *s.geometry;
    const std::string kind = check["kind"].value_or(std::string());
    const std::string ask = check["ask"].value_or(std::string());
    switch (s.quantity) {
    case Quantity::Miles: {
        if (g.answerLine)
            return { plot.miles(g.answerLine->from, g.answerLine->to) };
        double total = 0.0;
        for (double leg : legMiles(plot, g))
            total += leg;
        return { total };
    }
    case Quantity::Duration:
        return { voyageMinutes(plot, g, check) };
    case Quantity::ClockTime: {
        if (kind == "voyage")
            return { ask == "departure"
                    ? clockField(check, "arrive_by") - voyageMinutes(plot, g, check)
                    : clockField(check, "depart") + voyageMinutes(plot, g, check) };
        // Through a current: the run over the ground at the speed the triangle makes good.
        const auto *start = pointWithRole(g, solver::PointRole::Start);
        const auto *end = pointWithRole(g, solver::PointRole::End);
        const std::optional<LatLon> to = g.answerPoint ? g.answerPoint
            : end                                      ? std::optional(end->at)
                                                       : std::nullopt;
        if (!start || !to)
            return {};
        return { clockField(check, "depart")
            + plot.miles(start->at, *to) / groundKnots(plot, g) * 60.0 };
    }
    case Quantity::Knots:
        return { groundKnots(plot, g) };
    case Quantity::Course: {
        // The answer line when the plot has one, else the heading of the triangle's water vector.
        const double trueCourse = g.answerLine
            ? plot.direction(g.answerLine->from, g.answerLine->to)
            : g.current ? plot.direction(g.current->water.from, g.current->water.to)
                        : NAN;
        if (ask == "magnetic_course")
            return { trueCourse - variation };
        if (ask == "compass_course" || ask == "compass")
            return { trueCourse - variation - field(check, "deviation") };
        return { trueCourse };
    }
    case Quantity::Deviation: {
        if (!g.answerLine)
            return {};
        // A transit's line runs from the rear mark out past the front one: the ship sees it the
        // other way. A single bearing's line runs from the ship to the mark.
        const double observed = kind == "transit_deviation"
            ? plot.direction(g.answerLine->to, g.answerLine->from)
            : plot.direction(g.answerLine->from, g.answerLine->to);
        return { std::remainder(observed - variation - field(check, "compass"), 360.0) };
    }
    case Quantity::Position: {
        if (!g.answerPoint)
            return {};
        const LatLon at = plot.read(*g.answerPoint);
        return { at.lat * 60.0, at.lon * 60.0 };
    }
    case Quantity::FromMark: // the line from the mark to the ship's position
        if (!g.answerLine)
            return {};
        return { plot.direction(g.answerLine->from, g.answerLine->to),
            plot.miles(g.answerLine->from, g.answerLine->to) };
    case Quantity::Current: { // from the position by reckoning to the fix, over the time between
        if (!g.answerLine)
            return {};
        const double hours = (clockField(check, "fixed_at") - clockField(check, "depart")) / 60.0;
        return { plot.direction(g.answerLine->from, g.answerLine->to),
            plot.miles(g.answerLine->from, g.answerLine->to) / hours };
    }
    default:
        return {};
    }
}

// A choice's value in the same components; a position's degrees and minutes become minutes, a
// time of day its minutes after midnight.
std::vector<double> choiceValue(const toml::node &n, Quantity q)
{
    if (const auto *text = n.as_string())
        return { clockMinutes(text->get()) };
    if (const auto *list = n.as_array()) {
        std::vector<double> v;
        for (const auto &c : *list)
            v.push_back(numberIn(c));
        if (q == Quantity::Position && v.size() == 4)
            return { v[0] * 60.0 + v[1], v[2] * 60.0 + v[3] };
        return v;
    }
    return { numberIn(n) };
}

// How finely a choice prints each component: whole numbers, or tenths.
std::vector<double> printedStep(const toml::node &n)
{
    const auto stepOf = [](const toml::node &c) { return c.is_integer() ? 1.0 : 0.1; };
    if (const auto *list = n.as_array()) {
        std::vector<double> steps;
        for (const auto &c : *list)
            steps.push_back(stepOf(c));
        if (steps.size() == 4) // degrees and minutes: the minutes' step
            return { steps[1], steps[3] };
        return steps;
    }
    return { n.is_string() ? 1.0 : stepOf(n) };
}

// Per component: how far the chart's result lies from a value, in that component's own measure
// (a direction the short way round the rose), and the error a hand plot may make in it. A
// position is one component: the miles between the two positions.
struct Gap
{
    std::vector<double> apart;
    std::vector<double> error;
};

Gap gapBetween(Quantity q, const std::vector<double> &result, const std::vector<double> &value)
{
    switch (q) {
    case Quantity::Position: {
        const double dlat = value[0] - result[0];
        const double dep
            = (value[1] - result[1]) * std::cos(result[0] / 60.0 * std::numbers::pi / 180);
        return { { std::hypot(dlat, dep) }, { milesError } };
    }
    case Quantity::FromMark:
        return { { angleBetween(result[0], value[0]), std::abs(result[1] - value[1]) },
            { degreesError, milesError } };
    case Quantity::Current:
        return { { angleBetween(result[0], value[0]), std::abs(result[1] - value[1]) },
            { degreesError, knotsError } };
    case Quantity::Course:
    case Quantity::Deviation:
        return { { angleBetween(result[0], value[0]) }, { degreesError } };
    case Quantity::Duration:
    case Quantity::ClockTime:
        return { { std::abs(result[0] - value[0]) }, { minutesError } };
    case Quantity::Knots:
        return { { std::abs(result[0] - value[0]) }, { knotsError } };
    default:
        return { { std::abs(result[0] - value[0]) }, { milesError } };
    }
}

std::string shown(const std::vector<double> &v)
{
    std::string s;
    for (double x : v) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.2f", x);
        s += (s.empty() ? "" : ", ") + std::string(buffer);
    }
    return s;
}

TEST(ChartPlotting, EveryChartQuestionWorkedOnTheChartReachesItsKeyAndNoOtherChoice)
{
    ASSERT_TRUE(bank().problems.empty()) << bank().problems.front().text();
    int worked = 0;
    for (const auto &slot : bank().slots) {
        if (slot.number < 51 || slot.number > 53)
            continue;
        for (const auto &variant : slot.variants) {
            const std::string name = "question " + std::to_string(slot.number) + " variant "
                + std::to_string(variant.index);
            SCOPED_TRACE(name);
            ASSERT_TRUE(variant.check && variant.solution && variant.solution->geometry);
            const solver::Solution &s = *variant.solution;
            const banksource::Gazetteer *gazetteer = nullptr;
            for (const auto &g : bank().gazetteers)
                if (g.chart == s.geometry->chart)
                    gazetteer = &g;
            ASSERT_NE(gazetteer, nullptr) << "no gazetteer of chart " << s.geometry->chart;
            const Mercator chart = projectionOf(*gazetteer);
            const toml::table &check = variant.check->table();

            const std::vector<double> result
                = workOnChart(Plot(chart), s, check, gazetteer->variation);
            const toml::array *choices = check["choice_values"].as_array();
            ASSERT_TRUE(choices && choices->size() == 4);
            ASSERT_EQ(result.size(), s.value.size()) << "the chart gives no reading for this kind";
            const auto keyIndex = static_cast<std::size_t>(variant.correct - 1);
            const toml::node &keyNode = *choices->get(keyIndex);
            const std::vector<double> key = choiceValue(keyNode, s.quantity);
            ASSERT_EQ(key.size(), result.size());

            // The key: within a hand plot's error, or the chart's result printed as the key is.
            const Gap toKey = gapBetween(s.quantity, result, key);
            const std::vector<double> step = printedStep(keyNode);
            bool roundsToKey = step.size() == result.size();
            for (std::size_t i = 0; roundsToKey && i < result.size(); ++i) {
                const bool direction = s.quantity == Quantity::Course
                    || s.quantity == Quantity::Deviation
                    || ((s.quantity == Quantity::FromMark || s.quantity == Quantity::Current)
                        && i == 0);
                const double printed = std::round(result[i] / step[i]) * step[i];
                roundsToKey = direction ? angleBetween(printed, key[i]) < 1e-6
                                        : std::abs(printed - key[i]) < 1e-6;
            }
            bool withinError = true;
            for (std::size_t i = 0; i < toKey.apart.size(); ++i)
                withinError = withinError && toKey.apart[i] <= toKey.error[i];
            EXPECT_TRUE(roundsToKey || withinError)
                << name << ": the chart gives " << shown(result) << ", the key is " << shown(key);

            // Every other choice stands clear of the chart's result in some component.
            for (std::size_t c = 0; c < 4; ++c) {
                if (c == keyIndex)
                    continue;
                const Gap gap
                    = gapBetween(s.quantity, result, choiceValue(*choices->get(c), s.quantity));
                bool clear = false;
                for (std::size_t i = 0; i < gap.apart.size(); ++i)
                    clear = clear || gap.apart[i] > gap.error[i];
                EXPECT_TRUE(clear)
                    << name << ": choice " << c + 1 << " lies within a hand plot's error"
                    << " of the chart's " << shown(result);
            }
            ++worked;
        }
    }
    // Every chart question has its variants worked, however many the bank holds.
    EXPECT_GT(worked, 0);
}

// Each mark lies on the printed sheet, and its pencil point read back lies within half a unit of
// the gazetteer's position as the border's scales measure it (longitude evenly, latitude by the
// scale beside it).
TEST(ChartPlotting, GazetteerMarksArePlottedWhereTheProjectionPutsThem)
{
    ASSERT_FALSE(bank().gazetteers.empty());
    for (const auto &gazetteer : bank().gazetteers) {
        const Mercator chart = projectionOf(gazetteer);
        const Plot plot(chart);
        for (const auto &mark : gazetteer.marks) {
            SCOPED_TRACE(gazetteer.fileName + " " + mark.name);
            const LatLon at = degrees(mark.position);
            const ChartXY exact = chart.toChart(at);
            EXPECT_TRUE(exact.x >= 0 && exact.x <= chart.width() && exact.y >= 0
                && exact.y <= chart.height());
            const LatLon back = plot.read(at);
            EXPECT_LE(std::abs(back.lon - at.lon) * 60.0 * chart.unitsPerLonMinute(), 0.5 + 1e-6);
            EXPECT_LE(std::abs(back.lat - at.lat) * 60.0 * chart.latMinuteAt(at.lat), 0.5 + 1e-3);
        }
    }
}

} // namespace
