// Review and closing, after a test taken from the menu: a click on 問51 to 問64 brings the exam
// screen to the front on that question with exactly its stored choice; a selection changed
// there is recorded only by leaving the question, and never reaches the results; a failing step
// is reported in the message box and the program goes on; "閉じる" returns to the menu alone.

#include "tests/ui/ScreenTestSupport.h"
#include "ui/results/IndexedLabel.h"

#include <QLineEdit>
#include <QPointer>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;
using namespace tovarin::testing;

namespace {

// A test taken to its results: 第51問 answered 2, 第64問 answered 3, the others left open, and
// the exam screen left on 第58問 with nothing selected.
frmSeiseki &finishTest(ExamRun &run)
{
    frmSiken &siken = run.start();
    choose(&siken, 2);
    for (int i = 0; i < 13; ++i)
        click(&siken, "cmdNext");
    choose(&siken, 3);
    for (int i = 0; i < 6; ++i)
        click(&siken, "cmdBefore");
    click(&siken, "cmdSyuuryou");
    return *Screens::ifLoaded<frmSeiseki>();
}

void clickNumber(const frmSeiseki &results, int index)
{
    QTest::mouseClick(
        results.findChild<IndexedLabel *>(u"Label17_%1"_s.arg(index)), Qt::LeftButton);
}

QString header(const QWidget *siken)
{
    return control<QGroupBox>(siken, "Frame2")->title();
}

bool enabled(const QWidget *siken, const char *button)
{
    return control<QPushButton>(siken, button)->isEnabled();
}

// What the results screen shows: the candidate's column and the points.
QStringList resultsShown(const frmSeiseki &results)
{
    QStringList shown;
    for (int i = 0; i < 14; ++i)
        shown << results.findChild<QLabel *>(u"Label23_%1"_s.arg(i))->text();
    for (const char *box : { "txt1", "txt2", "txt4" })
        shown << control<QLineEdit>(&results, box)->text();
    return shown;
}

} // namespace

class ReviewTest : public ScreenTestCase
{
    Q_OBJECT

private Q_SLOTS:

