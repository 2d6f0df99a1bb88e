// The examination charts the program draws (試験用海図第150号 and 第200号), as the bank's build
// compiled them from the gazetteers: nothing is read at run time. A chart question's variant
// names its chart by number.
#pragma once

#include "bank/ChartTables.h"

#include <cstdint>

namespace tovarin {

// The chart with this number, or nullptr.
const bankdata::ChartRecord *examChart(int number);

// The number of the chart that variant variantIndex of slot 0 to 13 names, or 0 when it names
// none (questions 54 to 64, or no such variant).
int chartNamedBy(std::int16_t slotIndex, std::int16_t variantIndex);

} // namespace tovarin
