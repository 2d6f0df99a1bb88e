#include "paper/Countdown.h"

#include <algorithm>

namespace tovarin {

std::chrono::milliseconds remainingTime(LocalDateTime startTime, LocalDateTime now)
{
    return examTimeLimit - (now - startTime);
}

std::string countdownText(std::chrono::milliseconds remaining)
{
    using namespace std::chrono;
    const auto shown = std::clamp(remaining, milliseconds::zero(), examTimeLimit);
    const auto wholeMinutes = duration_cast<minutes>(shown).count(); // not negative: floor
    const auto hh = wholeMinutes / 60;
    const auto mm = wholeMinutes % 60;
    return { char('0' + hh / 10), char('0' + hh % 10), ':', char('0' + mm / 10),
        char('0' + mm % 10) };
}

} // namespace tovarin
