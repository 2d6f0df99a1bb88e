#include "bankgen/source/Gazetteer.h"

#include "bankgen/solver/detail/Texts.h"
#include "bankgen/source/BankSource.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <sstream>

namespace tovarin::banksource {
namespace {

// Two marks closer than this would be one mark under two names.
constexpr double markSeparation = 0.5;
// A wrong position choice closer than this to the key cannot be told from it on a hand plot.
constexpr double positionChoiceGap = 0.8;

const std::set<std::string> kinds = { "灯台", "灯標", "灯浮標" };
// Kinds whose answer is a fix: the marks they observe must be fixed ones.
const std::set<std::string> fixKinds
    = { "cross_bearing_fix", "transit_fix", "radar_fix", "transit_deviation", "bearing_deviation" };
// Kinds whose choices are positions.
const std::set<std::string> positionKinds
    = { "cross_bearing_fix", "transit_fix", "radar_fix", "dr_with_current" };

using solver::detail::along;
using solver::detail::movedBy;
using solver::detail::offsetBetween;
using solver::detail::radians;
using solver::detail::Vec;

double distanceToSegment(ChartPosition mark, ChartPosition a, ChartPosition b)
{
    const Vec ab = offsetBetween(a, b);
    const Vec am = offsetBetween(a, mark);
    const double squared = ab.east * ab.east + ab.north * ab.north;
    double t = squared > 0.0 ? (am.east * ab.east + am.north * ab.north) / squared : 0.0;
    t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
    return std::hypot(am.east - t * ab.east, am.north - t * ab.north);
}

// Land and tracks in one flat plane, in miles from a point of the chart.
Vec onPlane(ChartPosition origin, ChartPosition p)
{
    return { (p.lonMinutes - origin.lonMinutes) * std::cos(radians(origin.latMinutes / 60.0)),
        p.latMinutes - origin.latMinutes };
}

double pointToSegment(Vec p, Vec a, Vec b)
{
    const Vec ab = { b.east - a.east, b.north - a.north };
    const Vec ap = { p.east - a.east, p.north - a.north };
    const double squared = ab.east * ab.east + ab.north * ab.north;
    double t = squared > 0.0 ? (ap.east * ab.east + ap.north * ab.north) / squared : 0.0;
    t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
    return std::hypot(ap.east - t * ab.east, ap.north - t * ab.north);
}

double side(Vec a, Vec b, Vec c)
{
    return (b.east - a.east) * (c.north - a.north) - (b.north - a.north) * (c.east - a.east);
}

double segmentToSegment(Vec a, Vec b, Vec c, Vec d)
{
    const bool crosses = (side(a, b, c) > 0.0) != (side(a, b, d) > 0.0)
        && (side(c, d, a) > 0.0) != (side(c, d, b) > 0.0);
    if (crosses)
        return 0.0;
    return std::min({ pointToSegment(a, c, d), pointToSegment(b, c, d), pointToSegment(c, a, b),
        pointToSegment(d, a, b) });
}

bool insideOutline(Vec p, const std::vector<Vec> &outline)
{
    bool inside = false;
    for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
        const Vec &a = outline[i];
        const Vec &b = outline[j];
        if ((a.north > p.north) != (b.north > p.north)
            && p.east < a.east + (p.north - a.north) * (b.east - a.east) / (b.north - a.north))
            inside = !inside;
    }
    return inside;
}

// The least distance from a line of points (one point for a ship's position) to a piece of land,
// 0 when it touches or enters it.
double distanceToLand(const std::vector<ChartPosition> &track, const ChartLand &land)
{
    if (track.empty() || land.outline.size() < 3)
        return 1e9;
    const ChartPosition origin = land.outline.front();
    std::vector<Vec> outline;
    for (const ChartPosition &p : land.outline)
        outline.push_back(onPlane(origin, p));
    std::vector<Vec> line;
    for (const ChartPosition &p : track) {
        line.push_back(onPlane(origin, p));
        if (insideOutline(line.back(), outline))
            return 0.0;
    }
    if (line.size() == 1)
        line.push_back(line.front());
    double least = 1e9;
    for (std::size_t i = 0; i + 1 < line.size(); ++i)
        for (std::size_t k = 0; k < outline.size(); ++k)
            least = std::min(least,
                segmentToSegment(
                    line[i], line[i + 1], outline[k], outline[(k + 1) % outline.size()]));
    return least;
}

std::string positionText(ChartPosition p)
{
    return solver::detail::positionText(p.latMinutes, p.lonMinutes);
}

bool samePosition(ChartPosition a, ChartPosition b)
{
    return std::abs(a.latMinutes - b.latMinutes) < 0.001
        && std::abs(a.lonMinutes - b.lonMinutes) < 0.001;
}

std::optional<double> numberOf(const toml::node &node)
{
    if (auto i = node.as_integer())
        return static_cast<double>(i->get());
    if (auto f = node.as_floating_point())
        return f->get();
    return std::nullopt;
}

// [deg, min, deg, min] or, with two entries, [deg, min].
std::optional<std::vector<double>> degreesAndMinutes(const toml::node *node, std::size_t pairs)
{
    const toml::array *a = node ? node->as_array() : nullptr;
    if (!a || a->size() != 2 * pairs)
        return std::nullopt;
    std::vector<double> result;
    for (std::size_t i = 0; i < pairs; ++i) {
        const auto degrees = numberOf((*a)[2 * i]);
        const auto minutes = numberOf((*a)[2 * i + 1]);
        if (!degrees || !minutes || *minutes < 0.0 || *minutes >= 60.0)
            return std::nullopt;
        result.push_back(*degrees * 60.0 + *minutes);
    }
    return result;
}

std::optional<ChartPosition> positionOf(const toml::node *node)
{
    const auto v = degreesAndMinutes(node, 2);
    if (!v)
        return std::nullopt;
    return ChartPosition { (*v)[0], (*v)[1] };
}

// One code point of UTF-8 text and where it starts.
struct CodePoint
{
    char32_t value;
    std::size_t at;
    std::size_t size;
};

std::vector<CodePoint> decode(std::string_view text)
{
    std::vector<CodePoint> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t value = n == 1 ? lead : lead & (0x3F >> (n - 1));
        for (std::size_t k = 1; k < n && i + k < text.size(); ++k)
            value = value << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out.push_back({ value, i, n });
        i += n;
    }
    return out;
}

