// The explanation of review: "解説" exists only in review; it opens the explanation window beside
// the exam screen on the question shown, the window follows "＜前の問題", "次の問題＞" and a click
// on the results, and the review's end closes it, while its own close box closes it alone. What
// it shows: the key, the bank's explanation, for computed questions the steps and for chart work
// the plot, for 55 and 56 the picture.

#include "tests/ui/ScreenTestSupport.h"
#include "ui/results/IndexedLabel.h"

#include "ui/chart/ChartView.h"
#include "ui/chart/SolutionOverlay.h"
#include "ui/look/Beside.h"

#include <QScreen>

#include <QPlainTextEdit>
#include <cmath>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;
using namespace tovarin::testing;

namespace {

frmSeiseki &finishTest(ExamRun &run)
{
    frmSiken &siken = run.start();
    click(&siken, "cmdSyuuryou");
    return *Screens::ifLoaded<frmSeiseki>();
}

void clickNumber(const frmSeiseki &results, int index)
{
    QTest::mouseClick(
        results.findChild<IndexedLabel *>(u"Label17_%1"_s.arg(index)), Qt::LeftButton);
}

QPushButton *kaisetsuButton(const QWidget *siken)
{
    return control<QPushButton>(siken, "cmdKaisetsu");
}

// Review open on question index with the explanation asked for.
frmKaisetsu &openExplanation(ExamRun &run, int index)
{
    frmSeiseki &results = finishTest(run);
    clickNumber(results, index);
    QTest::mouseClick(kaisetsuButton(Screens::ifLoaded<frmSiken>()), Qt::LeftButton);
    return *Screens::ifLoaded<frmKaisetsu>();
}

QString headerOf(const frmKaisetsu &kaisetsu)
{
    return control<QLabel>(&kaisetsu, "lblHeader")->text();
}

bool explanationOnView()
{
    const frmKaisetsu *kaisetsu = Screens::ifLoaded<frmKaisetsu>();
    return kaisetsu && kaisetsu->isVisible();
}

} // namespace

class frmKaisetsuTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { applyProgramLook(); }
    void init() { startFresh(); }
    void cleanup() { unloadEverything(); }

    void theButtonIsOfferedInReviewAlone()
    {
        ExamRun run;
        frmSiken &siken = run.start();
        QVERIFY(kaisetsuButton(&siken)->isHidden());
        click(&siken, "cmdNext");
        QVERIFY(kaisetsuButton(&siken)->isHidden());
        click(&siken, "cmdSyuuryou");
        clickNumber(*Screens::ifLoaded<frmSeiseki>(), 3);
        QVERIFY(kaisetsuButton(&siken)->isVisible());
        // Free space of the bottom row: clear of every other control there.
        for (const char *other :
            { "cmdCorAns", "cmdBefore", "cmdNext", "cmdSyuuryou", "Frame1", "Frame3" })
            QVERIFY2(
                !kaisetsuButton(&siken)->geometry().intersects(control(&siken, other)->geometry()),
                other);

        click(Screens::ifLoaded<frmSeiseki>(), "cmdEnd");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        frmSiken &next = run.start();
        QVERIFY(kaisetsuButton(&next)->isHidden());
        QVERIFY(!Screens::ifLoaded<frmKaisetsu>());
    }

    void opensOnTheQuestionShownAndFollowsIt()
    {
        ExamRun run;
        frmKaisetsu &kaisetsu = openExplanation(run, 1);
        frmSiken &siken = *Screens::ifLoaded<frmSiken>();
        QVERIFY(kaisetsu.isVisible());
        QCOMPARE(kaisetsu.question(), 1);
        const QString key = QString::number(examPaper().Questions[1].CorrectChoice);
        QCOMPARE(headerOf(kaisetsu), u"第52問　正答 ("_s + key + u")"_s);

        click(&siken, "cmdNext");
        QCOMPARE(kaisetsu.question(), 2);
        QVERIFY(headerOf(kaisetsu).startsWith(u"第53問"_s));
        click(&siken, "cmdBefore");
        click(&siken, "cmdBefore");
        QCOMPARE(kaisetsu.question(), 0);
        clickNumber(*Screens::ifLoaded<frmSeiseki>(), 9);
        QCOMPARE(kaisetsu.question(), 9);
        QVERIFY(headerOf(kaisetsu).startsWith(u"第60問"_s));
        QCOMPARE(Screens::ifLoaded<frmKaisetsu>(), &kaisetsu); // followed, not opened anew

        // Asked for again, the open window comes forward on the same question.
        QTest::mouseClick(kaisetsuButton(&siken), Qt::LeftButton);
        QCOMPARE(Screens::ifLoaded<frmKaisetsu>(), &kaisetsu);
        QCOMPARE(kaisetsu.question(), 9);
    }

    void opensBesideTheExamScreen()
    {
        ExamRun run;
        frmSeiseki &results = finishTest(run);
        clickNumber(results, 0);
        frmSiken &siken = *Screens::ifLoaded<frmSiken>();
        const QRect available = siken.screen()->availableGeometry();
        // The test's screen (wide-screen.json) is 1600 pixels wide; the exam screen is put at its
        // right edge, so that there is room on the left alone.
        QVERIFY2(available.width() >= 1400, "the test needs its wide screen");
        siken.move(available.right() + 1 - siken.frameGeometry().width(), available.top() + 20);
        QTest::mouseClick(kaisetsuButton(&siken), Qt::LeftButton);
        const QRect kaisetsu = Screens::ifLoaded<frmKaisetsu>()->frameGeometry();
        QVERIFY(available.contains(kaisetsu));
        QVERIFY(!kaisetsu.intersects(siken.frameGeometry()));
        QCOMPARE(kaisetsu.right() + 1, siken.frameGeometry().left());
        QCOMPARE(kaisetsu.top(), siken.frameGeometry().top());
        QCOMPARE(Screens::ifLoaded<frmKaisetsu>()->size(), frmKaisetsu::preferredClientSize());
    }

    void besideAnotherWindow_data()
    {
        QTest::addColumn<QRect>("other");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("room on the right")
            << QRect(100, 100, 780, 600) << QRect(880, 100, 600, 580);
        QTest::newRow("less room on the right: narrower")
            << QRect(410, 210, 780, 580) << QRect(1190, 210, 410, 580);
        QTest::newRow("no room on the right: the left")
            << QRect(800, 50, 780, 600) << QRect(200, 50, 600, 580);
        QTest::newRow("room on neither side: the right edge")
            << QRect(300, 50, 1100, 600) << QRect(1000, 50, 600, 580);
        QTest::newRow("low on the screen: lifted")
            << QRect(100, 700, 780, 600) << QRect(880, 420, 600, 580);
    }
    void besideAnotherWindow()
    {
        QFETCH(QRect, other);
        QFETCH(QRect, expected);
        QCOMPARE(besideFrame(other, QRect(0, 0, 1600, 1000), QSize(600, 580), 360), expected);
    }

    void theReviewsEndClosesIt_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("examOnView");
        QTest::newRow("閉じる") << u"cmdEnd"_s << false;
        QTest::newRow("the results' close box") << u"results close box"_s << false;
        QTest::newRow("試験終了") << u"cmdSyuuryou"_s << false;
        QTest::newRow("the exam screen's close box") << u"exam close box"_s << false;
        QTest::newRow("its own close box") << u"own close box"_s << true;
        QTest::newRow("Escape") << u"Escape"_s << true;
    }
    void theReviewsEndClosesIt()
    {
        QFETCH(QString, how);
        QFETCH(bool, examOnView);
        ExamRun run;
        frmKaisetsu &kaisetsu = openExplanation(run, 4);
        frmSiken &siken = *Screens::ifLoaded<frmSiken>();
        frmSeiseki &results = *Screens::ifLoaded<frmSeiseki>();
        if (how == u"cmdEnd"_s)
            click(&results, "cmdEnd");
        else if (how == u"results close box"_s)
            closeLikeAWindowManager(&results);
        else if (how == u"cmdSyuuryou"_s)
            click(&siken, "cmdSyuuryou");
        else if (how == u"exam close box"_s)
            closeLikeAWindowManager(&siken);
        else if (how == u"own close box"_s)
            closeLikeAWindowManager(&kaisetsu);
        else
            QTest::keyClick(control(&kaisetsu, "txtKaisetsu"), Qt::Key_Escape);
        QVERIFY(!explanationOnView());
        QVERIFY(!Screens::ifLoaded<frmKaisetsu>());
        QCOMPARE(Screens::ifLoaded<frmSiken>() && Screens::ifLoaded<frmSiken>()->isVisible(),
            examOnView);
        if (examOnView) { // still in review: the button opens it again
            QTest::mouseClick(kaisetsuButton(&siken), Qt::LeftButton);
            QVERIFY(explanationOnView());
        }
    }

    void showsWhatTheQuestionHas_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("steps");
        QTest::addColumn<bool>("plot");
        QTest::addColumn<bool>("picture");
        QTest::newRow("chart work, 第51問") << 0 << true << true << false;
        QTest::newRow("weather picture, 第55問") << 4 << false << false << true;
        QTest::newRow("tide, 第56問") << 5 << true << false << true;
        QTest::newRow("text, 第60問") << 9 << false << false << false;
    }
    void showsWhatTheQuestionHas()
    {
        QFETCH(int, index);
        QFETCH(bool, steps);
        QFETCH(bool, plot);
        QFETCH(bool, picture);
        ExamRun run;
        frmKaisetsu &kaisetsu = openExplanation(run, index);
        const ExamQuestion &question = examPaper().Questions[std::size_t(index)];
        const QString text = control<QPlainTextEdit>(&kaisetsu, "txtKaisetsu")->toPlainText();
        const QString key
            = QString::fromStdString(question.ChoiceText[std::size_t(question.CorrectChoice - 1)]);
        QVERIFY2(text.startsWith(u"正答 (%1)"_s.arg(question.CorrectChoice)) && text.contains(key),
            qPrintable(text));
        QVERIFY(text.contains(u"正答の理由"_s));
        QCOMPARE(text.contains(u"解き方"_s), steps);
        QCOMPARE(control<ChartView>(&kaisetsu, "plotKaisetsu")->isVisibleTo(&kaisetsu), plot);
        QCOMPARE(control<QLabel>(&kaisetsu, "picKaisetsu")->isVisibleTo(&kaisetsu), picture);
        if (picture)
            QCOMPARE(control<QLabel>(&kaisetsu, "picKaisetsu")->pixmap().isNull(), false);
    }

    // The solution on its own chart: north up, east to the right, a mile as long north-south as
    // east-west where the solution lies (the chart is conformal), every point of it in view.
    void thePlotIsTheSolutionsChartFramedToIt()
    {
        ExamRun run;
        frmKaisetsu &kaisetsu = openExplanation(run, 0);
        const auto *plot = control<ChartView>(&kaisetsu, "plotKaisetsu");
        QVERIFY(plot->solution());
        const solver::Geometry &g = plot->solution()->solution();
        QCOMPARE(plot->chart()->number(), g.chart);
        QCOMPARE(plot->accessibleName(), u"作図"_s);
        const solver::LatLon centre { (g.southWest.lat + g.northEast.lat) / 2,
            (g.southWest.lon + g.northEast.lon) / 2 };
        const double mileOfLongitude = 1.0 / 60 / std::cos(centre.lat * M_PI / 180);
        const QPointF here = plot->viewportPointOf(centre);
        const QPointF north = plot->viewportPointOf({ centre.lat + 1.0 / 60, centre.lon });
        const QPointF east = plot->viewportPointOf({ centre.lat, centre.lon + mileOfLongitude });
        QVERIFY(north.y() < here.y() && std::abs(north.x() - here.x()) < 1e-6);
        QVERIFY(east.x() > here.x() && std::abs(east.y() - here.y()) < 1e-6);
        QVERIFY(std::abs((here.y() - north.y()) - (east.x() - here.x()))
            < 0.01 * (east.x() - here.x()));
        const QRectF inside(plot->viewport()->rect());
        for (const solver::ChartPoint &point : g.points)
            QVERIFY2(inside.contains(plot->viewportPointOf(point.at)), point.name.c_str());
        // Framed to the solution: it fills the view in one direction at least.
        const QPointF sw = plot->viewportPointOf(g.southWest),
                      ne = plot->viewportPointOf(g.northEast);
        QVERIFY(ne.x() - sw.x() > inside.width() * 0.9 || sw.y() - ne.y() > inside.height() * 0.9);
    }

    void aQuestionTheBankDoesNotKnowSaysSo()
    {
        ExamRun run;
        frmSeiseki &results = finishTest(run);
        examPaper().drawnVariant[2] = 99; // a variant the pool does not have
        clickNumber(results, 2);
        QTest::mouseClick(kaisetsuButton(Screens::ifLoaded<frmSiken>()), Qt::LeftButton);
        const frmKaisetsu &kaisetsu = *Screens::ifLoaded<frmKaisetsu>();
        QVERIFY(control<QPlainTextEdit>(&kaisetsu, "txtKaisetsu")
                    ->toPlainText()
                    .contains(u"解説はありません"_s));
        QVERIFY(!control<ChartView>(&kaisetsu, "plotKaisetsu")->isVisibleTo(&kaisetsu));
    }
};

QTEST_MAIN(frmKaisetsuTest)
#include "frmKaisetsuTest.moc"
