// Paints an examination chart with QPainter as vectors, in screen coordinates: the paper and its
// graduated border, the land tinted with its coastline, every mark with its symbol (灯台, 灯標,
// 灯浮標) and name, the compass roses (outer ring true, inner ring magnetic turned by the
// variation, printed inside), the title block and the scale of nautical miles. Sizes follow the
// zoom as on paper, with a floor under the text so that a fitted chart stays legible; lines stay
// one pixel wide, so the chart is sharp at any zoom and device pixel ratio.
#pragma once

#include "chart/ExamChart.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QTransform>

class QPainter;

namespace tovarin {

class ChartPainter
{
public:
    // The ring drawn centred on a mark's position, the one part of every symbol that marks the
    // exact spot (MarkPositions paints these alone, for checking where marks fall).
    enum class Layers { Everything, MarkPositions };

    ChartPainter(const chart::ExamChart &chart, QFont font);

    // Paints what of the chart falls inside exposed (screen pixels) with chartToScreen, a scale
    // and a translation from chart units.
    void paint(QPainter &painter, const QTransform &chartToScreen, const QRectF &exposed,
        Layers layers = Layers::Everything) const;

    const chart::ExamChart &chart() const { return m_chart; }

    static QColor paper();
    static QColor outside(); // around the sheet

private:
    struct Frame;
    void paintBorder(QPainter &painter, const Frame &f) const;
    void paintLand(QPainter &painter, const Frame &f) const;
    void paintRose(QPainter &painter, const Frame &f, const chart::Rose &rose) const;
    void paintMarks(QPainter &painter, const Frame &f, bool positionsOnly) const;
    void paintTitle(QPainter &painter, const Frame &f) const;

    const chart::ExamChart &m_chart;
    QFont m_font;
};

} // namespace tovarin
