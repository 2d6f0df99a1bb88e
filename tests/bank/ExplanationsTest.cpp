// The explanations review shows: every variant finds its own by slot and variant, as its source
// file wrote it, and a computed one's compiled-in solution is the one the solver gives.

#include "bank/Explanations.h"
#include "bank/QuestionBank.h"
#include "bankgen/solver/Solver.h"
#include "bankgen/source/BankSource.h"

#include <gtest/gtest.h>

namespace {

using tovarin::QuestionBank;

const tovarin::banksource::SourceBank &sources()
{
    static const auto bank
        = tovarin::banksource::loadBank(TOVARIN_BANK_DATA_DIR, TOVARIN_BANK_PICTURES_DIR);
    return bank;
}

TEST(Explanations, EveryVariantFindsItsOwn)
{
    ASSERT_TRUE(sources().problems.empty()) << sources().problems.front().text();
    const QuestionBank &bank = QuestionBank::builtIn();
    for (std::int16_t k = 0; k < QuestionBank::slotCount; ++k) {
        for (std::int16_t v = 0; v < bank.PoolSize(k); ++v) {
            SCOPED_TRACE(testing::Message() << "question " << k + 51 << " variant " << v);
            const auto &source = sources().slots[std::size_t(k)].variants[std::size_t(v)];
            const tovarin::Explanation *found = tovarin::explanationFor(k, v);
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(found->variantIndex, v);
            EXPECT_EQ(found->text, source.explanation);
            for (std::size_t c = 0; c < 4; ++c)
                EXPECT_EQ(found->refutations[c], source.refutations.at(c));
            ASSERT_EQ(found->solution != nullptr, source.check.has_value());
            if (source.check) {
                // The compiled-in solution is the one the solver gives, step for step and point
                // for point (the numbers written to 17 digits come back exactly).
                const auto compiled = found->solution();
                const auto original = tovarin::solver::solve(*source.check);
                EXPECT_EQ(compiled.answer, original.answer);
                EXPECT_EQ(compiled.value, original.value);
                ASSERT_EQ(compiled.steps.size(), original.steps.size());
                for (std::size_t i = 0; i < compiled.steps.size(); ++i)
                    EXPECT_EQ(compiled.steps[i].working + compiled.steps[i].result,
                        original.steps[i].working + original.steps[i].result);
                ASSERT_EQ(compiled.geometry.has_value(), original.geometry.has_value());
                if (compiled.geometry) {
                    EXPECT_EQ(compiled.geometry->points.size(), original.geometry->points.size());
                    EXPECT_EQ(compiled.geometry->answerPoint.has_value(),
                        original.geometry->answerPoint.has_value());
                    if (compiled.geometry->answerPoint) {
                        EXPECT_EQ(compiled.geometry->answerPoint->lat,
                            original.geometry->answerPoint->lat);
                    }
                }
            }
        }
    }
}

TEST(Explanations, NoSuchSlotOrVariantFindsNone)
{
    EXPECT_EQ(tovarin::explanationFor(3, QuestionBank::builtIn().PoolSize(3)), nullptr);
    EXPECT_EQ(tovarin::explanationFor(3, -1), nullptr);
    EXPECT_EQ(tovarin::explanationFor(-1, 0), nullptr);
    EXPECT_EQ(tovarin::explanationFor(14, 0), nullptr);
}

} // namespace
