// The countdown on the exam screen, with the clock under the test's control: the label from the
// first tick on, the end of the test on the tick with less than a minute left or past the end
// (no message), and a clock put forward or back.

#include "tests/ui/ScreenTestSupport.h"

using namespace Qt::Literals::StringLiterals;
using namespace std::chrono;
using namespace tovarin;
using namespace tovarin::testing;

namespace {

QString timeShown(const QWidget *siken)
{
    return control<QLabel>(siken, "lblTime")->text();
}

} // namespace

class Timer1Test : public ScreenTestCase
{
    Q_OBJECT

private Q_SLOTS:

    void eachTickShowsTheTimeLeftAndTheLastMinuteEndsTheTest_data()
    {
        QTest::addColumn<qint64>("elapsedMs");
        QTest::addColumn<QString>("shown"); // after the tick
        QTest::addColumn<bool>("ended");
        QTest::newRow("1 s in") << qint64(1000) << u"01:09"_s << false;
        QTest::newRow("10 min 30 s in") << qint64(630'000) << u"00:59"_s << false;
        QTest::newRow("68 min 59 s in, the test goes on")
            << qint64(4'139'000) << u"00:01"_s << false;
        QTest::newRow("69 min 1 s in, time up") << qint64(4'141'000) << QString() << true;
        QTest::newRow("asleep past the end, 2 h in") << qint64(7'200'000) << QString() << true;
    }
    void eachTickShowsTheTimeLeftAndTheLastMinuteEndsTheTest()
    {
        QFETCH(qint64, elapsedMs);
        QFETCH(QString, shown);
        QFETCH(bool, ended);
        ExamRun run;
        frmSiken &siken = run.start();
        QCOMPARE(timeShown(&siken), QString()); // empty until the first tick
        click(&siken, "cmdNext");
        choose(&siken, 3);
        MessageBoxAnswerer boxes;

        run.after(milliseconds(elapsedMs));
        tick(&siken);
        QCOMPARE(timeShown(&siken), shown);
        QCOMPARE(counting(&siken), !ended);
        QCOMPARE(siken.isVisible(), !ended);
        QCOMPARE(examPaper().Answers[1], std::int16_t(ended ? 3 : 0));
        QCOMPARE(screensOnView(),
            ended ? QStringList { u"frmSeiseki"_s } : QStringList { u"frmSiken"_s });
        QCoreApplication::processEvents();
        QCOMPARE(boxes.texts, QStringList());
    }

    void theTimeComesFromTheClockNotFromCountedTicks()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        run.after(5min + 2s);
        tick(&siken);
        QCOMPARE(timeShown(&siken), u"01:04"_s);
        tick(&siken); // a tick in the same second shows the same
        QCOMPARE(timeShown(&siken), u"01:04"_s);

        run.after(5min + 3s + 10min); // the computer's clock put forward ten minutes
        tick(&siken);
        QCOMPARE(timeShown(&siken), u"00:54"_s);
        QVERIFY(counting(&siken));

        run.after(-3h); // put back before the start: never more than the limit
        tick(&siken);
        QCOMPARE(timeShown(&siken), u"01:10"_s);
    }
};

QTEST_MAIN(Timer1Test)
#include "Timer1Test.moc"
