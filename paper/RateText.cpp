#include "paper/RateText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace tovarin {

std::string formatRate(double value)
{
    // Multiplying first keeps 0.05 (binary 0.05000000000000000277) and 1.45 at their decimal
    // halves, as the texts a reader sees would suggest, instead of deciding on the binary tail.
    const long long tenths = std::llround(value * 10.0);
    const long long magnitude = std::llabs(tenths);
    std::string text = tenths < 0 ? "-" : "";
    text += std::to_string(magnitude / 10);
    text += '.';
    text += char('0' + magnitude % 10);
    return text;
}

double numberFromText(std::string_view text)
{
    double value = 0.0;
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (text.empty() || error != std::errc() || stop != end)
        throw std::invalid_argument("not a decimal number: \"" + std::string(text) + "\"");
    return value;
}

std::int16_t wholeNumberFromText(std::string_view text)
{
    const double value = numberFromText(text);
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < -32768.0 || whole > 32767.0)
        throw std::out_of_range("whole number outside 16 bits: \"" + std::string(text) + "\"");
    return static_cast<std::int16_t>(whole);
}

} // namespace tovarin
