// Recomputes the key of every question-56 variant from its [variant.check] table in
// bank/data/q56.toml, the same tide-table extract the picture generator draws.
//
// check table:
//   port, month; days = [{ day, tides = [["HH:MM", height_cm, "HW"|"LW"], ...] }, ...]
//   secondary = { port, hw_diff = "±H:MM", lw_diff = "±H:MM", ratio }   (optional)
//   ask, with the tides it names as [day, "HH:MM"]:
//     height | time                  of `tide`, read from the table
//     range | duration               between the consecutive tides `from` and `to`
//     secondary_time                 `tide`'s time + the secondary port's 潮時差
//     secondary_height               `tide`'s height x 潮高比
//     secondary_range                range of `from`-`to` x 潮高比
//     twelfths_height                height at `at` between `from` and `to`, rule of twelfths
//     twelfths_time                  time between `from` and `to` when the height is `height`
//   choice_values: what each choice states, in order: cm as integers, times "HH:MM",
//                  durations "H:MM"; choice texts read "172cm", "13時55分", "6時間12分".
// A key passes when the keyed choice is the only one within a minute or a centimetre of
// the computed value, and the choices are at least 20 minutes or 10 cm apart.
#include <gtest/gtest.h>
#include <toml++/toml.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

enum class Unit { Cm, Time, Duration };

struct Tide {
    int day = 0;
    int minutes = 0; // of the day
    int height = 0;
    bool high = false;
    long absolute() const { return day * 1440L + minutes; }
};

std::optional<int> clock(const std::string &s, bool allowSign = false)
{
    int sign = 1;
    std::string t = s;
    if (allowSign && !t.empty() && (t[0] == '+' || t[0] == '-')) {
        sign = t[0] == '-' ? -1 : 1;
        t = t.substr(1);
    }
    int h = 0, m = 0;
    char colon = 0, rest = 0;
    if (std::sscanf(t.c_str(), "%d%c%d%c", &h, &colon, &m, &rest) != 3 || colon != ':' || h < 0 || h > 23 || m < 0
        || m > 59 || t.size() < 4 || t[t.size() - 3] != ':')
        return std::nullopt;
    return sign * (h * 60 + m);
}

std::string format(Unit unit, double value)
{
    const int v = int(std::lround(value));
    char buf[64];
    if (unit == Unit::Cm)
        std::snprintf(buf, sizeof buf, "%dcm", v);
    else if (unit == Unit::Time)
        std::snprintf(buf, sizeof buf, "%d時%02d分", v / 60, v % 60);
    else
        std::snprintf(buf, sizeof buf, "%d時間%02d分", v / 60, v % 60);
    return buf;
}

// Fraction of the range covered after x sixths of the interval: 1, 2, 3, 3, 2, 1 twelfths.
double twelfths(double x)
{
    static const double cumulative[] = {0, 1, 3, 6, 9, 11, 12};
    x = std::clamp(x, 0.0, 6.0);
    const int k = std::min(int(x), 5);
    return (cumulative[k] + (cumulative[k + 1] - cumulative[k]) * (x - k)) / 12.0;
}

double inverseTwelfths(double fraction)
{
    static const double cumulative[] = {0, 1, 3, 6, 9, 11, 12};
    const double f = std::clamp(fraction, 0.0, 1.0) * 12;
    int k = 0;
    while (k < 5 && cumulative[k + 1] < f)
        ++k;
    return k + (f - cumulative[k]) / (cumulative[k + 1] - cumulative[k]);
}

class Checker {
public:
    explicit Checker(const toml::table &variant) : m_variant(variant) {}

    // Everything wrong with the variant; empty when its key is right and unambiguous.
    std::vector<std::string> run()
    {
        const toml::table *check = m_variant["check"].as_table();
        if (!check)
            return {"no [variant.check] table"};
        m_check = check;
        readTides();
        if (!m_faults.empty())
            return m_faults;
        Unit unit = Unit::Cm;
        const std::optional<double> value = compute(&unit);
        if (!value)
            return m_faults;
        compareChoices(*value, unit);
        return m_faults;
    }

private:
    void fault(const std::string &what) { m_faults.push_back(what); }

