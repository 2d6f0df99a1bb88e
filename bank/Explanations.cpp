#include "bank/Explanations.h"

#include "bank/ExplanationTables.h"

#include <vector>

namespace tovarin {
namespace {

struct Held
{
    std::string_view question;
    Explanation explanation;
};

// Views over the generated table, made the first time review asks for an explanation.
const std::vector<Held> &slotExplanations(std::size_t slot)
{
    static const std::array<std::vector<Held>, questionCount> all = [] {
        std::array<std::vector<Held>, questionCount> out;
        for (std::size_t s = 0; s < out.size(); ++s) {
            const bankdata::ExplanationSlotRecord &record = bankdata::explanationSlots[s];
            for (std::int16_t v = 0; v < record.count; ++v) {
                const bankdata::ExplanationRecord &r = record.variants[v];
                Held &held = out[s].emplace_back();
                held.question = r.question;
                held.explanation.variantIndex = v;
                held.explanation.text = r.explanation;
                for (std::size_t c = 0; c < 4; ++c)
                    held.explanation.refutations[c] = r.refutations[c];
                held.explanation.checkToml = r.check;
            }
        }
        return out;
    }();
    return all[slot];
}

} // namespace

const Explanation *explanationFor(std::int16_t slotIndex, std::string_view questionText)
{
    if (slotIndex < 0 || slotIndex >= questionCount)
        return nullptr;
    for (const Held &held : slotExplanations(std::size_t(slotIndex)))
        if (held.question == questionText)
            return &held.explanation;
    return nullptr;
}

} // namespace tovarin