    void aClickedNumberShowsItsQuestionWithExactlyTheStoredChoice_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("shownHeader");
        QTest::addColumn<bool>("beforeEnabled");
        QTest::addColumn<bool>("nextEnabled");
        QTest::addColumn<int>("choice");
        QTest::newRow("問51, the first") << 0 << u"第51問"_s << false << true << 2;
        QTest::newRow("問52, unanswered") << 1 << u"第52問"_s << true << true << 0;
        QTest::newRow("問64, the last") << 13 << u"第64問"_s << true << false << 3;
    }
    void aClickedNumberShowsItsQuestionWithExactlyTheStoredChoice()
    {
        QFETCH(int, index);
        QFETCH(QString, shownHeader);
        QFETCH(bool, beforeEnabled);
        QFETCH(bool, nextEnabled);
        QFETCH(int, choice);
        ExamRun run;
        frmSeiseki &results = finishTest(run);
        frmSiken &siken = *Screens::ifLoaded<frmSiken>();
        const QStringList scored = resultsShown(results);
        const auto answers = examPaper().Answers;
        clickNumber(results, 7);
        choose(&siken, 4); // a selection on another question, abandoned by the next click

        clickNumber(results, index);
        QCOMPARE(Screens::ifLoaded<frmSiken>(), &siken); // shown again, not loaded again
        QCOMPARE(siken.iNumber, std::int16_t(index));
        QCOMPARE(header(&siken), shownHeader);
        QCOMPARE(enabled(&siken, "cmdBefore"), beforeEnabled);
        QCOMPARE(enabled(&siken, "cmdNext"), nextEnabled);
        QCOMPARE(selectedChoice(&siken), choice);
        QCOMPARE(screensOnView(), (QStringList { u"frmSiken"_s, u"frmSeiseki"_s }));
        QTRY_COMPARE(QApplication::activeWindow(), &siken);
        QVERIFY(!siken.findChild<QTimer *>(u"Timer1"_s)->isActive());
        QCOMPARE(control<QLabel>(&siken, "lblTime")->text(), QString());
        QVERIFY(examPaper().Answers == answers);
        QCOMPARE(resultsShown(results), scored);

        clickNumber(results, index); // twice is as once
        QCOMPARE(header(&siken), shownHeader);
        QCOMPARE(selectedChoice(&siken), choice);
    }

    void aChoiceChangedAndLeftIsRecordedButTheResultsStayAsScored()
    {
        ExamRun run;
        frmSeiseki &results = finishTest(run);
        frmSiken &siken = *Screens::ifLoaded<frmSiken>();
        const QStringList scored = resultsShown(results);
        clickNumber(results, 0);
        choose(&siken, 4);
        click(&siken, "cmdNext");
        QCOMPARE(examPaper().Answers[0], std::int16_t(4));
        QCOMPARE(header(&siken), u"第52問"_s);
        QCOMPARE(selectedChoice(&siken), 0);
        choose(&siken, 1);
        click(&siken, "cmdCorAns"); // the exam screen's buttons all work in the review
        QCOMPARE(control<QLabel>(&siken, "lblCorAns")->text(),
            u"(%1)"_s.arg(examPaper().Questions[1].CorrectChoice));
        QCOMPARE(resultsShown(results), scored);

        click(&siken, "cmdSyuuryou"); // back to the unchanged results
        QCOMPARE(examPaper().Answers[1], std::int16_t(1));
        QCOMPARE(Screens::ifLoaded<frmSeiseki>(), &results);
        QCOMPARE(resultsShown(results), scored);
        QCOMPARE(screensOnView(), QStringList { u"frmSeiseki"_s });
        QCOMPARE(Screens::ifLoaded<frmSiken>(), &siken);
        QVERIFY(!siken.findChild<QTimer *>(u"Timer1"_s)->isActive());
    }

    void closeInTheReviewLeavesTheMenuAloneAndTheNextTestStartsAfresh()
    {
        ExamRun run;
        frmSeiseki &results = finishTest(run);
        clickNumber(results, 13);
        QPointer<frmSiken> oldExam = Screens::ifLoaded<frmSiken>();
        QPointer<frmSeiseki> oldResults = &results;
        const int clockReads = run.clock.reads();

        click(&results, "cmdEnd");
        QCOMPARE(screensOnView(), QStringList { u"frmMenu"_s });
        QVERIFY(!Screens::ifLoaded<frmSiken>());
        QVERIFY(!Screens::ifLoaded<frmSeiseki>());
        QCOMPARE(run.clock.reads(), clockReads + 1); // the menu's fresh load seeds the generator
        QTRY_VERIFY(oldExam.isNull() && oldResults.isNull());
        QCOMPARE(examPaper().Answers[13], std::int16_t(3)); // kept until the next test

        frmSiken &next = run.start();
        QCOMPARE(screensOnView(), QStringList { u"frmSiken"_s });
        QCOMPARE(next.iNumber, std::int16_t(0));
        QCOMPARE(header(&next), u"第51問"_s);
        QCOMPARE(selectedChoice(&next), 0);
        for (std::size_t i = 0; i < 15; ++i)
            QCOMPARE(examPaper().Answers[i], std::int16_t(0));
        QVERIFY(next.findChild<QTimer *>(u"Timer1"_s)->isActive());
        QCOMPARE(control<QLabel>(&next, "lblTime")->text(), QString());
    }

    void aFailingStepIsReportedAndTheProgramGoesOn()
    {
        ExamRun run;
        frmSeiseki &results = finishTest(run);
        frmSiken &siken = *Screens::ifLoaded<frmSiken>();
        examPaper().Answers[3] = 9; // no option button for it: restoring the choice fails
        MessageBoxAnswerer boxes;

        clickNumber(results, 3);
        QCOMPARE(boxes.texts, QStringList { u"9範囲の外の番号が使われました。"_s });
        QCOMPARE(boxes.titles, QStringList { u"tovarinII"_s });
        // The steps before the failure took effect, the rest did not.
        QCOMPARE(screensOnView(), (QStringList { u"frmSiken"_s, u"frmSeiseki"_s }));
        QCOMPARE(siken.iNumber, std::int16_t(3));
        QCOMPARE(header(&siken), u"第54問"_s);
        QCOMPARE(examPaper().Answers[3], std::int16_t(9));

        clickNumber(results, 0);
        QCOMPARE(boxes.texts.size(), 1);
        QCOMPARE(header(&siken), u"第51問"_s);
        QCOMPARE(selectedChoice(&siken), 2);
    }
};

QTEST_MAIN(ReviewTest)
#include "ReviewTest.moc"