    void readTides()
    {
        const toml::table &c = *m_check;
        m_month = c["month"].value_or(0);
        if (m_month < 1 || m_month > 12)
            fault("month missing or outside 1-12");
        const toml::array *days = c["days"].as_array();
        if (!days || days->empty())
            return fault("no days");
        std::optional<int> previousDay;
        for (const toml::node &d : *days) {
            const toml::table *day = d.as_table();
            const int number = day ? (*day)["day"].value_or(0) : 0;
            const toml::array *tides = day ? (*day)["tides"].as_array() : nullptr;
            if (number < 1 || number > 31 || !tides)
                return fault("a day needs day = 1-31 and tides");
            if (previousDay && number != *previousDay + 1)
                fault("days are not consecutive at day " + std::to_string(number));
            previousDay = number;
            for (const toml::node &t : *tides) {
                const toml::array *e = t.as_array();
                const auto time = e && e->size() == 3 ? e->get(0)->value<std::string>() : std::nullopt;
                const auto height = e && e->size() == 3 ? e->get(1)->value<int>() : std::nullopt;
                const auto type = e && e->size() == 3 ? e->get(2)->value<std::string>() : std::nullopt;
                const auto minutes = time ? clock(*time) : std::nullopt;
                if (!minutes || !height || !type || (*type != "HW" && *type != "LW"))
                    return fault("day " + std::to_string(number) + ": a tide is not [\"HH:MM\", cm, \"HW\"|\"LW\"]");
                m_tides.push_back({number, *minutes, *height, *type == "HW"});
            }
        }
        // The extract must read as a real semidiurnal tide, or its key teaches nonsense.
        for (std::size_t i = 1; i < m_tides.size(); ++i) {
            const Tide &a = m_tides[i - 1], &b = m_tides[i];
            const long gap = b.absolute() - a.absolute();
            const std::string where = "day " + std::to_string(b.day) + " " + format(Unit::Time, b.minutes);
            if (a.high == b.high)
                fault(where + ": high and low waters do not alternate");
            if (gap < 4 * 60 || gap > 8 * 60)
                fault(where + ": " + std::to_string(gap) + " minutes after the previous tide");
            if (a.high != b.high && (a.high ? a.height <= b.height : a.height >= b.height))
                fault(where + ": a high water is not above the low waters beside it");
        }
    }

    std::optional<std::size_t> tideAt(const char *key)
    {
        const toml::array *ref = (*m_check)[key].as_array();
        const auto day = ref && ref->size() == 2 ? ref->get(0)->value<int>() : std::nullopt;
        const auto time = ref && ref->size() == 2 ? ref->get(1)->value<std::string>() : std::nullopt;
        const auto minutes = time ? clock(*time) : std::nullopt;
        if (!day || !minutes) {
            fault(std::string(key) + " must be [day, \"HH:MM\"]");
            return std::nullopt;
        }
        for (std::size_t i = 0; i < m_tides.size(); ++i)
            if (m_tides[i].day == *day && m_tides[i].minutes == *minutes)
                return i;
        fault(std::string(key) + " names a tide that is not in the table");
        return std::nullopt;
    }

    // `from` and `to`, which must be consecutive tides.
    std::optional<std::pair<Tide, Tide>> pair()
    {
        const auto a = tideAt("from"), b = tideAt("to");
        if (!a || !b)
            return std::nullopt;
        if (*b != *a + 1) {
            fault("from and to are not consecutive tides");
            return std::nullopt;
        }
        return std::pair{m_tides[*a], m_tides[*b]};
    }

    std::optional<double> ratio()
    {
        const auto r = (*m_check)["secondary"]["ratio"].value<double>();
        if (!r || *r <= 0)
            fault("secondary.ratio missing");
        return r;
    }

