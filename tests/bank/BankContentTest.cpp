// The built-in bank as a whole: pool sizes, layouts and pictures per question, the two variants
// whose exact wording is fixed, the accident narratives' lengths and the spread of the keys.

#include "BmpCheck.h"
#include "QuestionBank.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using tovarin::QuestionBank;
using tovarin::QuestionVariant;

constexpr std::array<int, 14> kPoolSizes = {14, 14, 13, 12, 15, 10, 11, 11, 11, 11, 12, 10, 9, 10};

std::vector<QuestionVariant> pool(int number)
{
    const QuestionBank &bank = QuestionBank::builtIn();
    const auto k = std::int16_t(number - 51);
    std::vector<QuestionVariant> variants;
    for (std::int16_t v = 0; v < bank.PoolSize(k); ++v)
        variants.push_back(bank.Variant(k, v));
    return variants;
}

std::size_t characters(const std::string &utf8)
{
    return std::size_t(std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

TEST(BankContent, PoolSizesAre163QuestionsInAll)
{
    int total = 0;
    for (int number = 51; number <= 64; ++number) {
        EXPECT_EQ(pool(number).size(), std::size_t(kPoolSizes[std::size_t(number - 51)])) << "question " << number;
        total += int(pool(number).size());
    }
    EXPECT_EQ(total, 163);
}

TEST(BankContent, OnlyQuestions55And56HavePicturesInTheirLayouts)
{
    std::set<std::string> pictures;
    for (int number = 51; number <= 64; ++number) {
        const auto variants = pool(number);
        for (std::size_t v = 0; v < variants.size(); ++v) {
            const QuestionVariant &q = variants[v];
            SCOPED_TRACE(testing::Message() << "question " << number << " variant " << v);
            if (number != 55 && number != 56) {
                EXPECT_EQ(q.LayoutType, 1);
                EXPECT_EQ(q.PictureRef, nullptr);
                continue;
            }
            ASSERT_NE(q.PictureRef, nullptr);
            const bool textOnly = number == 55 && (v == 3 || v == 5 || v == 6);
            EXPECT_EQ(q.PictureRef->isEmpty(), textOnly);
            if (textOnly)
                EXPECT_EQ(q.LayoutType, 1);
            else if (number == 56)
                EXPECT_EQ(q.LayoutType, 2) << "a tide table sits below short choices";
            else
                EXPECT_TRUE(q.LayoutType == 2 || q.LayoutType == 3) << "layout " << q.LayoutType;
            if (!q.PictureRef->isEmpty())
                pictures.insert(std::string(q.PictureRef->fileName()));
        }
    }
    const auto weather = pool(55);
    EXPECT_EQ(std::count_if(weather.begin(), weather.end(), [](auto &q) { return q.LayoutType == 2; }), 5);
    EXPECT_EQ(std::count_if(weather.begin(), weather.end(), [](auto &q) { return q.LayoutType == 3; }), 7);
    EXPECT_EQ(pictures.size(), 22u) << "every picture shown by exactly one variant";
}

TEST(BankContent, FixedVariantsKeepTheirExactWording)
{
    const QuestionVariant refuge = pool(57).at(9);
    EXPECT_EQ(refuge.QuestionText, "避難港の選定条件として適当でないものは、次のうちどれか。");
    EXPECT_EQ(refuge.ChoiceText[0], "強い風、高い波、うねりが防げること");
    EXPECT_EQ(refuge.ChoiceText[1], "入港しやすく、海面の広さが十分であること");
    EXPECT_EQ(refuge.ChoiceText[2], "障害物、浅瀬が少なく、危険海域がないこと");
    EXPECT_EQ(refuge.ChoiceText[3], "シーアンカーが使用できる十分な水深があること");
    EXPECT_EQ(refuge.CorrectChoice, 4);
    EXPECT_EQ(refuge.LayoutType, 1);

    const QuestionVariant currents = pool(55).at(4);
    EXPECT_EQ(currents.QuestionText,
              "右図は、日本近海の海流の状況を示したものである。図中（ア）の海流の名称は、次のうちどれか。");
    EXPECT_EQ(currents.ChoiceText, (std::array<std::string, 5>{"リマン海流", "親　潮", "対馬海流", "黒　潮", ""}));
    EXPECT_EQ(currents.CorrectChoice, 3);
    EXPECT_EQ(currents.LayoutType, 2);
    ASSERT_NE(currents.PictureRef, nullptr);
    const auto bmp = tovarin::banksource::checkBmp(currents.PictureRef->bytes());
    ASSERT_TRUE(bmp.ok) << bmp.error;
    EXPECT_EQ(bmp.info.width, 273);
    EXPECT_EQ(bmp.info.height, 244);
    EXPECT_EQ(bmp.info.bitsPerPixel, 24);
}

TEST(BankContent, AccidentNarrativesAreLongAndChartQuestionsNameTheirChart)
{
    for (const QuestionVariant &q : pool(58)) {
        EXPECT_GE(characters(q.QuestionText), 364u);
        EXPECT_LE(characters(q.QuestionText), 752u);
    }
    for (int number : {51, 52, 53})
        for (const QuestionVariant &q : pool(number))
            EXPECT_TRUE(q.QuestionText.find("試験用海図第150号使用") != std::string::npos
                        || q.QuestionText.find("試験用海図第200号使用") != std::string::npos)
                << "question " << number << ": " << q.QuestionText.substr(0, 60);
}

TEST(BankContent, KeysAreSpreadOverAllFourChoicesInEveryPool)
{
    for (int number = 51; number <= 64; ++number) {
        std::array<int, 5> counts{};
        const auto variants = pool(number);
        for (const QuestionVariant &q : variants)
            ++counts[std::size_t(q.CorrectChoice)];
        for (int key = 1; key <= 4; ++key) {
            EXPECT_GE(counts[std::size_t(key)], 1) << "question " << number << " never keys " << key;
            EXPECT_LE(counts[std::size_t(key)] * 3, int(variants.size()))
                << "question " << number << ": key " << key << " dominates";
        }
    }
}

} // namespace
