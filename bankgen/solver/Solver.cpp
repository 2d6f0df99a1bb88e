#include "bankgen/solver/Solver.h"

#include "bankgen/solver/detail/Kinds.h"
#include "bankgen/solver/detail/Texts.h"

#include <cmath>
#include <map>

namespace tovarin::solver {
namespace detail {

Solution started(const char *kind, Quantity quantity, std::string unit)
{
    Solution s;
    s.kind = kind;
    s.quantity = quantity;
    s.unit = std::move(unit);
    return s;
}

void step(
    Solution &s, std::string label, std::string formula, std::string working, std::string result)
{
    s.steps.push_back(
        { std::move(label), std::move(formula), std::move(working), std::move(result) });
}

namespace {

const std::vector<Kind> &registry()
{
    static const std::vector<Kind> kinds = [] {
        std::vector<Kind> all = chartKinds();
        for (auto family :
            { chartVoyageKinds, chartFixKinds, chartCurrentKinds, tideKinds, engineKinds })
            for (const Kind &k : family())
                all.push_back(k);
        return all;
    }();
    return kinds;
}

} // namespace

const Kind &kindOf(Inputs &in)
{
    const std::string name = in.has("kind") ? in.text("kind") : in.has("days") ? "tide" : "";
    if (name.empty())
        throw CheckError("the check table names no kind");
    for (const Kind &k : registry())
        if (name == k.name)
            return k;
    throw CheckError("unknown check kind '" + name + "'");
}

std::string answerText(Quantity quantity, const std::vector<double> &v, const std::string &unit)
{
    if (v.empty())
        return {};
    switch (quantity) {
    case Quantity::Miles:
        return milesText(v[0]);
    case Quantity::Knots:
        return knotsText(v[0]);
    case Quantity::Duration:
        return durationText(v[0]);
    case Quantity::ClockTime:
        return clockText(v[0]);
    case Quantity::Position:
        return v.size() == 2 ? positionText(v[0], v[1]) : std::string();
    case Quantity::FromMark:
        return v.size() == 2 ? fromMarkAnswer(unit, v[0], v[1]) : std::string();
    case Quantity::Course:
        return computedDirection(v[0]);
    case Quantity::Deviation:
        return v[0] == 0.0 ? "0°" : fixed(std::abs(v[0]), 1) + (v[0] < 0 ? "°W" : "°E");
    case Quantity::Current:
        return v.size() == 2 ? "流向 " + computedDirection(v[0]) + "、流速 " + knotsText(v[1])
                             : std::string();
    case Quantity::Cm:
        return std::to_string(std::lround(v[0])) + "cm";
    case Quantity::Number:
        return plain(std::round(v[0] * 1000.0) / 1000.0) + unit;
    case Quantity::Metres:
        return fixed(v[0], 2) + "m";
    }
    return {};
}

} // namespace detail

Solution solve(const CheckTable &table)
{
    std::vector<detail::Figure> figures;
    detail::Inputs in(table.table(), "check.", figures, table.marks());
    Solution s = detail::kindOf(in).solve(in);
    s.answer = detail::answerText(s.quantity, s.value, s.unit);
    if (s.geometry)
        detail::frame(*s.geometry);
    return s;
}

const char *roleName(PointRole role)
{
    switch (role) {
    case PointRole::Mark:
        return "mark";
    case PointRole::Start:
        return "start";
    case PointRole::Turn:
        return "turn";
    case PointRole::End:
        return "end";
    case PointRole::Dr:
        return "dr";
    case PointRole::Fix:
        return "fix";
    case PointRole::Answer:
        return "answer";
    }
    return "";
}

const char *styleName(TrackStyle style)
{
    switch (style) {
    case TrackStyle::Planned:
        return "planned";
    case TrackStyle::Water:
        return "water";
    case TrackStyle::Ground:
        return "ground";
    }
    return "";
}

const char *quantityName(Quantity quantity)
{
    switch (quantity) {
    case Quantity::Miles:
        return "miles";
    case Quantity::Knots:
        return "knots";
    case Quantity::Duration:
        return "duration";
    case Quantity::ClockTime:
        return "clock_time";
    case Quantity::Position:
        return "position";
    case Quantity::FromMark:
        return "from_mark";
    case Quantity::Course:
        return "course";
    case Quantity::Deviation:
        return "deviation";
    case Quantity::Current:
        return "current";
    case Quantity::Cm:
        return "cm";
    case Quantity::Number:
        return "number";
    case Quantity::Metres:
        return "metres";
    }
    return "";
}

} // namespace tovarin::solver
