// The tide-table extract of a question-56 check table: the standard port's high and low waters
// day by day and, when the table has one, a secondary port's time differences and height ratio.
// The solver works the key from it, and the picture generator draws the variant's picture from
// the same reading.
#pragma once

#include "bankgen/solver/CheckTable.h"

#include <optional>
#include <string>
#include <vector>

namespace tovarin::solver {

struct Tide
{
    int day = 0;
    int minutes = 0; // of the day
    int height = 0; // cm
    bool high = false;

    long absolute() const { return day * 1440L + minutes; }
};

struct SecondaryPort
{
    std::string port;
    int highWaterDifference = 0; // minutes, signed
    int lowWaterDifference = 0;
    double ratio = 0.0;
};

struct TideTable
{
    std::string port;
    int month = 0;
    std::vector<int> days; // consecutive
    std::vector<Tide> tides; // in time order, high and low waters alternating
    std::optional<SecondaryPort> secondary;
};

// Throws CheckError naming the fault when the table holds no sound extract.
TideTable tideTableOf(const CheckTable &table);

} // namespace tovarin::solver
