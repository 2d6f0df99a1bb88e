#include "ui/chart/SolutionOverlay.h"

#include "chart/PlotGeometry.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionGraphicsItem>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Qt::Literals::StringLiterals;

namespace tovarin {
namespace {

// Screen pixels run as chart units do (y growing south), so the chart's own arithmetic serves.
QPointF along(QPointF from, double trueDirection, double pixels)
{
    const chart::ChartXY to = chart::pointToward({ from.x(), from.y() }, trueDirection, pixels);
    return { to.x, to.y };
}

// Text on a pale ground, so that it reads over the chart beneath it, put beside its anchor where
// it covers no label drawn before it (taken).
void drawLabel(QPainter &painter, QPointF anchor, const QString &text, const QColor &colour,
    QList<QRectF> &taken)
{
    if (text.isEmpty())
        return;
    const QFontMetricsF metrics(painter.font());
    const QSizeF size(metrics.horizontalAdvance(text) + 6, metrics.height() + 2);
    const double w = size.width(), h = size.height();
    const QPointF offsets[] = { { 8, -4 - h }, { 8, 4 }, { -8 - w, -4 - h }, { -8 - w, 4 },
        { -w / 2, -8 - h }, { -w / 2, 8 }, { 8, -8 - 2 * h }, { 8, 8 + h } };
    QRectF box(anchor + offsets[0], size);
    for (const QPointF &offset : offsets) {
        const QRectF candidate(anchor + offset, size);
        if (std::none_of(taken.cbegin(), taken.cend(),
                [&](const QRectF &other) { return other.intersects(candidate); })) {
            box = candidate;
            break;
        }
    }
    taken.append(box);
    painter.fillRect(box, QColor(255, 255, 255, 215));
    painter.setPen(colour);
    painter.drawText(box, Qt::AlignCenter, text);
}

void drawArrowheads(QPainter &painter, QPointF from, QPointF to, int count)
{
    const QLineF line(from, to);
    if (line.length() < 1.0)
        return;
    const QPointF unit = (to - from) / line.length();
    const QPointF side(-unit.y(), unit.x());
    const double spacing = 7.0;
    for (int i = 0; i < count; ++i) {
        const QPointF tip = from + (to - from) * 0.55 + unit * ((i - (count - 1) / 2.0) * spacing);
        painter.drawPolygon(
            QPolygonF({ tip, tip - unit * 9 + side * 4, tip - unit * 9 - side * 4 }));
    }
}

} // namespace

SolutionOverlay::SolutionOverlay(const chart::Mercator &projection, solver::Geometry geometry)
    : m_projection(projection)
    , m_geometry(std::move(geometry))
{
    setZValue(zValue);
    setAcceptedMouseButtons(Qt::NoButton);
    // Its labels are sized in screen pixels, so it claims the whole chart and lets the clip cut.
    m_bounds = QRectF(-200, -200, projection.width() + 400, projection.height() + 400);
}

QColor SolutionOverlay::colour()
{
    return { 214, 96, 0 };
}

QColor SolutionOverlay::answerColour()
{
    return { 230, 0, 0 };
}

QRectF SolutionOverlay::boundingRect() const
{
    return m_bounds;
}

void SolutionOverlay::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const solver::Geometry &g = m_geometry;
    const QTransform t = painter->worldTransform();
    const auto at = [&](const solver::LatLon &p) {
        const chart::ChartXY c = m_projection.toChart(p);
        return t.map(QPointF(c.x, c.y));
    };
    // Screen pixels per nautical mile where the solution lies.
    const double midLat = (g.southWest.lat + g.northEast.lat) / 2;
    const double k = t.m11() * m_projection.latMinuteAt(midLat);
    const QColor c = colour();

    painter->save();
    painter->resetTransform();
    painter->setRenderHint(QPainter::Antialiasing);
    QList<QRectF> taken;
    for (const solver::ChartPoint &point : g.points)
        taken.append(QRectF(at(point.at) - QPointF(6, 6), QSizeF(12, 12)));

