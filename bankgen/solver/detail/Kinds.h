// The kinds of check table the solver works. A kind is one function that reads its fields from
// the table and returns the worked solution, plus one entry in its family's list (chart work,
// tides, engines). The entry also says where the key's tolerance comes from.
#pragma once

#include "bank/Solution.h"
#include "bankgen/solver/detail/Inputs.h"

#include <string>
#include <vector>

namespace tovarin::solver::detail {

enum class ToleranceRule {
    FromTable, // the table's `tolerance` field, which chart work must give
    Absolute, // `tolerance` if given, otherwise the entry's figure
    Relative, // `tolerance` if given, otherwise the entry's figure × the computed value
};

struct Kind
{
    const char *name;
    Solution (*solve)(Inputs &in);
    ToleranceRule tolerance = ToleranceRule::FromTable;
    double defaultTolerance = 0.0;
};

std::vector<Kind> chartKinds();
std::vector<Kind> chartVoyageKinds();
std::vector<Kind> chartFixKinds();
std::vector<Kind> chartCurrentKinds();
std::vector<Kind> tideKinds();
std::vector<Kind> engineKinds();

// A solution of the kind with its quantity and unit; the kind then adds its steps and value.
Solution started(const char *kind, Quantity quantity, std::string unit);
void step(
    Solution &s, std::string label, std::string formula, std::string working, std::string result);

} // namespace tovarin::solver::detail

namespace tovarin::solver::detail {

// The kind a table names (a table without `kind` but with `days` is a tide table); throws
// CheckError for an unknown one.
const Kind &kindOf(Inputs &in);

// A value as a choice would state it.
std::string answerText(
    Quantity quantity, const std::vector<double> &value, const std::string &unit);

} // namespace tovarin::solver::detail
