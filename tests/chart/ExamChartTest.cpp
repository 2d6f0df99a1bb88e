// The chart's furniture as the program places it on both charts: the roses in open water, clear
// of every mark, its name, the land and the title block, and the border graduated in tenths with
// the degree and five-minute figures where a chart prints them.

#include "chart/ExamChart.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using tovarin::chart::ExamChart;
using tovarin::chart::Graduation;

TEST(ExamChart, FurnitureKeepsClearOfTheMarksAndTheLand)
{
    for (const int number : { 150, 200 }) {
        SCOPED_TRACE(number);
        const ExamChart *chart = ExamChart::byNumber(number);
        ASSERT_NE(chart, nullptr);
        EXPECT_EQ(ExamChart::byNumber(number), chart); // made once
        const auto &roses = chart->roses();
        ASSERT_GE(roses.size(), 2u);
        const double width = chart->projection().width(), height = chart->projection().height();
        for (const auto &rose : roses) {
            EXPECT_GT(rose.radius, 60.0);
            EXPECT_GE(rose.centre.x - rose.radius, 0.0);
            EXPECT_LE(rose.centre.x + rose.radius, width);
            EXPECT_GE(rose.centre.y - rose.radius, 0.0);
            EXPECT_LE(rose.centre.y + rose.radius, height);
            for (const auto &mark : chart->marks()) {
                const auto p = chart->projection().toChart(mark.at);
                EXPECT_GT(std::hypot(p.x - rose.centre.x, p.y - rose.centre.y), rose.radius + 12)
                    << mark.name;
            }
            for (const auto &land : chart->land())
                for (const auto &p : land.outline)
                    EXPECT_GT(std::hypot(p.x - rose.centre.x, p.y - rose.centre.y), rose.radius)
                        << land.name;
            const tovarin::chart::Box disc { rose.centre.x - rose.radius,
                rose.centre.y - rose.radius, 2 * rose.radius, 2 * rose.radius };
            EXPECT_FALSE(disc.intersects(chart->titleBlock()));
            EXPECT_FALSE(disc.intersects(chart->scaleOfMiles()));
        }
        EXPECT_GT(std::hypot(
                      roses[0].centre.x - roses[1].centre.x, roses[0].centre.y - roses[1].centre.y),
            2 * roses[0].radius);
        // The scale of miles is a whole number of miles at its own latitude.
        EXPECT_NEAR(chart->scaleOfMiles().width,
            chart->scaleMiles() * chart->projection().latMinuteAt(chart->scaleLatitude()), 1e-9);
    }
    EXPECT_EQ(ExamChart::byNumber(150)->variationText(), "偏差 6°W");
    EXPECT_EQ(ExamChart::byNumber(200)->title(), "試験用海図 第200号");
    EXPECT_EQ(ExamChart::byNumber(100), nullptr);
}

TEST(ExamChart, BorderIsGraduatedInTenthsWithTheFigures)
{
    // 29°40′ to 30°20′: 40 minutes of ten tenths each, both ends included.
    const auto marks = tovarin::chart::graduationsBetween(29 + 40.0 / 60, 30 + 20.0 / 60);
    ASSERT_EQ(marks.size(), 401u);
    EXPECT_EQ(marks.front().tenths, 29 * 600 + 400);
    int minutes = 0, halves = 0;
    std::string figures;
    for (const Graduation &g : marks) {
        minutes += g.size == Graduation::Size::Minute;
        halves += g.size == Graduation::Size::Half;
        if (!g.figure.empty())
            figures += g.figure + " ";
    }
    EXPECT_EQ(minutes, 41);
    EXPECT_EQ(halves, 40);
    EXPECT_EQ(figures, "40′ 45′ 50′ 55′ 30° 5′ 10′ 15′ 20′ ");
}

} // namespace
