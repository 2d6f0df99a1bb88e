// The chart on screen: every mark drawn at its Mercator position within half a pixel at 1×, a
// panned view the same as a fresh painting, the wheel zooming about the pointer,
// a left drag left to the scene's items, and the chart window following the chart questions with
// the review's 解答例 over the drawing.

#include "tests/ui/ScreenTestSupport.h"

#include "bank/Charts.h"
#include "ui/chart/ChartPainter.h"
#include "ui/chart/ChartView.h"
#include "ui/chart/SolutionOverlay.h"
#include "ui/chart/frmKaizu.h"

#include <QGraphicsRectItem>
#include <QGraphicsSceneMouseEvent>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <cmath>

using namespace Qt::Literals::StringLiterals;
using namespace tovarin;
using namespace tovarin::testing;

namespace {

// The darkness-weighted centre of the pixels within radius of a point: for a ring drawn about a
// spot, the spot itself.
QPointF centroid(const QImage &image, QPointF near, int radius)
{
    double sum = 0, x = 0, y = 0;
    const int cx = int(std::lround(near.x())), cy = int(std::lround(near.y()));
    for (int j = cy - radius; j <= cy + radius; ++j)
        for (int i = cx - radius; i <= cx + radius; ++i) {
            if (!image.rect().contains(i, j))
                continue;
            const double dark = 255 - qGray(image.pixel(i, j));
            sum += dark;
            x += dark * (i + 0.5);
            y += dark * (j + 0.5);
        }
    return sum > 0 ? QPointF(x / sum, y / sum) : QPointF(-1e9, -1e9);
}

// An item that records the left presses it is given, as a tool would.
class PressTaker : public QGraphicsRectItem
{
public:
    using QGraphicsRectItem::QGraphicsRectItem;
    int presses = 0;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override
    {
        presses += event->button() == Qt::LeftButton;
        event->accept();
    }
};

} // namespace

