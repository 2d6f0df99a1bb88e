#include "bank/Charts.h"

#include "bank/QuestionNumbers.h"

namespace tovarin {

const bankdata::ChartRecord *examChart(int number)
{
    for (std::size_t i = 0; i < bankdata::chartCount; ++i)
        if (bankdata::charts[i].number == number)
            return &bankdata::charts[i];
    return nullptr;
}

int chartNamedBy(std::int16_t slotIndex, std::int16_t variantIndex)
{
    for (const bankdata::ChartUseRecord &use : bankdata::chartUses)
        if (use.number == slotIndex + firstQuestionNumber)
            return variantIndex >= 0 && variantIndex < use.count ? use.charts[variantIndex] : 0;
    return 0;
}

} // namespace tovarin
