// The countdown of a test: the time left of its limit, and the "HH:MM" text of the exam screen.
// The time left comes from the clock, never from counted ticks, so a late tick is not made up
// and a clock put forward shortens it at once.
#pragma once

#include "paper/Clock.h"

#include <chrono>
#include <string>
#include <string_view>

namespace tovarin {

// The time a test may take, from its StartTime.
inline constexpr std::chrono::milliseconds examTimeLimit
    = std::chrono::hours(1) + std::chrono::minutes(10);

// What the countdown shows once less than a minute is left; the tick that shows it ends the test.
inline constexpr std::string_view timeUpText = "00:00";

// The limit less the time since startTime: below zero once the limit has passed (a computer that
// slept past the end), above the limit when the clock has been put back before the start.
std::chrono::milliseconds remainingTime(LocalDateTime startTime, LocalDateTime now);

// The remaining time in whole minutes as "HH:MM", the seconds dropped: "01:09" throughout the
// first minute of a test, "00:01" throughout the sixty-ninth. Anything under one minute, the time
// past the end included, is timeUpText; anything over the limit is the limit, "01:10". So the
// text is never negative and never wraps round a day.
std::string countdownText(std::chrono::milliseconds remaining);

} // namespace tovarin
