// The solver against figures worked by hand, mid-latitude sailing against Mercator sailing, and
// the key check on broken variants (the rule the bank's build applies to every computed question).

#include "bankgen/solver/Solver.h"
#include "bankgen/solver/KeyCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using namespace tovarin::solver;

Solution solved(const std::string &toml)
{
    return solve(CheckTable::fromToml(toml));
}

// A chart solution at a position, in minutes of arc.
void expectPosition(const Solution &s, double latMinutes, double lonMinutes, double within = 0.02)
{
    ASSERT_EQ(s.quantity, Quantity::Position);
    EXPECT_NEAR(s.value[0], latMinutes, within);
    EXPECT_NEAR(s.value[1], lonMinutes, within);
    ASSERT_TRUE(s.geometry && s.geometry->answerPoint);
    EXPECT_NEAR(s.geometry->answerPoint->lat * 60.0, latMinutes, within);
}

constexpr double lat30 = 30 * 60.0, lon135 = 135 * 60.0, lat40 = 40 * 60.0, lon140 = 140 * 60.0;

TEST(Solver, VoyageOfTwoLegs)
{
    // AB 12.0′ due north = 12.0 M. BC 9.0′ north and 13.9′ east on the mean latitude 30°16.5′:
    // departure 13.9 × 0.8636 = 12.0 M, distance √(81 + 144) = 15.0 M. 27.0 M at 9 knots = 3 hours.
    const std::string legs = R"(
variation = -6.0
speed = 9.0
start = [30, 0.0, 135, 0.0]
legs = [ { to = [30, 12.0, 135, 0.0] }, { to = [30, 21.0, 135, 13.9] } ]
)";
    const Solution distance = solved("kind = \"voyage\"\nask = \"distance\"" + legs);
    EXPECT_NEAR(distance.value[0], 27.0, 0.02);
    EXPECT_EQ(distance.answer, "27.0海里");
    const Solution arrival
        = solved("kind = \"voyage\"\nask = \"arrival\"\ndepart = \"08:00\"" + legs);
    EXPECT_NEAR(arrival.value[0], 11 * 60.0, 0.2);
    EXPECT_EQ(arrival.steps.back().result, "11時00分");
    // The plot: A, B and C along one planned track, C the destination, on chart 150.
    const Geometry &g = *distance.geometry;
    EXPECT_EQ(g.chart, 150);
    ASSERT_EQ(g.points.size(), 3u);
    EXPECT_EQ(g.points[1].name, "B");
    EXPECT_EQ(g.points[2].role, PointRole::End);
    ASSERT_EQ(g.tracks.size(), 1u);
    EXPECT_EQ(g.tracks[0].points.size(), 3u);
    for (const ChartPoint &p : g.points)
        EXPECT_TRUE(p.at.lat > g.southWest.lat && p.at.lat < g.northEast.lat
            && p.at.lon > g.southWest.lon && p.at.lon < g.northEast.lon)
            << p.name << " outside the frame";
}

TEST(Solver, VoyageUntilAMarkIsAbeamAndLatestDeparture)
{
    // Due east until a mark 3′ north and 10′ east comes abeam: 10 × cos 30°01.5′ = 8.66 M; at
    // 10 knots 52 minutes, so to be there at 10:00 leave at 09:08.
    const Solution s = solved(R"(
kind = "voyage"
ask = "departure"
variation = -6.0
speed = 10.0
arrive_by = "10:00"
start = [30, 0.0, 135, 0.0]
legs = [ { course = 90.0, abeam = [30, 3.0, 135, 10.0] } ]
)");
    EXPECT_NEAR(s.value[0], 10 * 60.0 - 51.95, 0.1);
    ASSERT_EQ(s.geometry->bearings.size(), 1u);
    EXPECT_NEAR(s.geometry->bearings[0].trueBearing, 0.0, 0.1); // abeam to port: the mark due north
}

TEST(Solver, CrossBearingFixOfTwoAndThreeMarks)
{
    // Deviation 2°E, variation 6°W: true = compass − 4°. A mark 4′ north bearing 000° and one on
    // the same latitude bearing 090° put the ship at 30°00.0′N 135°00.0′E; a third mark 3 M north
    // and 3 M east (3 ÷ cos 30°01.5′ = 3.466′ of longitude) bears 045° from there.
    const Solution two = solved(R"(
kind = "cross_bearing_fix"
variation = -6.0
deviation = 2.0
marks = [[30, 4.0, 135, 0.0], [30, 0.0, 135, 3.5]]
bearings = [4.0, 94.0]
)");
    expectPosition(two, lat30, lon135);
    EXPECT_EQ(two.steps[0].result, "000.0°");
    const Solution three = solved(R"(
kind = "cross_bearing_fix"
variation = -6.0
deviation = 2.0
marks = [[30, 4.0, 135, 0.0], [30, 0.0, 135, 3.5], [30, 3.0, 135, 3.466]]
bearings = [4.0, 94.0, 49.0]
)");
    expectPosition(three, lat30, lon135);
    EXPECT_EQ(three.geometry->bearings.size(), 3u);
    // Three lines that do not meet are no fix.
    EXPECT_THROW(solved(R"(
kind = "cross_bearing_fix"
variation = -6.0
deviation = 2.0
marks = [[30, 4.0, 135, 0.0], [30, 0.0, 135, 3.5], [30, 3.0, 135, 3.466]]
bearings = [4.0, 94.0, 60.0]
)"),
        CheckError);
}

