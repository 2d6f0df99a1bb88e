// The local clock: the current local date and time, and the time of day. Tests put a clock of
// their own in place of the system's, so the countdown and the seeding can be checked exactly.
#pragma once

#include <chrono>
#include <cstdint>

namespace tovarin {

// A calendar date and time of day on the computer's local clock, to the millisecond.
using LocalDateTime = std::chrono::local_time<std::chrono::milliseconds>;

class Clock
{
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

class SystemClock final : public Clock
{
public:
    LocalDateTime now() const override;
};

// The clock the program reads (the current ProgramState's).
const Clock &programClock();
// Puts a test's clock in place of the system's; nullptr restores it.
void replaceProgramClock(const Clock *clock);

// Milliseconds since local midnight: the seed the menu gives the generator.
std::uint32_t timeOfDaySeed(LocalDateTime moment);

} // namespace tovarin
