// The candidate's own drawing on one chart question, as a value: straight lines, labelled points
// and circles or arcs, in chart coordinates (the chart view's scene coordinates, chart::ChartXY).
// The chart window keeps one per chart question for the whole test and hands it to ChartTools
// when that question's chart is shown; nothing of it is written anywhere.
#pragma once

#include <QList>
#include <QPointF>
#include <QString>

namespace tovarin {

struct ChartDrawing
{
    struct Line
    {
        QPointF from;
        QPointF to;
        bool operator==(const Line &) const = default;
    };
    struct Point
    {
        QPointF at;
        QString label; // "A", "船位" …, or empty
        bool operator==(const Point &) const = default;
    };
    // A circle (sweep ±360) or an arc drawn with the compass. Directions as a rose reads them:
    // degrees clockwise from north; the sweep is clockwise when positive.
    struct Arc
    {
        QPointF centre;
        double radius = 0.0;
        double startDirection = 0.0;
        double sweep = 360.0;
        bool operator==(const Arc &) const = default;
    };

    QList<Line> lines;
    QList<Point> points;
    QList<Arc> arcs;

    bool isEmpty() const { return lines.isEmpty() && points.isEmpty() && arcs.isEmpty(); }
    bool operator==(const ChartDrawing &) const = default;
};

} // namespace tovarin