    for (const solver::RangeCircle &range : g.ranges) {
        painter->setPen(QPen(c, 1.6, Qt::DotLine));
        const double r = range.radiusMiles * m_projection.latMinuteAt(range.centre.lat) * t.m11();
        painter->drawEllipse(at(range.centre), r, r);
    }
    for (const solver::BearingLine &bearing : g.bearings) {
        const QPointF from = at(bearing.from);
        const QPointF to = along(from, bearing.trueBearing + 180.0, bearing.lengthMiles * k);
        painter->setPen(QPen(c, 1.6));
        painter->drawLine(from, to);
        drawLabel(
            *painter, from + (to - from) * 0.75, QString::fromStdString(bearing.label), c, taken);
    }
    for (const solver::Track &track : g.tracks) {
        if (track.points.size() < 2)
            continue;
        const Qt::PenStyle style = track.style == solver::TrackStyle::Planned ? Qt::SolidLine
            : track.style == solver::TrackStyle::Water                        ? Qt::DashLine
                                                                              : Qt::DashDotLine;
        painter->setPen(QPen(c, 2.0, style));
        QPolygonF line;
        for (const solver::LatLon &p : track.points)
            line << at(p);
        painter->drawPolyline(line);
        drawLabel(*painter, (line[0] + line[1]) / 2, QString::fromStdString(track.label), c, taken);
    }
    if (g.current) {
        const struct
        {
            const solver::ChartVector &vector;
            Qt::PenStyle style;
            int arrows;
        } vectors[] = { { g.current->water, Qt::DashLine, 1 },
            { g.current->current, Qt::SolidLine, 3 }, { g.current->ground, Qt::DashDotLine, 2 } };
        for (const auto &v : vectors) {
            const QPointF from = at(v.vector.from), to = at(v.vector.to);
            painter->setPen(QPen(c, 2.0, v.style));
            painter->drawLine(from, to);
            painter->setPen(QPen(c, 1.0));
            painter->setBrush(c);
            drawArrowheads(*painter, from, to, v.arrows);
            painter->setBrush(Qt::NoBrush);
        }
        for (const auto &v : vectors)
            drawLabel(*painter, (at(v.vector.from) + at(v.vector.to)) / 2,
                QString::fromStdString(v.vector.label), c, taken);
    }
    if (g.answerLine) {
        painter->setPen(QPen(answerColour(), 2.6));
        painter->drawLine(at(g.answerLine->from), at(g.answerLine->to));
    }
    // A point where an earlier one lies (a run that returns to its start) is drawn and named once.
    for (std::size_t i = 0; i < g.points.size(); ++i) {
        const solver::ChartPoint &point = g.points[i];
        const bool drawnBefore = std::any_of(
            g.points.begin(), g.points.begin() + long(i), [&](const solver::ChartPoint &other) {
                return std::abs(other.at.lat - point.at.lat) < 1e-4
                    && std::abs(other.at.lon - point.at.lon) < 1e-4;
            });
        if (drawnBefore)
            continue;
        const QPointF p = at(point.at);
        painter->setPen(QPen(c, 1.6));
        switch (point.role) {
        case solver::PointRole::Mark:
            // The chart draws the mark itself; the solution rings it.
            painter->drawEllipse(p, 8, 8);
            break;
        case solver::PointRole::Dr:
            painter->drawRect(QRectF(p - QPointF(4, 4), QSizeF(8, 8)));
            break;
        case solver::PointRole::Fix:
            painter->setBrush(c);
            painter->drawEllipse(p, 3.5, 3.5);
            painter->setBrush(Qt::NoBrush);
            break;
        default:
            painter->setBrush(Qt::white);
            painter->drawEllipse(p, 4, 4);
            painter->setBrush(Qt::NoBrush);
            break;
        }
        if (point.role != solver::PointRole::Mark)
            drawLabel(*painter, p, QString::fromStdString(point.name), c, taken);
    }
    if (g.answerPoint) {
        const QPointF p = at(*g.answerPoint);
        painter->setPen(QPen(answerColour(), 2.4));
        painter->drawEllipse(p, 7, 7);
        painter->drawLine(p - QPointF(10, 0), p + QPointF(10, 0));
        painter->drawLine(p - QPointF(0, 10), p + QPointF(0, 10));
        drawLabel(*painter, p + QPointF(4, 4), u"答"_s, answerColour(), taken);
    }
    painter->restore();
}

} // namespace tovarin
