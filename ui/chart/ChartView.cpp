#include "ui/chart/ChartView.h"

#include "ui/chart/SolutionOverlay.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace tovarin {
namespace {

constexpr double zoomStep = 1.25;

} // namespace

ChartView::ChartView(QWidget *parent)
    : QGraphicsView(parent)
{
    setObjectName(QStringLiteral("ChartView"));
    setScene(new QGraphicsScene(this));
    setDragMode(QGraphicsView::NoDrag);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    // The background is the chart, painted where exposed; items repaint only where they change.
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setOptimizationFlags(QGraphicsView::DontSavePainterState);
    setBackgroundBrush(ChartPainter::outside());
    setFocusPolicy(Qt::StrongFocus);
    horizontalScrollBar()->setSingleStep(24);
    verticalScrollBar()->setSingleStep(24);
}

void ChartView::setChart(const chart::ExamChart *chart)
{
    if (chart == this->chart())
        return;
    setSolution(std::nullopt); // drawn on the chart it belongs to
    m_painter.reset();
    if (chart) {
        m_painter.emplace(*chart, font());
        const chart::Box s = chart->sheet();
        // The sheet and no more: a fitted chart needs no scroll bars.
        scene()->setSceneRect(QRectF(s.left, s.top, s.width, s.height));
    }
    m_framed.reset();
    fitWholeChart();
    viewport()->update();
}

const chart::ExamChart *ChartView::chart() const
{
    return m_painter ? &m_painter->chart() : nullptr;
}

void ChartView::applyZoom(double zoom, QPointF viewportAnchor)
{
    zoom = std::clamp(zoom, minimumZoom, maximumZoom);
    const QPointF before = viewportTransform().inverted().map(viewportAnchor);
    setTransform(QTransform::fromScale(zoom, zoom));
    const QPointF after = viewportTransform().inverted().map(viewportAnchor);
    const QPointF shift = (after - before) * zoom;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - int(std::lround(shift.x())));
    verticalScrollBar()->setValue(verticalScrollBar()->value() - int(std::lround(shift.y())));
    Q_EMIT zoomChanged(zoom);
}

void ChartView::setZoom(double zoom, QPointF viewportAnchor)
{
    m_fitted = false;
    m_framed.reset();
    applyZoom(zoom, viewportAnchor);
}

void ChartView::zoomIn()
{
    setZoom(zoom() * zoomStep, QRectF(viewport()->rect()).center());
}

void ChartView::zoomOut()
{
    setZoom(zoom() / zoomStep, QRectF(viewport()->rect()).center());
}

void ChartView::fitWholeChart()
{
    m_fitted = true;
    m_framed.reset();
    if (!chart())
        return;
    const chart::Box s = chart()->sheet();
    const QRectF sheet(s.left, s.top, s.width, s.height);
    // The room the view has without its scroll bars, which a fitted chart does not need.
    const QSizeF room = QSizeF(maximumViewportSize()) - QSizeF(2, 2);
    const double zoom = std::min(room.width() / sheet.width(), room.height() / sheet.height());
    applyZoom(std::clamp(zoom, minimumZoom, maximumZoom), QRectF(viewport()->rect()).center());
    centerOn(sheet.center());
}

void ChartView::frameArea(solver::LatLon southWest, solver::LatLon northEast)
{
    if (!chart())
        return;
    const chart::ChartXY a = chart()->projection().toChart({ northEast.lat, southWest.lon });
    const chart::ChartXY b = chart()->projection().toChart({ southWest.lat, northEast.lon });
    const QRectF area = QRectF(QPointF(a.x, a.y), QPointF(b.x, b.y)).normalized();
    const QSizeF room = viewport()->size();
    const double zoom = std::min(
        room.width() / std::max(area.width(), 1.0), room.height() / std::max(area.height(), 1.0));
    m_fitted = false;
    m_framed = area;
    applyZoom(std::clamp(zoom, minimumZoom, maximumZoom), QRectF(viewport()->rect()).center());
    centerOn(area.center());
}

void ChartView::setSolution(std::optional<solver::Geometry> geometry)
{
    delete m_solution;
    m_solution = nullptr;
    if (geometry && chart() && geometry->chart == chart()->number()) {
        m_solution = new SolutionOverlay(chart()->projection(), std::move(*geometry));
        scene()->addItem(m_solution);
    }
}

