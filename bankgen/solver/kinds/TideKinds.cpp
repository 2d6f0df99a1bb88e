// Tides (question 56). The table holds the tide-table extract the variant's picture shows:
//   port, month; days = [{ day, tides = [["HH:MM", height_cm, "HW"|"LW"], ...] }, ...]
//   secondary = { port, hw_diff = "±H:MM", lw_diff = "±H:MM", ratio }   (optional)
//   ask, with the tides it names as [day, "HH:MM"]:
//     height | time            of `tide`, read from the table
//     range | duration         between the consecutive tides `from` and `to`
//     secondary_time           `tide`'s time + the secondary port's 潮時差
//     secondary_height         `tide`'s height × 潮高比
//     secondary_range          range of `from`-`to` × 潮高比
//     twelfths_height          height at `at` between `from` and `to`, by the rule of twelfths
//     twelfths_time            time between `from` and `to` when the height is `height`
//     keel_depth               charted_depth + height of tide - draft
//     bridge_clearance         charted_height + (highest_water - height of tide) - air_draft
//   The last two take the height of tide from `tide` (a high or low water) or, with `from`, `to`
//   and `at`, by the rule of twelfths; their figures are metres: charted_depth from 最低水面
//   (the tide table's datum), charted_height from 最高水面, highest_water the height of 最高水面
//   above 最低水面, air_draft the boat's highest point above the water. They need `tolerance`
//   in metres (half the last printed digit).
//   choice_values: cm as integers, times "HH:MM", durations "H:MM", metres as numbers.
// The table has no `kind`: a table with `days` is a tide table.

#include "bankgen/solver/TideTable.h"
#include "bankgen/solver/detail/Kinds.h"
#include "bankgen/solver/detail/Texts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace tovarin::solver::detail {
namespace {

std::optional<int> clockOf(const std::string &s, bool allowSign = false)
{
    int sign = 1;
    std::string t = s;
    if (allowSign && !t.empty() && (t[0] == '+' || t[0] == '-')) {
        sign = t[0] == '-' ? -1 : 1;
        t = t.substr(1);
    }
    int h = 0, m = 0;
    char colon = 0, rest = 0;
    if (std::sscanf(t.c_str(), "%d%c%d%c", &h, &colon, &m, &rest) != 3 || colon != ':' || h < 0
        || h > 23 || m < 0 || m > 59 || t.size() < 4 || t[t.size() - 3] != ':')
        return std::nullopt;
    return sign * (h * 60 + m);
}

std::string cm(double v)
{
    return std::to_string(std::lround(v)) + "cm";
}

// 1.4m, 0.85m, 2.0m: as charts and question texts print metres.
std::string metres(double v)
{
    std::string s = fixed(v, 2);
    if (s.back() == '0')
        s.pop_back();
    return s + "m";
}

// The extract as the picture shows it; the ask's fields are the kind's to read.
TideTable readTideTable(Inputs &in)
{
    TideTable table;
    table.month = static_cast<int>(in.number("month"));
    if (table.month < 1 || table.month > 12)
        throw CheckError("month outside 1-12");
    table.port = in.text("port");
    const toml::array *days = in.raw("days").as_array();
    if (!days || days->empty())
        throw CheckError("no days");
    std::optional<int> previousDay;
    for (const toml::node &d : *days) {
        const toml::table *day = d.as_table();
        const int number = day ? (*day)["day"].value_or(0) : 0;
        const toml::array *tides = day ? (*day)["tides"].as_array() : nullptr;
        if (number < 1 || number > 31 || !tides)
            throw CheckError("a day needs day = 1-31 and tides");
        if (previousDay && number != *previousDay + 1)
            throw CheckError("days are not consecutive at day " + std::to_string(number));
        previousDay = number;
        table.days.push_back(number);
        for (const toml::node &t : *tides) {
            const toml::array *e = t.as_array();
            const auto time = e && e->size() == 3 ? e->get(0)->value<std::string>() : std::nullopt;
            const auto height = e && e->size() == 3 ? e->get(1)->value<int>() : std::nullopt;
            const auto type = e && e->size() == 3 ? e->get(2)->value<std::string>() : std::nullopt;
            const auto minutes = time ? clockOf(*time) : std::nullopt;
            if (!minutes || !height || !type || (*type != "HW" && *type != "LW"))
                throw CheckError("day " + std::to_string(number)
                    + ": a tide is not [\"HH:MM\", cm, \"HW\"|\"LW\"]");
            table.tides.push_back({ number, *minutes, *height, *type == "HW" });
        }
    }
    // The extract must read as a real semidiurnal tide, or its key teaches nonsense.
    for (std::size_t i = 1; i < table.tides.size(); ++i) {
        const Tide &a = table.tides[i - 1], &b = table.tides[i];
        const long gap = b.absolute() - a.absolute();
        const std::string where = "day " + std::to_string(b.day) + " " + clockText(b.minutes);
        if (a.high == b.high)
            throw CheckError(where + ": high and low waters do not alternate");
        if (gap < 4 * 60 || gap > 8 * 60)
            throw CheckError(
                where + ": " + std::to_string(gap) + " minutes after the previous tide");
        if (a.high ? a.height <= b.height : a.height >= b.height)
            throw CheckError(where + ": a high water is not above the low waters beside it");
    }
    return table;
}

std::string nameOf(const Tide &t)
{
    return t.high ? "高潮" : "低潮";
}

// The cumulative fraction of the range after x sixths of the interval: 1, 2, 3, 3, 2, 1 twelfths.
constexpr double twelfthsSoFar[] = { 0, 1, 3, 6, 9, 11, 12 };

double twelfths(double x)
{
    x = std::clamp(x, 0.0, 6.0);
    const int k = std::min(int(x), 5);
    return (twelfthsSoFar[k] + (twelfthsSoFar[k + 1] - twelfthsSoFar[k]) * (x - k)) / 12.0;
}

double inverseTwelfths(double fraction)
{
    const double f = std::clamp(fraction, 0.0, 1.0) * 12;
    int k = 0;
    while (k < 5 && twelfthsSoFar[k + 1] < f)
        ++k;
    return k + (f - twelfthsSoFar[k]) / (twelfthsSoFar[k + 1] - twelfthsSoFar[k]);
}

class TideWork
{
public:
    TideWork(Inputs &in, Solution &s)
        : m_in(in)
        , m_s(s)
    {
    }

