// The solver of the bank's computed questions: from a variant's check table to the worked
// solution. Used by the bank's build (every key is checked against it), by bank-export and by
// the review's explanation, which may solve a table on demand.
//
//   const auto table = tovarin::solver::CheckTable::fromToml(text);
//   const tovarin::solver::Solution solution = tovarin::solver::solve(table);
#pragma once

#include "bank/solver/CheckTable.h"
#include "bank/solver/Solution.h"

#include <string>
#include <vector>

namespace tovarin::solver {

// Throws CheckError when the table names no known kind or cannot be worked.
Solution solve(const CheckTable &table);

// The kinds the solver knows, in the order of their families (chart work, tides, engines).
std::vector<std::string> kindNames();

// The names the solution's enums carry in JSON and messages ("mark", "planned", "position" …).
const char *roleName(PointRole role);
const char *styleName(TrackStyle style);
const char *quantityName(Quantity quantity);

} // namespace tovarin::solver