QPointF ChartView::viewportPointOf(solver::LatLon at) const
{
    if (!chart())
        return {};
    const chart::ChartXY p = chart()->projection().toChart(at);
    return viewportTransform().map(QPointF(p.x, p.y));
}

void ChartView::drawBackground(QPainter *painter, const QRectF &rect)
{
    painter->save();
    const QTransform t = viewportTransform();
    painter->resetTransform();
    const QRectF exposed = t.mapRect(rect).intersected(QRectF(viewport()->rect()));
    if (m_painter)
        m_painter->paint(*painter, t, exposed);
    else
        painter->fillRect(exposed, ChartPainter::outside());
    painter->restore();
}

void ChartView::wheelEvent(QWheelEvent *event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0 || !chart()) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    setZoom(zoom() * std::pow(zoomStep, notches), event->position());
    event->accept();
}

void ChartView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomIn();
        return;
    case Qt::Key_Minus:
        zoomOut();
        return;
    case Qt::Key_0:
        fitWholeChart();
        return;
    case Qt::Key_Space:
        if (!event->isAutoRepeat()) {
            m_spaceHeld = true;
            if (!m_panning)
                viewport()->setCursor(Qt::OpenHandCursor);
        }
        return;
    default:
        QGraphicsView::keyPressEvent(event);
    }
}

void ChartView::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        m_spaceHeld = false;
        if (!m_panning)
            viewport()->unsetCursor();
        return;
    }
    QGraphicsView::keyReleaseEvent(event);
}

void ChartView::stopPanning()
{
    m_panning = false;
    m_spaceHeld = false;
    viewport()->unsetCursor();
}

void ChartView::focusOutEvent(QFocusEvent *event)
{
    // A space bar let go elsewhere must not leave the view panning on the next left press.
    m_spaceHeld = false;
    if (!m_panning)
        viewport()->unsetCursor();
    QGraphicsView::focusOutEvent(event);
}

void ChartView::hideEvent(QHideEvent *event)
{
    // Closed in the middle of a drag: the release never comes, and the view must not pan on.
    stopPanning();
    QGraphicsView::hideEvent(event);
}

void ChartView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton || (event->button() == Qt::LeftButton && m_spaceHeld)) {
        m_panning = true;
        m_panFrom = event->position().toPoint();
        viewport()->setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    QGraphicsView::mousePressEvent(event);
}

void ChartView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_panning && !(event->buttons() & (Qt::MiddleButton | Qt::LeftButton))) {
        stopPanning(); // its release went elsewhere
    } else if (m_panning) {
        const QPoint now = event->position().toPoint();
        const QPoint moved = now - m_panFrom;
        m_panFrom = now;
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - moved.x());
        verticalScrollBar()->setValue(verticalScrollBar()->value() - moved.y());
        m_fitted = false;
        m_framed.reset();
        event->accept();
        return;
    }
    QGraphicsView::mouseMoveEvent(event);
}

void ChartView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_panning) {
        if (!(event->buttons() & (Qt::MiddleButton | Qt::LeftButton))) {
            m_panning = false;
            if (m_spaceHeld)
                viewport()->setCursor(Qt::OpenHandCursor);
            else
                viewport()->unsetCursor();
        }
        event->accept();
        return;
    }
    QGraphicsView::mouseReleaseEvent(event);
}

void ChartView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    // Only a new size of the view itself frames the chart again: the scroll bars that a new zoom
    // brings or takes away resize the viewport, and framing on those would never settle.
    if (size() == m_framedFor)
        return;
    m_framedFor = size();
    if (m_framed) {
        const QRectF area = *m_framed;
        const QSizeF room = viewport()->size();
        applyZoom(std::clamp(std::min(room.width() / std::max(area.width(), 1.0),
                                 room.height() / std::max(area.height(), 1.0)),
                      minimumZoom, maximumZoom),
            QRectF(viewport()->rect()).center());
        centerOn(area.center());
    } else if (m_fitted) {
        fitWholeChart();
    }
}

} // namespace tovarin