TEST(Solver, DeviationFromATransitAndFromABearing)
{
    // Rear mark due north of the front: transit 000° true, 006° magnetic with 6°W; compass 004°
    // gives deviation 2°E.
    const Solution transit = solved(R"(
kind = "transit_deviation"
variation = -6.0
front = [30, 0.0, 135, 0.0]
rear = [30, 5.0, 135, 0.0]
compass = 4.0
)");
    EXPECT_NEAR(transit.value[0], 2.0, 1e-6);
    EXPECT_EQ(transit.answer, "2.0°E");
    // A mark due east bears 090° true, 098° magnetic with 8°W; compass 101° gives 3°W.
    const Solution bearing = solved(R"(
kind = "bearing_deviation"
variation = -8.0
ship = [40, 0.0, 140, 0.0]
mark = [40, 0.0, 140, 5.0]
compass = 101.0
)");
    EXPECT_NEAR(bearing.value[0], -3.0, 1e-6);
    EXPECT_EQ(bearing.geometry->chart, 200);
    // Across north: rear 5′ north and 5 × tan 10° = 0.882 M west (1.153′ on 40°02.5′), transit
    // 350° true, 358° magnetic with 8°W; compass 003° gives 5°W, not 355°.
    const Solution acrossNorth = solved(R"(
kind = "transit_deviation"
variation = -8.0
front = [40, 0.0, 140, 0.0]
rear = [40, 5.0, 139, 58.847]
compass = 3.0
)");
    EXPECT_NEAR(acrossNorth.value[0], -5.0, 0.05);
    EXPECT_EQ(acrossNorth.answer, "5.0°W");
}

TEST(Solver, FixOnATransitAndByRadar)
{
    // The transit of the case above gives 2°E; a mark 5′ east of the meridian bearing compass
    // 094° (090° true) puts the ship on the transit at the mark's latitude.
    expectPosition(solved(R"(
kind = "transit_fix"
variation = -6.0
front = [30, 0.0, 135, 0.0]
rear = [30, 5.0, 135, 0.0]
transit_compass = 4.0
mark = [29, 55.0, 135, 5.0]
bearing = 94.0
)"),
        29 * 60 + 55.0, lon135);
    // Head 090° true, the mark broad on the starboard beam bears 180°: the ship lies 5′ north of
    // it, not 5′ south (the range laid off towards the bearing).
    expectPosition(solved(R"(
kind = "radar_fix"
variation = -6.0
heading_true = 90.0
relative = 90.0
mark = [30, 5.0, 135, 0.0]
range = 5.0
)"),
        lat30 + 10.0, lon135);
    // Compass 274° + 2°E − 6°W = 270°: 4 M due east of the mark, 4 ÷ cos 40° = 5.222′ of longitude.
    const Solution radar = solved(R"(
kind = "radar_fix"
variation = -6.0
deviation = 2.0
bearing_compass = 274.0
mark = [40, 0.0, 140, 0.0]
range = 4.0
)");
    expectPosition(radar, lat40, lon140 + 5.222);
    ASSERT_EQ(radar.geometry->ranges.size(), 1u);
    EXPECT_DOUBLE_EQ(radar.geometry->ranges[0].radiusMiles, 4.0);
}

TEST(Solver, FixByTwoRangesARunningFixAndTheDoubledAngle)
{
    // Marks 10 M apart on one meridian, ranges 6 and 8: the circles cross 3.6 M north of the
    // first mark (a = (36 − 64 + 100) ÷ 20) and 4.8 M off the meridian (√(36 − 12.96)), east or
    // west as the text says; 4.8 ÷ cos 30°01.8′ = 5.544′ of longitude.
    const std::string ranges = R"(
kind = "two_range_fix"
variation = -6.0
marks = [[30, 0.0, 135, 0.0], [30, 10.0, 135, 0.0]]
ranges = [6.0, 8.0]
)";
    expectPosition(solved(ranges + "side = \"東\""), lat30 + 3.6, lon135 + 5.544);
    expectPosition(solved(ranges + "side = \"西\""), lat30 + 3.6, lon135 - 5.544);
    EXPECT_THROW(solved(ranges + "side = \"南西\""), CheckError);
    // North at 10 knots for 30 minutes: 5 M. The mark bore 045° and then 090°; the first line
    // carried 5 M north meets the second 5 M west of the mark (5 ÷ cos 30° = 5.774′), where the
    // earlier position, 5 M south of it, did see the mark at 045°.
    const Solution running = solved(R"(
kind = "running_fix"
variation = -6.0
course = 0.0
speed = 10.0
first_mark = [30, 0.0, 135, 0.0]
first_bearing = 45.0
first_at = "10:00"
second_mark = [30, 0.0, 135, 0.0]
second_bearing = 90.0
second_at = "10:30"
)");
    expectPosition(running, lat30, lon135 - 5.774);
    ASSERT_EQ(running.geometry->tracks.size(), 1u);
    EXPECT_NEAR(running.geometry->tracks[0].points[0].lat * 60.0, lat30 - 5.0, 0.01);
    // 30° then 60° on the starboard bow of 000°, 20 minutes apart at 12 knots: 4 M run, so the
    // mark is 4 M off at the second bearing, bearing 060°, and 4 × sin 60° = 3.46 M when abeam.
    // From the mark the ship lies 240°: 2.0′ south and 3.46 M west (4.000′ of longitude).
    const std::string doubled = R"(
