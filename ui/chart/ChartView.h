// The chart on screen: a QGraphicsView whose scene is in chart units (scene = chart, one unit a
// logical pixel at zoom 1) and whose background is the chart itself, painted by ChartPainter
// where it is exposed. No cache of its own: a pan scrolls the window's backing store and paints
// the strip it uncovers, an item in motion repaints its own path, and a whole view of the chart
// paints in a few milliseconds at 2560 × 1440, so a second copy of the view would only add
// memory. Items on the scene lie
// over it: the review's worked solution at z 5 (setSolution), the plotting tools at z 10 and
// above.
//
// Zoom towards the pointer with the wheel, towards the centre with + and -, 0 fits the whole
// chart; pan by dragging with the middle button or with the space bar held, with the scroll bars
// and with the arrow and page keys. A left drag is left to the scene's items (the tools).
#pragma once

#include "bank/Solution.h"
#include "chart/ExamChart.h"
#include "ui/chart/ChartPainter.h"

#include <QGraphicsView>

#include <optional>

namespace tovarin {

class SolutionOverlay;

class ChartView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit ChartView(QWidget *parent = nullptr);

    // The chart to show (nullptr: none). A new chart is fitted into the view.
    void setChart(const chart::ExamChart *chart);
    const chart::ExamChart *chart() const;

    static constexpr double minimumZoom = 0.1;
    static constexpr double maximumZoom = 8.0;
    double zoom() const { return transform().m11(); }
    // Zooms so that the scene point under viewportAnchor stays there.
    void setZoom(double zoom, QPointF viewportAnchor);
    void zoomIn();
    void zoomOut();
    // The whole sheet in view, and kept so as the view is resized until the candidate zooms.
    void fitWholeChart();
    // The part of the chart between two corners in view, as large as the view allows.
    void frameArea(solver::LatLon southWest, solver::LatLon northEast);

    // The worked solution laid over the chart (z 5), in place of any before; none removes it.
    void setSolution(std::optional<solver::Geometry> geometry);
    SolutionOverlay *solution() const { return m_solution; }

    // Where a position falls in the viewport, in logical pixels.
    QPointF viewportPointOf(solver::LatLon at) const;

Q_SIGNALS:
    void zoomChanged(double zoom);

protected:
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void applyZoom(double zoom, QPointF viewportAnchor);
    void stopPanning();

    std::optional<ChartPainter> m_painter;
    SolutionOverlay *m_solution = nullptr;
    bool m_fitted = true; // follows the view's size until the candidate zooms
    std::optional<QRectF> m_framed; // the area a frameArea keeps in view, in scene units
    QSize m_framedFor; // the view's size when the chart was last fitted or framed
    // Panning by hand: the middle button, or the left with the space bar held.
    bool m_spaceHeld = false;
    bool m_panning = false;
    QPoint m_panFrom;
};

} // namespace tovarin
