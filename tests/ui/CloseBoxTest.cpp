// The close boxes, each window closed the way a window manager closes it: the menu's ends the
// program as "終　了" does; the exam screen's ends a running test as "試験終了" does and in the
// review hides the screen, still loaded and with the countdown stopped; the results screen's
// does what "閉じる" does. None leaves the program running without a window on view.

#include "tests/ui/ScreenTestSupport.h"
#include "ui/results/IndexedLabel.h"

#include <QPointer>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;
using namespace tovarin::testing;

namespace {

} // namespace

class CloseBoxTest : public ScreenTestCase
{
    Q_OBJECT

private Q_SLOTS:

    void menuCloseBoxEndsTheProgram()
    {
        frmMenu &menu = Screens::frmMenu();
        menu.Show();
        closeLikeAWindowManager(&menu);
        QCOMPARE(programEnds(), 1);
        QCOMPARE(screensOnView(), QStringList());
    }

    void examCloseBoxDuringATestEndsItAsTheEndButtonDoes()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        click(&siken, "cmdNext");
        choose(&siken, 2);
        run.after(std::chrono::minutes(20));
        tick(&siken);

        closeLikeAWindowManager(&siken);
        QCOMPARE(examPaper().Answers[1], std::int16_t(2));
        QVERIFY(!counting(&siken));
        QCOMPARE(control<QLabel>(&siken, "lblTime")->text(), QString());
        QCOMPARE(screensOnView(), QStringList { u"frmSeiseki"_s });
        QCOMPARE(Screens::ifLoaded<frmSiken>(), &siken);
        QCOMPARE(control<QLabel>(Screens::ifLoaded<frmSeiseki>(), "Label23_1")->text(), u"2"_s);
        QCOMPARE(programEnds(), 0);
    }

    void examCloseBoxDuringTheReviewHidesItWithoutUnloading()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        click(&siken, "cmdSyuuryou");
        clickNumber(4);
        choose(&siken, 3);

        closeLikeAWindowManager(&siken);
        QCOMPARE(screensOnView(), QStringList { u"frmSeiseki"_s });
        QCOMPARE(Screens::ifLoaded<frmSiken>(), &siken);
        QCOMPARE(examPaper().Answers[4], std::int16_t(0)); // closing is not leaving the question

        const int clockReads = run.clock.reads();
        clickNumber(5); // the same screen again: no new load, no countdown started
        QCOMPARE(Screens::ifLoaded<frmSiken>(), &siken);
        QVERIFY(siken.isVisible());
        QVERIFY(!counting(&siken));
        QCOMPARE(control<QLabel>(&siken, "lblTime")->text(), QString());
        QCOMPARE(run.clock.reads(), clockReads);
        QCOMPARE(programEnds(), 0);
    }

    void resultsCloseBoxDoesWhatTheCloseButtonDoes_data()
    {
        QTest::addColumn<bool>("inReview");
        QTest::newRow("results") << false;
        QTest::newRow("review, the exam screen in front") << true;
    }
    void resultsCloseBoxDoesWhatTheCloseButtonDoes()
    {
        QFETCH(bool, inReview);
        ExamRun run;
        frmSiken &siken = run.start();
        click(&siken, "cmdSyuuryou");
        if (inReview)
            clickNumber(0);
        QPointer<frmSiken> exam = &siken;

        closeLikeAWindowManager(Screens::ifLoaded<frmSeiseki>());
        QCOMPARE(screensOnView(), QStringList { u"frmMenu"_s });
        QVERIFY(!Screens::ifLoaded<frmSiken>());
        QVERIFY(!Screens::ifLoaded<frmSeiseki>());
        QTRY_VERIFY(exam.isNull());
        QCOMPARE(programEnds(), 0);
    }
};

QTEST_MAIN(CloseBoxTest)
#include "CloseBoxTest.moc"
