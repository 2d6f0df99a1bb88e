// The shape of the explanation table that the bank generator writes beside the question tables:
// per question number, per variant, what review shows about it. Only bank/Explanations reads it.
#pragma once

#include "bank/solver/Solution.h"

#include <cstdint>
#include <string_view>

namespace tovarin::bankdata {

// FNV-1a over a question text's bytes: a drawn question is matched against the hashes first, so
// that finding one explanation reads no other variant's texts (their pages stay untouched).
constexpr std::uint64_t questionHash(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return hash;
}

struct ExplanationRecord
{
    std::uint64_t hash; // questionHash(question)
    const char *question; // the variant's question text, by which a drawn question is found
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
