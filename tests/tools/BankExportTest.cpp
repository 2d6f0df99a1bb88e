// bank-export writes valid JSON of the shape reviewers rely on, with texts exactly as the program
// holds them, and --exam SEED shows the exam that AssembleExam draws with that seed.

#include "paper/ExamPaper.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

using namespace tovarin;

QJsonObject runExport(const QStringList &arguments)
{
    QProcess process;
    process.start(TOVARIN_BANK_EXPORT, arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(process.readAllStandardOutput(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

std::string str(const QJsonValue &value)
{
    return value.toString().toStdString();
}

TEST(BankExport, WholeBankHasFourteenCompleteSlotsInOrder)
{
    const QJsonArray slotList = runExport({})["slots"].toArray();
    ASSERT_EQ(slotList.size(), 14);
    const QuestionBank &bank = QuestionBank::builtIn();
    for (int k = 0; k < 14; ++k) {
        const QJsonObject slot = slotList[k].toObject();
        const int number = 51 + k;
        SCOPED_TRACE(testing::Message() << "question " << number);
        EXPECT_EQ(slot["number"].toInt(), number);
        EXPECT_EQ(str(slot["section"]), number <= 58 ? "上級運航 I" : "上級運航 II");
        const QJsonArray variants = slot["variants"].toArray();
        EXPECT_EQ(slot["pool_size"].toInt(), variants.size());
        EXPECT_EQ(slot["pool_size"].toInt(), bank.PoolSize(std::int16_t(k)));
        for (int v = 0; v < variants.size(); ++v) {
            const QJsonObject variant = variants[v].toObject();
            const QuestionVariant held = bank.Variant(std::int16_t(k), std::int16_t(v));
            EXPECT_EQ(str(variant["question"]), held.QuestionText) << "variant " << v;
            const QJsonArray choices = variant["choices"].toArray();
            ASSERT_EQ(choices.size(), 4);
            for (int c = 0; c < 4; ++c)
                EXPECT_EQ(str(choices[c]), held.ChoiceText[std::size_t(c)]);
            EXPECT_EQ(variant["correct"].toInt(), held.CorrectChoice);
            EXPECT_EQ(variant["layout"].toInt(), held.LayoutType);
            EXPECT_FALSE(str(variant["explanation"]).empty());
            if (number == 55 || number == 56)
                EXPECT_TRUE(variant["picture"].isString());
            else
                EXPECT_TRUE(variant["picture"].isNull());
        }
    }
}

// Every computed variant carries its check table and a worked solution whose answer is the keyed
// choice's value; chart work also the geometry of its plot.
TEST(BankExport, ComputedVariantsCarryTheirCheckTableAndWorkedSolution)
{
    int computed = 0;
    for (const QJsonValue &slot : runExport({})["slots"].toArray()) {
        const int number = slot["number"].toInt();
        for (const QJsonValue &variant : slot["variants"].toArray()) {
            if (!variant["check"].isObject()) {
                EXPECT_TRUE(variant["solution"].isUndefined());
                EXPECT_FALSE(number <= 53 || number == 56)
                    << "question " << number << " has no check table";
                continue;
            }
            ++computed;
            const QJsonObject solution = variant["solution"].toObject();
            SCOPED_TRACE(
                testing::Message() << "question " << number << ", " << str(solution["kind"]));
            EXPECT_FALSE(solution["steps"].toArray().isEmpty());
            EXPECT_FALSE(str(solution["answer"]).empty());
            EXPECT_EQ(solution["geometry"].isObject(), number <= 53);
            if (number <= 53) {
                EXPECT_GE(solution["geometry"]["points"].toArray().size(), 1);
            }
        }
    }
    EXPECT_GE(computed, 41 + 10);
}

// Reviewers see each chart's world: its marks by name and position, as the chart questions use
// them.
TEST(BankExport, CarriesTheGazetteerOfEachChart)
{
    const QJsonArray gazetteers = runExport({})["gazetteers"].toArray();
    ASSERT_EQ(gazetteers.size(), 2);
    for (const QJsonValue &g : gazetteers) {
        EXPECT_TRUE(g["chart"].toInt() == 150 || g["chart"].toInt() == 200);
        EXPECT_GE(g["marks"].toArray().size(), 8);
        for (const QJsonValue &m : g["marks"].toArray()) {
            EXPECT_FALSE(str(m["name"]).empty());
            EXPECT_GT(m["position"]["lat_minutes"].toDouble(), 0.0);
        }
    }
}

TEST(BankExport, ExamWithSeedMatchesTheDrawWithThatSeed)
{
    for (const std::uint32_t seed : { 0u, 12345u, 4294967295u }) {
        const QJsonArray questions
            = runExport({ "--exam", QString::number(seed) })["questions"].toArray();
        ASSERT_EQ(questions.size(), 14);
        SeededRandom random(seed);
        ExamPaper paper;
        AssembleExam(paper, QuestionBank::builtIn(), random);
        for (int k = 0; k < 14; ++k) {
            const QJsonObject q = questions[k].toObject();
            EXPECT_EQ(q["number"].toInt(), 51 + k);
            EXPECT_EQ(str(q["question"]), paper.Questions[std::size_t(k)].QuestionText)
                << "seed " << seed;
            EXPECT_EQ(q["correct"].toInt(), paper.Questions[std::size_t(k)].CorrectChoice);
        }
    }
}

TEST(BankExport, RejectsASeedThatIsNotAWholeNumber)
{
    QProcess process;
    process.start(TOVARIN_BANK_EXPORT, { "--exam", "12x" });
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
}

} // namespace
