// The plotting tools' arithmetic where a slip would mislead a candidate: a set square that turns
// the wrong way or drifts off its direction when slid, a line clipped off its direction at the
// border, and readouts that round a figure into a wrong text (59.96′ as "59.10′" or "60.0′",
// 359.96° as "360.0°", the magnetic direction with the variation's sign reversed).

#include "chart/PlotGeometry.h"
#include "chart/Readout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using namespace tovarin::chart;

TEST(PlotGeometry, TurnsAreClockwiseOnTheChartAndMeasuredBack)
{
    const ChartXY pivot { 100, 200 };
    const ChartXY north = pointToward(pivot, 0.0, 50.0);
    EXPECT_NEAR(north.y, 150.0, 1e-9); // north is up the chart
    const ChartXY turned = turnAbout(north, pivot, 90.0);
    EXPECT_NEAR(chartDirection(pivot, turned), 90.0, 1e-9);
    for (double angle : { 37.0, -120.5, 179.0 }) {
        const ChartXY p = pointToward(pivot, 300.0, 80.0);
        EXPECT_NEAR(turnBetween(pivot, p, turnAbout(p, pivot, angle)), angle, 1e-9);
        EXPECT_NEAR(chartDirection(pivot, turnAbout(p, pivot, angle)),
            normalDirection(300.0 + angle), 1e-9);
    }
}

TEST(PlotGeometry, ASquareSlidAlongAnotherMovesOnlyAlongTheGuide)
{
    const double guide = 62.0;
    const ChartXY slid = slideAlong({ 30, -7 }, guide);
    // What is left of the pointer's movement is square to the guide; the slide is along it.
    const ChartXY unit = pointToward({}, guide, 1.0);
    EXPECT_NEAR((30 - slid.x) * unit.x + (-7 - slid.y) * unit.y, 0.0, 1e-9);
    EXPECT_NEAR(normalDirection(chartDirection({}, slid) - guide + 1.0), 1.0, 1e-9);
    const ChartXY back = slideAlong({ -30, 7 }, guide);
    EXPECT_NEAR(back.x, -slid.x, 1e-9);
    EXPECT_NEAR(back.y, -slid.y, 1e-9);
}

TEST(PlotGeometry, PencilLinesSnapToTheEdgeAndAreClippedAtTheBorderOnTheirLine)
{
    const ChartXY foot = footOnLine({ 10, 10 }, { 0, 0 }, { 20, 0 });
    EXPECT_NEAR(foot.x, 10.0, 1e-9);
    EXPECT_NEAR(foot.y, 0.0, 1e-9);
    EXPECT_NEAR(distanceToSegment({ 30, 4 }, { 0, 0 }, { 20, 0 }), std::hypot(10, 4), 1e-9);

    // Leaving the area at the east and south edges: cut where it crosses, same direction.
    const auto cut = clipToArea({ 600, 400 }, { 800, 600 }, 720, 554);
    ASSERT_TRUE(cut);
    EXPECT_NEAR(cut->second.x, 720.0, 1e-9);
    EXPECT_NEAR(cut->second.y, 520.0, 1e-9);
    EXPECT_NEAR(chartDirection(cut->first, cut->second), 135.0, 1e-9);
    const auto across = clipToArea({ -50, 100 }, { 800, 100 }, 720, 554);
    ASSERT_TRUE(across);
    EXPECT_NEAR(across->first.x, 0.0, 1e-9);
    EXPECT_NEAR(across->second.x, 720.0, 1e-9);
    EXPECT_FALSE(clipToArea({ -50, -10 }, { 800, -1 }, 720, 554));
    EXPECT_FALSE(clipToArea({ 730, 10 }, { 730, 500 }, 720, 554));
}

TEST(Readout, FiguresRoundOnceToTheDigitTheyPrint)
{
    EXPECT_EQ(positionText({ 30 + 5.1 / 60, 135.25 }), "北緯30°05.1′　東経135°15.0′");
    EXPECT_EQ(positionText({ 29 + 59.96 / 60, 134 + 59.99 / 60 }), "北緯30°00.0′　東経135°00.0′");
    EXPECT_EQ(positionText({ 40 + 0.04 / 60, 140 + 9.949 / 60 }), "北緯40°00.0′　東経140°09.9′");

    // 6°W: the magnetic direction is the true one plus six degrees; east takes them off.
    EXPECT_EQ(directionText(45.0, -6.0), "真方位045.0°　磁針方位051.0°");
    EXPECT_EQ(directionText(2.0, 6.0), "真方位002.0°　磁針方位356.0°");
    EXPECT_EQ(directionText(359.96, -6.0), "真方位000.0°　磁針方位006.0°");
    EXPECT_EQ(directionText(354.04, -6.0), "真方位354.0°　磁針方位000.0°");

    EXPECT_EQ(milesText(3.249), "3.2海里");
    EXPECT_EQ(milesText(9.96), "10.0海里");
    EXPECT_EQ(milesText(0.0), "0.0海里");
}

} // namespace
