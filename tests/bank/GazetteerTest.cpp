// The chart gazetteers and the rules chart questions keep against them, each broken on purpose.

#include "bankgen/source/Gazetteer.h"
#include "bankgen/solver/Solver.h"
#include "bankgen/source/BankSource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace tovarin::banksource;

const char *soundChart = R"(
chart = 150
variation = -6.0
area = { south = [29, 40.0], north = [30, 20.0], west = [134, 35.0], east = [135, 35.0] }

[[mark]]
name = "大島灯台"
kind = "灯台"
position = [30, 0.0, 135, 0.0]

[[mark]]
name = "黒岩灯標"
kind = "灯標"
position = [30, 0.0, 135, 10.0]

[[mark]]
name = "中瀬灯浮標"
kind = "灯浮標"
position = [30, 10.0, 135, 0.0]

[[land]]
name = "大島"
outline = [[30, 0.0, 135, 0.0], [30, 0.5, 135, 0.5], [29, 59.5, 135, 1.0], [29, 59.5, 134, 59.5]]
)";

// Two bearings on the light and the beacon fix the ship 5' south of the light. A voyage runs
// from well south of both, eastwards along 29°50'.
const char *soundSlot = R"(
number = 52
pool_size = 2

[[variant]]
index = 0
question = """
試験用海図第150号使用
大島灯台（北緯30°00.0′、東経135°00.0′）をコンパス方位 006°、黒岩灯標（北緯30°00.0′、東経135°10.0′）をコンパス方位 066°に測った。船位はどれか。"""
choices = ["北緯29°55.0′、東経135°00.0′", "北緯29°56.0′、東経135°00.0′", "北緯29°57.0′、東経135°00.0′", "北緯29°58.0′、東経135°00.0′"]
correct = 1
layout = 1
explanation = "大島灯台の真方位 000°と黒岩灯標の真方位 060°の交点が船位である。"
refutations = ["", "交点より 1′北。", "交点より 2′北。", "交点より 3′北。"]

[variant.check]
kind = "cross_bearing_fix"
variation = -6.0
deviation = 0.0
marks = [[30, 0.0, 135, 0.0], [30, 0.0, 135, 10.0]]
bearings = [6.0, 66.0]
tolerance = 0.05
choice_values = [[29, 55.0, 135, 0.0], [29, 56.0, 135, 0.0], [29, 57.0, 135, 0.0], [29, 58.0, 135, 0.0]]

[[variant]]
index = 1
question = """
試験用海図第150号使用
A地点（北緯29°50.0′、東経134°50.0′）から B地点（北緯29°50.0′、東経135°20.0′）までの航程はどれか。"""
choices = ["24海里", "26海里", "28海里", "30海里"]
correct = 2
layout = 1
explanation = "経度差 30.0′に cos29°50′を掛けて東西距 26.0海里、真東なので航程 26海里。"
refutations = ["航程が短すぎる。", "", "航程が長すぎる。", "経度差をそのまま航程とした。"]

[variant.check]
kind = "voyage"
ask = "distance"
variation = -6.0
start = [29, 50.0, 134, 50.0]
legs = [ { to = [29, 50.0, 135, 20.0] } ]
tolerance = 0.5
choice_values = [24, 26, 28, 30]
)";

using Edits = std::vector<std::pair<std::string, std::string>>;

std::string edited(std::string text, const Edits &edits)
{
    for (const auto &[from, to] : edits) {
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos)
            text.replace(at, from.size(), to);
    }
    return text;
}

std::vector<std::string> faults(const Edits &slotEdits, const Edits &chartEdits = {})
{
    Problems problems;
    std::vector<Gazetteer> charts
        = { parseGazetteer(edited(soundChart, chartEdits), "chart150.toml", problems) };
    const std::string slotText = edited(soundSlot, slotEdits);
    SourceSlot slot = parseSlot(slotText, "q52.toml", problems);
    // The rules measure the worked solution, which the bank's build keeps in each variant.
    lendChartMarks(slot, charts);
    for (SourceVariant &v : slot.variants)
        if (v.check)
            v.solution = tovarin::solver::solve(*v.check);
    checkChartVariants(slot, charts, problems);
    std::vector<std::string> lines;
    for (const BankProblem &p : problems)
        lines.push_back(p.text());
    return lines;
}

bool has(const std::vector<std::string> &lines, const std::string &part)
{
    return std::any_of(lines.begin(), lines.end(),
        [&](const std::string &l) { return l.find(part) != std::string::npos; });
}

std::string joined(const std::vector<std::string> &lines)
{
    std::string s;
    for (const std::string &l : lines)
        s += "\n  " + l;
    return s;
}

TEST(Gazetteer, AcceptsTheSoundChartAndQuestions)
{
    const auto lines = faults({});
    EXPECT_TRUE(lines.empty()) << joined(lines);
}

TEST(Gazetteer, ReportsAFaultyGazetteer)
{
    const auto lines = faults({},
        { { "name = \"黒岩灯標\"", "name = \"大島灯台\"" },
            { "name = \"中瀬灯浮標\"\nkind = \"灯浮標\"",
                "name = \"中瀬灯浮標\"\nkind = \"灯標\"" },
            { "[30, 10.0, 135, 0.0]", "[30, 25.0, 135, 0.0]" } });
    EXPECT_TRUE(has(lines, "chart150.toml: mark '大島灯台' appears more than once"))
        << joined(lines);
    EXPECT_TRUE(has(lines, "mark '中瀬灯浮標' is not written as a place name followed by its kind"))
        << joined(lines);
    EXPECT_TRUE(has(
        lines, "mark '中瀬灯浮標' at 北緯30°25.0′、東経135°00.0′ lies outside the chart's area"))
        << joined(lines);

    // A light out at sea, a buoy on land.
    const auto moved = faults({},
        { { "[[30, 0.0, 135, 0.0], [30, 0.5, 135, 0.5], [29, 59.5, 135, 1.0], [29, 59.5, 134, "
            "59.5]]",
            "[[30, 10.5, 134, 59.5], [30, 10.5, 135, 0.5], [30, 9.5, 135, 0.5], [30, 9.5, 134, "
            "59.5]]" } });
    EXPECT_TRUE(has(moved, "mark '大島灯台' stands on no land of the chart")) << joined(moved);
    EXPECT_TRUE(has(moved, "mark '中瀬灯浮標' stands on land")) << joined(moved);
}