variation = -6.0
course = 0.0
speed = 12.0
mark = [30, 0.0, 135, 0.0]
bow = "右舷"
angles = [30, 60]
first_at = "10:00"
second_at = "10:20"
)";
    EXPECT_NEAR(
        solved("kind = \"bow_angle_doubled\"\nask = \"distance\"" + doubled).value[0], 4.0, 1e-9);
    EXPECT_NEAR(
        solved("kind = \"bow_angle_doubled\"\nask = \"abeam\"" + doubled).value[0], 3.464, 0.001);
    expectPosition(solved("kind = \"bow_angle_doubled\"\nask = \"position\"" + doubled),
        lat30 - 2.0, lon135 - 4.000);
    EXPECT_THROW(solved("kind = \"bow_angle_doubled\"\nask = \"distance\""
                     + doubled.substr(0, doubled.find("angles")) + "angles = [30, 50]\n"
                     + doubled.substr(doubled.find("first_at"))),
        CheckError);
}

const std::string northAgainstAnEastSet = R"(
variation = -6.0
from = [30, 0.0, 135, 0.0]
to = [30, 20.0, 135, 0.0]
speed = 10.0
set = 90.0
drift = 2.0
)";

TEST(Solver, CourseToSteerAgainstACurrent)
{
    // Track 000°, current 090° 2 knots, speed 10: steer 000° − asin(0.2) = 348.46° true,
    // 354.46° magnetic with 6°W, 352.46° by a compass with 2°E; over the ground √96 = 9.80 knots,
    // so 20 M take 2.041 hours: leaving at 08:00, in at 10:02.5.
    const Solution trueCourse
        = solved("kind = \"course_to_steer\"\nask = \"true\"" + northAgainstAnEastSet);
    EXPECT_NEAR(trueCourse.value[0], 348.46, 0.01);
    const Solution compass = solved(
        "kind = \"course_to_steer\"\nask = \"compass\"\ndeviation = 2.0" + northAgainstAnEastSet);
    EXPECT_NEAR(compass.value[0], 352.46, 0.01);
    EXPECT_NEAR(
        solved("kind = \"speed_over_ground\"" + northAgainstAnEastSet).value[0], 9.798, 0.001);
    EXPECT_NEAR(
        solved("kind = \"arrival_with_current\"\ndepart = \"08:00\"" + northAgainstAnEastSet)
            .value[0],
        8 * 60 + 122.47, 0.05);
    // The triangle closes: water + current = ground, the ground vector along the track.
    const CurrentTriangle &t = *trueCourse.geometry->current;
    EXPECT_NEAR(t.water.to.lat, t.current.from.lat, 1e-12);
    EXPECT_NEAR(t.ground.to.lon, t.current.to.lon, 1e-9);
    EXPECT_NEAR(t.ground.to.lon, t.ground.from.lon, 1e-4);
    // A current stronger than the ship cannot be stemmed.
    EXPECT_THROW(
        solved("kind = \"speed_over_ground\"\nvariation = 0.0\nfrom = [30, 0.0, 135, 0.0]\n"
               "to = [30, 20.0, 135, 0.0]\nspeed = 2.0\nset = 90.0\ndrift = 3.0"),
        CheckError);
}

TEST(Solver, CurrentCarriesTheDeadReckoningAndIsFoundFromAFix)
{
    // An hour north at 10 knots (the second half by a compass reading 004° with 2°E and 6°W),
    // set 090° 2 knots: 10′ north and 2 M east, 2 ÷ cos 30°05′ = 2.311′ of longitude.
    expectPosition(solved(R"(
kind = "dr_with_current"
variation = -6.0
start = [30, 0.0, 135, 0.0]
set = 90.0
drift = 2.0
legs = [ { course = 0.0, speed = 10.0, minutes = 30 }, { course_compass = 4.0, deviation = 2.0, speed = 10.0, minutes = 30 } ]
)"),
        lat30 + 10.0, lon135 + 2.311);
    // The same hour seen from the fix: the current set 090° at 2 knots.
    const Solution current = solved(R"(
kind = "current_from_fix"
variation = -6.0
start = [30, 0.0, 135, 0.0]
course = 0.0
speed = 10.0
depart = "08:00"
fixed_at = "09:00"
fix = [30, 10.0, 135, 2.311]
)");
    EXPECT_NEAR(current.value[0], 90.0, 0.05);
    EXPECT_NEAR(current.value[1], 2.0, 0.005);
    // North at 10 knots with a 2-knot stream behind: the mark 3.5′ east (3.03 M) passes at 3.03 M.
    const Solution cpa = solved(R"(
kind = "closest_approach"
variation = -6.0
start = [30, 0.0, 135, 0.0]
course = 0.0
speed = 10.0
set = 0.0
drift = 2.0
mark = [30, 10.0, 135, 3.5]
)");
    EXPECT_NEAR(cpa.value[0], 3.5 * std::cos(30.0833 * 3.14159265358979 / 180.0), 0.005);
    ASSERT_TRUE(cpa.geometry->answerLine);
    // East at 10 knots, set south 2 knots: made good 101.3° (atan 2/10); a mark 10 M due east
    // passes at 10 × sin 11.31° = 1.96 M on the port hand.
    EXPECT_NEAR(solved(R"(
kind = "closest_approach"
variation = -6.0
start = [30, 0.0, 135, 0.0]
course = 90.0
speed = 10.0
set = 180.0
drift = 2.0
mark = [30, 0.0, 135, 11.547]
)")
                    .value[0],
        1.961, 0.005);
}

TEST(Solver, CurrentTheShipDoesNotCorrectFor)
{
    // 240° at 9 knots with a 3-knot stream setting 180°: in the hour 9 × cos 240° - 3 = -7.5′ of
    // latitude and 9 × sin 240° = -7.79 M of departure; made good √(56.25 + 60.75) = 10.82 knots
    // on 180° + atan(7.79 ÷ 7.5) = 226.1°.
    const std::string way = R"(
kind = "course_made_good"
variation = -6.0
start = [30, 0.0, 135, 0.0]
course = 240.0
speed = 9.0
set = 180.0
drift = 3.0
)";
    EXPECT_NEAR(solved(way + "ask = \"speed\"").value[0], 10.817, 0.005);
    const Solution course = solved(way + "ask = \"course\"");
    EXPECT_NEAR(course.value[0], 226.10, 0.05);
    ASSERT_TRUE(course.geometry && course.geometry->current);
    EXPECT_EQ(course.geometry->tracks.back().style, TrackStyle::Ground);
}

