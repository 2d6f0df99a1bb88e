// The scoring of a finished test: the points of the two sections and their total, the rate texts
// and which of them are red, for every total the scores can produce.

#include "paper/Scoring.h"
#include "tests/paper/ScoredPaper.h"

#include <QList>
#include <QStringList>
#include <QTest>

using namespace tovarin;
using tovarin::testing::paperFor;

namespace {

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

} // namespace

class ScoringTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pointsAndRatesAreRedExactlyBelowTheirMarks_data()
    {
        QTest::addColumn<int>("pointsI");
        QTest::addColumn<int>("pointsII");
        QTest::addColumn<QStringList>("texts"); // points I, rate I, points II, rate II, total, rate
        QTest::addColumn<QList<bool>>("red"); // rate I, rate II, total rate
        auto row = [](const char *name, int i, int ii, QStringList texts, QList<bool> red) {
            QTest::newRow(name) << i << ii << texts << red;
        };
        row("total 0: nothing right", 0, 0, { "0", "0.0", "0", "0.0", "0", "0.0" },
            { true, true, true });
        row("total 10: II 10", 0, 10, { "0", "0.0", "10", "16.7", "10", "7.1" },
            { true, true, true });
        row("total 20: I 10 + II 10", 10, 10, { "10", "12.5", "10", "16.7", "20", "14.3" },
            { true, true, true });
        row("total 30: II 30 at its mark", 0, 30, { "0", "0.0", "30", "50.0", "30", "21.4" },
            { true, false, true });
        row("total 40: I 40 at its mark", 40, 0, { "40", "50.0", "0", "0.0", "40", "28.6" },
            { false, true, true });
        row("total 50: I 20 + II 30", 20, 30, { "20", "25.0", "30", "50.0", "50", "35.7" },
            { true, false, true });
        row("total 60: I 60", 60, 0, { "60", "75.0", "0", "0.0", "60", "42.9" },
            { false, true, true });
        row("total 70: I 70", 70, 0, { "70", "87.5", "0", "0.0", "70", "50.0" },
            { false, true, true });
        row("total 80: I 80", 80, 0, { "80", "100.0", "0", "0.0", "80", "57.1" },
            { false, true, true });
        row("total 90 red: I 30 + II 60", 30, 60, { "30", "37.5", "60", "100.0", "90", "64.3" },
            { true, false, true });
        row("total 100 not red: I 40 + II 60", 40, 60,
            { "40", "50.0", "60", "100.0", "100", "71.4" }, { false, false, false });
        row("total 100 not red beside red II: I 80 + II 20", 80, 20,
            { "80", "100.0", "20", "33.3", "100", "71.4" }, { false, true, false });
        row("total 110: I 50 + II 60", 50, 60, { "50", "62.5", "60", "100.0", "110", "78.6" },
            { false, false, false });
        row("total 120: II 40", 80, 40, { "80", "100.0", "40", "66.7", "120", "85.7" },
            { false, false, false });
        row("total 130: II 50", 80, 50, { "80", "100.0", "50", "83.3", "130", "92.9" },
            { false, false, false });
        row("total 140: everything right", 80, 60, { "80", "100.0", "60", "100.0", "140", "100.0" },
            { false, false, false });
    }
    void pointsAndRatesAreRedExactlyBelowTheirMarks()
    {
        QFETCH(int, pointsI);
        QFETCH(int, pointsII);
        QFETCH(QStringList, texts);
        QFETCH(QList<bool>, red);
        const ExamScore score = scoreExam(paperFor(pointsI, pointsII));
        const QStringList shown { QString::number(score.sectionI.points),
            text(score.sectionI.rateText), QString::number(score.sectionII.points),
            text(score.sectionII.rateText), QString::number(score.total.points),
            text(score.total.rateText) };
        QCOMPARE(shown, texts);
        QCOMPARE((QList<bool> { score.sectionI.red, score.sectionII.red, score.total.red }), red);
    }

    void anAnswerScoresOnlyWhenItIsTheCorrectChoice()
    {
        ExamPaper paper;
        for (std::size_t i = 0; i < 14; ++i)
            paper.Questions[i].CorrectChoice = 2;
        paper.Answers[0] = 2; // right
        paper.Answers[1] = 3; // wrong
        paper.Answers[8] = 2; // right, section II
        paper.Answers[14] = 2; // the unused entry never counts
        const ExamScore score = scoreExam(paper);
        QCOMPARE(score.sectionI.points, std::int16_t(10));
        QCOMPARE(score.sectionII.points, std::int16_t(10));
        QCOMPARE(score.total.points, std::int16_t(20));
        QCOMPARE(answerText(0), std::string());
        QCOMPARE(correctChoiceText(paper.Questions[0]), std::string("2"));
    }
};

QTEST_APPLESS_MAIN(ScoringTest)
#include "ScoringTest.moc"
