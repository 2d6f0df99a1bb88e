// The parsed form of a CheckTable, for the solver and for readers that already hold the bank's
// TOML document.
#pragma once

#include "bankgen/solver/CheckTable.h"

#include <toml++/toml.h>

#include <vector>

namespace tovarin::solver {

struct CheckTable::Data
{
    toml::table table;
    std::vector<ChartMarkPosition> marks; // of the chart the question names, when it names one
};

inline CheckTable checkTableOf(const toml::table &table)
{
    return CheckTable(std::make_shared<const CheckTable::Data>(CheckTable::Data { table, {} }));
}

} // namespace tovarin::solver