    void mentions(const std::string &text, const std::string &why)
    {
        const std::string question = m_variant["question"].value_or(std::string());
        if (question.find(text) == std::string::npos)
            fault("the question does not mention " + text + " (" + why + ")");
    }

    void mentionsDay(const Tide &t) { mentions(std::to_string(m_month) + "月" + std::to_string(t.day) + "日", "the day asked"); }

    std::optional<double> compute(Unit *unit)
    {
        const std::string ask = (*m_check)["ask"].value_or(std::string());
        const std::string port = (*m_check)["port"].value_or(std::string());
        mentions(port, "the standard port");
        const bool secondary = ask.rfind("secondary_", 0) == 0;
        if (secondary)
            mentions((*m_check)["secondary"]["port"].value_or(std::string("?")), "the secondary port");
        if (ask == "height" || ask == "time" || ask == "secondary_time" || ask == "secondary_height") {
            const auto i = tideAt("tide");
            if (!i)
                return std::nullopt;
            const Tide &t = m_tides[*i];
            mentionsDay(t);
            if (ask == "height") {
                *unit = Unit::Cm;
                return t.height;
            }
            if (ask == "time") {
                *unit = Unit::Time;
                return t.minutes;
            }
            if (ask == "secondary_height") {
                *unit = Unit::Cm;
                const auto r = ratio();
                return r ? std::optional<double>(t.height * *r) : std::nullopt;
            }
            *unit = Unit::Time;
            const auto diff = clock((*m_check)["secondary"][t.high ? "hw_diff" : "lw_diff"].value_or(std::string()), true);
            if (!diff) {
                fault("secondary hw_diff / lw_diff must be \"±H:MM\"");
                return std::nullopt;
            }
            const int local = t.minutes + *diff;
            if (local < 0 || local >= 1440)
                fault("the secondary port's time falls on another day; the question would have to say so");
            return local;
        }
        const auto p = pair();
        if (!p)
            return std::nullopt;
        const auto [a, b] = *p;
        mentionsDay(a);
        const double range = std::abs(a.height - b.height);
        if (ask == "range" || ask == "secondary_range") {
            *unit = Unit::Cm;
            if (ask == "range")
                return range;
            const auto r = ratio();
            return r ? std::optional<double>(range * *r) : std::nullopt;
        }
        if (ask == "duration") {
            *unit = Unit::Duration;
            return double(b.absolute() - a.absolute());
        }
        const double interval = double(b.absolute() - a.absolute());
        if (ask == "twelfths_height") {
            *unit = Unit::Cm;
            const toml::array *at = (*m_check)["at"].as_array();
            const auto day = at && at->size() == 2 ? at->get(0)->value<int>() : std::nullopt;
            const auto time = at && at->size() == 2 ? at->get(1)->value<std::string>() : std::nullopt;
            const auto minutes = time ? clock(*time) : std::nullopt;
            if (!day || !minutes) {
                fault("at must be [day, \"HH:MM\"]");
                return std::nullopt;
            }
            const double since = *day * 1440.0 + *minutes - a.absolute();
            if (since <= 0 || since >= interval)
                fault("at is not between from and to");
            mentions(format(Unit::Time, *minutes), "the time asked");
            return a.height + (b.height - a.height) * twelfths(6 * since / interval);
        }
        if (ask == "twelfths_time") {
            *unit = Unit::Time;
            const auto height = (*m_check)["height"].value<int>();
            if (!height || (*height - a.height) * (*height - b.height) >= 0) {
                fault("height must lie strictly between the heights of from and to");
                return std::nullopt;
            }
            mentions(format(Unit::Cm, *height), "the height asked");
            const double x = inverseTwelfths(double(*height - a.height) / (b.height - a.height));
            return std::fmod(a.absolute() + x * interval / 6, 1440.0);
        }
        fault("unknown ask \"" + ask + "\"");
        return std::nullopt;
    }

