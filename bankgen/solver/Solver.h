// The solver of the bank's computed questions: from a variant's check table to the worked
// solution. Used by the bank's build (every key is checked against it, and the explanation table
// compiles in what it solved) and by bank-export.
//
//   const auto table = tovarin::solver::CheckTable::fromToml(text);
//   const tovarin::solver::Solution solution = tovarin::solver::solve(table);
#pragma once

#include "bank/Solution.h"
#include "bankgen/solver/CheckTable.h"

#include <string>
#include <vector>

namespace tovarin::solver {

// Throws CheckError when the table names no known kind or cannot be worked.
Solution solve(const CheckTable &table);

// The names the solution's enums carry in JSON and messages ("mark", "planned", "position" …).
const char *roleName(PointRole role);
const char *styleName(TrackStyle style);
const char *quantityName(Quantity quantity);

} // namespace tovarin::solver
