#include "ui/chart/DrawingItem.h"

#include "ui/chart/ChartPen.h"

#include <QFont>
#include <QGraphicsLineItem>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPainter>
#include <QPainterPath>

namespace tovarin {
namespace {

const QColor pencilGrey(35, 35, 40);

QPainterPath arcPath(const ChartDrawing::Arc &arc)
{
    // Qt counts angles anticlockwise from three o'clock; a rose clockwise from north.
    const QRectF box(
        arc.centre.x() - arc.radius, arc.centre.y() - arc.radius, 2 * arc.radius, 2 * arc.radius);
    QPainterPath path;
    path.arcMoveTo(box, 90.0 - arc.startDirection);
    path.arcTo(box, 90.0 - arc.startDirection, -arc.sweep);
    return path;
}

} // namespace

DrawingItem::DrawingItem(QRectF area)
    : m_area(area)
    , m_previewLine(new QGraphicsLineItem(this))
    , m_previewArc(new QGraphicsPathItem(this))
{
    setZValue(10);
    setAcceptedMouseButtons(Qt::NoButton);
    m_previewLine->hide();
    m_previewArc->hide();
}

void DrawingItem::setDrawing(const ChartDrawing &drawing)
{
    if (drawing == m_drawing)
        return;
    m_drawing = drawing;
    update();
}

void DrawingItem::setPreviewLine(std::optional<QLineF> line)
{
    setPreviewPens();
    m_previewLine->setVisible(line.has_value());
    if (line && *line != m_previewLine->line())
        m_previewLine->setLine(*line);
}

void DrawingItem::setPreviewArc(std::optional<ChartDrawing::Arc> arc)
{
    setPreviewPens();
    m_previewArc->setVisible(arc.has_value());
    if (arc)
        m_previewArc->setPath(arcPath(*arc));
}

void DrawingItem::setPendingPoint(std::optional<QPointF> at)
{
    if (at == m_pendingPoint)
        return;
    m_pendingPoint = at;
    update();
}

void DrawingItem::setCursorMark(std::optional<QPointF> at)
{
    if (at == m_cursorMark)
        return;
    m_cursorMark = at;
    update();
}

void DrawingItem::setPreviewPens()
{
    // The previews paint themselves, so their pens follow the screen of the view showing them.
    const QList<QGraphicsView *> views = scene() ? scene()->views() : QList<QGraphicsView *>();
    const QPen pen = chartPen(QColor(30, 30, 140), 1.0,
        views.isEmpty() ? 1.0 : views.first()->devicePixelRatioF(), Qt::DashLine);
    if (pen != m_previewLine->pen()) {
        m_previewLine->setPen(pen);
        m_previewArc->setPen(pen);
    }
}

QRectF DrawingItem::boundingRect() const
{
    return m_area;
}

void DrawingItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(chartPen(pencilGrey, 1.0, painter));
    painter->setBrush(Qt::NoBrush);
    for (const auto &line : m_drawing.lines)
        painter->drawLine(line.from, line.to);
    for (const auto &arc : m_drawing.arcs)
        painter->drawPath(arcPath(arc));

    // Points, labels and the cross keep their size on screen whatever the zoom.
    const QTransform toDevice = painter->worldTransform();
    painter->save();
    painter->resetTransform();
    QFont font = painter->font();
    font.setPixelSize(14);
    painter->setFont(font);
    painter->setPen(QPen(pencilGrey, 1.0));
    const auto drawPoint = [&](QPointF at, const QString &label) {
        const QPointF d = toDevice.map(at);
        painter->drawEllipse(d, 3.5, 3.5);
        painter->drawPoint(d);
        if (!label.isEmpty())
            painter->drawText(d + QPointF(6, -6), label);
    };
    for (const auto &point : m_drawing.points)
        drawPoint(point.at, point.label);
    if (m_pendingPoint)
        drawPoint(*m_pendingPoint, {});
    if (m_cursorMark) {
        const QPointF d = toDevice.map(*m_cursorMark);
        painter->setPen(QPen(QColor(30, 30, 140), 1.0));
        painter->drawLine(d + QPointF(-9, 0), d + QPointF(-3, 0));
        painter->drawLine(d + QPointF(3, 0), d + QPointF(9, 0));
        painter->drawLine(d + QPointF(0, -9), d + QPointF(0, -3));
        painter->drawLine(d + QPointF(0, 3), d + QPointF(0, 9));
    }
    painter->restore();
}

} // namespace tovarin
