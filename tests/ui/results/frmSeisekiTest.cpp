// The results screen: its window, answer table and score frame in place, the table filled from
// the exam paper, and the points and rates of the sections and the total, red exactly below
// their marks.

#include "tests/ui/ScreenTestSupport.h"
#include "ui/results/IndexedLabel.h"
#include "ui/results/LineControl.h"

#include "paper/Scoring.h"
#include "tests/paper/ScoredPaper.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;
using namespace tovarin::testing;

namespace {

// The results of a test whose sections earn the given points (see paperFor).
void answerFor(int pointsI, int pointsII)
{
    examPaper() = paperFor(pointsI, pointsII);
}

QLineEdit *box(const QWidget *form, const char *name)
{
    return control<QLineEdit>(form, name);
}

bool isRed(const QLineEdit *box)
{
    return box->palette().color(QPalette::Text) == QColor(255, 0, 0);
}

} // namespace

class frmSeisekiTest : public ScreenTestCase
{
    Q_OBJECT

private Q_SLOTS:

    void windowIsAFixedDialogOutOfTheTaskBar()
    {
        frmSeiseki &results = Screens::frmSeiseki();
        QCOMPARE(results.windowTitle(), u"Tovarin"_s);
        QVERIFY(!results.windowIcon().isNull());
        QCOMPARE(results.size(), QSize(588, 362));
        QCOMPARE(results.minimumSize(), results.maximumSize());
        QCOMPARE(
            results.windowType(), Qt::Window); // a tool window would stay above the exam screen
        QVERIFY(!(results.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(results.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(results.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!results.parentWidget());
    }

    void controlsHaveTheirCaptionsAndPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("place");
        const QString form;
        const QString frame = u"Frame1"_s;
        QTest::newRow("Shape2") << u"Shape2"_s << form << u""_s << QRect(32, 32, 145, 273);
        QTest::newRow("Label18") << u"Label18"_s << form << u"正解"_s << QRect(88, 40, 33, 17);
        QTest::newRow("Label19") << u"Label19"_s << form << u"解答"_s << QRect(136, 40, 33, 17);
        QTest::newRow("Label20") << u"Label20"_s << form
                                 << u"↑問いをクリックすると、問題を表示します。"_s
                                 << QRect(48, 320, 281, 17);
        QTest::newRow("Frame1") << u"Frame1"_s << form << u""_s << QRect(280, 80, 289, 225);
        QTest::newRow("Label1") << u"Label1"_s << frame << u"上級運航 I"_s << QRect(32, 40, 73, 25);
        QTest::newRow("Label2") << u"Label2"_s << frame << u"上級運航 II"_s
                                << QRect(120, 40, 65, 33);
        QTest::newRow("Label10") << u"Label10"_s << frame << u"合\u3000計"_s
                                 << QRect(224, 40, 41, 33);
        QTest::newRow("txt1") << u"txt1"_s << frame << u""_s << QRect(40, 80, 41, 25);
        QTest::newRow("Label7") << u"Label7"_s << frame << u"点"_s << QRect(80, 88, 25, 17);
        QTest::newRow("txt2") << u"txt2"_s << frame << u""_s << QRect(128, 80, 41, 25);
        QTest::newRow("Label8") << u"Label8"_s << frame << u"点"_s << QRect(168, 88, 25, 17);
        QTest::newRow("txt4") << u"txt4"_s << frame << u""_s << QRect(208, 80, 41, 25);
        QTest::newRow("Label11") << u"Label11"_s << frame << u"点"_s << QRect(256, 88, 25, 17);
        QTest::newRow("txt5") << u"txt5"_s << frame << u""_s << QRect(40, 128, 41, 25);
        QTest::newRow("Label13") << u"Label13"_s << frame << u"%"_s << QRect(88, 136, 25, 17);
        QTest::newRow("txt6") << u"txt6"_s << frame << u""_s << QRect(128, 128, 41, 25);
        QTest::newRow("Label14") << u"Label14"_s << frame << u"%"_s << QRect(176, 136, 25, 17);
        QTest::newRow("txt8") << u"txt8"_s << frame << u""_s << QRect(208, 128, 41, 25);
        QTest::newRow("Label16") << u"Label16"_s << frame << u"%"_s << QRect(256, 136, 25, 17);
        QTest::newRow("Label4") << u"Label4"_s << frame << u"８０点満点"_s
                                << QRect(32, 176, 65, 25);
        QTest::newRow("Label5") << u"Label5"_s << frame << u"６０点満点"_s
                                << QRect(120, 176, 65, 25);
        QTest::newRow("Label12") << u"Label12"_s << frame << u"１４０点満点"_s
                                 << QRect(200, 176, 65, 25);
        QTest::newRow("Shape1") << u"Shape1"_s << frame << u""_s << QRect(8, 24, 273, 185);
        QTest::newRow("cmdEnd") << u"cmdEnd"_s << form << u"閉じる"_s << QRect(456, 312, 105, 33);
    }
    void controlsHaveTheirCaptionsAndPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QString, caption);
        QFETCH(QRect, place);
        frmSeiseki &results = Screens::frmSeiseki();
        const QWidget *widget = results.findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(
            widget->parentWidget() == &results ? QString() : widget->parentWidget()->objectName(),
            container);
        if (!qobject_cast<const QLineEdit *>(widget))
            QCOMPARE(captionOf(widget), caption);
        QCOMPARE(widget->geometry(), place);
    }