// Mid-latitude sailing, as the examination works it, against Mercator sailing on a sphere over
// runs that span each chart: the two agree to well under 0.1 mile.
TEST(Solver, MidLatitudeSailingAgreesWithMercator)
{
    const double rad = 3.14159265358979323846 / 180.0;
    auto meridionalParts = [&](double latDeg) {
        return 10800.0 / 3.14159265358979323846 * std::log(std::tan((45.0 + latDeg / 2.0) * rad));
    };
    struct Run
    {
        double lat1, lon1, lat2, lon2;
    };
    for (const Run r : { Run { 29.8, 134.6, 30.3, 135.55 }, Run { 30.25, 135.5, 29.85, 134.65 },
             Run { 30.1, 134.6, 30.1, 135.5 }, Run { 39.7, 139.6, 40.3, 140.15 },
             Run { 40.25, 139.65, 39.75, 140.1 } }) {
        char toml[256];
        std::snprintf(toml, sizeof toml,
            "kind = \"voyage\"\nask = \"distance\"\nvariation = 0.0\nstart = [%d, %.4f, %d, %.4f]\n"
            "legs = [ { to = [%d, %.4f, %d, %.4f] } ]",
            int(r.lat1), (r.lat1 - int(r.lat1)) * 60, int(r.lon1), (r.lon1 - int(r.lon1)) * 60,
            int(r.lat2), (r.lat2 - int(r.lat2)) * 60, int(r.lon2), (r.lon2 - int(r.lon2)) * 60);
        const double dLat = (r.lat2 - r.lat1) * 60.0, dLon = (r.lon2 - r.lon1) * 60.0;
        const double dmp = meridionalParts(r.lat2) - meridionalParts(r.lat1);
        const double course = std::atan2(dLon, dmp);
        const double mercator = std::abs(dLat) < 1e-9 ? std::abs(dLon) * std::cos(r.lat1 * rad)
                                                      : dLat / std::cos(course);
        EXPECT_NEAR(solved(toml).value[0], mercator, 0.1) << toml;
    }
}

TEST(Solver, TidesAtASecondaryPortByTheRuleOfTwelfthsAndAgainstTheChartDatums)
{
    const std::string table = R"(
port = "Ｘ港"
month = 1
days = [{ day = 2, tides = [["01:10", 30, "LW"], ["07:20", 174, "HW"], ["13:20", 30, "LW"]] }]
secondary = { port = "Ｙ港", hw_diff = "-0:50", lw_diff = "+1:05", ratio = 0.5 }
)";
    // Low water 13:20 + 1:05 = 14:25 at Ｙ港; high water 174 cm × 0.5 = 87 cm.
    const Solution time = solved(table + "ask = \"secondary_time\"\ntide = [2, \"13:20\"]");
    EXPECT_EQ(time.kind, "tide");
    EXPECT_DOUBLE_EQ(time.value[0], 14 * 60 + 25.0);
    EXPECT_DOUBLE_EQ(
        solved(table + "ask = \"secondary_height\"\ntide = [2, \"07:20\"]").value[0], 87.0);
    // 174 cm falls 144 cm in six hours: after one hour by 1/12 (12 cm) to 162 cm, after two and a
    // half by 4.5/12 (54 cm) to 120 cm.
    const std::string fall = table + "from = [2, \"07:20\"]\nto = [2, \"13:20\"]\n";
    EXPECT_NEAR(
        solved(fall + "ask = \"twelfths_height\"\nat = [2, \"08:20\"]").value[0], 162.0, 1e-9);
    EXPECT_NEAR(
        solved(fall + "ask = \"twelfths_height\"\nat = [2, \"09:50\"]").value[0], 120.0, 1e-9);
    // 138 cm is 36 cm down, 3/12 of the range: two sixths, 9:20 (in proportion to time, 8:50).
    EXPECT_NEAR(
        solved(fall + "ask = \"twelfths_time\"\nheight = 138").value[0], 9 * 60 + 20.0, 1e-9);
    EXPECT_THROW(solved(fall + "ask = \"twelfths_time\"\nheight = 200"), CheckError);
    // Depths are charted below 最低水面, so the tide adds: 1.5 m + 0.30 m - 1.1 m draft = 0.7 m.
    EXPECT_NEAR(solved(table
                    + "ask = \"keel_depth\"\ntide = [2, \"13:20\"]\ncharted_depth = 1.5\n"
                      "draft = 1.1")
                    .value[0],
        0.7, 1e-9);
    // Bridges are charted above 最高水面 (2.0 m): at 120 cm the water stands 0.8 m below it, so
    // 6.0 + 0.8 - 4.5 = 2.3 m; a tide above 最高水面 is a fault of the table.
    const std::string bridge = fall + "ask = \"bridge_clearance\"\nat = [2, \"09:50\"]\n"
        + "charted_height = 6.0\nair_draft = 4.5\n";
    EXPECT_NEAR(solved(bridge + "highest_water = 2.0").value[0], 2.3, 1e-9);
    EXPECT_THROW(solved(bridge + "highest_water = 1.0"), CheckError);
}

