#include "ui/chart/SetSquareItem.h"

#include "chart/PlotGeometry.h"
#include "ui/chart/ChartPen.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tovarin {

SetSquareItem::SetSquareItem(Shape shape, double edgeLength)
    : m_shape(shape)
    , m_length(edgeLength)
{
    setZValue(20);
    setAcceptedMouseButtons(Qt::NoButton); // ChartTools reads the pointer on the view
}

void SetSquareItem::setPlacement(const SetSquarePlacement &placement)
{
    if (placement == m_placement && pos() == placement.pivot)
        return;
    if (placement.flipped != m_placement.flipped)
        prepareGeometryChange();
    m_placement = placement;
    setPos(placement.pivot);
    // Local x runs along the drawing edge: a chart direction d is Qt's rotation d - 90.
    setRotation(placement.direction - 90.0);
    update();
}

void SetSquareItem::setHeld(bool held)
{
    if (held == m_held)
        return;
    m_held = held;
    setZValue(held ? 21 : 20);
    update();
}

QPolygonF SetSquareItem::localTriangle() const
{
    // The body lies on the local +y side (to the right of the edge's direction) unless flipped.
    const double side = m_placement.flipped ? -1.0 : 1.0;
    const QPointF apex = m_shape == Shape::FortyFive
        ? QPointF(m_length / 2, side * m_length / 2)
        : QPointF(m_length * 0.75, side * m_length * std::sqrt(3.0) / 4);
    return QPolygonF({ QPointF(0, 0), QPointF(m_length, 0), apex });
}

QPointF SetSquareItem::localHandleCentre() const
{
    const double side = m_placement.flipped ? -1.0 : 1.0;
    const double along = m_shape == Shape::FortyFive ? 0.82 : 0.86;
    return QPointF(m_length * along, side * handleRadius() * 1.6);
}

QLineF SetSquareItem::drawingEdge() const
{
    return QLineF(mapToScene(QPointF(0, 0)), mapToScene(QPointF(m_length, 0)));
}

std::array<QLineF, 3> SetSquareItem::edges() const
{
    const QPolygonF t = mapToScene(localTriangle());
    return { QLineF(t[0], t[1]), QLineF(t[1], t[2]), QLineF(t[2], t[0]) };
}

QPointF SetSquareItem::turnHandleCentre() const
{
    return mapToScene(localHandleCentre());
}

SetSquareItem::Zone SetSquareItem::zoneAt(QPointF scenePos, double tolerance) const
{
    if (!isVisible())
        return Zone::None;
    if (QLineF(scenePos, turnHandleCentre()).length() <= handleRadius() + tolerance)
        return Zone::TurnHandle;
    if (localTriangle().containsPoint(mapFromScene(scenePos), Qt::OddEvenFill))
        return Zone::Body;
    for (const QLineF &e : edges()) {
        const chart::ChartXY p { scenePos.x(), scenePos.y() };
        if (chart::distanceToSegment(p, { e.x1(), e.y1() }, { e.x2(), e.y2() }) <= tolerance)
            return Zone::Body;
    }
    return Zone::None;
}

QRectF SetSquareItem::boundingRect() const
{
    const double margin = handleRadius();
    return localTriangle().boundingRect().adjusted(-margin, -margin, margin, margin);
}

QPainterPath SetSquareItem::shape() const
{
    QPainterPath path;
    path.addPolygon(localTriangle());
    path.closeSubpath();
    return path;
}

void SetSquareItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    // An unsmoothed fill under a smoothed outline: a square covers much of the screen, and a
    // smoothed fill costs about twice as much in each frame of a drag.
    const QPolygonF t = localTriangle();
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(120, 170, 220, m_held ? 70 : 50));
    painter->drawPolygon(t);

    painter->setRenderHint(QPainter::Antialiasing);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(
        chartPen(m_held ? QColor(20, 60, 120) : QColor(60, 90, 130), m_held ? 2.0 : 1.0, painter));
    painter->drawPolygon(t);

    // The cut-out in the middle that real set squares have, so the chart shows through.
    const QPointF centroid = (t[0] + t[1] + t[2]) / 3.0;
    QPolygonF hole;
    for (const QPointF &corner : t)
        hole << centroid + (corner - centroid) * 0.45;
    painter->setPen(chartPen(QColor(60, 90, 130, 150), 1.0, painter));
    painter->drawPolygon(hole);

    // The drawing edge is marked darker; the pivot is a ring at its start.
    painter->setPen(chartPen(QColor(10, 40, 90), 2.0, painter));
    painter->drawLine(t[0], t[1]);
    const double r = handleRadius() * 0.5;
    painter->drawEllipse(QPointF(0, 0), r, r);

    // The turn handle: a ring with a curved arrow.
    const QPointF h = localHandleCentre();
    const double hr = handleRadius();
    painter->setBrush(QColor(255, 255, 255, 160));
    painter->drawEllipse(h, hr, hr);
    QPainterPath arrow;
    const QRectF ring(h.x() - hr * 0.6, h.y() - hr * 0.6, hr * 1.2, hr * 1.2);
    arrow.arcMoveTo(ring, 30);
    arrow.arcTo(ring, 30, 270);
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(arrow);
}

} // namespace tovarin
