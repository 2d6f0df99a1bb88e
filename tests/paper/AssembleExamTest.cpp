// The draw: one value per question in order 51 to 64, v = floor(r × n), copies of the variants,
// picture references for 55 and 56 only; and the reset of the answers.

#include "paper/ExamPaper.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

using namespace tovarin;

// Hands out the values a test queues, and counts how many the draw took.
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(std::deque<float> values)
        : m_values(std::move(values))
    {
    }
    float next() override
    {
        ++taken;
        if (m_values.empty())
            return 0.0f;
        const float r = m_values.front();
        m_values.pop_front();
        return r;
    }
    int taken = 0;

private:
    std::deque<float> m_values;
};

// A bank whose question k has pool size sizes[k] and whose texts name slot and variant, e.g.
// "q55 v14". Every variant of question 51 has a picture holder too, which the draw must ignore.
class FixtureBank
{
public:
    explicit FixtureBank(std::array<std::int16_t, 14> sizes)
    {
        m_texts.reserve(14 * 16);
        for (std::size_t k = 0; k < 14; ++k) {
            auto &variants = m_variants[k];
            for (std::int16_t v = 0; v < sizes[k]; ++v) {
                const std::string &text
                    = m_texts.emplace_back("q" + std::to_string(51 + k) + " v" + std::to_string(v));
                const bool holder = k == 0 || k == 4 || k == 5;
                variants.push_back(
                    { text.c_str(), { text.c_str(), "b", "c", "d" }, std::int16_t(1 + v % 4),
                        std::int16_t(1 + v % 3), std::int16_t(holder ? (v + 1) % 2 : -1) });
            }
            m_slots[k] = { std::int16_t(51 + k), sizes[k], variants.data() };
        }
        m_frmQ = { m_slots.data(), 7, m_holders.data(), m_holders.size() };
        m_frmQ2 = { m_slots.data() + 7, 7, nullptr, 0 };
    }
    QuestionBank &bank() { return m_bank; }

private:
    std::vector<std::string> m_texts;
    std::array<std::vector<bankdata::VariantRecord>, 14> m_variants;
    std::array<bankdata::SlotRecord, 14> m_slots {};
    static constexpr std::uint8_t pixels[] = { 1, 2, 3 };
    std::array<bankdata::HolderRecord, 2> m_holders { { { "", nullptr, 0 },
        { "p.bmp", pixels, 3 } } };
    bankdata::ContainerRecord m_frmQ {}, m_frmQ2 {};
    QuestionBank m_bank { m_frmQ, m_frmQ2 };
};

constexpr std::array<std::int16_t, 14> poolSizes
    = { 14, 14, 13, 12, 15, 10, 11, 11, 11, 11, 12, 10, 9, 10 };

std::string drawnVariant(const ExamPaper &paper, std::size_t k)
{
    // The variant the paper records and the texts it copied come from the same draw.
    EXPECT_EQ(paper.Questions[k].QuestionText,
        "q" + std::to_string(51 + k) + " v" + std::to_string(paper.drawnVariant[k]));
    return paper.Questions[k].QuestionText;
}

TEST(AssembleExam, ExtremeValuesGiveFirstAndLastVariantNeverOnePast)
{
    FixtureBank fixture(poolSizes);
    ExamPaper paper;
    std::deque<float> values(14, 0.0f);
    values[4] = 0.99999994f; // question 55, pool of 15
    values[12] = 0.99999994f; // question 63, pool of 9
    ScriptedRandom random(values);
    AssembleExam(paper, fixture.bank(), random);
    EXPECT_EQ(drawnVariant(paper, 0), "q51 v0");
    EXPECT_EQ(drawnVariant(paper, 4), "q55 v14");
    EXPECT_EQ(drawnVariant(paper, 12), "q63 v8");
    EXPECT_EQ(random.taken, 14) << "one value per question";
}

TEST(AssembleExam, TakesTheValuesInQuestionOrder)
{
    FixtureBank fixture(poolSizes);
    ExamPaper paper;
    std::deque<float> values;
    for (int k = 0; k < 14; ++k)
        values.push_back(float(k) / 14.0f + 0.01f); // rising: a reversed or shuffled order shows
    ScriptedRandom random(values);
    AssembleExam(paper, fixture.bank(), random);
    for (std::size_t k = 0; k < 14; ++k) {
        const int expected = int(std::floor(double(values[k]) * poolSizes[k]));
        EXPECT_EQ(
            drawnVariant(paper, k), "q" + std::to_string(51 + k) + " v" + std::to_string(expected));
    }
}

TEST(AssembleExam, PoolOfOneAlwaysGivesVariantZero)
{
    std::array<std::int16_t, 14> ones;
    ones.fill(1);
    FixtureBank fixture(ones);
    ExamPaper paper;
    ScriptedRandom random(std::deque<float>(14, 0.99999994f));
    AssembleExam(paper, fixture.bank(), random);
    for (std::size_t k = 0; k < 14; ++k)
        EXPECT_EQ(drawnVariant(paper, k), "q" + std::to_string(51 + k) + " v0");
}

