#include "paper/Clock.h"

#include <ctime>

namespace tovarin {
LocalDateTime SystemClock::now() const
{
    using namespace std::chrono;
    const auto utc = system_clock::now();
    const std::time_t wholeSeconds = system_clock::to_time_t(utc);
    std::tm local {};
    localtime_r(&wholeSeconds, &local);
    const auto date = local_days(year_month_day(year(local.tm_year + 1900),
        month(unsigned(local.tm_mon + 1)), day(unsigned(local.tm_mday))));
    const auto sinceSecond = duration_cast<milliseconds>(utc.time_since_epoch()) % 1000;
    return date + hours(local.tm_hour) + minutes(local.tm_min) + std::chrono::seconds(local.tm_sec)
        + (sinceSecond < milliseconds(0) ? sinceSecond + seconds(1) : sinceSecond);
}

std::uint32_t timeOfDaySeed(LocalDateTime moment)
{
    const auto sinceMidnight = moment - std::chrono::floor<std::chrono::days>(moment);
    return static_cast<std::uint32_t>(sinceMidnight.count());
}

} // namespace tovarin
