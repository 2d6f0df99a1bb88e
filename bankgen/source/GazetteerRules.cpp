// The rules a chart question keeps against its chart's gazetteer. The marks a question uses,
// the ship's way and its fixes are the ones the solver worked from the check table, so that the
// rules measure exactly what the key and the explanation's plot rest on.

#include "bankgen/source/BankSource.h"
#include "bankgen/source/Gazetteer.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <set>

namespace tovarin::banksource {
namespace {

using solver::positionText;

// A wrong position choice closer than this to the key cannot be told from it on a hand plot.
constexpr double positionChoiceGap = 0.8;

// Kinds whose answer is a fix: the marks they observe must be fixed ones.
const std::set<std::string> fixKinds = { "cross_bearing_fix", "transit_fix", "radar_fix",
    "transit_deviation", "bearing_deviation", "two_range_fix", "running_fix", "bow_angle_doubled" };

ChartPosition positionOf(solver::LatLon p)
{
    return { p.lat * 60.0, p.lon * 60.0 };
}

bool samePosition(ChartPosition a, ChartPosition b)
{
    return std::abs(a.latMinutes - b.latMinutes) < 0.001
        && std::abs(a.lonMinutes - b.lonMinutes) < 0.001;
}

std::string milesText(double miles)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", miles);
    return text;
}

// The position a text states in brackets right after a name: "（北緯30°05.0′、東経135°12.4′）".
std::optional<ChartPosition> positionAfter(std::string_view text, std::size_t at)
{
    const std::string_view open = "（北緯";
    const std::string_view close = "）";
    if (text.substr(at, open.size()) != open)
        return std::nullopt;
    const std::size_t end = text.find(close, at);
    return solver::positionStatedBy(text.substr(at, end == std::string_view::npos ? 64 : end - at));
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

class ChartVariantChecker
{
public:
    ChartVariantChecker(const Gazetteer &chart, const SourceVariant &variant)
        : m_chart(chart)
        , m_variant(variant)
    {
    }

    std::vector<std::string> run()
    {
        // Names in the question are the marks it uses; the explanation may only repeat them.
        checkNames(m_variant.question, "question text", true);
        checkNames(m_variant.explanation, "explanation", false);
        for (std::size_t c = 0; c < m_variant.refutations.size(); ++c)
            checkNames(m_variant.refutations[c], "refutation " + std::to_string(c + 1), false);
        if (m_variant.check)
            checkVariation();
        if (m_variant.solution && m_variant.solution->geometry)
            checkGeometry(*m_variant.solution, *m_variant.solution->geometry);
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

    void checkVariation()
    {
        const auto v = m_variant.check->table()["variation"].value<double>();
        if (v && std::abs(*v - m_chart.variation) > 1e-9)
            fault("check table's variation differs from chart " + std::to_string(m_chart.chart)
                + "'s");
    }

    void checkGeometry(const solver::Solution &solution, const solver::Geometry &geometry)
    {
        const bool fix = fixKinds.contains(solution.kind);
        for (const solver::ChartPoint &point : geometry.points) {
            if (point.role != solver::PointRole::Mark)
                continue;
            const ChartPosition p = positionOf(point.at);
            const ChartMark *mark = usedMarkAt(p);
            if (!mark) {
                fault("one of the check table's marks at " + positionText(p)
                    + " is no mark the question names at its gazetteer position");
                continue;
            }
            if (fix && !mark->isFixed())
                fault("fixes the ship on " + mark->name
                    + ", a buoy (fixes are taken on 灯台 and 灯標)");
        }
        std::vector<ChartPosition> way;
        for (const solver::LatLon &p : geometry.way)
            way.push_back(positionOf(p));
        for (const ChartPosition &p : way)
            if (!m_chart.contains(p))
                fault("the track's point " + positionText(p) + " lies outside chart "
                    + std::to_string(m_chart.chart));
        checkMarksClear(way);
        if (solution.quantity == solver::Quantity::Position)
            checkPositionChoices();
        checkLandClear(way);
    }

    void checkMarksClear(const std::vector<ChartPosition> &way)
    {
        for (const ChartMark &mark : m_chart.marks) {
            if (m_used.contains(mark.name))
                continue;
            // Each leg, or the one point where the ship is.
            for (std::size_t i = 0; i == 0 || i + 1 < way.size(); ++i) {
                if (way.empty())
                    break;
                const ChartPosition a = way[i];
                const ChartPosition b = i + 1 < way.size() ? way[i + 1] : a;
                const double d = solver::distanceToSegment(
                    solver::offsetBetween(a, mark.position), {}, solver::offsetBetween(a, b));
                if (d < trackClearance)
                    fault((way.size() == 1
                                  ? "the ship at " + positionText(a)
                                  : "the track from " + positionText(a) + " to " + positionText(b))
                        + " passes " + milesText(d) + " M from " + mark.name
                        + ", which the question does not use");
            }
        }
    }

    void checkLandClear(const std::vector<ChartPosition> &way)
    {
        for (const ChartLand &land : m_chart.land) {
            const double d = land.distanceTo(way);
            if (d < landClearance)
                fault((way.size() == 1 ? "the ship at " + positionText(way.front())
                                       : "the track from " + positionText(way.front()) + " on")
                    + (d == 0.0 ? " runs onto " + land.name
                                : " passes " + milesText(d) + " M from " + land.name)
                    + " (the land is kept 0.5 M off)");
        }
    }

    // The positions the choices state, as the candidate reads them.
    void checkPositionChoices()
    {
        const auto key = static_cast<std::size_t>(m_variant.correct - 1);
        if (key >= m_variant.choices.size())
            return;
        const auto keyed = solver::positionStatedBy(m_variant.choices[key]);
        for (std::size_t c = 0; keyed && c < m_variant.choices.size(); ++c) {
            const auto p = solver::positionStatedBy(m_variant.choices[c]);
            if (c == key || !p)
                continue;
            if (const double d = solver::distance(*keyed, *p); d < positionChoiceGap)
                fault("choice " + std::to_string(c + 1) + " lies " + milesText(d)
                    + " M from the key (a wrong position stands at least 0.8 M from it)");
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
    std::set<std::string> m_used;
    std::vector<std::string> m_faults;
};

} // namespace

const Gazetteer *gazetteerNamedIn(std::string_view text, const std::vector<Gazetteer> &gazetteers)
{
    const std::optional<int> chart = chartNamedIn(text);
    for (const Gazetteer &g : gazetteers)
        if (chart && g.chart == *chart)
            return &g;
    return nullptr;
}

void lendChartMarks(SourceSlot &slot, const std::vector<Gazetteer> &gazetteers)
{
    for (SourceVariant &v : slot.variants)
        if (const Gazetteer *g = gazetteerNamedIn(v.question, gazetteers); g && v.check) {
            std::vector<solver::MarkPosition> marks;
            for (const ChartMark &m : g->marks)
                marks.push_back({ m.name, m.position.latMinutes, m.position.lonMinutes });
            v.check = v.check->withMarks(std::move(marks));
        }
}

void checkChartVariants(
    const SourceSlot &slot, const std::vector<Gazetteer> &gazetteers, Problems &problems)
{
    const bool chartSlot = slot.number >= 51 && slot.number <= 53;
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
        for (std::string &f : ChartVariantChecker(*g, v).run())
            problems.push_back({ slot.fileName, position, std::move(f) });
    }
}

} // namespace tovarin::banksource
