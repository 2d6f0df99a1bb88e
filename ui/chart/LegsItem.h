// The dividers (デバイダー) or the drawing compass (コンパス) lying on the chart: two legs joined
// at a hinge, with a point at the end of each. For the dividers both ends are points; for the
// compass the first is the needle (the centre) and the second the pencil. The item draws itself
// and says which part is under the pointer; ChartTools decides what a drag of it does.
#pragma once

#include <QGraphicsItem>

namespace tovarin {

class LegsItem final : public QGraphicsItem
{
public:
    enum class Kind { Dividers, Compass };
    enum class Zone { None, TipA, TipB, Legs };

    explicit LegsItem(Kind kind);

    void setTips(QPointF a, QPointF b);
    QPointF tipA() const { return m_a; }
    QPointF tipB() const { return m_b; }
    void setHeld(bool held);

    // tolerance: how near, in chart units, counts as on it (a few pixels of the view).
    Zone zoneAt(QPointF scenePos, double tolerance) const;

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QPointF hinge() const;

    Kind m_kind;
    QPointF m_a;
    QPointF m_b;
    bool m_held = false;
};

} // namespace tovarin
