// The plotting tools on a plain view of chart 150 at zoom 1, driven as a candidate drives them:
// the set square moved, slid along the other and turned without drifting; pencil lines along
// its edge, free, tapped into a labelled point, or dragged off the chart; drags cut short by
// Escape, putDown or the window hiding, which must leave no stray line and no undo step; the
// dividers read beside their latitude and stepped; the compass; the keys.

#include "ui/chart/ChartTools.h"
#include "chart/Mercator.h"
#include "chart/PlotGeometry.h"
#include "chart/Readout.h"

#include <QApplication>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

#include <memory>

using namespace tovarin;

namespace {

const chart::Mercator chart150(
    { 29 + 40.0 / 60, 134 + 35.0 / 60 }, { 30 + 20.0 / 60, 135 + 35.0 / 60 }, 12.0);

chart::ChartXY xy(QPointF p)
{
    return { p.x(), p.y() };
}

} // namespace

class ChartToolsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> m_window;
    QGraphicsScene *m_scene = nullptr;
    QGraphicsView *m_view = nullptr;
    ChartTools *m_tools = nullptr;

    void mouse(QEvent::Type type, QPointF at, Qt::KeyboardModifiers modifiers = {})
    {
        const QPointF local = m_view->mapFromScene(at);
        const Qt::MouseButtons held
            = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, local, m_view->viewport()->mapToGlobal(local),
            type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held, modifiers);
        QCoreApplication::sendEvent(m_view->viewport(), &event);
    }
    void drag(QPointF from, QPointF to, Qt::KeyboardModifiers modifiers = {})
    {
        mouse(QEvent::MouseButtonPress, from, modifiers);
        mouse(QEvent::MouseMove, (from + to) / 2, modifiers);
        mouse(QEvent::MouseMove, to, modifiers);
        mouse(QEvent::MouseButtonRelease, to, modifiers);
    }
    void key(int k, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(m_view, static_cast<Qt::Key>(k), modifiers);
    }
    QToolButton *button(const char *name) { return m_window->findChild<QToolButton *>(name); }
    // Two squares at known places: the first's edge runs east from (200, 300), body south.
    void laySquares()
    {
        m_tools->takeUp(ChartTools::Tool::SetSquare);
        ToolPlacement p = m_tools->placement();
        p.squares[0] = { QPointF(200, 300), 90.0, false };
        p.squares[1] = { QPointF(150, 520), 30.0, false };
        m_tools->setPlacement(p);
    }

