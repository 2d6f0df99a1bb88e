#pragma once

#include "bankgen/solver/TideTable.h"

#include <QImage>

// Draws the tide-table extract of a question-56 variant as the solver reads it from the variant's
// [variant.check] table in bank/data/q56.toml, the same figures its key is worked from: the
// standard port's high and low waters day by day and, when the table has one, the secondary
// port's time differences and height ratio.
namespace TideTable {

// Throws std::runtime_error naming the fault if a day holds more than two high or low waters.
QImage draw(const tovarin::solver::TideTable &tides);

} // namespace TideTable