    void tableRulesAndGridLinesRunBetweenTheirEndPoints_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QLine>("line");
        QTest::newRow("Line8 under the headings") << u"Line8"_s << QLine(32, 56, 176, 56);
        QTest::newRow("Line7 between number and key") << u"Line7"_s << QLine(80, 32, 80, 304);
        QTest::newRow("Line9 between key and answer") << u"Line9"_s << QLine(128, 32, 128, 304);
        QTest::newRow("Line10 between the sections") << u"Line10"_s << QLine(32, 192, 176, 192);
        QTest::newRow("Line2 after section I") << u"Line2"_s << QLine(104, 24, 104, 208);
        QTest::newRow("Line3 after section II") << u"Line3"_s << QLine(192, 24, 192, 208);
        QTest::newRow("Line1 under the headings") << u"Line1"_s << QLine(8, 64, 280, 64);
        QTest::newRow("Line4 under the points") << u"Line4"_s << QLine(8, 112, 280, 112);
        QTest::newRow("Line6 under the rates") << u"Line6"_s << QLine(8, 160, 280, 160);
    }
    void tableRulesAndGridLinesRunBetweenTheirEndPoints()
    {
        QFETCH(QString, name);
        QFETCH(QLine, line);
        const auto *rule = Screens::frmSeiseki().findChild<LineControl *>(name);
        QVERIFY(rule);
        QCOMPARE(rule->line(), line);
        QVERIFY(rule->geometry().contains(line.p1()) && rule->geometry().contains(line.p2()));
        QVERIFY(rule->testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    void answerTableRowsLeaveAGapBetweenTheSections()
    {
        frmSeiseki &results = Screens::frmSeiseki();
        for (int i = 0; i < 14; ++i) {
            const int top = i < 8 ? 64 + 16 * i : 200 + 16 * (i - 8);
            const QWidget *number = results.findChild<QLabel *>(u"Label17_%1"_s.arg(i));
            QVERIFY(number);
            QCOMPARE(captionOf(number), u"問%1"_s.arg(51 + i));
            QCOMPARE(number->geometry(), QRect(48, top, 25, 17));
            QCOMPARE(results.findChild<QLabel *>(u"lbl1_%1"_s.arg(i))->geometry(),
                QRect(96, top, 25, 17));
            QCOMPARE(results.findChild<QLabel *>(u"Label23_%1"_s.arg(i))->geometry(),
                QRect(144, top, 25, 17));
        }
    }

    void fontsAreTheScreensExceptTheEmptyCaptionOfFrame1()
    {
        frmSeiseki &results = Screens::frmSeiseki();
        const QWidget *frame = control(&results, "Frame1");
        QCOMPARE(frame->font().pointSizeF(), 11.25);
        QCOMPARE(frame->font().family(), gothicFamily());
        for (const QWidget *inside : frame->findChildren<QWidget *>())
            QCOMPARE(inside->font().pointSizeF(), 9.0);
        QCOMPARE(control(&results, "Label17_0")->font().pointSizeF(), 9.0);
        QCOMPARE(control<QLabel>(&results, "Label20")->palette().color(QPalette::WindowText),
            QColor(255, 0, 0));
    }

    void everyCaptionFits()
    {
        answerFor(80, 60);
        const QStringList faults = captionsThatDoNotFit(&Screens::frmSeiseki());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"; ")));
        const QLineEdit *widest = box(&Screens::frmSeiseki(), "txt8");
        QVERIFY(QFontMetrics(widest->font()).horizontalAdvance(widest->text())
            <= widest->width() - 2 * 2 - 2 * 2); // frame and text margins of the box
    }

    void focusStartsInTheSectionIPointsAndFollowsTheTabOrder()
    {
        frmSeiseki &results = Screens::frmSeiseki();
        results.Show();
        QVERIFY(QTest::qWaitForWindowActive(&results));
        QStringList order { QApplication::focusWidget()->objectName() };
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order,
            (QStringList { u"txt1"_s, u"txt2"_s, u"cmdEnd"_s, u"txt4"_s, u"txt5"_s, u"txt6"_s,
                u"txt8"_s, u"txt1"_s }));
    }

    // The scoring itself is paper/Scoring's (its test holds the rate table); the screen shows
    // its figures in the six boxes and turns exactly the rates it marks red.
    void boxesShowTheScoringAndItsRedRates_data()
    {
        QTest::addColumn<int>("pointsI");
        QTest::addColumn<int>("pointsII");
        QTest::newRow("total 90 red beside a section at its mark") << 30 << 60;
        QTest::newRow("total 100 not red beside red II") << 80 << 20;
        QTest::newRow("nothing right") << 0 << 0;
    }
    void boxesShowTheScoringAndItsRedRates()
    {
        QFETCH(int, pointsI);
        QFETCH(int, pointsII);
        answerFor(pointsI, pointsII);
        const ExamScore score = scoreExam(examPaper());
        frmSeiseki &results = Screens::frmSeiseki();
        const struct
        {
            const char *points;
            const char *rate;
            const ScoreLine &line;
        } rows[] = { { "txt1", "txt5", score.sectionI }, { "txt2", "txt6", score.sectionII },
            { "txt4", "txt8", score.total } };
        QCOMPARE(score.sectionI.points, pointsI);
        QCOMPARE(score.sectionII.points, pointsII);
        for (const auto &row : rows) {
            QCOMPARE(box(&results, row.points)->text(), QString::number(row.line.points));
            QCOMPARE(box(&results, row.rate)->text(), QString::fromStdString(row.line.rateText));
            QCOMPARE(isRed(box(&results, row.rate)), row.line.red);
            QVERIFY2(!isRed(box(&results, row.points)), row.points);
        }
    }

    void answerTableShowsTheKeyBesideTheAnswerWithoutMarks()
    {
        answerFor(30, 20);
        frmSeiseki &results = Screens::frmSeiseki();
        for (std::size_t i = 0; i < 14; ++i) {
            const int k = int(i);
            QCOMPARE(control<QLabel>(&results, qPrintable(u"lbl1_%1"_s.arg(k)))->text(),
                QString::number(correctChoiceOf(i)));
            const std::int16_t answer = examPaper().Answers[i];
            QCOMPARE(control<QLabel>(&results, qPrintable(u"Label23_%1"_s.arg(k)))->text(),
                answer == 0 ? QString() : QString::number(answer));
        }
        // Row 問54 answered wrong, row 問55 unanswered (see answerFor).
        QCOMPARE(control<QLabel>(&results, "Label23_3")->text(), u"1"_s);
        QCOMPARE(control<QLabel>(&results, "lbl1_3")->text(), u"4"_s);
        QCOMPARE(control<QLabel>(&results, "Label23_4")->text(), QString());
        QCOMPARE(examPaper().Answers[3], std::int16_t(1)); // nothing written back
    }

    void aFreshLoadStartsInTheDefaultColoursAndShowingAgainDoesNotScoreAgain()
    {
        answerFor(0, 0);
        QVERIFY(isRed(box(&Screens::frmSeiseki(), "txt8")));
        Screens::frmSeiseki().Show();
        answerFor(80, 60);
        Screens::frmSeiseki().Show();
        QCOMPARE(box(&Screens::frmSeiseki(), "txt4")->text(), u"0"_s);
        QVERIFY(isRed(box(&Screens::frmSeiseki(), "txt8")));

        Screens::unload(Screens::frmSeiseki());
        QCOMPARE(box(&Screens::frmSeiseki(), "txt4")->text(), u"140"_s);
        QVERIFY(!isRed(box(&Screens::frmSeiseki(), "txt5")));
        QVERIFY(!isRed(box(&Screens::frmSeiseki(), "txt8")));
    }

    void boxesAreLockedSingleLineTexts()
    {
        frmSeiseki &results = Screens::frmSeiseki();
        for (const char *name : { "txt1", "txt2", "txt4", "txt5", "txt6", "txt8" }) {
            QLineEdit *b = box(&results, name);
            QVERIFY2(b && b->isReadOnly(), name);
            const QString before = b->text();
            QTest::keyClicks(b, u"99"_s);
            QCOMPARE(b->text(), before);
        }
    }

    void questionNumbersTakeNoFocusAndReportAClickWithTheirIndex()
    {
        frmSeiseki &results = Screens::frmSeiseki();
        results.Show();
        auto *number = results.findChild<IndexedLabel *>(u"Label17_3"_s);
        QVERIFY(number);
        QCOMPARE(number->focusPolicy(), Qt::NoFocus);
        QSignalSpy clicks(number, &IndexedLabel::clicked);
        QTest::mouseClick(number, Qt::LeftButton);
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(clicks.at(0).at(0).value<std::int16_t>(), std::int16_t(3));

        QTest::mouseClick(number, Qt::RightButton);
        QTest::mousePress(number, Qt::LeftButton);
        QTest::mouseRelease(number, Qt::LeftButton, {}, QPoint(-5, -5)); // let go outside
        QCOMPARE(clicks.size(), 1);

        auto *last = results.findChild<IndexedLabel *>(u"Label17_13"_s);
        QSignalSpy lastClicks(last, &IndexedLabel::clicked);
        QTest::mouseClick(last, Qt::LeftButton);
        QCOMPARE(lastClicks.at(0).at(0).value<std::int16_t>(), std::int16_t(13));
    }
};

QTEST_MAIN(frmSeisekiTest)
#include "frmSeisekiTest.moc"
