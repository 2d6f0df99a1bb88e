// Recomputes the key of every computed engine and fuel question (slots 54 and 59 to 64).
//
// A computed variant carries a [variant.check] table: `kind` names the formula,
// the other fields are its inputs, and `choice_values` lists the number each
// choice text states, in choice order. A variant passes when
//   - every choice_values entry is a number printed in its choice text,
//   - the keyed choice's value is within tolerance of the computed value, and
//   - no other choice's value is.
// Tolerance is 0.5 % of the computed value unless the table gives an absolute
// `tolerance`. An unknown kind or a missing input is a fault.
//
// To add a kind: one add(...) line in formulas(), with a comment naming its fields.

#include <gtest/gtest.h>
#include <toml++/toml.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The inputs of one check table; a missing or non-numeric field throws.
class Inputs {
public:
    explicit Inputs(const toml::table& table) : table_(table) {}

    double num(const std::string& key) const {
        if (auto v = table_[key].value<double>()) return *v;
        throw std::runtime_error("check field '" + key + "' missing or not a number");
    }
    // A number, or the sum of an array of numbers.
    double sum(const std::string& key) const {
        const auto* array = table_[key].as_array();
        if (!array) return num(key);
        double total = 0.0;
        for (const auto& element : *array) {
            auto v = element.value<double>();
            if (!v) throw std::runtime_error("check field '" + key + "' holds a non-number");
            total += *v;
        }
        return total;
    }
    std::string text(const std::string& key) const {
        if (auto v = table_[key].value<std::string>()) return *v;
        throw std::runtime_error("check field '" + key + "' missing or not a string");
    }

private:
    const toml::table& table_;
};

using Formula = std::function<double(const Inputs&)>;

constexpr double kMetresPerNauticalMile = 1852.0;

const std::map<std::string, Formula>& formulas() {
    static const auto table = [] {
        std::map<std::string, Formula> m;
        auto add = [&m](const std::string& kind, Formula f) {
            if (!m.emplace(kind, std::move(f)).second)
                throw std::logic_error("check kind defined twice: " + kind);
        };
        // Litres used on a passage: distance_nm, speed_kn, litres_per_hour.
        add("fuel_for_distance", [](const Inputs& in) {
            return in.num("litres_per_hour") * in.num("distance_nm") / in.num("speed_kn");
        });
        // Miles run on the fuel above the reserve: fuel_l, reserve_l, litres_per_hour, speed_kn.
        add("range", [](const Inputs& in) {
            return (in.num("fuel_l") - in.num("reserve_l")) / in.num("litres_per_hour") *
                   in.num("speed_kn");
        });
        // (swept + clearance) / clearance: swept_cc, clearance_cc.
        add("compression_ratio", [](const Inputs& in) {
            return (in.num("swept_cc") + in.num("clearance_cc")) / in.num("clearance_cc");
        });
        // Power strokes per minute over all cylinders: rpm, cylinders, strokes_per_cycle (2 or 4).
        add("power_strokes", [](const Inputs& in) {
            const double revsPerCycle = in.num("strokes_per_cycle") / 2.0;
            return in.num("rpm") / revsPerCycle * in.num("cylinders");
        });
        // Litres of oil mixed into fuel_l litres of petrol at ratio : 1.
        add("premix_oil", [](const Inputs& in) { return in.num("fuel_l") / in.num("ratio"); });
        // Litres of lubricating oil used per hour: added_l (number or list), hours.
        add("oil_per_hour", [](const Inputs& in) { return in.sum("added_l") / in.num("hours"); });
        // Bank of equal batteries, in_series per string, in_parallel strings:
        // volts, amp_hours, asked = "volts" or "amp_hours".
        add("battery_bank", [](const Inputs& in) {
            const std::string asked = in.text("asked");
            if (asked == "volts") return in.num("volts") * in.num("in_series");
            if (asked == "amp_hours") return in.num("amp_hours") * in.num("in_parallel");
            throw std::runtime_error("battery_bank asks for '" + asked + "'");
        });
        // Hours of charging: capacity_ah, discharged_ah, current_fraction (of capacity),
        // charge_factor (charge put back per unit discharged).
        add("charging_time", [](const Inputs& in) {
            return in.num("discharged_ah") * in.num("charge_factor") /
                   (in.num("capacity_ah") * in.num("current_fraction"));
        });
        // Hours a load runs: capacity_ah, usable_percent, load_w, volts.
        add("battery_hours", [](const Inputs& in) {
            return in.num("capacity_ah") * in.num("usable_percent") / 100.0 /
                   (in.num("load_w") / in.num("volts"));
        });
        // Knots made good: pitch_m, engine_rpm, reduction_ratio, slip (fraction).
        add("propeller_speed", [](const Inputs& in) {
            return in.num("pitch_m") * in.num("engine_rpm") / in.num("reduction_ratio") * 60.0 *
                   (1.0 - in.num("slip")) / kMetresPerNauticalMile;
        });
        // Slip in percent of the theoretical speed: pitch_m, propeller_rpm, speed_kn.
        add("propeller_slip", [](const Inputs& in) {
            const double theoretical =
                in.num("pitch_m") * in.num("propeller_rpm") * 60.0 / kMetresPerNauticalMile;
            return 100.0 * (theoretical - in.num("speed_kn")) / theoretical;
        });
        // Propeller revolutions per minute: engine_rpm, reduction_ratio.
        add("propeller_rpm", [](const Inputs& in) {
            return in.num("engine_rpm") / in.num("reduction_ratio");
        });
        // Litres to carry for a passage plus a reserve: distance_nm, speed_kn,
        // litres_per_hour, reserve (fraction of the passage fuel, 0.2 for 20 %).
        add("fuel_with_reserve", [](const Inputs& in) {
            return in.num("distance_nm") / in.num("speed_kn") * in.num("litres_per_hour") *
                   (1.0 + in.num("reserve"));
        });
        return m;
    }();
    return table;
}