    void run()
    {
        readTides();
        const std::string ask = m_in.text("ask");
        requireText(m_in.text("port"));
        if (ask == "keel_depth")
            return keelDepth();
        if (ask == "bridge_clearance")
            return bridgeClearance();
        const bool secondary = ask.rfind("secondary_", 0) == 0;
        if (ask == "height" || ask == "time" || ask == "secondary_time"
            || ask == "secondary_height") {
            const Tide t = tideAt("tide");
            requireDay(t);
            step(m_s, "潮汐表を読む", m_port + " " + dayText(t) + "の" + nameOf(t), "",
                clockText(t.minutes) + " " + cm(t.height));
            if (ask == "height")
                return answer(Quantity::Cm, t.height);
            if (ask == "time")
                return answer(Quantity::ClockTime, t.minutes);
            const toml::table &sec = secondaryTable();
            const std::string port = sec["port"].value_or(std::string("?"));
            requireText(port);
            if (ask == "secondary_height") {
                const double r = ratio(sec);
                step(m_s, port + "の潮高", "潮高 ＝ 標準港の潮高 × 潮高比",
                    std::to_string(t.height) + " × " + plain(r), cm(t.height * r));
                return answer(Quantity::Cm, t.height * r);
            }
            const auto diff
                = clockOf(sec[t.high ? "hw_diff" : "lw_diff"].value_or(std::string()), true);
            if (!diff)
                throw CheckError("secondary hw_diff / lw_diff must be \"±H:MM\"");
            const int local = t.minutes + *diff;
            if (local < 0 || local >= 1440)
                throw CheckError("the secondary port's time falls on another day; the question "
                                 "would have to say so");
            step(m_s, port + "の潮時", "潮時 ＝ 標準港の潮時 ＋ 潮時差（符号どおりに加える）",
                clockText(t.minutes) + (*diff < 0 ? " - " : " + ") + durationText(std::abs(*diff)),
                clockText(local));
            return answer(Quantity::ClockTime, local);
        }
        const auto [a, b] = pair();
        readPair(
            a, b, ask == "range" || ask == "secondary_range" || ask.rfind("twelfths_", 0) == 0);
        const double range = std::abs(a.height - b.height);
        const double interval = double(b.absolute() - a.absolute());
        if (ask == "range")
            return answer(Quantity::Cm, range);
        if (ask == "secondary_range") {
            const toml::table &sec = secondaryTable();
            const std::string port = sec["port"].value_or(std::string("?"));
            requireText(port);
            const double r = ratio(sec);
            step(m_s, port + "の潮差", "潮差 ＝ 標準港の潮差 × 潮高比",
                cm(range) + " × " + plain(r), cm(range * r));
            return answer(Quantity::Cm, range * r);
        }
        if (secondary)
            throw CheckError("unknown ask \"" + ask + "\"");
        step(m_s, "潮時の間隔", "間隔 ＝ 後の潮時 － 前の潮時",
            clockText(b.minutes) + " - " + clockText(a.minutes), durationText(interval));
        if (ask == "duration")
            return answer(Quantity::Duration, interval);
        const double sixth = interval / 6.0;
        if (ask == "twelfths_height")
            return answer(Quantity::Cm, twelfthsHeight(a, b));
        if (ask == "twelfths_time") {
            const auto height = m_in.raw("height").value<int>();
            if (!height || (*height - a.height) * (*height - b.height) >= 0)
                throw CheckError("height must lie strictly between the heights of from and to");
            requireText(cm(*height));
            const double change = std::abs(*height - a.height);
            const double f = change / range;
            step(m_s, "変化量", "変化量 ＝ 求める潮高と前の潮高の差",
                std::to_string(*height) + " と " + std::to_string(a.height),
                cm(change) + "（潮差の " + fixed(f * 12.0, 2) + "/12）");
            const double x = inverseTwelfths(f);
            step(m_s, "十二分法",
                "累計の十二分率（1, 3, 6, 9, 11, 12）から経過した単位数を求める（1単位 ＝ "
                "間隔の6分の1）",
                fixed(f * 12.0, 2) + "/12、1単位 ＝ " + durationText(sixth),
                fixed(x, 2) + "単位 ＝ " + durationText(x * sixth));
            const double t = std::fmod(a.absolute() + x * sixth, 1440.0);
            step(m_s, "時刻", "時刻 ＝ 前の潮時 ＋ 経過時間",
                clockText(a.minutes) + " + " + durationText(x * sixth), clockText(t));
            return answer(Quantity::ClockTime, t);
        }
        throw CheckError("unknown ask \"" + ask + "\"");
    }

private:
    // Depth under the keel: the chart's depth is below 最低水面, the datum of the tide table's
    // heights, so the height of tide adds to it and the draft comes off.
    void keelDepth()
    {
        const double depth = metresStated("charted_depth");
        const double draft = metresStated("draft");
        const double h = heightOfTide() / 100.0;
        step(m_s, "その時の水深", "水深 ＝ 海図の水深（最低水面から） ＋ 潮高",
            metres(depth) + " + " + metres(h), metres(depth + h));
        const double under = depth + h - draft;
        if (under <= 0)
            throw CheckError("the keel would touch the bottom; the question would have to say so");
        step(m_s, "キール下の水深", "キール下の水深 ＝ 水深 － 喫水",
            metres(depth + h) + " - " + metres(draft), metres(under));
        answer(Quantity::Metres, under);
    }

