#include "bank/Explanations.h"

#include "bank/ExplanationTables.h"

#include <array>
#include <memory>
#include <vector>

namespace tovarin {
namespace {

// The explanations review has asked for so far, by slot and variant: made from the generated
// table when first wanted, so that a lookup reads only the texts it returns.
std::vector<std::unique_ptr<Explanation>> &madeFor(std::size_t slot)
{
    static std::array<std::vector<std::unique_ptr<Explanation>>, questionCount> made;
    return made[slot];
}

Explanation make(const bankdata::ExplanationRecord &r, std::int16_t index)
{
    Explanation out;
    out.variantIndex = index;
    out.text = r.explanation;
    for (std::size_t c = 0; c < 4; ++c)
        out.refutations[c] = r.refutations[c];
    out.solution = r.solution;
    return out;
}

} // namespace

const Explanation *explanationFor(std::int16_t slotIndex, std::int16_t variantIndex)
{
    if (slotIndex < 0 || slotIndex >= questionCount)
        return nullptr;
    const auto slot = std::size_t(slotIndex);
    const bankdata::ExplanationSlotRecord &record = bankdata::explanationSlots[slot];
    if (variantIndex < 0 || variantIndex >= record.count)
        return nullptr;
    auto &made = madeFor(slot);
    if (made.size() < std::size_t(record.count))
        made.resize(std::size_t(record.count));
    auto &explanation = made[std::size_t(variantIndex)];
    if (!explanation)
        explanation
            = std::make_unique<Explanation>(make(record.variants[variantIndex], variantIndex));
    return explanation.get();
}

} // namespace tovarin