TEST(Solver, EngineAndFuelSums)
{
    struct Case
    {
        const char *table;
        double expected;
    };
    const Case cases[] = {
        // 40 M ÷ 16 knots = 2.5 h × 24 L/h; with a 20 % reserve 48 ÷ 16 × 40 × 1.2.
        { "kind = \"fuel_for_distance\"\ndistance_nm = 40\nspeed_kn = 16\nlitres_per_hour = 24",
            60.0 },
        { "kind = \"fuel_with_reserve\"\ndistance_nm = 48\nspeed_kn = 16\nlitres_per_hour = "
          "40\nreserve = 0.2",
            144.0 },
        { "kind = \"range\"\nfuel_l = 300\nreserve_l = 60\nlitres_per_hour = 30\nspeed_kn = 18",
            144.0 },
        { "kind = \"compression_ratio\"\nswept_cc = 760\nclearance_cc = 40", 20.0 },
        { "kind = \"power_strokes\"\nrpm = 1800\ncylinders = 4\nstrokes_per_cycle = 4", 3600.0 },
        { "kind = \"power_strokes\"\nrpm = 1800\ncylinders = 2\nstrokes_per_cycle = 2", 3600.0 },
        { "kind = \"premix_oil\"\nfuel_l = 24\nratio = 50", 0.48 },
        { "kind = \"oil_per_hour\"\nadded_l = [1.2, 0.8]\nhours = 50", 0.04 },
        { "kind = \"battery_bank\"\nvolts = 12\namp_hours = 100\nin_series = 2\nin_parallel = "
          "2\nasked = \"volts\"",
            24.0 },
        { "kind = \"charging_time\"\ncapacity_ah = 80\ndischarged_ah = 40\ncurrent_fraction = "
          "0.1\ncharge_factor = 1.5",
            7.5 },
        { "kind = \"battery_hours\"\ncapacity_ah = 100\nusable_percent = 50\nload_w = 60\nvolts = "
          "12",
            10.0 },
        // 0.5 m × 1850 rpm × 60 = 55,500 m/h = 29.97 knots, less 20 % slip: 23.97.
        { "kind = \"propeller_speed\"\npitch_m = 0.5\nengine_rpm = 3700\nreduction_ratio = "
          "2.0\nslip = 0.2",
            23.974 },
        // 0.6 × 1800 × 60 ÷ 1852 = 34.99 knots in theory, 28 made good: (34.99 − 28) ÷ 34.99 = 20
        // %.
        { "kind = \"propeller_slip\"\npitch_m = 0.6\npropeller_rpm = 1800\nspeed_kn = 28", 19.975 },
        { "kind = \"propeller_rpm\"\nengine_rpm = 3000\nreduction_ratio = 2.5", 1200.0 },
    };
    for (const Case &c : cases)
        EXPECT_NEAR(solved(c.table).value[0], c.expected, 0.001) << c.table;
}

// bank-export writes a table as JSON; a table that is not TOML is refused with a CheckError.
TEST(Solver, TableAsJsonAndBrokenTable)
{
    const CheckTable table = CheckTable::fromToml(R"(
kind = "dr_with_current"
variation = -6.0
start = [30, 0.0, 135, 0.0]
set = 90.0
drift = 2.0
legs = [ { course = 0.0, speed = 10.0, minutes = 60 } ]
)");
    EXPECT_NE(table.toJson().find("\"legs\""), std::string::npos);
    EXPECT_THROW(CheckTable::fromToml("kind = "), CheckError);
}

// --- The key check: what the bank's build reports ---------------------------------------------

// Two lights on 30°N, ten minutes of longitude apart, for positions written by a mark.
const std::vector<MarkPosition> twoLights
    = { { "甲灯台", lat30, lon135 }, { "乙灯台", lat30, lon135 + 10.0 } };

TEST(Solver, VoyageFromMarksAlteringOnABearing)
{
    // A is 6 M due south of 甲灯台: 29°54′N, 135°00′E. Due east until 乙灯台 (6′ north, 10′ east)
    // bears 045°: there its difference of latitude and departure are both 6 M, so the run is
    // 10 × cos 29°57′ − 6 = 8.665 − 6 = 2.665 M. Then to 2 M south of 乙灯台 (29°58′N, 135°10′E):
    // 4 M north and 6 M east, √(16 + 36) = 7.211 M on 056.3° true, 062.3° magnetic with 6°W.
    const std::string voyage = R"(
kind = "voyage"
variation = -6.0
start = { from = "甲灯台", bearing = 180.0, miles = 6.0 }
legs = [
  { course = 90.0, mark = "乙灯台", bearing = 45.0 },
  { to = { from = "乙灯台", bearing = 180.0, miles = 2.0 } },
]
)";
    const Solution distance
        = solve(CheckTable::fromToml("ask = \"distance\"" + voyage).withMarks(twoLights));
    EXPECT_NEAR(distance.value[0], 2.665 + 7.211, 0.005);
    const Geometry &g = *distance.geometry;
    ASSERT_EQ(g.tracks.size(), 1u);
    ASSERT_EQ(g.tracks[0].points.size(), 3u);
    EXPECT_NEAR(g.tracks[0].points[1].lon * 60.0, lon135 + 3.074,
        0.01); // 2.665 ÷ cos 29°54′: on the bearing line from 乙灯台
    EXPECT_TRUE(std::any_of(g.points.begin(), g.points.end(),
        [](const ChartPoint &p) { return p.name == "甲灯台" && p.role == PointRole::Mark; }));
    const Solution course = solve(
        CheckTable::fromToml("ask = \"magnetic_course\"\nleg = 2" + voyage).withMarks(twoLights));
    EXPECT_NEAR(course.value[0], 62.32, 0.02);
    // The mark ahead on the course never bears abaft the turning point's bearing.
    EXPECT_THROW(
        solve(CheckTable::fromToml("ask = \"distance\"" + voyage)
                  .withMarks({ { "甲灯台", lat30, lon135 }, { "乙灯台", lat30, lon135 - 10.0 } })),
        CheckError);
}