    // Clearance under a bridge: the chart gives its height above 最高水面, so the water standing
    // lower than 最高水面 by (最高水面 - height of tide) adds to it.
    void bridgeClearance()
    {
        const double height = metresStated("charted_height");
        const double highest = metresStated("highest_water");
        const double air = metresStated("air_draft");
        const double h = heightOfTide() / 100.0;
        if (h > highest)
            throw CheckError("the tide stands above 最高水面");
        step(m_s, "水面から橋桁まで",
            "高さ ＝ 海図の橋の高さ（最高水面から） ＋ （最高水面の高さ － 潮高）",
            metres(height) + " + (" + metres(highest) + " - " + metres(h) + ")",
            metres(height + highest - h));
        const double clearance = height + highest - h - air;
        if (clearance <= 0)
            throw CheckError("the boat would not pass; the question would have to say so");
        step(m_s, "橋桁との間隔", "間隔 ＝ 水面から橋桁まで － 水面上の船の高さ",
            metres(height + highest - h) + " - " + metres(air), metres(clearance));
        answer(Quantity::Metres, clearance);
    }

    double metresStated(const char *key)
    {
        const double v = m_in.number(key);
        if (v <= 0)
            throw CheckError(std::string(key) + " must be positive");
        m_in.requirePhrase(metres(v));
        return v;
    }

