// The number texts of the results: a rate written with the pattern "#0.0", and the texts of the
// results boxes read back as numbers, the way the scoring reads its own boxes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tovarin {

// "#0.0": at least one digit before the full stop, exactly one after it; a half of the last
// digit rounds away from zero (37.45 -> "37.5", 0.25 -> "0.3"). A zero result has no sign.
// value is finite and far inside the range of a 64-bit integer.
std::string formatRate(double value);

// The text read back as a whole number: rounded to the nearest, a half going to the even
// neighbour ("12.5" -> 12, "37.5" -> 38). Throws std::invalid_argument when the text is not a
// plain decimal number and std::out_of_range when the result leaves the 16-bit range.
std::int16_t wholeNumberFromText(std::string_view text);

// The text read back as a double-precision number, with the same checks.
double numberFromText(std::string_view text);

} // namespace tovarin
