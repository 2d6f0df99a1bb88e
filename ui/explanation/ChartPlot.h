// The plot of a chart question's worked solution: north up, the parallels and meridians
// graduated in minutes along the edges, the marks and points by name, the tracks (planned solid,
// steered through the water dashed, made good dash-dotted), the bearing lines from their marks,
// the range circles, the current triangle with its one, two and three arrowheads, and the answer
// in red. Painted with QPainter in logical pixels, so it stays sharp at any scale factor.
#pragma once

#include "bank/Solution.h"

#include <QPointF>
#include <QWidget>

#include <optional>

namespace tovarin {

class ChartPlot : public QWidget
{
    Q_OBJECT

public:
    explicit ChartPlot(QWidget *parent = nullptr);

    // The geometry to draw; none hides nothing by itself (the window hides the plot).
    void setGeometryToPlot(std::optional<solver::Geometry> geometry);
    const std::optional<solver::Geometry> &geometryToPlot() const { return m_geometry; }

    // Where a position falls in the widget, for the current size (for tests of the drawing).
    QPointF pointOf(const solver::LatLon &at) const;

    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Frame; // the area's bounds in minutes and its scale
    Frame frameFor(QSizeF size) const;

    std::optional<solver::Geometry> m_geometry;
};

} // namespace tovarin