struct Variant
{
    std::string question;
    std::vector<std::string> choices;
    int correct;
    std::string check;
};

// Every fault the check finds in the variant after replacing `from` by `to` wherever it stands.
std::vector<std::string> faultsOf(
    Variant v, const std::string &from = {}, const std::string &to = {})
{
    bool replaced = from.empty();
    for (std::string *part :
        { &v.question, &v.check, &v.choices[0], &v.choices[1], &v.choices[2], &v.choices[3] })
        for (auto at = from.empty() ? std::string::npos : part->find(from); at != std::string::npos;
             at = part->find(from, at + to.size())) {
            part->replace(at, from.size(), to);
            replaced = true;
        }
    EXPECT_TRUE(replaced) << "the fixture has no '" << from << "'";
    return checkKey(CheckTable::fromToml(v.check), v.question, v.choices, v.correct).faults;
}

std::string joined(const std::vector<std::string> &faults)
{
    std::string s;
    for (const std::string &f : faults)
        s += "\n  " + f;
    return s;
}

bool mentions(const std::vector<std::string> &faults, const std::string &part)
{
    return std::any_of(faults.begin(), faults.end(),
        [&](const std::string &f) { return f.find(part) != std::string::npos; });
}

// 12 miles due north at 12 knots take one hour.
const Variant soundVoyage { "試験用海図第150号使用\nA地点（北緯30°00.0′、東経135°00.0′）から "
                            "B地点（北緯30°12.0′、東経135°00.0′）まで"
                            "速力 12ノットで航行する。偏差は 6°W とする。所要時間はどれか。",
    { "40分", "1時間", "1時間20分", "1時間40分" }, 2, R"(
kind = "voyage"
ask = "time"
variation = -6.0
speed = 12.0
start = [30, 0.0, 135, 0.0]
legs = [ { to = [30, 12.0, 135, 0.0] } ]
tolerance = 5
choice_values = [40, 60, 80, 100]
)" };

TEST(KeyCheck, ChartWorkKeyAndChoices)
{
    EXPECT_TRUE(faultsOf(soundVoyage).empty()) << joined(faultsOf(soundVoyage));
    auto faults
        = faultsOf(soundVoyage, "kind = \"voyage\"", "kind = \"voyage\"\ncorrect_guess = 1");
    EXPECT_TRUE(mentions(faults, "unused field check.correct_guess")) << joined(faults);
    Variant wrongKey = soundVoyage;
    wrongKey.correct = 3;
    faults = faultsOf(wrongKey);
    EXPECT_TRUE(
        mentions(faults, "the key (3) \"1時間20分\" is not within 5分 of the computed 1時間"))
        << joined(faults);
    EXPECT_TRUE(mentions(faults, "choice 2 \"1時間\" is also within 5分")) << joined(faults);
    faults = faultsOf(soundVoyage, "speed = 12.0", "speed = 10.0");
    EXPECT_TRUE(mentions(faults, "does not state 10ノット")) << joined(faults);
    faults = faultsOf(soundVoyage, "1時間20分", "1時間30分");
    EXPECT_TRUE(mentions(faults, "choice 3 \"1時間30分\" does not state its value 1時間20分"))
        << joined(faults);
    faults = faultsOf(soundVoyage, "kind = \"voyage\"", "kind = \"voyages\"");
    EXPECT_TRUE(mentions(faults, "unknown check kind 'voyages'")) << joined(faults);
    // A wrong choice ten minutes from the key cannot be told from it with dividers, and a
    // tolerance wide enough to take in a neighbour proves nothing.
    Variant crowded = soundVoyage;
    crowded.choices[2] = "1時間10分";
    faults = faultsOf(crowded, "[40, 60, 80, 100]", "[40, 60, 70, 100]");
    EXPECT_TRUE(
        mentions(faults, "choice 3 \"1時間10分\" is closer to the key than the 15分 spacing"))
        << joined(faults);
    faults = faultsOf(soundVoyage, "tolerance = 5", "tolerance = 25");
    EXPECT_TRUE(mentions(faults, "tolerance 25 is looser")) << joined(faults);
    // Leaving at 23時30分, the hour's run ends at 0時30分 of the next day.
    Variant overnight = soundVoyage;
    overnight.question += "23時30分に発航する。";
    overnight.choices = { "0時10分", "0時30分", "0時50分", "1時10分" };
    const auto at = overnight.check.find("ask = \"time\"");
    overnight.check.replace(at, 12, "ask = \"arrival\"\ndepart = \"23:30\"");
    faults = faultsOf(overnight, "[40, 60, 80, 100]", "[10, 30, 50, 70]");
    EXPECT_TRUE(faults.empty()) << joined(faults);
}

// From 1 M south of 甲灯台 to 1 M south of 乙灯台, along 29°59′N: 10′ × cos 29°59′ = 8.662 M.
const Variant markedVoyage {
    "試験用海図第150号使用\n甲灯台から真方位180°、距離1海里の地点から"
    "乙灯台から真方位180°、距離1海里の地点までの航程はどれか。偏差は6°Wとする。",
    { "5.6海里", "7.2海里", "8.7海里", "10.5海里" }, 3, R"(
kind = "voyage"
ask = "distance"
variation = -6.0
start = { from = "甲灯台", bearing = 180.0, miles = 1.0 }
legs = [ { to = { from = "乙灯台", bearing = 180.0, miles = 1.0 } } ]
tolerance = 0.5
choice_values = [5.6, 7.2, 8.7, 10.5]
)"
};

