// The parsed form of a CheckTable, for the solver and for readers that already hold the bank's
// TOML document.
#pragma once

#include "bankgen/solver/CheckTable.h"

#include <toml++/toml.h>

namespace tovarin::solver {

struct CheckTable::Data
{
    toml::table table;
    std::vector<MarkPosition> marks; // of the chart the question names, when the bank gave them
};

inline CheckTable checkTableOf(const toml::table &table)
{
    return CheckTable(std::make_shared<const CheckTable::Data>(CheckTable::Data { table, {} }));
}

} // namespace tovarin::solver
