// The bank's rule for a computed question: its key must follow from the figures its text gives.
// checkKey works the variant's check table and compares the result with the choices:
//   - the text states every figure the table uses, and the table has no field nobody reads;
//   - each choice text states the value its choice_values entry claims;
//   - the keyed choice is the only one within the tolerance of the computed value, and the
//     tolerance is no looser than a careful hand plot needs;
//   - the key states the computed value rounded to the digits it prints (0.91 mile is 0.9海里,
//     never 1.0海里; 164.6 minutes is 2時間45分);
//   - every wrong choice lies at least the bank guide's spacing from the key.
#pragma once

#include "bank/Solution.h"
#include "bankgen/solver/CheckTable.h"

#include <optional>
#include <string>
#include <vector>

namespace tovarin::solver {

struct KeyCheckResult
{
    std::vector<std::string> faults; // one line each, without file and variant
    std::optional<Solution> solution; // when the table could be worked
};

KeyCheckResult checkKey(const CheckTable &table, const std::string &question,
    const std::vector<std::string> &choices, int correct);

} // namespace tovarin::solver
