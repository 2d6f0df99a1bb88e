// The examination charts as the program carries them: each is its gazetteer, mark for mark and
// point for point, and every chart question names a chart the program has, the one its worked
// solution is plotted on.

#include "bank/Charts.h"
#include "bank/Explanations.h"
#include "bank/QuestionBank.h"
#include "bankgen/source/BankSource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const tovarin::banksource::SourceBank &sources()
{
    static const auto bank
        = tovarin::banksource::loadBank(TOVARIN_BANK_DATA_DIR, TOVARIN_BANK_PICTURES_DIR);
    return bank;
}

TEST(Charts, EachIsItsGazetteer)
{
    ASSERT_TRUE(sources().problems.empty()) << sources().problems.front().text();
    ASSERT_EQ(tovarin::bankdata::chartCount, sources().gazetteers.size());
    for (const auto &g : sources().gazetteers) {
        SCOPED_TRACE(g.fileName);
        const tovarin::bankdata::ChartRecord *chart = tovarin::examChart(g.chart);
        ASSERT_NE(chart, nullptr);
        EXPECT_EQ(chart->variation, g.variation);
        EXPECT_DOUBLE_EQ(chart->southWest.lat * 60, g.southWest.latMinutes);
        EXPECT_DOUBLE_EQ(chart->northEast.lon * 60, g.northEast.lonMinutes);
        ASSERT_EQ(chart->markCount, g.marks.size());
        for (std::size_t i = 0; i < g.marks.size(); ++i) {
            EXPECT_EQ(chart->marks[i].name, g.marks[i].name);
            EXPECT_EQ(chart->marks[i].kind, g.marks[i].kind);
            EXPECT_DOUBLE_EQ(chart->marks[i].at.lat * 60, g.marks[i].position.latMinutes);
            EXPECT_DOUBLE_EQ(chart->marks[i].at.lon * 60, g.marks[i].position.lonMinutes);
        }
        ASSERT_EQ(chart->landCount, g.land.size());
        for (std::size_t i = 0; i < g.land.size(); ++i) {
            ASSERT_EQ(chart->land[i].pointCount, g.land[i].outline.size());
            EXPECT_DOUBLE_EQ(chart->land[i].outline[2].lon * 60, g.land[i].outline[2].lonMinutes);
        }
    }
    EXPECT_EQ(tovarin::examChart(100), nullptr);
}

TEST(Charts, EveryChartQuestionNamesItsChart)
{
    auto &bank = tovarin::QuestionBank::builtIn();
    for (std::int16_t k = 0; k < tovarin::QuestionBank::slotCount; ++k) {
        for (std::int16_t v = 0; v < bank.PoolSize(k); ++v) {
            SCOPED_TRACE(testing::Message() << "question " << k + 51 << " variant " << v);
            const int chart = tovarin::chartNamedBy(k, v);
            if (k > 2) {
                EXPECT_EQ(chart, 0);
                continue;
            }
            ASSERT_NE(tovarin::examChart(chart), nullptr);
            const std::string lead = "試験用海図第" + std::to_string(chart) + "号使用";
            EXPECT_NE(bank.Variant(k, v).QuestionText.find(lead), std::string::npos);
            const auto solution = tovarin::explanationFor(k, v)->solution();
            ASSERT_TRUE(solution.geometry);
            EXPECT_EQ(solution.geometry->chart, chart);
        }
        EXPECT_EQ(tovarin::chartNamedBy(k, bank.PoolSize(k)), 0);
    }
}

} // namespace
