#include "bankgen/source/Gazetteer.h"

#include "bankgen/source/BankSource.h"
#include "bankgen/source/Cp932.h"
#include "bankgen/source/TomlFile.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace tovarin::banksource {
namespace {

using solver::distanceToSegment;
using solver::positionText;
using solver::Vec;

// Two marks closer than this would be one mark under two names.
constexpr double markSeparation = 0.5;

const char *const kinds[] = { "灯台", "灯標", "灯浮標" };

bool isKind(const std::string &kind)
{
    return std::find(std::begin(kinds), std::end(kinds), kind) != std::end(kinds);
}

// Land and tracks in one flat plane, in miles from a point of the chart.
Vec onPlane(ChartPosition origin, ChartPosition p)
{
    return { (p.lonMinutes - origin.lonMinutes)
            * std::cos(origin.latMinutes / 60.0 * std::numbers::pi / 180.0),
        p.latMinutes - origin.latMinutes };
}

double side(Vec a, Vec b, Vec c)
{
    return solver::cross(b - a, c - a);
}

double segmentToSegment(Vec a, Vec b, Vec c, Vec d)
{
    const bool crosses = (side(a, b, c) > 0.0) != (side(a, b, d) > 0.0)
        && (side(c, d, a) > 0.0) != (side(c, d, b) > 0.0);
    if (crosses)
        return 0.0;
    return std::min({ distanceToSegment(a, c, d), distanceToSegment(b, c, d),
        distanceToSegment(c, a, b), distanceToSegment(d, a, b) });
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

// A character that can stand in a mark's name: kanji, the iteration mark, katakana.
bool isNameCharacter(char32_t c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || c == 0x3005 || (c >= 0x30A1 && c <= 0x30FA)
        || c == 0x30FC;
}

std::optional<ChartPosition> positionIn(const toml::node *node)
{
    try {
        return node ? std::optional(solver::positionOf(*node, "")) : std::nullopt;
    } catch (const solver::CheckError &) {
        return std::nullopt;
    }
}

std::optional<double> minutesIn(const toml::node *node)
{
    try {
        return node ? std::optional(solver::minutesOf(*node, "")) : std::nullopt;
    } catch (const solver::CheckError &) {
        return std::nullopt;
    }
}

} // namespace

double ChartLand::distanceTo(const std::vector<ChartPosition> &track) const
{
    if (track.empty() || outline.size() < 3)
        return 1e9;
    const ChartPosition origin = outline.front();
    std::vector<Vec> flat;
    for (const ChartPosition &p : outline)
        flat.push_back(onPlane(origin, p));
    std::vector<Vec> line;
    for (const ChartPosition &p : track) {
        line.push_back(onPlane(origin, p));
        if (insideOutline(line.back(), flat))
            return 0.0;
    }
    if (line.size() == 1)
        line.push_back(line.front());
    double least = 1e9;
    for (std::size_t i = 0; i + 1 < line.size(); ++i)
        for (std::size_t k = 0; k < flat.size(); ++k)
            least = std::min(least,
                segmentToSegment(line[i], line[i + 1], flat[k], flat[(k + 1) % flat.size()]));
    return least;
}

std::vector<NameInText> markNamesIn(std::string_view text)
{
    std::vector<NameInText> names;
    const std::vector<CodePoint> points = codePointsOf(text);
    for (std::size_t i = 0; i < points.size(); ++i) {
        for (const std::string_view kind : kinds) {
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
    const std::optional<toml::table> parsed = parseTomlFile(toml, fileName, problems);
    if (!parsed)
        return g;
    const toml::table &root = *parsed;
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
    const auto south = minutesIn(root["area"]["south"].node());
    const auto north = minutesIn(root["area"]["north"].node());
    const auto west = minutesIn(root["area"]["west"].node());
    const auto east = minutesIn(root["area"]["east"].node());
    if (!south || !north || !west || !east || *south >= *north || *west >= *east) {
        problem("'area' must give south < north and west < east, each as [deg, min]");
    } else {
        g.southWest = { *south, *west };
        g.northEast = { *north, *east };
    }
    if (const toml::array *land = root["land"].as_array()) {
        for (const toml::node &node : *land) {
            const toml::table *t = node.as_table();
            ChartLand piece;
            piece.name = t ? (*t)["name"].value_or(std::string()) : std::string();
            const toml::array *outline = t ? (*t)["outline"].as_array() : nullptr;
            for (std::size_t i = 0; outline && i < outline->size(); ++i) {
                if (auto p = positionIn(outline->get(i)))
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
        const auto position = t ? positionIn(t->get("position")) : std::nullopt;
        const std::string label = "mark '" + name + "'";
        if (!t || name.empty() || !position) {
            problem(label + " needs a name, a kind and a position [deg, min, deg, min]");
            continue;
        }
        if (t->size() != 3)
            problem(label + " has keys other than name, kind and position");
        if (!isKind(kind))
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
            if (solver::distance(other.position, *position) < markSeparation)
                problem(label + " stands within 0.5 M of '" + other.name + "'");
        }
        g.marks.push_back({ name, kind, *position });
        // A light stands on a headland or an island; a beacon or a buoy stands in the water.
        double toLand = 1e9;
        for (const ChartLand &piece : g.land)
            toLand = std::min(toLand, piece.distanceTo({ *position }));
        if (!g.land.empty() && kind == "灯台" && toLand > 0.1)
            problem(label + " stands on no land of the chart");
        if (!g.land.empty() && kind != "灯台" && toLand == 0.0)
            problem(label + " stands on land");
    }
    return g;
}

} // namespace tovarin::banksource
