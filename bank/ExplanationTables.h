// The shape of the explanation table that the bank generator writes beside the question tables:
// per question number, per variant, what review shows about it. Only bank/Explanations reads it.
#pragma once

#include "bank/Solution.h"

#include <cstdint>
#include <string_view>

namespace tovarin::bankdata {

struct ExplanationRecord
{
    const char *explanation; // why the key is right; UTF-8, line breaks as CR LF
    const char *refutations[4]; // one line per choice on why it is wrong, "" for the key
    solver::Solution (*solution)(); // the worked solution as the build solved it, or null
};

struct ExplanationSlotRecord
{
    std::int16_t number;
    std::int16_t count;
    const ExplanationRecord *variants;
};

// Questions 51 to 64, in order.
extern const ExplanationSlotRecord explanationSlots[14];

} // namespace tovarin::bankdata
