#pragma once

#include <QImage>

#include <toml++/toml.h>

// Draws the tide-table extract of a question-56 variant from its [variant.check]
// table in bank/data/q56.toml, the same figures its key is computed from:
// the standard port's high and low waters day by day and, when the table has
// one, the secondary port's time differences and height ratio.
namespace TideTable {

// Throws std::runtime_error naming the fault if the table is incomplete.
QImage draw(const toml::table &check);

} // namespace TideTable