    void compareChoices(double value, Unit unit)
    {
        const toml::array *values = (*m_check)["choice_values"].as_array();
        const toml::array *choices = m_variant["choices"].as_array();
        const int correct = m_variant["correct"].value_or(0);
        if (!values || values->size() != 4 || !choices || choices->size() != 4 || correct < 1 || correct > 4)
            return fault("needs four choices, four choice_values and a key 1-4");
        std::vector<double> stated;
        for (std::size_t i = 0; i < 4; ++i) {
            std::optional<double> v;
            if (unit == Unit::Cm) {
                if (const auto cm = values->get(i)->value<int>())
                    v = *cm;
            } else if (const auto s = values->get(i)->value<std::string>()) {
                if (const auto m = unit == Unit::Time ? clock(*s) : clock("0" + *s))
                    v = *m;
            }
            if (!v)
                return fault("choice_values[" + std::to_string(i) + "] is not a " +
                             (unit == Unit::Cm ? "height in cm" : unit == Unit::Time ? "time \"HH:MM\"" : "duration \"H:MM\""));
            stated.push_back(*v);
            const std::string text = choices->get(i)->value_or(std::string());
            if (text != format(unit, *v))
                fault("choice " + std::to_string(i + 1) + " reads \"" + text + "\" but its value is \"" + format(unit, *v) + "\"");
        }
        auto distance = [&](double x, double y) {
            const double d = std::abs(x - y);
            return unit == Unit::Time ? std::min(d, 1440 - d) : d;
        };
        const double tolerance = 1.0, spacing = unit == Unit::Cm ? 10.0 : 20.0;
        const std::string computed = format(unit, value);
        for (int i = 0; i < 4; ++i) {
            const bool matches = distance(stated[i], value) <= tolerance;
            if (i + 1 == correct && !matches)
                fault("key " + std::to_string(correct) + " states " + format(unit, stated[i]) + ", computed " + computed);
            if (i + 1 != correct && matches)
                fault("choice " + std::to_string(i + 1) + " also matches the computed " + computed);
            for (int j = i + 1; j < 4; ++j)
                if (distance(stated[i], stated[j]) < spacing)
                    fault("choices " + std::to_string(i + 1) + " and " + std::to_string(j + 1) + " are closer than " +
                          format(unit == Unit::Cm ? Unit::Cm : Unit::Duration, spacing));
        }
    }

    const toml::table &m_variant;
    const toml::table *m_check = nullptr;
    int m_month = 0;
    std::vector<Tide> m_tides;
    std::vector<std::string> m_faults;
};

std::vector<std::string> check(const toml::table &variant)
{
    return Checker(variant).run();
}

bool anyContains(const std::vector<std::string> &faults, const std::string &part)
{
    return std::any_of(faults.begin(), faults.end(), [&](const std::string &f) { return f.find(part) != std::string::npos; });
}

// One sound variant; the fixture test below breaks it in several ways.
const char *const kSound = R"(
question = "下図は、Ｘ港の潮汐表の一部である。1月2日の午前の高潮の潮高は、次のうちどれか。"
choices = ["150cm", "162cm", "174cm", "40cm"]
correct = 3
[check]
port = "Ｘ港"
month = 1
days = [
  { day = 2, tides = [["01:10", 30, "LW"], ["07:20", 174, "HW"], ["13:30", 40, "LW"], ["19:40", 162, "HW"]] },
]
ask = "height"
tide = [2, "07:20"]
choice_values = [150, 162, 174, 40]
)";

std::vector<std::string> checkText(std::string text, const std::string &from = {}, const std::string &to = {})
{
    if (!from.empty()) {
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << "fixture has no " << from;
        if (at != std::string::npos)
            text.replace(at, from.size(), to);
    }
    const toml::table variant = toml::parse(text);
    return check(variant);
}

} // namespace