// A character that can stand in a mark's name: kanji, the iteration mark, katakana.
bool isNameCharacter(char32_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || c == 0x3005 || (c >= 0x30A1 && c <= 0x30FA)
        || c == 0x30FC;
}

// Every mark-like name a text writes: a run of name characters ending in 灯台, 灯標 or 灯浮標, or
// such a word with a designator after it (灯台甲). The bare word (「灯台の光」) names no mark.
struct NameInText
{
    std::string name;
    std::size_t end; // byte offset after the name
};

std::vector<NameInText> markNamesIn(std::string_view text)
{
    std::vector<NameInText> names;
    const std::vector<CodePoint> points = decode(text);
    for (std::size_t i = 0; i < points.size(); ++i) {
        for (const std::string &kind : kinds) {
            if (text.substr(points[i].at, kind.size()) != kind)
                continue;
            std::size_t first = i;
            while (first > 0 && isNameCharacter(points[first - 1].value))
                --first;
            std::size_t end = points[i].at + kind.size();
            if (first == i) {
                // No name before the kind: a designator after it still makes it a name.
                std::size_t j = i;
                while (j < points.size() && points[j].at < end)
                    ++j;
                for (; j < points.size() && isNameCharacter(points[j].value); ++j)
                    end = points[j].at + points[j].size;
                if (end == points[i].at + kind.size())
                    continue;
            }
            names.push_back(
                { std::string(text.substr(points[first].at, end - points[first].at)), end });
        }
    }
    return names;
}

// The position a text states in brackets right after a name: "（北緯30°05.0′、東経135°12.4′".
std::optional<ChartPosition> positionAfter(std::string_view text, std::size_t at)
{
    const std::string_view open = "（北緯";
    if (text.substr(at, open.size()) != open)
        return std::nullopt;
    std::string rest(text.substr(at + open.size(), 64));
    double latDeg = 0, latMin = 0, lonDeg = 0, lonMin = 0;
    int used = 0;
    if (std::sscanf(
            rest.c_str(), "%lf°%lf′、東経%lf°%lf′%n", &latDeg, &latMin, &lonDeg, &lonMin, &used)
        != 4)
        return std::nullopt;
    return ChartPosition { latDeg * 60.0 + latMin, lonDeg * 60.0 + lonMin };
}

std::optional<int> chartNamedIn(std::string_view text)
{
    const std::string_view lead = "試験用海図第";
    const std::size_t at = text.find(lead);
    if (at == std::string_view::npos)
        return std::nullopt;
    std::size_t i = at + lead.size();
    int number = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        number = number * 10 + (text[i++] - '0');
    if (text.substr(i, std::string_view("号使用").size()) != "号使用")
        return std::nullopt;
    return number;
}