std::vector<std::string> markedFaults(
    Variant v, const std::string &from = {}, const std::string &to = {})
{
    for (std::string *part :
        { &v.question, &v.check, &v.choices[0], &v.choices[1], &v.choices[2], &v.choices[3] })
        if (const auto at = from.empty() ? std::string::npos : part->find(from);
            at != std::string::npos)
            part->replace(at, from.size(), to);
    return checkKey(
        CheckTable::fromToml(v.check).withMarks(twoLights), v.question, v.choices, v.correct)
        .faults;
}

TEST(KeyCheck, KeyIsTheComputedValueAtThePrintedDigits)
{
    EXPECT_TRUE(markedFaults(markedVoyage).empty()) << joined(markedFaults(markedVoyage));
    // 8.662 is 8.7 at one decimal and 9 at none; 8.8 lies within the tolerance, but a careful
    // plot finds 8.7 and no such choice.
    auto faults = markedFaults(markedVoyage, "8.7", "8.8");
    EXPECT_TRUE(mentions(faults,
        "the key (3) \"8.8海里\" is not the computed 8.662海里 rounded to the digits it prints, "
        "which gives 8.7海里"))
        << joined(faults);
    EXPECT_FALSE(mentions(faults, "is not within")) << joined(faults);
    faults = markedFaults(markedVoyage, "8.7", "9");
    EXPECT_TRUE(faults.empty()) << joined(faults);
    // The text must name the mark and state the bearing and distance the table lays off.
    faults = markedFaults(markedVoyage, "甲灯台から真方位180°", "甲灯台から真方位190°");
    EXPECT_TRUE(mentions(faults, "does not state 甲灯台から真方位180°、距離1海里"))
        << joined(faults);
    faults = markedFaults(markedVoyage, "from = \"甲灯台\"", "from = \"丙灯台\"");
    EXPECT_TRUE(mentions(faults, "names 丙灯台, which is no mark of the question's chart"))
        << joined(faults);
}

// The marks a check table names stand where the chart's gazetteer has them; a position may be
// laid off from one, and the answer asked as the bearing and distance from one.
TEST(KeyCheck, PositionsTakenFromTheChartsMarks)
{
    // The second mark laid off 10 M north of the first: the ranges of the case above, the fix
    // 3.6 M north and 4.8 M east of 甲埼灯台, i.e. 053.1° and 6.0 M from it.
    const std::string question
        = "試験用海図第150号使用\n甲埼灯台までの距離6海里、"
          "甲埼灯台から真方位000°、距離10海里の地点にある乙岩灯標までの距離8海里"
          "を測った。船位は両者を結ぶ線の東側にある。船位を甲埼灯台からの"
          "真方位と距離で表したものはどれか。";
    const std::vector<std::string> choices
        = { "甲埼灯台から真方位053°、距離6.0海里", "甲埼灯台から真方位053°、距離7.8海里",
              "甲埼灯台から真方位127°、距離6.0海里", "甲埼灯台から真方位233°、距離6.0海里" };
    const std::string check = R"(
kind = "two_range_fix"
variation = -6.0
marks = ["甲埼灯台", { from = "甲埼灯台", bearing = 0.0, miles = 10.0 }]
ranges = [6.0, 8.0]
side = "東"
answer_from = "甲埼灯台"
tolerance = [0.5, 0.05]
choice_values = [[53, 6.0], [53, 7.8], [127, 6.0], [233, 6.0]]
)";
    const CheckTable table
        = CheckTable::fromToml(check).withMarks({ { "甲埼灯台", lat30, lon135 } });
    auto faults = checkKey(table, question, choices, 1).faults;
    EXPECT_TRUE(faults.empty()) << joined(faults);
    // Without the chart the name stands for nothing.
    faults = checkKey(CheckTable::fromToml(check), question, choices, 1).faults;
    EXPECT_TRUE(mentions(faults, "names 甲埼灯台, which is no mark of the question's chart"))
        << joined(faults);
    // The text must lay the point off as the table does.
    std::string other = question;
    other.replace(other.find("距離10海里"), std::string("距離10海里").size(), "距離12海里");
    faults = checkKey(table, other, choices, 1).faults;
    EXPECT_TRUE(mentions(faults, "does not state 甲埼灯台から真方位000°、距離10海里"))
        << joined(faults);
    // Two answers 0.5 M apart cannot both be offered: a plot does not tell them apart.
    std::vector<std::string> crowded = choices;
    crowded[1] = "甲埼灯台から真方位053°、距離6.5海里";
    std::string crowdedCheck = check;
    crowdedCheck.replace(crowdedCheck.find("[53, 7.8]"), 9, "[53, 6.5]");
    faults
        = checkKey(CheckTable::fromToml(crowdedCheck).withMarks({ { "甲埼灯台", lat30, lon135 } }),
            question, crowded, 1)
              .faults;
    EXPECT_TRUE(mentions(faults, "closer to the key than the 0.8海里 spacing")) << joined(faults);
}