// The numbers printed in a text. Full-width digits and point read as ASCII ones,
// and a comma followed by exactly three digits separates thousands ("1,800").
std::vector<double> numbersIn(const std::string& text) {
    std::string s;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBC) {
            const auto last = static_cast<unsigned char>(text[i + 2]);  // U+FF00 + (last - 0x80)
            if (last >= 0x90 && last <= 0x99) { s += static_cast<char>('0' + (last - 0x90)); i += 2; continue; }
            if (last == 0x8E) { s += '.'; i += 2; continue; }
            if (last == 0x8C) { s += ','; i += 2; continue; }
        }
        s += text[i];
    }
    auto digit = [&s](std::size_t i) {
        return i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]));
    };
    std::vector<double> out;
    for (std::size_t i = 0; i < s.size();) {
        if (!digit(i)) { ++i; continue; }
        std::string number;
        while (digit(i) || (s[i] == ',' && digit(i + 1) && digit(i + 2) && digit(i + 3) && !digit(i + 4))) {
            if (s[i] != ',') number += s[i];
            ++i;
        }
        if (i < s.size() && s[i] == '.' && digit(i + 1)) {
            number += s[i++];
            while (digit(i)) number += s[i++];
        }
        out.push_back(std::stod(number));
    }
    return out;
}

bool states(const std::string& text, double value) {
    for (double n : numbersIn(text))
        if (std::fabs(n - value) <= 1e-9 * std::max(1.0, std::fabs(value))) return true;
    return false;
}

std::string show(double v) {
    std::ostringstream os;
    os << v;
    return os.str();
}

struct Report {
    std::vector<std::string> faults;
    int checked = 0;  // variants with a check table
};

void checkVariant(const toml::table& variant, const toml::table& check, const std::string& where,
                  Report& report) {
    auto fault = [&](const std::string& what) { report.faults.push_back(where + ": " + what); };
    const std::string kind = check["kind"].value_or(std::string{});
    const auto formula = formulas().find(kind);
    if (formula == formulas().end()) return fault("unknown check kind '" + kind + "'");
    double computed = 0.0;
    try {
        computed = formula->second(Inputs(check));
    } catch (const std::exception& e) {
        return fault(kind + ": " + e.what());
    }
    const auto* choices = variant["choices"].as_array();
    const auto* values = check["choice_values"].as_array();
    if (!choices || !values || values->size() != choices->size())
        return fault("choice_values must give one number for each choice");
    const auto key = variant["correct"].value_or(std::int64_t{0});
    const double tolerance = check["tolerance"].value_or(0.005 * std::fabs(computed));
    bool keyMatches = false;
    for (std::size_t i = 0; i < choices->size(); ++i) {
        const std::string label = "choice " + std::to_string(i + 1);
        const std::string text = (*choices)[i].value_or(std::string{});
        const auto value = (*values)[i].value<double>();
        if (!value) { fault(label + ": choice_values entry is not a number"); continue; }
        if (!states(text, *value)) fault(label + " \"" + text + "\" does not state " + show(*value));
        const bool matches = std::fabs(*value - computed) <= tolerance;
        if (static_cast<std::int64_t>(i + 1) == key) keyMatches = matches;
        else if (matches)
            fault(label + " (" + show(*value) + ") also matches the computed " + show(computed));
    }
    if (key < 1 || key > static_cast<std::int64_t>(choices->size()))
        fault("correct = " + std::to_string(key) + " names no choice");
    else if (!keyMatches)
        fault(kind + ": key " + std::to_string(key) + " states " +
              show((*values)[static_cast<std::size_t>(key - 1)].value_or(0.0)) +
              " but the inputs give " + show(computed));
}