// Reads a check table's marks and tracks, the way the chart questions lay them down.
class CheckReader
{
public:
    CheckReader(const toml::table &check, const SourceVariant &variant, double variation)
        : m_check(check)
        , m_variant(variant)
        , m_variation(variation)
    {
    }

    std::string kind() const { return m_check["kind"].value_or(std::string()); }

    // The positions the check table observes as marks, with the field they stand in.
    std::vector<std::pair<std::string, ChartPosition>> marks()
    {
        std::vector<std::pair<std::string, ChartPosition>> result;
        if (const toml::array *list = m_check["marks"].as_array())
            for (const toml::node &n : *list)
                add(result, "marks", &n);
        for (const char *field : { "mark", "front", "rear" })
            if (m_check.contains(field))
                add(result, field, m_check.get(field));
        if (const toml::array *legs = m_check["legs"].as_array())
            for (const toml::node &leg : *legs)
                if (const toml::table *t = leg.as_table(); t && t->contains("abeam"))
                    add(result, "legs.abeam", t->get("abeam"));
        return result;
    }

    // The ship's way as a line of points (one point for a fix); empty for a transit's deviation.
    std::vector<ChartPosition> track()
    {
        const std::string k = kind();
        std::vector<ChartPosition> points;
        if (k == "voyage") {
            ChartPosition here = need("start");
            points.push_back(here);
            for (const toml::table *leg : legs()) {
                if (leg->contains("to")) {
                    here = need(*leg, "to");
                } else {
                    const double course = (*leg)["course"].value_or(0.0);
                    const Vec toMark = offsetBetween(here, need(*leg, "abeam"));
                    const Vec unit = along(course, 1.0);
                    here = movedBy(
                        here, along(course, toMark.east * unit.east + toMark.north * unit.north));
                }
                points.push_back(here);
            }
        } else if (k == "course_to_steer" || k == "speed_over_ground"
            || k == "arrival_with_current") {
            points = { need("from"), need("to") };
        } else if (k == "current_from_fix") {
            points = { need("start"), need("fix") };
        } else if (k == "dr_with_current") {
            ChartPosition here = need("start");
            points.push_back(here);
            const Vec current = along(m_check["set"].value_or(0.0), m_check["drift"].value_or(0.0));
            for (const toml::table *leg : legs()) {
                const double hours = (*leg)["minutes"].value_or(0.0) / 60.0;
                const double heading = leg->contains("course")
                    ? (*leg)["course"].value_or(0.0)
                    : (*leg)["course_compass"].value_or(0.0) + (*leg)["deviation"].value_or(0.0)
                        + m_variation;
                const Vec run = along(heading, (*leg)["speed"].value_or(0.0) * hours);
                here = movedBy(
                    here, { run.east + current.east * hours, run.north + current.north * hours });
                points.push_back(here);
            }
        } else if (k == "closest_approach") {
            const ChartPosition start = need("start");
            const Vec a = along(m_check["course"].value_or(0.0), m_check["speed"].value_or(0.0));
            const Vec b = along(m_check["set"].value_or(0.0), m_check["drift"].value_or(0.0));
            const Vec ground = { a.east + b.east, a.north + b.north };
            const Vec toMark = offsetBetween(start, need("mark"));
            const double speed = std::hypot(ground.east, ground.north);
            const double run = speed > 0.0
                ? (toMark.east * ground.east + toMark.north * ground.north) / speed
                : 0.0;
            points = { start,
                movedBy(start, { ground.east / speed * run, ground.north / speed * run }) };
        } else if (k == "bearing_deviation") {
            points = { need("ship") };
        } else if (k == "cross_bearing_fix" || k == "transit_fix" || k == "radar_fix") {
            // The fix is the keyed choice's position.
            const toml::array *values = m_check["choice_values"].as_array();
            const auto key = static_cast<std::size_t>(m_variant.correct - 1);
            if (values && key < values->size()) {
                if (auto p = positionOf(values->get(key)))
                    points = { *p };
                else
                    m_faults.push_back(
                        "check table: the key's choice_values entry is not a position");
            }
        }
        return points;
    }