TEST(AssembleExam, CopiesEveryFieldAndRefersToPicturesOnlyFor55And56)
{
    FixtureBank fixture(poolSizes);
    ExamPaper paper;
    std::deque<float> values(14, 0.5f);
    ScriptedRandom random(values);
    AssembleExam(paper, fixture.bank(), random);
    for (std::int16_t k = 0; k < 14; ++k) {
        const QuestionVariant source
            = fixture.bank().Variant(k, std::int16_t(poolSizes[std::size_t(k)] / 2));
        const ExamQuestion &q = paper.Questions[std::size_t(k)];
        SCOPED_TRACE(testing::Message() << "question " << 51 + k);
        EXPECT_EQ(q.QuestionText, source.QuestionText);
        for (std::size_t c = 0; c < 4; ++c)
            EXPECT_EQ(q.ChoiceText[c], source.ChoiceText[c]);
        EXPECT_EQ(q.ChoiceText[4], "");
        EXPECT_EQ(q.CorrectChoice, source.CorrectChoice);
        EXPECT_EQ(q.LayoutType, source.LayoutType);
        if (k == 4 || k == 5)
            EXPECT_EQ(q.PictureRef, source.PictureRef) << "not the bank's own holder";
        else
            EXPECT_EQ(q.PictureRef, nullptr) << "question 51's holders must not reach the paper";
    }
    // Variant 7 of question 55 has the empty holder: still referred to.
    ASSERT_NE(paper.Questions[4].PictureRef, nullptr);
    EXPECT_TRUE(paper.Questions[4].PictureRef->isEmpty());
    EXPECT_TRUE(paper.Questions[14].QuestionText.empty());
}

TEST(AssembleExam, ChangingThePaperLeavesTheBankAlone)
{
    FixtureBank fixture(poolSizes);
    ExamPaper paper;
    ScriptedRandom first(std::deque<float>(14, 0.0f));
    AssembleExam(paper, fixture.bank(), first);
    paper.Questions[0].QuestionText = "scribbled";
    paper.Questions[0].ChoiceText[2] = "scribbled";
    paper.Questions[0].CorrectChoice = 4;
    EXPECT_EQ(fixture.bank().Variant(0, 0).QuestionText, "q51 v0");
    EXPECT_EQ(fixture.bank().Variant(0, 0).ChoiceText[2], "c");
    EXPECT_EQ(fixture.bank().Variant(0, 0).CorrectChoice, 1);

    ScriptedRandom again(std::deque<float>(14, 0.0f));
    AssembleExam(paper, fixture.bank(), again);
    EXPECT_EQ(paper.Questions[0].QuestionText, "q51 v0") << "a repeated draw is copied again";
    EXPECT_EQ(paper.Questions[0].CorrectChoice, 1);
}

TEST(AssembleExam, LeavesAnswersAndStartTimeAndResetClearsOnlyAnswers)
{
    FixtureBank fixture(poolSizes);
    ExamPaper paper;
    for (std::size_t i = 0; i < 15; ++i)
        paper.Answers[i] = std::int16_t(1 + i % 4);
    paper.StartTime = LocalDateTime(std::chrono::milliseconds(123456));
    ScriptedRandom random(std::deque<float>(14, 0.3f));
    AssembleExam(paper, fixture.bank(), random);
    EXPECT_EQ(paper.Answers[3], 4);
    EXPECT_EQ(paper.StartTime.time_since_epoch().count(), 123456);

    const std::string drawn = paper.Questions[9].QuestionText;
    ResetAnswers(paper);
    for (std::size_t i = 0; i < 14; ++i)
        EXPECT_EQ(paper.Answers[i], 0) << "answer " << i << " left over from the earlier exam";
    EXPECT_EQ(paper.Questions[9].QuestionText, drawn);
    EXPECT_EQ(paper.StartTime.time_since_epoch().count(), 123456);
}

TEST(AssembleExam, FixedSeedFirstValueDecides51AndFourteenthDecides64)
{
    const QuestionBank &bank = QuestionBank::builtIn();
    for (std::uint32_t seed : { 1u, 37230456u, 86399999u }) {
        SeededRandom expected(seed);
        std::vector<float> values;
        for (int k = 0; k < 14; ++k)
            values.push_back(expected.next());
        SeededRandom random(seed);
        ExamPaper paper;
        AssembleExam(paper, bank, random);
        for (std::int16_t k : { std::int16_t(0), std::int16_t(13) }) {
            const auto v
                = std::int16_t(std::floor(double(values[std::size_t(k)]) * bank.PoolSize(k)));
            EXPECT_EQ(paper.Questions[std::size_t(k)].QuestionText, bank.Variant(k, v).QuestionText)
                << "seed " << seed << ", question " << 51 + k;
        }
    }
}

TEST(ExamPaper, ProgramWideRecordCanBeStartedAfresh)
{
    examPaper().Answers[2] = 3;
    AssembleExam();
    ResetAnswers();
    EXPECT_EQ(examPaper().Answers[2], 0);
    EXPECT_FALSE(examPaper().Questions[0].QuestionText.empty());
    examPaper() = ExamPaper {};
    EXPECT_TRUE(examPaper().Questions[0].QuestionText.empty());
    EXPECT_EQ(examPaper().Questions[4].PictureRef, nullptr);
}

} // namespace