    // The height of tide, in cm, a depth or clearance rests on: a high or low water the table
    // gives (`tide`), or the height at `at` between `from` and `to` by the rule of twelfths.
    double heightOfTide()
    {
        if (m_in.has("tide")) {
            const Tide t = tideAt("tide");
            requireDay(t);
            step(m_s, "潮汐表を読む", m_port + " " + dayText(t) + "の" + nameOf(t), "",
                clockText(t.minutes) + " " + cm(t.height));
            return t.height;
        }
        const auto [a, b] = pair();
        readPair(a, b, true);
        step(m_s, "潮時の間隔", "間隔 ＝ 後の潮時 － 前の潮時",
            clockText(b.minutes) + " - " + clockText(a.minutes),
            durationText(double(b.absolute() - a.absolute())));
        return twelfthsHeight(a, b);
    }

    void readPair(const Tide &a, const Tide &b, bool withRange)
    {
        requireDay(a);
        step(m_s, "潮汐表を読む",
            m_port + " " + dayText(a) + "の" + nameOf(a) + "と次の" + nameOf(b), "",
            clockText(a.minutes) + " " + cm(a.height) + "、" + clockText(b.minutes) + " "
                + cm(b.height));
        if (withRange)
            step(m_s, "潮差", "潮差 ＝ 高潮の潮高 － 低潮の潮高",
                std::to_string(std::max(a.height, b.height)) + " - "
                    + std::to_string(std::min(a.height, b.height)),
                cm(std::abs(a.height - b.height)));
    }

    // The height at `at` between the consecutive tides a and b, by the rule of twelfths.
    double twelfthsHeight(const Tide &a, const Tide &b)
    {
        const double range = std::abs(a.height - b.height);
        const double interval = double(b.absolute() - a.absolute());
        const double sixth = interval / 6.0;
        const toml::array *at = m_in.raw("at").as_array();
        const auto day = at && at->size() == 2 ? at->get(0)->value<int>() : std::nullopt;
        const auto time = at && at->size() == 2 ? at->get(1)->value<std::string>() : std::nullopt;
        const auto minutes = time ? clockOf(*time) : std::nullopt;
        if (!day || !minutes)
            throw CheckError("at must be [day, \"HH:MM\"]");
        const double since = *day * 1440.0 + *minutes - a.absolute();
        if (since <= 0 || since >= interval)
            throw CheckError("at is not between from and to");
        requireText(clockText(*minutes));
        const double x = 6 * since / interval;
        step(m_s, "経過時間", "経過時間 ＝ 求める時刻 － 前の潮時（間隔の6分の1を単位に数える）",
            clockText(*minutes) + " - " + clockText(a.minutes) + "、1単位 ＝ "
                + durationText(sixth),
            durationText(since) + " ＝ " + fixed(x, 2) + "単位");
        const double f = twelfths(x);
        const double change = range * f;
        step(m_s, "十二分法",
            "変化量 ＝ 潮差 × 累計の十二分率（各単位で 1, 2, 3, 3, 2, 1 の12分の1）",
            cm(range) + " × " + fixed(f * 12.0, 2) + " ÷ 12", cm(change));
        const double h = a.height + (b.height - a.height) * f;
        step(m_s, "潮高",
            b.height < a.height ? "潮高 ＝ 前の高潮の潮高 － 変化量"
                                : "潮高 ＝ 前の低潮の潮高 ＋ 変化量",
            std::to_string(a.height) + (b.height < a.height ? " - " : " + ") + fixed(change, 1),
            cm(h));
        return h;
    }

