// What the review explains about a question: why its key is right, one line per wrong choice,
// and for a computed question its worked solution, which the bank's build solved from the check
// table and compiled in: the program carries no solver. Read-only, built from bank/data with the
// question tables.
//
// A drawn question carries no variant number, so it is found by its question number's slot and
// its text; the bank's build makes sure no two variants of a pool share a text.
#pragma once

#include "bank/QuestionNumbers.h"
#include "bank/solver/Solution.h"

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

// The explanation of the variant of slot 0 to 13 whose question text is questionText, or
// nullptr when the slot has no such variant.
const Explanation *explanationFor(std::int16_t slotIndex, std::string_view questionText);

} // namespace tovarin
