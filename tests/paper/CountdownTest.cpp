// The countdown: the time left of the seventy minutes in whole minutes, the end on the first
// tick with less than one minute left (69 minutes in, not 70), and no negative or wrapped text
// when the clock jumps past the end or back before the start.

#include "paper/Countdown.h"

#include <QTest>

using namespace std::chrono;
using namespace tovarin;

class CountdownTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textCountsWholeMinutesDownAndStopsAt0000_data()
    {
        QTest::addColumn<qint64>("elapsedMs"); // from the start to the tick
        QTest::addColumn<QString>("text");
        auto row = [](const char *name, milliseconds elapsed, const char *text) {
            QTest::newRow(name) << qint64(elapsed.count()) << QString::fromLatin1(text);
        };
        row("at the start", 0ms, "01:10");
        row("1 s in", 1s, "01:09");
        row("the last moment of the first minute", 59s + 999ms, "01:09");
        row("exactly 1 min in", 1min, "01:09");
        row("1 min 1 ms in", 1min + 1ms, "01:08");
        row("10 min 30 s in", 10min + 30s, "00:59");
        row("9 min 59 s in, just over the hour", 9min + 59s, "01:00");
        row("10 min 1 s in, just under the hour", 10min + 1s, "00:59");
        row("68 min 59 s in", 68min + 59s, "00:01");
        row("69 min in, one minute left", 69min, "00:01");
        row("1 ms under a minute left", 69min + 1ms, "00:00");
        row("69 min 1 s in", 69min + 1s, "00:00");
        row("70 min in, nothing left", 70min, "00:00");
        row("70 min 1 s in, just past the end", 70min + 1s, "00:00");
        row("slept three hours past the end", 73h, "00:00");
        row("slept a day past the end", 70min + 24h + 5min, "00:00");
        row("clock put back 10 min before the start", -10min, "01:10");
        row("clock put back 25 h before the start", -25h, "01:10");
    }
    void textCountsWholeMinutesDownAndStopsAt0000()
    {
        QFETCH(qint64, elapsedMs);
        QFETCH(QString, text);
        // Just before midnight, so that half the rows end on the next day.
        const LocalDateTime start = local_days(2026y / December / 31) + 23h + 30min + 15s;
        const LocalDateTime now = start + milliseconds(elapsedMs);
        QCOMPARE(QString::fromStdString(countdownText(remainingTime(start, now))), text);
    }
};

QTEST_GUILESS_MAIN(CountdownTest)
#include "CountdownTest.moc"