    void answer(Quantity q, double v)
    {
        m_s.quantity = q;
        m_s.unit = q == Quantity::Cm  ? "cm"
            : q == Quantity::Metres   ? "m"
            : q == Quantity::Duration ? "時間"
                                      : "時刻";
        m_s.value = { v };
    }

    void requireText(const std::string &text)
    {
        m_in.require(
            { text, [text](const std::string &t) { return t.find(text) != std::string::npos; } });
    }
    std::string dayText(const Tide &t) const
    {
        return std::to_string(m_month) + "月" + std::to_string(t.day) + "日";
    }
    void requireDay(const Tide &t) { requireText(dayText(t)); }

    void readTides()
    {
        const TideTable table = readTideTable(m_in);
        m_month = table.month;
        m_port = table.port;
        m_tides = table.tides;
    }

    Tide tideAt(const char *key)
    {
        const toml::array *ref = m_in.raw(key).as_array();
        const auto day = ref && ref->size() == 2 ? ref->get(0)->value<int>() : std::nullopt;
        const auto time
            = ref && ref->size() == 2 ? ref->get(1)->value<std::string>() : std::nullopt;
        const auto minutes = time ? clockOf(*time) : std::nullopt;
        if (!day || !minutes)
            throw CheckError(std::string(key) + " must be [day, \"HH:MM\"]");
        for (std::size_t i = 0; i < m_tides.size(); ++i)
            if (m_tides[i].day == *day && m_tides[i].minutes == *minutes) {
                m_lastIndex = i;
                return m_tides[i];
            }
        throw CheckError(std::string(key) + " names a tide that is not in the table");
    }

    std::pair<Tide, Tide> pair()
    {
        const Tide a = tideAt("from");
        const std::size_t ia = m_lastIndex;
        const Tide b = tideAt("to");
        if (m_lastIndex != ia + 1)
            throw CheckError("from and to are not consecutive tides");
        return { a, b };
    }

    const toml::table &secondaryTable()
    {
        if (const toml::table *t = m_in.raw("secondary").as_table())
            return *t;
        throw CheckError("secondary is not a table");
    }

    static double ratio(const toml::table &sec)
    {
        const auto r = sec["ratio"].value<double>();
        if (!r || *r <= 0)
            throw CheckError("secondary.ratio missing");
        return *r;
    }

    Inputs &m_in;
    Solution &m_s;
    int m_month = 0;
    std::string m_port;
    std::vector<Tide> m_tides;
    std::size_t m_lastIndex = 0;
};

Solution tide(Inputs &in)
{
    Solution s = started("tide", Quantity::Cm, "cm");
    TideWork(in, s).run();
    return s;
}

// "±H:MM" as signed minutes.
int difference(const toml::table &secondary, const char *key)
{
    const auto d = clockOf(secondary[key].value_or(std::string()), true);
    if (!d)
        throw CheckError("secondary hw_diff / lw_diff must be \"±H:MM\"");
    return *d;
}

} // namespace

std::vector<Kind> tideKinds()
{
    return { { "tide", tide, ToleranceRule::Absolute, 1.0 } };
}

} // namespace tovarin::solver::detail

namespace tovarin::solver {

TideTable tideTableOf(const CheckTable &check)
{
    std::vector<detail::Figure> figures;
    detail::Inputs in(check.table(), "check.", figures, check.marks());
    TideTable table = detail::readTideTable(in);
    if (in.has("secondary")) {
        const toml::node &node = in.raw("secondary");
        const toml::table *secondary = node.as_table();
        const auto port = secondary ? (*secondary)["port"].value<std::string>() : std::nullopt;
        const auto ratio = secondary ? (*secondary)["ratio"].value<double>() : std::nullopt;
        if (!port || !ratio || *ratio <= 0)
            throw CheckError("secondary needs port, hw_diff, lw_diff and ratio");
        table.secondary = SecondaryPort { *port, detail::difference(*secondary, "hw_diff"),
            detail::difference(*secondary, "lw_diff"), *ratio };
    }
    return table;
}

} // namespace tovarin::solver