    std::vector<std::string> &faults() { return m_faults; }

private:
    void add(std::vector<std::pair<std::string, ChartPosition>> &into, const char *field,
        const toml::node *n)
    {
        if (auto p = positionOf(n))
            into.emplace_back(field, *p);
        else
            m_faults.push_back(std::string("check table: ") + field + " is not a position");
    }

    ChartPosition need(const toml::table &table, const char *field)
    {
        if (auto p = positionOf(table.get(field)))
            return *p;
        m_faults.push_back(std::string("check table: ") + field + " is not a position");
        return {};
    }
    ChartPosition need(const char *field) { return need(m_check, field); }

    std::vector<const toml::table *> legs()
    {
        std::vector<const toml::table *> result;
        if (const toml::array *list = m_check["legs"].as_array())
            for (const toml::node &leg : *list)
                if (const toml::table *t = leg.as_table())
                    result.push_back(t);
        return result;
    }

    const toml::table &m_check;
    const SourceVariant &m_variant;
    double m_variation;
    std::vector<std::string> m_faults;
};

class ChartVariantChecker
{
public:
    ChartVariantChecker(
        const Gazetteer &chart, const SourceVariant &variant, const toml::table *check)
        : m_chart(chart)
        , m_variant(variant)
        , m_check(check)
    {
    }

    std::vector<std::string> run()
    {
        const std::string chart = "chart " + std::to_string(m_chart.chart);
        // Names in the question are the marks it uses; the explanation may only repeat them.
        checkNames(m_variant.question, "question text", true);
        checkNames(m_variant.explanation, "explanation", false);
        for (std::size_t c = 0; c < m_variant.refutations.size(); ++c)
            checkNames(m_variant.refutations[c], "refutation " + std::to_string(c + 1), false);
        if (m_check)
            checkTable();
        return std::move(m_faults);
    }

private:
    void checkNames(const std::string &text, const std::string &where, bool uses)
    {
        for (const NameInText &n : markNamesIn(text)) {
            const ChartMark *mark = m_chart.find(n.name);
            if (!mark) {
                fault(where + " names " + n.name + ", which is not on the gazetteer of chart "
                    + std::to_string(m_chart.chart));
                continue;
            }
            if (uses)
                m_used.insert(mark->name);
            else if (!m_used.contains(mark->name))
                fault(where + " names " + n.name + ", which the question does not use");
            if (auto stated = positionAfter(text, n.end);
                stated && !samePosition(*stated, mark->position))
                fault(where + " puts " + n.name + " at " + positionText(*stated)
                    + ", but the gazetteer has " + positionText(mark->position));
        }
    }

    void checkTable()
    {
        CheckReader reader(*m_check, m_variant, m_chart.variation);
        if (auto v = (*m_check)["variation"].value<double>();
            v && std::abs(*v - m_chart.variation) > 1e-9)
            fault("check table's variation differs from chart " + std::to_string(m_chart.chart)
                + "'s");
        const bool fix = fixKinds.contains(reader.kind());
        for (const auto &[field, p] : reader.marks()) {
            const ChartMark *mark = usedMarkAt(p);
            if (!mark) {
                fault("check table's " + field + " at " + positionText(p)
                    + " is no mark the question names at its gazetteer position");
                continue;
            }
            if (fix && !mark->isFixed())
                fault("fixes the ship on " + mark->name
                    + ", a buoy (fixes are taken on 灯台 and 灯標)");
        }
        const std::vector<ChartPosition> track = reader.track();
        for (const ChartPosition &p : track)
            if (!m_chart.contains(p))
                fault("the track's point " + positionText(p) + " lies outside chart "
                    + std::to_string(m_chart.chart));
        for (const ChartMark &mark : m_chart.marks) {
            if (m_used.contains(mark.name))
                continue;
            for (std::size_t i = 0; i < track.size(); ++i) {
                const ChartPosition a = track[i];
                const ChartPosition b = i + 1 < track.size() ? track[i + 1] : a;
                if (i + 1 == track.size() && track.size() > 1)
                    break;
                const double d = distanceToSegment(mark.position, a, b);
                if (d < trackClearance) {
                    char miles[16];
                    std::snprintf(miles, sizeof miles, "%.2f", d);
                    fault((a.latMinutes == b.latMinutes && a.lonMinutes == b.lonMinutes
                                  ? "the ship at " + positionText(a)
                                  : "the track from " + positionText(a) + " to " + positionText(b))
                        + " passes " + miles + " M from " + mark.name
                        + ", which the question does not use");
                }
            }
        }
        if (positionKinds.contains(reader.kind()))
            checkPositionChoices();
        for (const ChartLand &land : m_chart.land) {
            const double d = distanceToLand(track, land);
            if (d < landClearance) {
                char miles[16];
                std::snprintf(miles, sizeof miles, "%.2f", d);
                fault((track.size() == 1 ? "the ship at " + positionText(track.front())
                                         : "the track from " + positionText(track.front()) + " on")
                    + (d == 0.0 ? " runs onto " + land.name
                                : " passes " + std::string(miles) + " M from " + land.name)
                    + " (the land is kept 0.5 M off)");
            }
        }
        for (std::string &f : reader.faults())
            fault(std::move(f));
    }

