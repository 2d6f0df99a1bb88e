// Where the chart appears: "海図" on questions 51 to 53 only, in the test and in review; the chart
// window beside the exam screen follows the chart questions and stays on 54 to 64; its close box
// hides it alone while the countdown runs on; the test's end hides it, review finds the same
// window and drawings with "解答例", and the end of the review or a new test forgets them.

#include "tests/ui/ScreenTestSupport.h"

#include "bank/Charts.h"
#include "ui/chart/ChartTools.h"
#include "ui/chart/ChartView.h"
#include "ui/chart/SolutionOverlay.h"
#include "ui/chart/frmKaizu.h"

#include <QPointer>
#include <QScrollBar>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;
using namespace tovarin::testing;

class ChartWindowTest : public ScreenTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void theChartFollowsTheChartQuestionsThroughTheTestAndItsReview()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        QVERIFY(!Screens::ifLoaded<frmKaizu>()); // nothing of the chart before it is asked for
        auto *kaizuButton = control<QPushButton>(&siken, "cmdKaizu");
        for (int n = 0; n < 14; ++n) {
            QCOMPARE(kaizuButton->isVisible(), n < 3);
            click(&siken, "cmdNext");
        }
        while (siken.iNumber > 0)
            click(&siken, "cmdBefore");

        click(&siken, "cmdKaizu");
        QPointer<frmKaizu> kaizu = Screens::ifLoaded<frmKaizu>();
        QVERIFY(kaizu && kaizu->isVisible());
        QCOMPARE(kaizu->windowTitle(), u"Tovarin"_s);
        QCOMPARE(kaizu->question(), std::int16_t(0));
        QCOMPARE(kaizu->view()->chart()->number(), chartNamedBy(0, examPaper().drawnVariant[0]));
        QVERIFY(!kaizu->frameGeometry().intersects(siken.frameGeometry())); // beside it
        QVERIFY(!control(kaizu, "cmdKaitourei")->isVisible());

        click(&siken, "cmdNext");
        QCOMPARE(kaizu->question(), std::int16_t(1));
        QCOMPARE(kaizu->view()->chart()->number(), chartNamedBy(1, examPaper().drawnVariant[1]));
        click(&siken, "cmdNext");
        click(&siken, "cmdNext"); // 第54問: the chart of 53 stays on the desk
        QCOMPARE(kaizu->question(), std::int16_t(2));
        QVERIFY(kaizu->isVisible());

        // Its own close box hides it alone; the countdown runs on.
        closeLikeAWindowManager(kaizu);
        QVERIFY(!kaizu->isVisible());
        QVERIFY(siken.isVisible() && counting(&siken));
        click(&siken, "cmdBefore");
        click(&siken, "cmdKaizu");
        QCOMPARE(Screens::ifLoaded<frmKaizu>(), kaizu.data());
        QVERIFY(kaizu->isVisible());
        QCOMPARE(kaizu->question(), std::int16_t(2));

        // The end of the test hides it with the exam screen; review brings the same window back.
        run.after(std::chrono::minutes(10));
        click(&siken, "cmdSyuuryou");
        QVERIFY(!kaizu->isVisible() && !siken.isVisible());
        QCOMPARE(Screens::ifLoaded<frmKaizu>(), kaizu.data());
        clickNumber(1);
        QVERIFY(kaizuButton->isVisible());
        click(&siken, "cmdKaizu");
        QVERIFY(kaizu->isVisible());
        QCOMPARE(kaizu->question(), std::int16_t(1));
        auto *kaitourei = control<QPushButton>(kaizu, "cmdKaitourei");
        QVERIFY(kaitourei->isVisible() && !kaitourei->isChecked());
        QVERIFY(kaizu->view()->solution() && !kaizu->view()->solution()->isVisible());
        kaitourei->click();
        QVERIFY(kaizu->view()->solution()->isVisible());
        clickNumber(5); // a question without a chart: the window stays as it is
        QVERIFY(!kaizuButton->isVisible());
        QCOMPARE(kaizu->question(), std::int16_t(1));

        // The review's exam screen closed hides the chart; the results closed forget it.
        closeLikeAWindowManager(&siken);
        QVERIFY(!kaizu->isVisible());
        click(Screens::ifLoaded<frmSeiseki>(), "cmdEnd");
        QVERIFY(!Screens::ifLoaded<frmKaizu>());
        QVERIFY(screensOnView() == QStringList { u"frmMenu"_s });
    }

    // The countdown's end closes the chart with the exam screen; the next test makes a new
    // window with clean charts.
    void theCountdownsEndClosesTheChartAndANewTestStartsClean()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        click(&siken, "cmdKaizu");
        QPointer<frmKaizu> kaizu = Screens::ifLoaded<frmKaizu>();
        QVERIFY(kaizu && kaizu->isVisible());
        run.after(std::chrono::minutes(70));
        tick(&siken);
        QVERIFY(!siken.isVisible());
        QVERIFY(kaizu && !kaizu->isVisible());
        click(Screens::ifLoaded<frmSeiseki>(), "cmdEnd");
        QTRY_VERIFY(!kaizu);
        frmSiken &next = run.start();
        QVERIFY(!Screens::ifLoaded<frmKaizu>());
        click(&next, "cmdKaizu");
        QVERIFY(Screens::ifLoaded<frmKaizu>()->isVisible());
    }

    // Closed in the middle of a pan, the view does not pan on when it comes back.
    void aWindowClosedInTheMiddleOfADragComesBackAtRest()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        click(&siken, "cmdKaizu");
        frmKaizu *kaizu = Screens::ifLoaded<frmKaizu>();
        ChartView *view = kaizu->view();
        view->setZoom(2.0, QRectF(view->viewport()->rect()).center());
        const QPoint at = view->viewport()->rect().center();
        QTest::mousePress(view->viewport(), Qt::MiddleButton, {}, at);
        closeLikeAWindowManager(kaizu); // the release never reaches the view
        click(&siken, "cmdKaizu");
        QVERIFY(kaizu->isVisible());
        const int h = view->horizontalScrollBar()->value();
        QMouseEvent move(QEvent::MouseMove, QPointF(at) + QPointF(-50, 0),
            view->viewport()->mapToGlobal(QPointF(at) + QPointF(-50, 0)), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &move);
        QCOMPARE(view->horizontalScrollBar()->value(), h);
        QCOMPARE(view->viewport()->cursor().shape(), Qt::ArrowCursor);
    }

    // Each chart question keeps its own drawing for the test and into its review, a pencil line
    // half drawn when the test ends leaves nothing, and the next test starts with clean charts.
    void eachChartQuestionKeepsItsDrawingUntilTheNextTest()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        click(&siken, "cmdKaizu");
        frmKaizu *kaizu = Screens::ifLoaded<frmKaizu>();
        QWidget *viewport = kaizu->view()->viewport();
        const auto mouse = [&](QEvent::Type type, QPoint at) {
            QMouseEvent event(type, QPointF(at), viewport->mapToGlobal(QPointF(at)),
                type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, {});
            QApplication::sendEvent(viewport, &event);
        };
        const QPoint middle = viewport->rect().center();
        const auto drawLine = [&](QPoint from, QPoint to) {
            mouse(QEvent::MouseButtonPress, from);
            mouse(QEvent::MouseMove, (from + to) / 2);
            mouse(QEvent::MouseMove, to);
            mouse(QEvent::MouseButtonRelease, to);
        };
        control<QAbstractButton>(kaizu, "cmdPencil")->click();
        drawLine(middle - QPoint(120, 40), middle + QPoint(60, 80));
        const ChartDrawing on51 = kaizu->tools()->drawing();
        QCOMPARE(on51.lines.size(), 1);

        click(&siken, "cmdNext");
        QVERIFY(kaizu->tools()->drawing().isEmpty());
        control<QAbstractButton>(kaizu, "cmdPencil")->click();
        drawLine(middle + QPoint(-50, 90), middle + QPoint(90, -30));
        const ChartDrawing on52 = kaizu->tools()->drawing();
        click(&siken, "cmdBefore");
        QCOMPARE(kaizu->tools()->drawing(), on51);

        // A line begun and not finished when the countdown ends the test.
        control<QAbstractButton>(kaizu, "cmdPencil")->click();
        mouse(QEvent::MouseButtonPress, middle + QPoint(100, 100));
        mouse(QEvent::MouseMove, middle + QPoint(200, 40));
        run.after(std::chrono::minutes(70));
        tick(&siken);
        QVERIFY(!kaizu->isVisible());
        mouse(QEvent::MouseButtonRelease, middle + QPoint(200, 40));
        QCOMPARE(kaizu->drawingOf(0), on51);
        QCOMPARE(kaizu->drawingOf(1), on52);

        clickNumber(1);
        click(&siken, "cmdKaizu");
        QCOMPARE(kaizu->tools()->drawing(), on52);
        clickNumber(0);
        QCOMPARE(kaizu->tools()->drawing(), on51);

        click(Screens::ifLoaded<frmSeiseki>(), "cmdEnd");
        frmSiken &next = run.start();
        click(&next, "cmdKaizu");
        QVERIFY(Screens::ifLoaded<frmKaizu>()->tools()->drawing().isEmpty());
    }
};

QTEST_MAIN(ChartWindowTest)
#include "ChartWindowTest.moc"
