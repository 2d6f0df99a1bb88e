// The built-in bank as the program reads it: what the generator compiled in agrees with the
// sources, texts arrive with CR LF, and the containers become ready only when first asked.

#include "bank/QuestionBank.h"
#include "bankgen/source/BankSource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using tovarin::QuestionBank;

const tovarin::banksource::SourceBank &sources()
{
    static const auto bank
        = tovarin::banksource::loadBank(TOVARIN_BANK_DATA_DIR, TOVARIN_BANK_PICTURES_DIR);
    return bank;
}

TEST(QuestionBank, HoldsExactlyWhatTheSourcesSay)
{
    const auto pictures = tovarin::banksource::directoryPictureStore(TOVARIN_BANK_PICTURES_DIR);
    ASSERT_TRUE(sources().problems.empty()) << sources().problems.front().text();
    const QuestionBank &bank = QuestionBank::builtIn();
    for (std::int16_t k = 0; k < QuestionBank::slotCount; ++k) {
        const auto &slot = sources().slots[std::size_t(k)];
        ASSERT_EQ(bank.PoolSize(k), slot.poolSize) << "question " << k + 51;
        for (std::int16_t v = 0; v < bank.PoolSize(k); ++v) {
            const auto variant = bank.Variant(k, v);
            const auto &source = slot.variants[std::size_t(v)];
            SCOPED_TRACE(testing::Message() << "question " << k + 51 << " variant " << v);
            EXPECT_EQ(variant.QuestionText, source.question);
            for (std::size_t c = 0; c < 4; ++c)
                EXPECT_EQ(variant.ChoiceText[c], source.choices[c]);
            EXPECT_EQ(variant.CorrectChoice, source.correct);
            EXPECT_EQ(variant.LayoutType, source.layout);
            const bool hasHolder = k + 51 == 55 || k + 51 == 56;
            ASSERT_EQ(variant.PictureRef != nullptr, hasHolder);
            if (hasHolder) {
                EXPECT_EQ(variant.PictureRef->fileName(), *source.picture);
                EXPECT_EQ(variant.PictureRef->isEmpty(), source.picture->empty());
                if (!source.picture->empty()) {
                    // The compiled-in picture is the file's bytes, not a compressed resource.
                    const auto file = pictures(*source.picture);
                    ASSERT_TRUE(file.has_value());
                    const auto held = variant.PictureRef->bytes();
                    EXPECT_TRUE(std::equal(held.begin(), held.end(), file->begin(), file->end()));
                }
            }
        }
    }
}

TEST(QuestionBank, TextsUseCrLfAndNeverABareLineFeed)
{
    const QuestionBank &bank = QuestionBank::builtIn();
    int withLineBreaks = 0;
    for (std::int16_t k = 0; k < QuestionBank::slotCount; ++k)
        for (std::int16_t v = 0; v < bank.PoolSize(k); ++v) {
            const std::string text = bank.Variant(k, v).QuestionText;
            for (std::size_t i = text.find('\n'); i != std::string::npos;
                 i = text.find('\n', i + 1))
                ASSERT_TRUE(i > 0 && text[i - 1] == '\r')
                    << "question " << k + 51 << " variant " << v;
            withLineBreaks += text.find("\r\n") != std::string::npos;
        }
    EXPECT_GT(withLineBreaks, 0);
}

TEST(QuestionBank, PictureReferencesAreStableAndVariantsAreCopies)
{
    const QuestionBank &bank = QuestionBank::builtIn();
    auto first = bank.Variant(4, 0);
    const auto again = bank.Variant(4, 0);
    ASSERT_NE(first.PictureRef, nullptr);
    EXPECT_EQ(first.PictureRef, again.PictureRef) << "the holder was copied, not referred to";
    first.QuestionText = "changed";
    first.ChoiceText[0] = "changed";
    EXPECT_NE(bank.Variant(4, 0).QuestionText, "changed");
    EXPECT_NE(bank.Variant(4, 0).ChoiceText[0], "changed");
}

TEST(QuestionBank, SectionsSplitAfterQuestion58)
{
    EXPECT_EQ(QuestionBank::sectionName(0), "上級運航 I");
    EXPECT_EQ(QuestionBank::sectionName(7), "上級運航 I");
    EXPECT_EQ(QuestionBank::sectionName(8), "上級運航 II");
    EXPECT_EQ(QuestionBank::sectionName(13), "上級運航 II");
}

} // namespace