class ChartViewTest : public ScreenTestCase
{
    Q_OBJECT

private Q_SLOTS:
    // The mark's spot, found in the painted pixels, against the projection of its gazetteer
    // position, with the view scrolled to an odd place so that its offsets count.
    void everyMarkIsWithinHalfAPixelOfItsPosition()
    {
        for (const int number : { 150, 200 }) {
            const chart::ExamChart *chart = chart::ExamChart::byNumber(number);
            ChartView view;
            view.resize(700, 500);
            view.show();
            view.setChart(chart);
            view.setZoom(1.0, QPointF(0, 0));
            view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->value() + 137);
            view.verticalScrollBar()->setValue(view.verticalScrollBar()->value() + 61);
            QImage image(view.viewport()->size(), QImage::Format_RGB32);
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                ChartPainter(*chart, view.font())
                    .paint(painter, view.viewportTransform(), QRectF(image.rect()),
                        ChartPainter::Layers::MarkPositions);
            }
            int seen = 0;
            for (const chart::ChartMarkInfo &mark : chart->marks()) {
                // Where the projection puts it, worked here from the meridional parts.
                const double k = chart::ExamChart::unitsPerLonMinute * 60;
                const auto parts = [](double lat) {
                    return std::log(std::tan(M_PI / 4 + lat * M_PI / 360)) * 180 / M_PI;
                };
                const auto &m = chart->projection();
                const QPointF expected = view.mapFromScene(QPointF(0, 0))
                    + QPointF((mark.at.lon - m.southWest().lon) * k,
                        (parts(m.northEast().lat) - parts(mark.at.lat)) * k);
                if (!QRectF(image.rect()).adjusted(6, 6, -6, -6).contains(expected))
                    continue;
                ++seen;
                const QPointF found = centroid(image, expected, 5);
                QVERIFY2(QLineF(found, expected).length() <= 0.5,
                    qPrintable(u"%1: %2,%3 for %4,%5"_s.arg(QString::fromStdString(mark.name))
                                   .arg(found.x())
                                   .arg(found.y())
                                   .arg(expected.x())
                                   .arg(expected.y())));
            }
            QVERIFY(seen >= 3);
        }
    }

    // A pan or a moving tool repaints only the strip it uncovers: the chart painted strip by
    // strip is the chart painted whole, no name, figure or ring cut off at a strip's edge.
    void theChartPaintedInStripsIsTheChartPaintedWhole()
    {
        const chart::ExamChart &chart = *chart::ExamChart::byNumber(150);
        const ChartPainter painter(chart, QApplication::font());
        for (const double zoom : { 0.6, 1.0, 2.5 }) {
            // The north-west corner with its border, a light and a rose in view at 1×.
            const QTransform t
                = QTransform::fromScale(zoom, zoom) * QTransform::fromTranslate(60, 60);
            const QSize size(900, 700);
            QImage whole(size, QImage::Format_RGB32), strips(size, QImage::Format_RGB32);
            {
                QPainter p(&whole);
                painter.paint(p, t, QRectF(whole.rect()));
            }
            {
                QPainter p(&strips);
                for (int y = 0; y < size.height(); y += 37)
                    for (int x = 0; x < size.width(); x += 53) {
                        const QRectF strip(x, y, 53, 37);
                        p.save();
                        p.setClipRect(strip);
                        painter.paint(p, t, strip);
                        p.restore();
                    }
            }
            int differing = 0;
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    differing
                        += std::abs(qGray(whole.pixel(x, y)) - qGray(strips.pixel(x, y))) > 60;
            QVERIFY2(differing < 40,
                qPrintable(u"zoom %1: %2 pixels differ"_s.arg(zoom).arg(differing)));
        }
    }

    void theWheelZoomsAboutThePointerAndLeftDragsGoToTheItems()
    {
        ChartView view;
        view.resize(640, 480);
        view.show();
        view.setChart(chart::ExamChart::byNumber(200));
        // Larger than the view, so that nothing centres it and the pointer can hold its place.
        view.setZoom(1.0, QPointF(320, 240));
        const QPointF pointer(200, 150);
        const QPointF under = view.viewportTransform().inverted().map(pointer);
        const double before = view.zoom();
        QWheelEvent wheel(pointer, view.viewport()->mapToGlobal(pointer), {}, { 0, 240 },
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &wheel);
        QVERIFY(view.zoom() > before * 1.5);
        QVERIFY(QLineF(view.viewportTransform().map(under), pointer).length() < 1.0);

        auto *item = new PressTaker(QRectF(under - QPointF(50, 50), QSizeF(100, 100)));
        view.scene()->addItem(item);
        const int h = view.horizontalScrollBar()->value();
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, pointer.toPoint());
        QTest::mouseMove(view.viewport(), pointer.toPoint() + QPoint(30, 0));
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, pointer.toPoint() + QPoint(30, 0));
        QCOMPARE(item->presses, 1);
        QCOMPARE(view.horizontalScrollBar()->value(), h);
        // The middle button pans and gives the item nothing.
        QTest::mousePress(view.viewport(), Qt::MiddleButton, {}, pointer.toPoint());
        QMouseEvent move(QEvent::MouseMove, pointer + QPointF(-40, 0),
            view.viewport()->mapToGlobal(pointer + QPointF(-40, 0)), Qt::NoButton, Qt::MiddleButton,
            Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &move);
        QTest::mouseRelease(view.viewport(), Qt::MiddleButton, {}, pointer.toPoint());
        QCOMPARE(item->presses, 1);
        QCOMPARE(view.horizontalScrollBar()->value(), h + 40);
    }

    void theWindowShowsTheChartOfTheQuestionAndTheSolutionInReview()
    {
        frmKaizu kaizu;
        for (std::int16_t n = 0; n < frmKaizu::chartQuestions; ++n)
            examPaper().drawnVariant[std::size_t(n)] = std::int16_t(n);
        kaizu.showQuestion(1, false);
        QCOMPARE(kaizu.view()->chart()->number(), chartNamedBy(1, 1));
        QVERIFY(!control(&kaizu, "cmdKaitourei")->isVisibleTo(&kaizu));
        QVERIFY(kaizu.view()->scene()->items().isEmpty()
            || std::none_of(kaizu.view()->scene()->items().cbegin(),
                kaizu.view()->scene()->items().cend(),
                [](const QGraphicsItem *i) { return i->zValue() == SolutionOverlay::zValue; }));
        kaizu.showQuestion(2, true);
        QCOMPARE(kaizu.view()->chart()->number(), chartNamedBy(2, 2));
        auto *kaitourei = control<QPushButton>(&kaizu, "cmdKaitourei");
        QVERIFY(kaitourei->isVisibleTo(&kaizu));
        const auto overlays = [&] {
            QList<const SolutionOverlay *> out;
            for (const QGraphicsItem *item : kaizu.view()->scene()->items())
                if (const auto *o = dynamic_cast<const SolutionOverlay *>(item))
                    out.append(o);
            return out;
        };
        QCOMPARE(overlays().size(), 1);
        QVERIFY(!overlays().front()->isVisible());
        kaitourei->click();
        QVERIFY(overlays().front()->isVisible());
        // The next question keeps the choice and brings its own solution, one overlay only.
        kaizu.showQuestion(0, true);
        QCOMPARE(overlays().size(), 1);
        QVERIFY(overlays().front()->isVisible());
        QCOMPARE(overlays().front()->solution().chart, kaizu.view()->chart()->number());
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, kaizu.showQuestion(3, true));
        QCOMPARE(kaizu.question(), 0);
    }
};

QTEST_MAIN(ChartViewTest)
#include "ChartViewTest.moc"