Report checkBankFile(const toml::table& doc, const std::string& fileName) {
    Report report;
    const auto* variants = doc["variant"].as_array();
    if (!variants) return report;
    for (std::size_t i = 0; i < variants->size(); ++i) {
        const auto* variant = (*variants)[i].as_table();
        const auto* check = variant ? (*variant)["check"].as_table() : nullptr;
        if (!check) continue;
        ++report.checked;
        checkVariant(*variant, *check, fileName + " variant " + std::to_string(i), report);
    }
    return report;
}

int faultsAbout(const Report& report, const std::string& where) {
    int n = 0;
    for (const auto& f : report.faults) n += f.rfind(where + ":", 0) == 0 ? 1 : 0;
    return n;
}

// Slots 59 to 64 (engines) and 54 (voyage planning, fuel with a reserve).
TEST(EngineKeys, ComputedKeysMatchTheirInputs) {
    int checked = 0;
    for (int slot : {54, 59, 60, 61, 62, 63, 64}) {
        const std::string name = "q" + std::to_string(slot) + ".toml";
        const std::filesystem::path path = std::filesystem::path(TOVARIN_BANK_DATA_DIR) / name;
        toml::table doc;
        try {
            doc = toml::parse_file(path.string());
        } catch (const toml::parse_error& e) {
            ADD_FAILURE() << name << ": " << e.description();
            continue;
        }
        const Report report = checkBankFile(doc, name);
        checked += report.checked;
        for (const auto& f : report.faults) ADD_FAILURE() << f;
    }
    EXPECT_GT(checked, 0) << "no computed variant found under " << TOVARIN_BANK_DATA_DIR;
}

// The checker itself: a bad key, a choice text that disagrees with its value,
// two matching choices, an unknown kind and a missing input must each be reported.
TEST(EngineKeys, ReportsWrongKeysAndMisstatedChoices) {
    const toml::table doc = toml::parse(R"(
[[variant]]
choices = ["48リットル", "60リットル", "72リットル", "96リットル"]
correct = 2
[variant.check]
kind = "fuel_for_distance"
distance_nm = 40
speed_kn = 16
litres_per_hour = 24
choice_values = [48, 60, 72, 96]

[[variant]]
choices = ["48リットル", "60リットル", "72リットル", "96リットル"]
correct = 3
[variant.check]
kind = "fuel_for_distance"
distance_nm = 40.0
speed_kn = 16.0
litres_per_hour = 24.0
choice_values = [48.0, 60.0, 72.0, 96.0]

[[variant]]
choices = ["48リットル", "60リットル", "70リットル", "96リットル"]
correct = 2
[variant.check]
kind = "fuel_for_distance"
distance_nm = 40.0
speed_kn = 16.0
litres_per_hour = 24.0
choice_values = [48.0, 60.0, 72.0, 96.0]

[[variant]]
choices = ["1", "2", "3", "4"]
correct = 1
[variant.check]
kind = "no_such_kind"
choice_values = [1.0, 2.0, 3.0, 4.0]

[[variant]]
choices = ["48リットル", "60リットル", "約60.1リットル", "96リットル"]
correct = 2
[variant.check]
kind = "fuel_for_distance"
distance_nm = 40.0
speed_kn = 16.0
litres_per_hour = 24.0
choice_values = [48.0, 60.0, 60.1, 96.0]

[[variant]]
choices = ["９００回", "1,800回", "３６００回", "7200回"]
correct = 3
[variant.check]
kind = "power_strokes"
rpm = 1800.0
cylinders = 4
strokes_per_cycle = 4
choice_values = [900.0, 1800.0, 3600.0, 7200.0]

[[variant]]
choices = ["48リットル", "60リットル", "72リットル", "96リットル"]
correct = 2
[variant.check]
kind = "fuel_for_distance"
distance_nm = 40.0
litres_per_hour = 24.0
choice_values = [48.0, 60.0, 72.0, 96.0]
)");
    const Report report = checkBankFile(doc, "fixture.toml");
    EXPECT_EQ(report.checked, 7);
    EXPECT_EQ(faultsAbout(report, "fixture.toml variant 0"), 0);  // sound, integer inputs
    EXPECT_EQ(faultsAbout(report, "fixture.toml variant 1"), 2);  // key moved to 72: 72 is off, 60 unkeyed
    EXPECT_EQ(faultsAbout(report, "fixture.toml variant 2"), 1);  // text says 70, values say 72
    EXPECT_EQ(faultsAbout(report, "fixture.toml variant 3"), 1);  // unknown kind
    EXPECT_EQ(faultsAbout(report, "fixture.toml variant 4"), 1);  // a second choice matches
    EXPECT_EQ(faultsAbout(report, "fixture.toml variant 5"), 0);  // full-width digits, "1,800"
    EXPECT_EQ(faultsAbout(report, "fixture.toml variant 6"), 1);  // speed_kn missing
    EXPECT_EQ(report.faults.size(), 6u);
}

}  // namespace
