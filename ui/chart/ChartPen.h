// A cosmetic pen for the chart's own marks: a width in logical pixels, drawn in whole device
// pixels. Cosmetic widths count device pixels, so a high-density screen would otherwise show
// hairlines; and a fractional width takes the painter's slow path, many times dearer in each
// frame of a drag.
#pragma once

#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace tovarin {

inline QPen chartPen(const QColor &color, double logicalWidth, double devicePixelRatio,
    Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(color, std::max(1.0, std::round(logicalWidth * devicePixelRatio)), style);
    pen.setCosmetic(true);
    return pen;
}

inline QPen chartPen(const QColor &color, double logicalWidth, const QPainter *painter,
    Qt::PenStyle style = Qt::SolidLine)
{
    return chartPen(color, logicalWidth,
        painter->device() ? painter->device()->devicePixelRatioF() : 1.0, style);
}

} // namespace tovarin