TEST(TideKeys, EverySlot56KeyIsTheOnlyChoiceThatMatches)
{
    const toml::table bank = toml::parse_file(std::string(TOVARIN_BANK_DATA_DIR) + "/q56.toml");
    const toml::array *variants = bank["variant"].as_array();
    ASSERT_NE(variants, nullptr);
    EXPECT_EQ(variants->size(), 10u);
    for (const toml::node &node : *variants) {
        const toml::table &variant = *node.as_table();
        SCOPED_TRACE("q56 variant " + std::to_string(variant["index"].value_or(-1)));
        for (const std::string &f : check(variant))
            ADD_FAILURE() << f;
    }
}

TEST(TideKeys, CatchesWrongKeysAndBrokenTables)
{
    EXPECT_TRUE(checkText(kSound).empty());
    EXPECT_TRUE(anyContains(checkText(kSound, "correct = 3", "correct = 2"), "key 2 states 162cm, computed 174cm"));
    EXPECT_TRUE(anyContains(checkText(kSound, "[150, 162, 174, 40]", "[150, 162, 175, 40]"), "choice 3 reads"));
    EXPECT_TRUE(anyContains(checkText(kSound, "\"162cm\", \"174cm\"", "\"170cm\", \"174cm\""), "choice 2 reads"));
    EXPECT_TRUE(anyContains(checkText(kSound, "[150, 162, 174, 40]", "[150, 166, 174, 40]"), "closer than"));
    EXPECT_TRUE(anyContains(checkText(kSound, "[\"13:30\", 40, \"LW\"]", "[\"13:30\", 40, \"HW\"]"), "do not alternate"));
    EXPECT_TRUE(anyContains(checkText(kSound, "tide = [2, \"07:20\"]", "tide = [2, \"07:25\"]"), "not in the table"));
    EXPECT_TRUE(anyContains(checkText(kSound, "1月2日", "1月3日"), "does not mention 1月2日"));
}

TEST(TideKeys, ComputesSecondaryPortsAndTheRuleOfTwelfths)
{
    const std::string table = R"(
question = "Ｘ港とＹ港の潮汐について。1月2日の8時20分、138cm"
choices = ["a", "b", "c", "d"]
correct = 1
[check]
port = "Ｘ港"
month = 1
days = [{ day = 2, tides = [["01:10", 30, "LW"], ["07:20", 174, "HW"], ["13:20", 30, "LW"]] }]
secondary = { port = "Ｙ港", hw_diff = "-0:50", lw_diff = "+1:05", ratio = 0.5 }
)";
    auto run = [&](const std::string &ask, const std::string &choices, const std::string &values) {
        return checkText(table + ask + "\nchoice_values = " + values, "[\"a\", \"b\", \"c\", \"d\"]", choices);
    };
    // 174 cm falls 144 cm in six hours: after one hour by 1/12 (12 cm), after three by 6/12.
    EXPECT_TRUE(run("ask = \"twelfths_height\"\nfrom = [2, \"07:20\"]\nto = [2, \"13:20\"]\nat = [2, \"08:20\"]",
                    "[\"162cm\", \"150cm\", \"102cm\", \"174cm\"]", "[162, 150, 102, 174]").empty());
    // 138 cm is 36 cm down, 3/12 of the range: two sixths, 9時20分 (in proportion to time it would be 8時50分).
    EXPECT_TRUE(run("ask = \"twelfths_time\"\nfrom = [2, \"07:20\"]\nto = [2, \"13:20\"]\nheight = 138",
                    "[\"9時20分\", \"8時50分\", \"10時20分\", \"11時20分\"]", "[\"09:20\", \"08:50\", \"10:20\", \"11:20\"]")
                    .empty());
    EXPECT_TRUE(run("ask = \"secondary_time\"\ntide = [2, \"13:20\"]",
                    "[\"14時25分\", \"12時30分\", \"13時50分\", \"12時55分\"]", "[\"14:25\", \"12:30\", \"13:50\", \"12:55\"]")
                    .empty());
    EXPECT_TRUE(run("ask = \"secondary_range\"\nfrom = [2, \"07:20\"]\nto = [2, \"13:20\"]",
                    "[\"72cm\", \"144cm\", \"87cm\", \"60cm\"]", "[72, 144, 87, 60]").empty());
}