    void checkPositionChoices()
    {
        const toml::array *values = (*m_check)["choice_values"].as_array();
        const auto key = static_cast<std::size_t>(m_variant.correct - 1);
        if (!values || key >= values->size())
            return;
        const auto keyed = positionOf(values->get(key));
        for (std::size_t c = 0; keyed && c < values->size(); ++c) {
            const auto p = positionOf(values->get(c));
            if (c == key || !p)
                continue;
            const Vec d = offsetBetween(*keyed, *p);
            if (std::hypot(d.east, d.north) < positionChoiceGap) {
                char miles[16];
                std::snprintf(miles, sizeof miles, "%.2f", std::hypot(d.east, d.north));
                fault("choice " + std::to_string(c + 1) + " lies " + miles
                    + " M from the key (a wrong position stands at least 0.8 M from it)");
            }
        }
    }

    const ChartMark *usedMarkAt(ChartPosition p) const
    {
        for (const ChartMark &mark : m_chart.marks)
            if (m_used.contains(mark.name) && samePosition(mark.position, p))
                return &mark;
        return nullptr;
    }

    void fault(std::string message) { m_faults.push_back(std::move(message)); }

    const Gazetteer &m_chart;
    const SourceVariant &m_variant;
    const toml::table *m_check;
    std::set<std::string> m_used;
    std::vector<std::string> m_faults;
};

} // namespace

bool Gazetteer::contains(ChartPosition p) const
{
    return p.latMinutes >= southWest.latMinutes && p.latMinutes <= northEast.latMinutes
        && p.lonMinutes >= southWest.lonMinutes && p.lonMinutes <= northEast.lonMinutes;
}

const ChartMark *Gazetteer::find(std::string_view name) const
{
    for (const ChartMark &mark : marks)
        if (mark.name == name)
            return &mark;
    return nullptr;
}

