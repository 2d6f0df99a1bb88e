#include "bankgen/solver/KeyCheck.h"
#include "bankgen/solver/Position.h"
#include "bankgen/solver/Solver.h"

#include "bankgen/solver/detail/Kinds.h"
#include "bankgen/solver/detail/Texts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tovarin::solver {
namespace {

using namespace detail;

// Tolerances and spacing of each quantity. Spacing follows the bank guide: times about 20
// minutes apart, distances a few miles, positions a few tenths of a minute in the differing
// coordinate, directions at least 3 degrees, heights and depths 10 cm. A plain number must lie at
// least twice its tolerance from the key.
struct QuantityRule
{
    std::size_t components;
    std::array<bool, 2> circular; // a difference of directions
    std::array<double, 2> maxTolerance; // an honest tolerance for a hand plot
    std::array<double, 2> minimumGap; // how far a wrong choice must lie from the key
};

constexpr double any = std::numeric_limits<double>::infinity();

QuantityRule ruleOf(Quantity q)
{
    switch (q) {
    case Quantity::Miles:
        return { 1, { false, false }, { 0.5, 0 }, { 1.5, 0 } };
    case Quantity::Duration:
    case Quantity::ClockTime:
        return { 1, { false, false }, { 5.0, 0 }, { 15.0, 0 } };
    case Quantity::Position:
        return { 2, { false, false }, { 0.05, 0.05 }, { 0.3, 0.3 } };
    case Quantity::FromMark:
        // The spacing is the miles between the two positions the choices name.
        return { 2, { true, false }, { 1.0, 0.1 }, { 0.8, 0 } };
    case Quantity::Deviation:
    case Quantity::Course:
        return { 1, { true, false }, { 1.0, 0 }, { 3.0, 0 } };
    case Quantity::Knots:
        return { 1, { false, false }, { 0.2, 0 }, { 1.0, 0 } };
    case Quantity::Current:
        return { 2, { true, false }, { 5.0, 0.2 }, { 10.0, 0.5 } };
    case Quantity::Cm:
        return { 1, { false, false }, { 1.0, 0 }, { 10.0, 0 } };
    case Quantity::Number:
        return { 1, { false, false }, { any, 0 }, { 0, 0 } };
    case Quantity::Metres:
        return { 1, { false, false }, { 0.05, 0 }, { 0.1, 0 } };
    }
    return {};
}

bool contains(const std::string &text, const char *part)
{
    return text.find(part) != std::string::npos;
}

// The value a choice text states, in the machine form of its quantity; empty if it states none.
std::vector<double> valueStatedBy(
    Quantity q, const std::string &text, double claimed, const std::string &unit)
{
    const std::vector<double> n = numbersIn(text);
    switch (q) {
    case Quantity::Miles:
        if (n.size() == 1 && contains(text, "海里"))
            return n;
        break;
    case Quantity::Knots:
        if (n.size() == 1 && contains(text, "ノット"))
            return n;
        break;
    case Quantity::Cm:
        if (n.size() == 1 && contains(text, "cm"))
            return n;
        break;
    case Quantity::Duration:
        if (contains(text, "時間") && n.size() == 1 && !contains(text, "分"))
            return { n[0] * 60.0 };
        if (contains(text, "時間") && n.size() == 2 && contains(text, "分"))
            return { n[0] * 60.0 + n[1] };
        if (!contains(text, "時") && n.size() == 1 && contains(text, "分"))
            return n;
        break;
    case Quantity::ClockTime:
        if (n.size() == 2 && contains(text, "時") && contains(text, "分")
            && !contains(text, "時間"))
            return { n[0] * 60.0 + n[1] };
        break;
    case Quantity::Position:
        if (const auto p = positionStatedBy(text))
            return { p->latMinutes, p->lonMinutes };
        break;
    case Quantity::FromMark:
        if (n.size() == 2 && text.starts_with(unit + "から真方位") && contains(text, "°、距離")
            && contains(text, "海里"))
            return n;
        break;
    case Quantity::Deviation: {
        const bool east = contains(text, "E");
        const bool west = contains(text, "W");
        if (n.size() == 1 && contains(text, "°") && !(east && west)
            && (east || west || n[0] == 0.0))
            return { west ? -n[0] : n[0] };
        break;
    }
    case Quantity::Course:
        if (n.size() == 1 && contains(text, "°"))
            return n;
        break;
    case Quantity::Current:
        if (n.size() == 2 && contains(text, "流向") && contains(text, "流速"))
            return n;
        break;
    case Quantity::Number:
        if (statesNumber(text, claimed))
            return { claimed };
        break;
    case Quantity::Metres:
        if (n.size() == 1 && contains(text, "m") && !contains(text, "cm"))
            return n;
        break;
    }
    return {};
}

// The step each component of a choice is printed to, in the machine form of its quantity: 0.1
// for "0.9海里", 1 for "037°", 1 minute for "2時間20分", 60 for "3時間", 0.1′ for a position.
// Empty when the text does not state the value in its quantity's form.
std::vector<double> printedSteps(
    Quantity q, const std::string &text, double claimed, const std::string &unit)
{
    std::vector<int> decimals;
    const std::vector<double> n = numbersIn(text, &decimals);
    auto step = [&decimals](std::size_t i) { return std::pow(10.0, -decimals.at(i)); };
    if (valueStatedBy(q, text, claimed, unit).empty())
        return {};
    switch (q) {
    case Quantity::Duration:
        // Minutes when it prints them, otherwise the hours' own digits.
        return { contains(text, "分") ? step(n.size() - 1) : 60.0 * step(0) };
    case Quantity::ClockTime:
        return { step(1) };
    case Quantity::Position:
        return { step(1), step(3) };
    case Quantity::FromMark:
    case Quantity::Current:
        return { step(0), step(1) };
    case Quantity::Number:
        for (std::size_t i = 0; i < n.size(); ++i)
            if (std::abs(n[i] - claimed) <= 1e-9 * std::max(1.0, std::abs(claimed)))
                return { step(i) };
        return {};
    default:
        return { step(0) };
    }
}

// "HH:MM" or "H:MM" as minutes.
std::optional<double> minutesOf(const std::string &s)
{
    const auto colon = s.find(':');
    if (colon == std::string::npos || colon == 0 || s.size() - colon != 3)
        return std::nullopt;
    try {
        std::size_t used = 0;
        const int h = std::stoi(s.substr(0, colon), &used);
        const int m = std::stoi(s.substr(colon + 1));
        if (used != colon || h < 0 || m < 0 || m > 59)
            return std::nullopt;
        return h * 60.0 + m;
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

// A choice_values entry in the machine form of the quantity.
std::vector<double> claimedValue(Quantity q, const toml::node &entry, const std::string &what)
{
    std::vector<double> raw;
    if (const toml::array *a = entry.as_array()) {
        for (const toml::node &n : *a)
            raw.push_back(Inputs::numberOf(n, what));
    } else if (auto s = entry.value<std::string>()) {
        if (auto m = minutesOf(*s); m && (q == Quantity::Duration || q == Quantity::ClockTime))
            raw.push_back(*m);
    } else if (entry.is_number()) {
        raw.push_back(Inputs::numberOf(entry, what));
    }
    if (q == Quantity::Position && raw.size() == 4)
        return { raw[0] * 60.0 + raw[1], raw[2] * 60.0 + raw[3] };
    if (q != Quantity::Position && raw.size() == ruleOf(q).components)
        return raw;
    throw CheckError(what + " is not a " + quantityName(q));
}

// Directions differ round the compass, times of day round the clock (an arrival after midnight
// is worked as 24時 and more, its choice states the hour of the next day).
double componentDifference(Quantity q, std::size_t i, double a, double b)
{
    if (q == Quantity::ClockTime) {
        const double d = std::fmod(std::abs(a - b), 1440.0);
        return std::min(d, 1440.0 - d);
    }
    return ruleOf(q).circular[i] ? std::abs(signedAngle(a - b)) : std::abs(a - b);
}

bool within(Quantity q, const std::vector<double> &a, const std::vector<double> &b,
    const std::vector<double> &tolerance)
{
    for (std::size_t i = 0; i < a.size(); ++i)
        if (componentDifference(q, i, a[i], b[i]) > tolerance[i] + 1e-9)
            return false;
    return true;
}

bool apart(Quantity q, const std::vector<double> &a, const std::vector<double> &b,
    const std::vector<double> &gap)
{
    if (q == Quantity::FromMark)
        return length(along(a[0], a[1]) - along(b[0], b[1])) >= gap[0] - 1e-9;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (componentDifference(q, i, a[i], b[i]) >= gap[i] - 1e-9)
            return true;
    return false;
}

// A tolerance or spacing with its unit: "0.3′", "5分", "1°", "10cm".
std::string amountText(Quantity q, const std::vector<double> &t, const std::string &unit)
{
    switch (q) {
    case Quantity::Miles:
        return plain(t[0]) + "海里";
    case Quantity::Knots:
        return plain(t[0]) + "ノット";
    case Quantity::Duration:
    case Quantity::ClockTime:
        return plain(t[0]) + "分";
    case Quantity::Position:
        return plain(t[0]) + "′";
    case Quantity::FromMark:
        return t[1] == 0.0 ? plain(t[0]) + "海里" : plain(t[0]) + "°, " + plain(t[1]) + "海里";
    case Quantity::Deviation:
    case Quantity::Course:
        return plain(t[0]) + "°";
    case Quantity::Current:
        return plain(t[0]) + "°, " + plain(t[1]) + "ノット";
    case Quantity::Cm:
        return plain(t[0]) + "cm";
    case Quantity::Number:
        return plain(std::round(t[0] * 1e4) / 1e4) + unit;
    case Quantity::Metres:
        return plain(t[0]) + "m";
    }
    return {};
}

// A value written with the digits of the steps a choice prints it to.
std::string answerTextAt(Quantity q, const std::vector<double> &v, const std::vector<double> &steps,
    const std::string &unit)
{
    auto digits = [&steps](std::size_t i) {
        return std::max(0, static_cast<int>(std::lround(-std::log10(steps.at(i)))));
    };
    switch (q) {
    case Quantity::Miles:
        return fixed(v[0], digits(0)) + "海里";
    case Quantity::Knots:
        return fixed(v[0], digits(0)) + "ノット";
    case Quantity::Cm:
        return fixed(v[0], digits(0)) + "cm";
    case Quantity::Course:
        return directionText(normalized360(v[0]));
    case Quantity::Deviation:
        return v[0] == 0.0 ? "0°" : fixed(std::abs(v[0]), digits(0)) + (v[0] < 0 ? "°W" : "°E");
    case Quantity::Duration:
        if (steps[0] < 60.0 - 1e-9)
            return durationText(v[0]);
        return fixed(v[0] / 60.0,
                   std::max(0, static_cast<int>(std::lround(-std::log10(steps[0] / 60.0)))))
            + "時間";
    case Quantity::Current:
        return "流向 " + directionText(normalized360(v[0])) + "、流速 " + fixed(v[1], digits(1))
            + "ノット";
    case Quantity::FromMark:
        return fromMarkText(unit, normalized360(v[0]), fixed(v[1], digits(1)));
    case Quantity::Number:
        return fixed(v[0], digits(0)) + unit;
    default:
        return answerText(q, v, unit);
    }
}

// The computed value two digits finer than a choice prints it, for the message that compares
// them: "0.906海里", "16時14.3分", "北緯30°05.23′、東経135°03.14′".
std::string finerText(Quantity q, const std::vector<double> &v, const std::string &unit)
{
    auto finer = [](double x) { return plain(std::round(x * 1000.0) / 1000.0); };
    auto minutesText = [](double m) {
        const double whole = std::floor(m / 60.0);
        return plain(whole) + "°" + (m - whole * 60.0 < 10.0 ? "0" : "")
            + fixed(m - whole * 60.0, 2) + "′";
    };
    switch (q) {
    case Quantity::Duration:
        return finer(v[0]) + "分";
    case Quantity::ClockTime: {
        const double m = std::fmod(v[0], 1440.0);
        return plain(std::floor(m / 60.0)) + "時" + finer(m - std::floor(m / 60.0) * 60.0) + "分";
    }
    case Quantity::Position:
        return "北緯" + minutesText(v[0]) + "、東経" + minutesText(v[1]);
    case Quantity::Current:
        return "流向 " + finer(v[0]) + "°、流速 " + finer(v[1]) + "ノット";
    case Quantity::FromMark:
        return unit + "から真方位" + finer(v[0]) + "°、距離" + finer(v[1]) + "海里";
    default:
        return amountText(q, { std::round(v[0] * 1000.0) / 1000.0, 0.0 }, unit);
    }
}

std::vector<double> toleranceOf(const Kind &kind, Quantity q, Inputs &in, double computed)
{
    const std::size_t n = ruleOf(q).components;
    if (!in.has("tolerance")) {
        if (kind.tolerance == ToleranceRule::FromTable)
            throw CheckError("missing check.tolerance");
        const double t = kind.tolerance == ToleranceRule::Relative
            ? kind.defaultTolerance * std::abs(computed)
            : kind.defaultTolerance;
        return std::vector<double>(n, t);
    }
    const toml::node &node = in.raw("tolerance");
    std::vector<double> result;
    if (const toml::array *a = node.as_array()) {
        for (const toml::node &e : *a)
            result.push_back(Inputs::numberOf(e, "check.tolerance"));
    } else {
        result.assign(n, Inputs::numberOf(node, "check.tolerance"));
    }
    if (result.size() != n)
        throw CheckError(std::string("check.tolerance does not fit a ") + quantityName(q));
    return result;
}

} // namespace

KeyCheckResult checkKey(const CheckTable &table, const std::string &question,
    const std::vector<std::string> &choices, int correct)
{
    KeyCheckResult result;
    auto fault = [&result](std::string f) { result.faults.push_back(std::move(f)); };
    if (choices.size() != 4 || correct < 1 || correct > 4)
        return result; // the bank's own rules report these
    std::vector<Figure> figures;
    Inputs in(table.table(), "check.", figures, table.marks());
    try {
        const Kind &kind = kindOf(in);
        Solution s = kind.solve(in);
        s.answer = answerText(s.quantity, s.value, s.unit);
        if (s.geometry)
            frame(*s.geometry);
        const Quantity q = s.quantity;
        const QuantityRule rule = ruleOf(q);
        for (const Figure &f : figures)
            if (!f.foundIn(question))
                fault("the question does not state " + f.shown + ", which the check table uses");
        const std::vector<double> tolerance = toleranceOf(kind, q, in, s.value.at(0));
        for (std::size_t i = 0; i < tolerance.size(); ++i)
            if (tolerance[i] > rule.maxTolerance[i])
                fault("tolerance " + plain(tolerance[i]) + " is looser than the "
                    + amountText(q, { rule.maxTolerance[0], rule.maxTolerance[1] }, s.unit)
                    + " a careful plot needs");
        std::vector<double> gap(
            rule.minimumGap.begin(), rule.minimumGap.begin() + static_cast<long>(rule.components));
        if (q == Quantity::Number)
            gap = { 2.0 * tolerance[0] };

        const toml::array *values = in.raw("choice_values").as_array();
        if (!values || values->size() != 4)
            throw CheckError("choice_values must hold four values");
        std::vector<std::vector<double>> claimed;
        for (std::size_t c = 0; c < 4; ++c) {
            const std::string label = "choice " + std::to_string(c + 1);
            claimed.push_back(claimedValue(q, *values->get(c), "choice_values of " + label));
            const std::vector<double> said
                = valueStatedBy(q, choices[c], claimed.back()[0], s.unit);
            bool same = said.size() == claimed.back().size();
            for (std::size_t i = 0; same && i < said.size(); ++i)
                same = std::abs(said[i] - claimed.back()[i]) < 1e-6;
            if (!same)
                fault(label + " \"" + choices[c] + "\" does not state its value "
                    + answerText(q, claimed.back(), s.unit) + " (choice_values)");
        }
        for (const std::string &field : in.unread())
            fault("unused field " + field);

        // A candidate who plots well finds the computed value and rounds it as the choices
        // print; the key must be that figure, not merely near it (0.91 is 0.9海里, not 1.0).
        auto checkRounding = [&](std::size_t c) {
            const std::vector<double> steps = printedSteps(q, choices[c], claimed[c][0], s.unit);
            if (steps.size() != claimed[c].size())
                return; // the choice's own fault says it states no such value
            std::vector<double> rounded;
            for (std::size_t i = 0; i < steps.size(); ++i)
                rounded.push_back(std::round(s.value.at(i) / steps[i]) * steps[i]);
            if (!within(q, claimed[c], rounded, std::vector<double>(steps.size(), 1e-6)))
                fault("the key (" + std::to_string(correct) + ") \"" + choices[c]
                    + "\" is not the computed " + finerText(q, s.value, s.unit)
                    + " rounded to the digits it prints, which gives "
                    + answerTextAt(q, rounded, steps, s.unit));
        };
        const std::string computed = "the computed " + s.answer;
        const std::string tol = amountText(q, tolerance, s.unit);
        const std::vector<double> &key = claimed[static_cast<std::size_t>(correct - 1)];
        for (std::size_t c = 0; c < 4; ++c) {
            const std::string label = "choice " + std::to_string(c + 1);
            const bool matches = within(q, claimed[c], s.value, tolerance);
            if (static_cast<int>(c) + 1 == correct) {
                if (!matches)
                    fault("the key (" + std::to_string(correct) + ") \"" + choices[c]
                        + "\" is not within " + tol + " of " + computed);
                checkRounding(c);
                continue;
            }
            if (matches)
                fault(label + " \"" + choices[c] + "\" is also within " + tol + " of " + computed);
            else if (!apart(q, claimed[c], key, gap))
                fault(label + " \"" + choices[c] + "\" is closer to the key than the "
                    + amountText(q, gap, s.unit) + " spacing the bank guide asks");
        }
        result.solution = std::move(s);
    } catch (const CheckError &e) {
        fault(std::string("check table: ") + e.what());
    } catch (const std::out_of_range &) {
        fault("check table: the kind computed no value");
    }
    return result;
}

} // namespace tovarin::solver