private Q_SLOTS:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_scene = new QGraphicsScene(
            -60, -60, chart150.width() + 120, chart150.height() + 120, m_window.get());
        m_view = new QGraphicsView(m_scene);
        m_tools = new ChartTools(m_view, chart150, -6.0, m_window.get());
        auto *layout = new QVBoxLayout(m_window.get());
        layout->addWidget(m_tools->toolBar());
        layout->addWidget(m_view);
        m_window->resize(1000, 800);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_view->setFocus();
    }
    void cleanup() { m_window.reset(); }

    void setSquareMovesSlidesAndTurnsWithoutDrifting()
    {
        laySquares();
        // Moved by its body: the pivot goes with the pointer, the edge does not turn.
        drag(QPointF(300, 330), QPointF(337, 275));
        QCOMPARE(m_tools->placement().squares[0].pivot, QPointF(237, 245));
        QCOMPARE(m_tools->placement().squares[0].direction, 90.0);

        // Slid along the other square: it moves only along 030°/210°, and its edge keeps 090°.
        drag(QPointF(300, 280), QPointF(350, 250), Qt::ShiftModifier);
        const QPointF slid = m_tools->placement().squares[0].pivot - QPointF(237, 245);
        QVERIFY(slid.manhattanLength() > 20);
        QCOMPARE(std::fmod(chart::chartDirection({}, xy(slid)) + 0.001, 180.0) - 0.001, 30.0);
        QCOMPARE(m_tools->placement().squares[0].direction, 90.0);

        // Turned by its handle 30° clockwise about the pivot; the readout says so to 0.1°.
        const SetSquarePlacement before = m_tools->placement().squares[0];
        const double length = 0.5 * chart150.width();
        const QPointF handle
            = QPointF(before.pivot.x() + 0.82 * length, before.pivot.y() + 0.045 * length * 1.6);
        const auto turned = chart::turnAbout(xy(handle), xy(before.pivot), 30.0);
        drag(handle, QPointF(turned.x, turned.y));
        const double direction = m_tools->placement().squares[0].direction;
        QVERIFY2(std::abs(direction - 120.0) < 0.3, qPrintable(QString::number(direction)));
        QCOMPARE(m_tools->placement().squares[0].pivot, before.pivot);
        QVERIFY(m_tools->statusText().contains(
            QString::fromStdString(chart::directionText(direction, -6.0))));

        // Three drags, three steps; undo takes them back to where the squares were laid, and
        // one more undo with nothing left changes nothing.
        QCOMPARE(m_tools->undoStack()->count(), 3);
        for (int i = 0; i < 4; ++i)
            button("cmdUndo")->click();
        m_tools->undoStack()->undo();
        QCOMPARE(m_tools->placement().squares[0].pivot, QPointF(200, 300));
        QCOMPARE(m_tools->placement().squares[0].direction, 90.0);
        m_tools->undoStack()->redo();
        QCOMPARE(m_tools->placement().squares[0].pivot, QPointF(237, 245));
    }

    void pencilDrawsAlongTheEdgeOrFreeAndTapsAPoint()
    {
        laySquares();
        m_tools->takeUp(ChartTools::Tool::Pencil);
        // Started 4 px below the edge and ended well off it: the line lies on the edge.
        drag(QPointF(250, 304), QPointF(420, 340));
        drag(QPointF(500, 100), QPointF(600, 150)); // free
        // Off the chart at the south-east corner: cut at the border, on its own line.
        drag(QPointF(650, 450), QPointF(900, 700));
        // A tap: a point, which takes its label.
        mouse(QEvent::MouseButtonPress, QPointF(620, 230));
        mouse(QEvent::MouseButtonRelease, QPointF(620, 230));
        auto *label = m_view->findChild<QLineEdit *>("txtPointLabel");
        QVERIFY(label);
        QTest::keyClicks(label, "A");
        QTest::keyClick(label, Qt::Key_Return);

        const ChartDrawing d = m_tools->drawing();
        QCOMPARE(d.lines.size(), 3);
        QCOMPARE(d.lines[0].from, QPointF(250, 300));
        QCOMPARE(d.lines[0].to, QPointF(420, 300));
        QCOMPARE(d.lines[1].to, QPointF(600, 150));
        QVERIFY(d.lines[2].to.x() <= chart150.width() && d.lines[2].to.y() <= chart150.height());
        QCOMPARE(chart::chartDirection(xy(d.lines[2].from), xy(d.lines[2].to)), 135.0);
        QCOMPARE(d.points.size(), 1);
        QCOMPARE(d.points[0].label, QString("A"));
        QCOMPARE(d.points[0].at, QPointF(620, 230));
        QCOMPARE(m_tools->undoStack()->count(), 4);

        // The eraser takes one line; 全部消す the rest, and undo brings them back.
        m_tools->takeUp(ChartTools::Tool::Eraser);
        mouse(QEvent::MouseButtonPress, QPointF(550, 126));
        mouse(QEvent::MouseButtonRelease, QPointF(550, 126));
        QCOMPARE(m_tools->drawing().lines.size(), 2);
        button("cmdClearAll")->click();
        QVERIFY(m_tools->drawing().isEmpty());
        button("cmdUndo")->click();
        QCOMPARE(m_tools->drawing().lines.size(), 2);
        QCOMPARE(m_tools->drawing().points.size(), 1);

        // Another question's drawing comes without this one's history.
        m_tools->setDrawing({});
        QVERIFY(m_tools->drawing().isEmpty());
        QCOMPARE(m_tools->undoStack()->count(), 0);
    }

    void aDragCutShortLeavesNoStrayLine_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Escape") << 0;
        QTest::newRow("putDown (window closed, test ended)") << 1;
        QTest::newRow("view hidden") << 2;
    }
    void aDragCutShortLeavesNoStrayLine()
    {
        QFETCH(int, how);
        laySquares();
        for (const auto tool : { ChartTools::Tool::Pencil, ChartTools::Tool::SetSquare }) {
            m_view->show();
            m_tools->takeUp(tool);
            const ToolPlacement before = m_tools->placement();
            mouse(QEvent::MouseButtonPress, QPointF(300, 330));
            mouse(QEvent::MouseMove, QPointF(380, 420));
            if (how == 0)
                key(Qt::Key_Escape);
            else if (how == 1)
                m_tools->putDown();
            else
                m_view->hide();
            mouse(QEvent::MouseButtonRelease, QPointF(380, 420));
            QVERIFY(m_tools->drawing().isEmpty());
            QCOMPARE(m_tools->placement(), before);
            QCOMPARE(m_tools->undoStack()->count(), 0);
        }
        // A zero-length drag of the pencil after a tap is not a line either.
        m_view->show();
        m_tools->takeUp(ChartTools::Tool::Pencil);
        drag(QPointF(300, 300), QPointF(300.4, 300));
        QCOMPARE(m_tools->drawing().lines.size(), 0);
    }

    void newToolsOverTheSameViewLeaveNothingOfTheOld()
    {
        // The chart window makes new tools over its view when another chart is shown.
        QGraphicsItem *chart = m_scene->addRect(0, 0, chart150.width(), chart150.height());
        laySquares();
        m_tools->takeUp(ChartTools::Tool::Pencil);
        mouse(QEvent::MouseButtonPress, QPointF(620, 230));
        mouse(QEvent::MouseButtonRelease, QPointF(620, 230));
        QVERIFY(m_view->findChild<QLineEdit *>("txtPointLabel"));
        mouse(QEvent::MouseButtonPress, QPointF(100, 100));
        mouse(QEvent::MouseMove, QPointF(150, 120));
        delete m_tools;
        QCOMPARE(m_scene->items(), QList<QGraphicsItem *>({ chart }));
        QVERIFY(!m_window->findChild<QToolBar *>());
        mouse(QEvent::MouseMove, QPointF(200, 140));
        mouse(QEvent::MouseButtonRelease, QPointF(200, 140));

        m_tools = new ChartTools(m_view, chart150, -6.0, m_window.get());
        QVERIFY(m_tools->drawing().isEmpty());
        m_tools->takeUp(ChartTools::Tool::Pencil);
        drag(QPointF(100, 100), QPointF(200, 100));
        QCOMPARE(m_tools->drawing().lines.size(), 1);
    }

    void dividersReadBesideTheirLatitudeAndStepAlongTheLine()
    {
        m_tools->takeUp(ChartTools::Tool::Dividers);
        ToolPlacement p = m_tools->placement();
        p.dividerA = QPointF(300, 100);
        p.dividerB = QPointF(340, 130);
        m_tools->setPlacement(p);
        // Opened by one point alone.
        drag(QPointF(340, 130), QPointF(360, 145));
        QCOMPARE(m_tools->placement().dividerA, QPointF(300, 100));
        QCOMPARE(m_tools->placement().dividerB, QPointF(360, 145));
        const double lat = chart150.toLatLon({ 330, 122.5 }).lat;
        const QString span = QString::fromStdString(
            chart::milesText(chart150.dividerMiles({ 300, 100 }, { 360, 145 }, lat)));
        QVERIFY2(m_tools->statusText().endsWith(span), qPrintable(m_tools->statusText()));
        // Stepped twice: two spans on along the same line.
        key(Qt::Key_S);
        key(Qt::Key_S);
        QCOMPARE(m_tools->placement().dividerA, QPointF(420, 190));
        QCOMPARE(m_tools->placement().dividerB, QPointF(480, 235));
        // Carried by the keys, span unchanged; off, the readouts say nothing.
        key(Qt::Key_Left);
        QCOMPARE(m_tools->placement().dividerB - m_tools->placement().dividerA, QPointF(60, 45));
        QSignalSpy status(m_tools, &ChartTools::statusChanged);
        m_tools->setReadoutsOn(false);
        QCOMPARE(m_tools->statusText(), QString());
        QCOMPARE(status.count(), 1);
    }

    void compassDrawsCirclesAndArcs()
    {
        m_tools->takeUp(ChartTools::Tool::Compass);
        ToolPlacement p = m_tools->placement();
        p.needle = QPointF(400, 300);
        p.pencil = QPointF(460, 300);
        m_tools->setPlacement(p);
        QVERIFY(m_tools->statusText().contains("半径"));
        key(Qt::Key_Return);
        // The pencil swept a quarter turn clockwise about the needle: an arc from 090° to 180°.
        mouse(QEvent::MouseButtonPress, QPointF(460, 300));
        mouse(QEvent::MouseMove, QPointF(450, 340));
        mouse(QEvent::MouseMove, QPointF(400, 360));
        mouse(QEvent::MouseButtonRelease, QPointF(400, 360));
        const ChartDrawing d = m_tools->drawing();
        QCOMPARE(d.arcs.size(), 2);
        QCOMPARE(d.arcs[0].radius, 60.0);
        QCOMPARE(d.arcs[0].sweep, 360.0);
        QCOMPARE(d.arcs[1].startDirection, 90.0);
        QCOMPARE(d.arcs[1].sweep, 90.0);
    }

    void keysMoveAndTurnTheSquareInOneStepAndEscapePutsItDown()
    {
        laySquares();
        key(Qt::Key_Right);
        key(Qt::Key_Right, Qt::ControlModifier);
        key(Qt::Key_R);
        key(Qt::Key_R, Qt::ControlModifier);
        key(Qt::Key_R, Qt::ShiftModifier | Qt::ControlModifier);
        key(Qt::Key_R, Qt::ControlModifier);
        const SetSquarePlacement s = m_tools->placement().squares[0];
        QCOMPARE(s.pivot, QPointF(211, 300));
        QVERIFY(std::abs(s.direction - 91.1) < 1e-9);
        QCOMPARE(m_tools->undoStack()->count(), 1);
        key(Qt::Key_Escape);
        QCOMPARE(m_tools->tool(), ChartTools::Tool::None);
        QVERIFY(!button("cmdSetSquare")->isChecked());
        // Put down, the arrows are the view's again.
        key(Qt::Key_Right);
        QCOMPARE(m_tools->placement().squares[0].pivot, QPointF(211, 300));

        // The buttons' shortcuts take the pencil up; L, arrows, L draw a line from the keyboard.
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        key(Qt::Key_4);
        QCOMPARE(m_tools->tool(), ChartTools::Tool::Pencil);
        key(Qt::Key_L);
        for (int i = 0; i < 3; ++i)
            key(Qt::Key_Right);
        QVERIFY(m_tools->statusText().startsWith("北緯"));
        key(Qt::Key_L);
        QCOMPARE(m_tools->drawing().lines.size(), 1);
        const auto line = m_tools->drawing().lines[0];
        QCOMPARE(line.to - line.from, QPointF(30, 0));
        key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(m_tools->drawing().isEmpty());
    }
};

QTEST_MAIN(ChartToolsTest)
#include "ChartToolsTest.moc"
