// The chart's projection against the sailing the bank's keys are computed with: a distance taken
// with the dividers beside the same latitude, and a direction read on the chart, agree with
// mid-latitude sailing over a chart-sized run; taken far from the latitude, the distance is wrong
// as it is on paper.

#include "chart/Mercator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using tovarin::chart::chartDirection;
using tovarin::chart::Mercator;
using tovarin::solver::LatLon;

const Mercator chart150(
    { 29 + 40.0 / 60, 134 + 35.0 / 60 }, { 30 + 20.0 / 60, 135 + 35.0 / 60 }, 12.0);

TEST(Mercator, PositionsGoToTheChartAndBack)
{
    for (const LatLon at :
        { LatLon { 29.75, 134.7 }, LatLon { 30.3, 135.5 }, chart150.southWest() }) {
        const LatLon back = chart150.toLatLon(chart150.toChart(at));
        EXPECT_NEAR(back.lat, at.lat, 1e-9);
        EXPECT_NEAR(back.lon, at.lon, 1e-9);
    }
    EXPECT_NEAR(chart150.toChart(chart150.northEast()).x, chart150.width(), 1e-9);
    EXPECT_NEAR(chart150.toChart(chart150.southWest()).y, chart150.height(), 1e-9);
    EXPECT_NEAR(chart150.toChart({ 30.3333333333, 134.5833333333 }).y, 0.0, 1e-6);
}

TEST(Mercator, DividersAndDirectionAgreeWithMidLatitudeSailing)
{
    const LatLon a { 29 + 50.0 / 60, 134 + 50.0 / 60 }, b { 30 + 8.0 / 60, 135 + 12.0 / 60 };
    const double dlat = (b.lat - a.lat) * 60;
    const double dep
        = (b.lon - a.lon) * 60 * std::cos((a.lat + b.lat) / 2 * std::numbers::pi / 180);
    const double miles = std::hypot(dlat, dep);
    const double course = std::atan2(dep, dlat) * 180 / std::numbers::pi;
    const auto pa = chart150.toChart(a), pb = chart150.toChart(b);
    EXPECT_NEAR(chart150.dividerMiles(pa, pb, (a.lat + b.lat) / 2), miles, 0.05);
    EXPECT_NEAR(chartDirection(pa, pb), course, 0.1);
    EXPECT_NEAR(chartDirection(pb, pa), course + 180, 0.1);
    // Measured on the scale at 40°N instead, the same span reads about a fifth short.
    EXPECT_LT(chart150.dividerMiles(pa, pb, 40.0), miles * 0.9);
}

} // namespace
