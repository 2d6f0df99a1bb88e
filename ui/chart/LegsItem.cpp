#include "ui/chart/LegsItem.h"

#include "chart/PlotGeometry.h"
#include "ui/chart/ChartPen.h"

#include <QLineF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tovarin {
namespace {

chart::ChartXY xy(QPointF p)
{
    return { p.x(), p.y() };
}

} // namespace

LegsItem::LegsItem(Kind kind)
    : m_kind(kind)
{
    setZValue(kind == Kind::Dividers ? 22 : 23);
    setAcceptedMouseButtons(Qt::NoButton); // ChartTools reads the pointer on the view
}

void LegsItem::setTips(QPointF a, QPointF b)
{
    if (a == m_a && b == m_b)
        return;
    prepareGeometryChange();
    m_a = a;
    m_b = b;
    update();
}

void LegsItem::setHeld(bool held)
{
    if (held == m_held)
        return;
    m_held = held;
    update();
}

QPointF LegsItem::hinge() const
{
    // Above the middle of the span, on the side of the span that faces up the chart, so that the
    // legs stand like an instrument held from above; closed legs still show a short hinge.
    const QPointF mid = (m_a + m_b) / 2;
    const QLineF span(m_a, m_b);
    const double height = std::max(span.length() * 0.6, 40.0);
    QPointF normal
        = span.length() > 0 ? QPointF(span.dy(), -span.dx()) / span.length() : QPointF(0, -1);
    if (normal.y() > 0)
        normal = -normal;
    return mid + normal * height;
}

LegsItem::Zone LegsItem::zoneAt(QPointF scenePos, double tolerance) const
{
    if (!isVisible())
        return Zone::None;
    const double toA = QLineF(scenePos, m_a).length(), toB = QLineF(scenePos, m_b).length();
    // The nearer tip wins when the legs are closed on each other.
    if (std::min(toA, toB) <= tolerance * 1.5)
        return toA <= toB ? Zone::TipA : Zone::TipB;
    const QPointF h = hinge();
    if (chart::distanceToSegment(xy(scenePos), xy(m_a), xy(h)) <= tolerance
        || chart::distanceToSegment(xy(scenePos), xy(m_b), xy(h)) <= tolerance
        || QLineF(scenePos, h).length() <= tolerance * 2)
        return Zone::Legs;
    return Zone::None;
}

QRectF LegsItem::boundingRect() const
{
    const QPointF h = hinge();
    const QRectF r = QRectF(m_a, m_b).normalized().united(QRectF(h, h));
    // Room for the hinge's knob and the tips' marks, which are drawn a few pixels wide.
    return r.adjusted(-40, -40, 40, 40);
}

void LegsItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setRenderHint(QPainter::Antialiasing);
    const QPointF h = hinge();
    const QColor metal = m_held ? QColor(70, 70, 80) : QColor(110, 110, 120);
    QPen leg = chartPen(metal, m_held ? 3.0 : 2.0, painter);
    leg.setCapStyle(Qt::RoundCap);
    painter->setPen(leg);
    painter->drawLine(h, m_a);
    if (m_kind == Kind::Compass) {
        // The pencil leg in wood colour, with its lead at the tip.
        QPen pencil = chartPen(QColor(190, 140, 60), m_held ? 4.0 : 3.0, painter);
        pencil.setCapStyle(Qt::RoundCap);
        painter->setPen(pencil);
    }
    painter->drawLine(h, m_b);

    // Tips and hinge are drawn at a fixed size on screen, whatever the zoom.
    const QTransform toDevice = painter->worldTransform();
    painter->save();
    painter->resetTransform();
    QPen tipPen(QColor(200, 30, 30), 2.0);
    painter->setPen(tipPen);
    painter->setBrush(Qt::NoBrush);
    for (const QPointF &tip : { m_a, m_b }) {
        const QPointF d = toDevice.map(tip);
        painter->drawLine(d + QPointF(-5, 0), d + QPointF(5, 0));
        painter->drawLine(d + QPointF(0, -5), d + QPointF(0, 5));
    }
    painter->setPen(QPen(metal, 1.0));
    painter->setBrush(QColor(230, 230, 235));
    painter->drawEllipse(toDevice.map(h), 6.0, 6.0);
    painter->restore();
}

} // namespace tovarin
