// The rate texts of the results: "#0.0" and the read-back of a box's text as a number.

#include "paper/RateText.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using namespace tovarin;

TEST(FormatRate, OneDigitAfterTheFullStopAndAtLeastOneBefore)
{
    EXPECT_EQ(formatRate(0.0), "0.0");
    EXPECT_EQ(formatRate(5.0), "5.0");
    EXPECT_EQ(formatRate(37.5), "37.5");
    EXPECT_EQ(formatRate(100.0), "100.0");
    EXPECT_EQ(formatRate(0.04), "0.0");
    EXPECT_EQ(formatRate(-0.04), "0.0") << "a rate that rounds to zero has no sign";
    EXPECT_EQ(formatRate(-12.34), "-12.3");
}

TEST(FormatRate, QuotientsOfTheScoresRoundToOneDecimal)
{
    EXPECT_EQ(formatRate(10 / 0.6), "16.7");
    EXPECT_EQ(formatRate(20 / 0.6), "33.3");
    EXPECT_EQ(formatRate(30 / 0.6), "50.0") << "30 / 0.6 is a hair above 50 in binary";
    EXPECT_EQ(formatRate(60 / 0.6), "100.0");
    EXPECT_EQ(formatRate(10 / 1.4), "7.1");
    EXPECT_EQ(formatRate(90 / 1.4), "64.3");
    EXPECT_EQ(formatRate(70 / 1.4), "50.0");
    EXPECT_EQ(formatRate(140 / 1.4), "100.0");
}

TEST(FormatRate, AHalfOfTheLastDigitRoundsAwayFromZero)
{
    EXPECT_EQ(formatRate(0.25), "0.3");
    EXPECT_EQ(formatRate(2.25), "2.3");
    EXPECT_EQ(formatRate(0.05), "0.1");
    EXPECT_EQ(formatRate(1.45), "1.5") << "the decimal half counts, not the binary tail";
    EXPECT_EQ(formatRate(-0.25), "-0.3");
}

TEST(WholeNumberFromText, RoundsToTheNearestAndAHalfToTheEvenNeighbour)
{
    EXPECT_EQ(wholeNumberFromText("64.3"), 64);
    EXPECT_EQ(wholeNumberFromText("64.6"), 65);
    EXPECT_EQ(wholeNumberFromText("49.9"), 50);
    EXPECT_EQ(wholeNumberFromText("100.0"), 100);
    EXPECT_EQ(wholeNumberFromText("140"), 140);
    EXPECT_EQ(wholeNumberFromText("0.5"), 0);
    EXPECT_EQ(wholeNumberFromText("1.5"), 2);
    EXPECT_EQ(wholeNumberFromText("12.5"), 12);
    EXPECT_EQ(wholeNumberFromText("37.5"), 38);
    EXPECT_EQ(wholeNumberFromText("62.5"), 62);
    EXPECT_EQ(wholeNumberFromText("87.5"), 88);
    EXPECT_EQ(wholeNumberFromText("64.5"), 64) << "a half below the total's mark stays below";
    EXPECT_EQ(wholeNumberFromText("-2.5"), -2);
    EXPECT_EQ(wholeNumberFromText("32767"), 32767);
}

TEST(NumberFromText, ReadsThePlainDecimalTextsTheBoxesHold)
{
    EXPECT_DOUBLE_EQ(numberFromText("140"), 140.0);
    EXPECT_DOUBLE_EQ(numberFromText("57.1"), 57.1);
    EXPECT_DOUBLE_EQ(numberFromText("0"), 0.0);
}

TEST(NumberFromText, AnythingElseIsAnErrorNotZero)
{
    for (const char *text : { "", " 12", "12 ", "12,5", "1e3", "12.5%", "abc", "+" })
        EXPECT_THROW(numberFromText(text), std::invalid_argument) << '"' << text << '"';
    EXPECT_THROW(wholeNumberFromText(""), std::invalid_argument);
    EXPECT_THROW(wholeNumberFromText("32767.5"), std::out_of_range) << "rounds up to 32768";
    EXPECT_THROW(wholeNumberFromText("-40000"), std::out_of_range);
}

} // namespace
