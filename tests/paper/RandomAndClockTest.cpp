// The generator never returns 1.0 and is uniform; the time-of-day seed; the replaceable clock.

#include "paper/Clock.h"
#include "paper/RandomSource.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

using namespace tovarin;

TEST(RandomSource, BitsMapOntoMultiplesOfTwoToTheMinus24BelowOne)
{
    EXPECT_EQ(unitFloatFromBits(0), 0.0f);
    EXPECT_EQ(unitFloatFromBits(0xFFu), 0.0f) << "the low eight bits must not count";
    EXPECT_EQ(unitFloatFromBits(0xFFFFFFFFu), 0.99999994f);
    EXPECT_LT(unitFloatFromBits(0xFFFFFFFFu), 1.0f);
    EXPECT_EQ(unitFloatFromBits(0x80000000u), 0.5f);
}

TEST(RandomSource, SeededValuesStayInRangeAndSpreadEvenly)
{
    SeededRandom random(20261209);
    constexpr int draws = 150000, buckets = 15;
    std::array<int, buckets> counts {};
    for (int i = 0; i < draws; ++i) {
        const float r = random.next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        ++counts[std::size_t(double(r) * buckets)];
    }
    for (int count : counts)
        EXPECT_NEAR(count, draws / buckets, draws / buckets / 20) << "bucket far from uniform";
}

TEST(RandomSource, SameSeedSameSequenceAndTheProgramGeneratorCanBeReplaced)
{
    SeededRandom a(42), b(42);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(a.next(), b.next());

    seedProgramRandom(42);
    SeededRandom reference(42);
    EXPECT_EQ(programRandom().next(), reference.next());

    SeededRandom replacement(7);
    replaceProgramRandom(&replacement);
    EXPECT_EQ(&programRandom(), &replacement);
    replaceProgramRandom(nullptr);
    EXPECT_NE(&programRandom(), &replacement);
}

TEST(Clock, TimeOfDaySeedIsMillisecondsSinceMidnight)
{
    using namespace std::chrono;
    const LocalDateTime moment = local_days(2026y / December / 9) + 10h + 20min + 30s + 456ms;
    EXPECT_EQ(timeOfDaySeed(moment), 37230456u);
    EXPECT_EQ(timeOfDaySeed(local_days(2026y / December / 9) + 0ms), 0u);
    EXPECT_EQ(timeOfDaySeed(local_days(2026y / December / 10) - 1ms), 86399999u);
}

// CTest runs this under TZ=JST-9, so a clock that gave UTC would be nine hours off.
TEST(Clock, SystemClockReadsTheLocalTime)
{
    const LocalDateTime now = SystemClock().now();
    const std::time_t t = std::time(nullptr);
    std::tm local {};
    localtime_r(&t, &local);
    std::tm utc {};
    gmtime_r(&t, &utc);
    ASSERT_NE(local.tm_hour, utc.tm_hour)
        << "run the test in a time zone other than UTC (TZ=JST-9)";
    const auto sinceMidnight = std::chrono::duration_cast<std::chrono::seconds>(
        now - std::chrono::floor<std::chrono::days>(now));
    const long expected = local.tm_hour * 3600L + local.tm_min * 60L + local.tm_sec;
    EXPECT_LE(std::abs(sinceMidnight.count() - expected) % 86398, 2) << "not local time of day";
}

TEST(Clock, ProgramClockCanBeReplaced)
{
    struct FixedClock final : Clock
    {
        LocalDateTime now() const override { return LocalDateTime(std::chrono::hours(5)); }
    } fixed;
    replaceProgramClock(&fixed);
    EXPECT_EQ(programClock().now(), LocalDateTime(std::chrono::hours(5)));
    replaceProgramClock(nullptr);
    EXPECT_NE(&programClock(), &fixed);
}

} // namespace
