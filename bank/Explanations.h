// What the review explains about a question: why its key is right, one line per wrong choice,
// and for a computed question its worked solution, which the bank's build solved from the check
// table and compiled in: the program carries no solver. Read-only, built from bank/data with the
// question tables.
//
// A drawn question is found by its slot and the variant the exam paper records it drew.
#pragma once

#include "bank/QuestionNumbers.h"
#include "bank/Solution.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace tovarin {

struct Explanation
{
    std::int16_t variantIndex = -1;
    std::string_view text; // why the key is right; line breaks as CR LF
    std::array<std::string_view, 4> refutations; // choice 1 to 4; empty for the key
    solver::Solution (*solution)() = nullptr; // builds the worked solution; null: not computed
};

// The explanation of variant variantIndex of slot 0 to 13, or nullptr when there is no such
// variant.
const Explanation *explanationFor(std::int16_t slotIndex, std::int16_t variantIndex);

} // namespace tovarin