Gazetteer parseGazetteer(std::string_view toml, const std::string &fileName, Problems &problems)
{
    Gazetteer g;
    g.fileName = fileName;
    auto problem = [&](std::string message) {
        problems.push_back({ fileName, -1, std::move(message) });
    };
    toml::table root;
    try {
        root = toml::parse(toml, fileName);
    } catch (const toml::parse_error &error) {
        std::ostringstream where;
        where << "line " << error.source().begin.line << ": " << error.description();
        problem("is not valid TOML, " + where.str());
        return g;
    }
    for (const auto &[key, value] : root)
        if (key.str() != "chart" && key.str() != "variation" && key.str() != "area"
            && key.str() != "mark" && key.str() != "land")
            problem("unknown key '" + std::string(key.str()) + "'");
    if (auto n = root["chart"].value<std::int64_t>())
        g.chart = static_cast<int>(*n);
    else
        problem("missing or non-integer 'chart'");
    if (auto v = root["variation"].value<double>())
        g.variation = *v;
    else
        problem("missing or non-numeric 'variation'");
    const auto south = degreesAndMinutes(root["area"]["south"].node(), 1);
    const auto north = degreesAndMinutes(root["area"]["north"].node(), 1);
    const auto west = degreesAndMinutes(root["area"]["west"].node(), 1);
    const auto east = degreesAndMinutes(root["area"]["east"].node(), 1);
    if (!south || !north || !west || !east || (*south)[0] >= (*north)[0]
        || (*west)[0] >= (*east)[0]) {
        problem("'area' must give south < north and west < east, each as [deg, min]");
    } else {
        g.southWest = { (*south)[0], (*west)[0] };
        g.northEast = { (*north)[0], (*east)[0] };
    }
    if (const toml::array *land = root["land"].as_array()) {
        for (const toml::node &node : *land) {
            const toml::table *t = node.as_table();
            ChartLand piece;
            piece.name = t ? (*t)["name"].value_or(std::string()) : std::string();
            const toml::array *outline = t ? (*t)["outline"].as_array() : nullptr;
            for (std::size_t i = 0; outline && i < outline->size(); ++i) {
                if (auto p = positionOf(outline->get(i)))
                    piece.outline.push_back(*p);
                else
                    problem(
                        "land '" + piece.name + "' has a point that is not [deg, min, deg, min]");
            }
            if (piece.name.empty() || piece.outline.size() < 3)
                problem("land '" + piece.name
                    + "' needs a name and an outline of at least three points");
            for (const ChartPosition &p : piece.outline)
                if (!g.contains(p))
                    problem("land '" + piece.name + "' reaches " + positionText(p)
                        + ", outside the chart's area");
            g.land.push_back(std::move(piece));
        }
    }
    const toml::array *marks = root["mark"].as_array();
    if (!marks || marks->empty()) {
        problem("has no [[mark]] tables");
        return g;
    }
    for (const toml::node &node : *marks) {
        const toml::table *t = node.as_table();
        const std::string name = t ? (*t)["name"].value_or(std::string()) : std::string();
        const std::string kind = t ? (*t)["kind"].value_or(std::string()) : std::string();
        const auto position = t ? positionOf(t->get("position")) : std::nullopt;
        const std::string label = "mark '" + name + "'";
        if (!t || name.empty() || !position) {
            problem(label + " needs a name, a kind and a position [deg, min, deg, min]");
            continue;
        }
        if (t->size() != 3)
            problem(label + " has keys other than name, kind and position");
        if (!kinds.contains(kind))
            problem(label + " has kind '" + kind + "' (灯台, 灯標 or 灯浮標)");
        const std::vector<NameInText> read = markNamesIn(name);
        if (name.size() <= kind.size()
            || name.compare(name.size() - kind.size(), kind.size(), kind) != 0 || read.size() != 1
            || read[0].name != name)
            problem(label + " is not written as a place name followed by its kind");
        if (g.find(name))
            problem(label + " appears more than once");
        if (!g.contains(*position))
            problem(label + " at " + positionText(*position) + " lies outside the chart's area");
        for (const ChartMark &other : g.marks) {
            const Vec d = offsetBetween(other.position, *position);
            if (std::hypot(d.east, d.north) < markSeparation)
                problem(label + " stands within 0.5 M of '" + other.name + "'");
        }
        g.marks.push_back({ name, kind, *position });
        // A light stands on a headland or an island; a beacon or a buoy stands in the water.
        double toLand = 1e9;
        for (const ChartLand &piece : g.land)
            toLand = std::min(toLand, distanceToLand({ *position }, piece));
        if (!g.land.empty() && kind == "灯台" && toLand > 0.1)
            problem(label + " stands on no land of the chart");
        if (!g.land.empty() && kind != "灯台" && toLand == 0.0)
            problem(label + " stands on land");
    }
    return g;
}

void checkChartVariants(std::string_view toml, const SourceSlot &slot,
    const std::vector<Gazetteer> &gazetteers, Problems &problems)
{
    const bool chartSlot = slot.number >= 51 && slot.number <= 53;
    toml::table root;
    try {
        root = toml::parse(toml, slot.fileName);
    } catch (const toml::parse_error &) {
        return; // parseSlot has reported it
    }
    const toml::array *tables = root["variant"].as_array();
    for (std::size_t i = 0; i < slot.variants.size(); ++i) {
        const SourceVariant &v = slot.variants[i];
        const int position = static_cast<int>(i);
        const std::optional<int> chart = chartNamedIn(v.question);
        if (!chart) {
            if (chartSlot)
                problems.push_back(
                    { slot.fileName, position, "question text names no 試験用海図" });
            continue;
        }
        const Gazetteer *g = nullptr;
        for (const Gazetteer &candidate : gazetteers)
            if (candidate.chart == *chart)
                g = &candidate;
        if (!g) {
            problems.push_back({ slot.fileName, position,
                "uses chart " + std::to_string(*chart) + ", which has no gazetteer" });
            continue;
        }
        const toml::table *variant
            = tables && i < tables->size() ? (*tables)[i].as_table() : nullptr;
        const toml::table *check = variant ? (*variant)["check"].as_table() : nullptr;
        for (std::string &f : ChartVariantChecker(*g, v, check).run())
            problems.push_back({ slot.fileName, position, std::move(f) });
    }
}

std::optional<int> namedChart(std::string_view questionText)
{
    return chartNamedIn(questionText);
}

} // namespace tovarin::banksource