TEST(KeyCheck, MarkAbeamAndPositionsTakenFromMarks)
{
    // Start 6 M due south of 甲埼灯台 (30°06′, 135°00′): 30°00′, 135°00′. North at 8 knots, set
    // 090° 2 knots: the ground runs 2 M east for every 8 M north. The mark, 10′ north and 5.0′
    // east (4.33 M at 30°05′), bears 090° (square to the head) once she has made 10′ of northing,
    // after 10 ÷ 8 = 1 h 15 min, 2.5 M east of her start: 4.33 - 2.5 = 1.83 M off, on the
    // starboard beam. (Square to her track over the ground she would be at (4.33 × 2 + 10 × 8)
    // ÷ 68 = 1.30 h, 3 minutes later.)
    const std::string table = R"(
kind = "abeam_with_current"
variation = -6.0
start = { from = "甲埼灯台", bearing = 180.0, miles = 6.0 }
course = 0.0
speed = 8.0
set = 90.0
drift = 2.0
mark = "乙島灯台"
depart = "08:00"
)";
    const std::vector<MarkPosition> marks
        = { { "甲埼灯台", lat30 + 6.0, lon135 }, { "乙島灯台", lat30 + 10.0, lon135 + 5.0 } };
    const Solution time = solve(CheckTable::fromToml(table + "ask = \"time\"").withMarks(marks));
    EXPECT_NEAR(time.value[0], 9 * 60.0 + 15.0, 0.1);
    const Solution off = solve(CheckTable::fromToml(table + "ask = \"distance\"").withMarks(marks));
    EXPECT_NEAR(off.value[0], 1.83, 0.01);
    // The start is plotted first, from its mark; both marks are on the plot.
    EXPECT_EQ(off.steps.front().result, "北緯30°00.0′、東経135°00.0′");
    const Geometry &g = *off.geometry;
    EXPECT_EQ(std::count_if(g.points.begin(), g.points.end(),
                  [](const ChartPoint &p) { return p.role == PointRole::Mark; }),
        2);
    // A mark the chart does not have is an error, not a position at 0°.
    EXPECT_THROW(solve(CheckTable::fromToml(table + "ask = \"time\"")), CheckError);
    // The text must give the start as the table does, and the side the mark comes abeam on.
    const std::string question
        = "試験用海図第150号使用\n8時00分にA地点（甲埼灯台から真方位180°、"
          "距離6海里）を発し、真針路000°、速力8ノットで航行する。流向090°、"
          "流速2ノットの海潮流がある。偏差は6°Wとする。乙島灯台を右正横に見る"
          "時刻はどれか。";
    const std::vector<std::string> choices = { "8時55分", "9時15分", "9時35分", "9時55分" };
    const CheckTable keyed = CheckTable::fromToml(table
        + "ask = \"time\"\ntolerance = 0.5\nchoice_values = [\"08:55\", \"09:15\", "
          "\"09:35\", \"09:55\"]")
                                 .withMarks(marks);
    EXPECT_TRUE(checkKey(keyed, question, choices, 2).faults.empty())
        << joined(checkKey(keyed, question, choices, 2).faults);
    std::string portSide = question;
    portSide.replace(portSide.find("右正横"), std::string("右正横").size(), "左正横");
    EXPECT_TRUE(mentions(checkKey(keyed, portSide, choices, 2).faults, "右正横"));
    std::string farther = question;
    farther.replace(farther.find("距離6海里"), std::string("距離6海里").size(), "距離5海里");
    EXPECT_TRUE(
        mentions(checkKey(keyed, farther, choices, 2).faults, "甲埼灯台から真方位180°、距離6海里"));
}

const Variant soundTide {
    "下図は、Ｘ港の潮汐表の一部である。1月2日の午前の高潮の潮高は、次のうちどれか。",
    { "150cm", "162cm", "174cm", "40cm" }, 3, R"(
port = "Ｘ港"
month = 1
days = [
  { day = 2, tides = [["01:10", 30, "LW"], ["07:20", 174, "HW"], ["13:30", 40, "LW"], ["19:40", 162, "HW"]] },
]
ask = "height"
tide = [2, "07:20"]
choice_values = [150, 162, 174, 40]
)"
};

TEST(KeyCheck, TideTableAndItsQuestion)
{
    EXPECT_TRUE(faultsOf(soundTide).empty()) << joined(faultsOf(soundTide));
    EXPECT_TRUE(mentions(faultsOf(soundTide, "[\"13:30\", 40, \"LW\"]", "[\"13:30\", 40, \"HW\"]"),
        "do not alternate"));
    EXPECT_TRUE(mentions(
        faultsOf(soundTide, "tide = [2, \"07:20\"]", "tide = [2, \"07:25\"]"), "not in the table"));
    EXPECT_TRUE(mentions(faultsOf(soundTide, "1月2日", "1月3日"), "does not state 1月2日"));
    EXPECT_TRUE(mentions(faultsOf(soundTide, "[150, 162, 174, 40]", "[150, 166, 174, 40]"),
        "does not state its value 166cm"));
}

const Variant strokes { "4サイクルディーゼル機関、シリンダ数 ４、機関回転数 毎分 "
                        "1,800回転。燃焼行程の回数は1分間に何回か。",
    { "９００回", "1,800回", "３６００回", "7200回" }, 3, R"(
kind = "power_strokes"
rpm = 1800.0
cylinders = 4
strokes_per_cycle = 4
choice_values = [900.0, 1800.0, 3600.0, 7200.0]
)" };

TEST(KeyCheck, EngineSumsReadFullWidthAndGroupedDigits)
{
    EXPECT_TRUE(faultsOf(strokes).empty()) << joined(faultsOf(strokes));
    EXPECT_TRUE(mentions(faultsOf(strokes, "cylinders = 4\n", ""), "missing check.cylinders"));
    EXPECT_TRUE(mentions(faultsOf(strokes, "1,800回転", "1,500回転"), "does not state 1800"));
    // A second choice within 0.5 % of the computed value.
    EXPECT_TRUE(mentions(faultsOf(strokes, "7200", "3610"), "choice 4 \"3610回\" is also within"));
}

} // namespace
