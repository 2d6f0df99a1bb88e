// One of the pair of set squares (三角定規) lying on the chart: a right-angled triangle whose
// long edge (the hypotenuse) is the drawing edge, from the pivot to its far end. Zones as on a
// real board: the turn handle near the far end turns it about the pivot, the rest of the body
// moves it without turning. ChartTools decides what a drag does; the item draws itself and says
// where the pointer is on it.
#pragma once

#include "ui/chart/ToolPlacement.h"

#include <QGraphicsItem>
#include <QLineF>
#include <QPolygonF>

#include <array>

namespace tovarin {

class SetSquareItem final : public QGraphicsItem
{
public:
    enum class Shape { FortyFive, ThirtySixty };
    enum class Zone { None, Body, TurnHandle };

    SetSquareItem(Shape shape, double edgeLength);

    void setPlacement(const SetSquarePlacement &placement);
    const SetSquarePlacement &placement() const { return m_placement; }
    void setHeld(bool held);

    // In scene coordinates: the drawing edge from the pivot, and all three edges.
    QLineF drawingEdge() const;
    std::array<QLineF, 3> edges() const;
    QPointF turnHandleCentre() const;

    // tolerance: how near, in chart units, counts as on it (a few pixels of the view).
    Zone zoneAt(QPointF scenePos, double tolerance) const;

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QPolygonF localTriangle() const;
    double handleRadius() const { return m_length * 0.045; }
    QPointF localHandleCentre() const;

    Shape m_shape;
    double m_length;
    SetSquarePlacement m_placement;
    bool m_held = false;
};

} // namespace tovarin