TEST(Gazetteer, ReportsQuestionsThatLeaveTheChartsWorld)
{
    // A mark the chart does not have, and a known mark at another position than its own.
    auto lines = faults(
        { { "黒岩灯標（北緯30°00.0′、東経135°10.0′）", "灯台乙（北緯30°00.0′、東経135°10.0′）" } });
    EXPECT_TRUE(has(lines,
        "q52.toml, variant 0: question text names 灯台乙, which is not on the gazetteer of chart "
        "150"))
        << joined(lines);
    EXPECT_TRUE(has(lines, "marks at 北緯30°00.0′、東経135°10.0′ is no mark the question names"))
        << joined(lines);
    lines = faults({ { "大島灯台（北緯30°00.0′、東経135°00.0′）",
        "大島灯台（北緯30°00.5′、東経135°00.0′）" } });
    EXPECT_TRUE(has(lines,
        "puts 大島灯台 at 北緯30°00.5′、東経135°00.0′, but the gazetteer has "
        "北緯30°00.0′、東経135°00.0′"))
        << joined(lines);

    // A fix on a buoy.
    lines = faults({ { "黒岩灯標（北緯30°00.0′、東経135°10.0′）",
                         "中瀬灯浮標（北緯30°10.0′、東経135°00.0′）" },
        { "[[30, 0.0, 135, 0.0], [30, 0.0, 135, 10.0]]",
            "[[30, 0.0, 135, 0.0], [30, 10.0, 135, 0.0]]" } });
    EXPECT_TRUE(has(lines, "fixes the ship on 中瀬灯浮標, a buoy")) << joined(lines);
    // The same, the table naming its marks as the text does.
    lines = faults({ { "黒岩灯標（北緯30°00.0′、東経135°10.0′）", "中瀬灯浮標" },
        { "[[30, 0.0, 135, 0.0], [30, 0.0, 135, 10.0]]", "[\"大島灯台\", \"中瀬灯浮標\"]" } });
    EXPECT_TRUE(has(lines, "fixes the ship on 中瀬灯浮標, a buoy")) << joined(lines);
    EXPECT_FALSE(has(lines, "is not a position")) << joined(lines);

    // A voyage that runs 0.5 M south of the light it does not use and over its island, and one that
    // leaves the chart.
    lines = faults({ { "北緯29°50.0′、東経134°50.0′）から B地点（北緯29°50.0′",
                         "北緯29°59.5′、東経134°50.0′）から B地点（北緯29°59.5′" },
        { "start = [29, 50.0, 134, 50.0]", "start = [29, 59.5, 134, 50.0]" },
        { "{ to = [29, 50.0, 135, 20.0] }", "{ to = [29, 59.5, 135, 20.0] }" } });
    EXPECT_TRUE(has(lines,
        "variant 1: the track from 北緯29°59.5′、東経134°50.0′ to 北緯29°59.5′、東経135°20.0′ "
        "passes 0.50 M from 大島灯台"))
        << joined(lines);
    EXPECT_TRUE(
        has(lines, "variant 1: the track from 北緯29°59.5′、東経134°50.0′ on runs onto 大島"))
        << joined(lines);
    lines = faults({ { "{ to = [29, 50.0, 135, 20.0] }", "{ to = [29, 50.0, 135, 40.0] }" } });
    EXPECT_TRUE(has(lines, "the track's point 北緯29°50.0′、東経135°40.0′ lies outside chart 150"))
        << joined(lines);

    // A start given from a light: 2 M west of 大島灯台 is 30°00.0′, 134°57.7′, and the track from
    // it passes 0.28 M off the island; the question has to name the light it measures from.
    lines = faults({ { "start = [29, 50.0, 134, 50.0]",
        "start = { from = \"大島灯台\", bearing = 270.0, miles = 2.0 }" } });
    EXPECT_TRUE(has(
        lines, "variant 1: the track from 北緯30°00.0′、東経134°57.7′ on passes 0.28 M from 大島"))
        << joined(lines);
    EXPECT_TRUE(has(lines,
        "one of the check table's marks at 北緯30°00.0′、東経135°00.0′ is no mark the question "
        "names"))
        << joined(lines);

    // A wrong position a careful plot cannot tell from the key.
    lines = faults({ { "[[29, 55.0, 135, 0.0], [29, 56.0, 135, 0.0]",
                         "[[29, 55.0, 135, 0.0], [29, 55.6, 135, 0.0]" },
        { "\"北緯29°56.0′、東経135°00.0′\"", "\"北緯29°55.6′、東経135°00.0′\"" } });
    EXPECT_TRUE(has(lines, "variant 0: choice 2 lies 0.60 M from the key")) << joined(lines);

    // A chart question must say which chart it is worked on.
    lines = faults({ { "試験用海図第150号使用\nA地点", "A地点" } });
    EXPECT_TRUE(has(lines, "variant 1: question text names no 試験用海図")) << joined(lines);
}

} // namespace
