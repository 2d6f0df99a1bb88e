// The review's "解答例": a worked solution's geometry laid over the chart in a colour of its own,
// at z 5 (above the chart, below the candidate's drawing and tools): the tracks (planned solid,
// steered through the water dashed, made good dash-dotted), the bearing lines from their marks,
// the range circles, the current triangle with its one, two and three arrowheads, the points by
// name and the answer in red. Painted in screen pixels through the view's transform, so that its
// lines and labels keep their size at any zoom. The explanation window shows the same item.
#pragma once

#include "bank/Solution.h"
#include "chart/Mercator.h"

#include <QColor>
#include <QGraphicsItem>

namespace tovarin {

class SolutionOverlay : public QGraphicsItem
{
public:
    static constexpr double zValue = 5.0;

    SolutionOverlay(const chart::Mercator &projection, solver::Geometry geometry);

    const solver::Geometry &solution() const { return m_geometry; }

    static QColor colour(); // the solution's own
    static QColor answerColour();

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    const chart::Mercator &m_projection;
    solver::Geometry m_geometry;
    QRectF m_bounds;
};

} // namespace tovarin
