#include "ui/chart/ChartPainter.h"

#include "chart/PlotGeometry.h"
#include "chart/Readout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Qt::Literals::StringLiterals;

namespace tovarin {
namespace {

constexpr double degree = std::numbers::pi / 180.0;

// The border's two bands outside the neat line, in chart units: the tenths ticked in the inner
// one, the minutes in alternate black and white in the outer one, the figures beyond.
constexpr double tickBand = 7.0;
constexpr double minuteBand = 12.0;

const QColor ink(30, 30, 30);
const QColor landTint(243, 227, 176);
const QColor coast(92, 72, 40);
const QColor roseColour(150, 36, 122);
const QColor lightFlare(205, 40, 150, 200);

QString fromUtf8(const std::string &text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Text anchored at a point: the alignment says which side of the point it lies on.
void drawText(QPainter &painter, QPointF at, Qt::Alignment align, const QString &text)
{
    constexpr double room = 400;
    QRectF box(at.x() - room, at.y() - room, 2 * room, 2 * room);
    if (align & Qt::AlignLeft)
        box.moveLeft(at.x());
    else if (align & Qt::AlignRight)
        box.moveRight(at.x());
    if (align & Qt::AlignTop)
        box.moveTop(at.y());
    else if (align & Qt::AlignBottom)
        box.moveBottom(at.y());
    painter.drawText(box, int(align), text);
}

// The latitude as the readouts write it ("北緯29°42.3′"), without the longitude.
QString latitudeOf(double degrees)
{
    return fromUtf8(chart::positionText({ degrees, 0.0 })).section(u'　', 0, 0);
}

} // namespace

struct ChartPainter::Frame
{
    QTransform t;
    double k; // screen pixels per chart unit
    QRectF exposed;
    QPointF at(chart::ChartXY p) const { return t.map(QPointF(p.x, p.y)); }
    double size(double units) const { return units * k; }
    // Symbols grow with the zoom as on paper, within limits that keep them recognisable.
    double symbol(double units) const { return units * std::clamp(k, 0.8, 2.0); }
    // Text grows with the zoom too, between a legible floor and a ceiling that keeps a name
    // beside its mark rather than across the chart.
    int text(double units, int floor, int ceiling) const
    {
        return std::clamp(int(std::lround(units * k)), floor, ceiling);
    }
};

ChartPainter::ChartPainter(const chart::ExamChart &chart, QFont font)
    : m_chart(chart)
    , m_font(std::move(font))
{
}

QColor ChartPainter::paper()
{
    return { 253, 253, 249 };
}

QColor ChartPainter::outside()
{
    return { 200, 204, 208 };
}

void ChartPainter::paint(
    QPainter &painter, const QTransform &chartToScreen, const QRectF &exposed, Layers layers) const
{
    const Frame f { chartToScreen, chartToScreen.m11(), exposed };
    painter.save();
    painter.setClipRect(exposed, Qt::IntersectClip);
    if (layers == Layers::MarkPositions) {
        painter.setRenderHint(QPainter::Antialiasing);
        paintMarks(painter, f, true);
        painter.restore();
        return;
    }
    const chart::Box s = m_chart.sheet();
    const QRectF sheet(f.at({ s.left, s.top }), f.at({ s.left + s.width, s.top + s.height }));
    // Each pixel filled once: the paper, and around it what the view shows beyond the sheet.
    const QRectF onSheet = sheet.intersected(exposed);
    painter.fillRect(onSheet, paper());
    if (onSheet != exposed) {
        const QRegion beyond = QRegion(exposed.toAlignedRect()) - QRegion(sheet.toRect());
        for (const QRect &r : beyond)
            painter.fillRect(r, outside());
    }
    painter.setRenderHint(QPainter::Antialiasing);
    paintLand(painter, f);
    for (const chart::Rose &rose : m_chart.roses())
        paintRose(painter, f, rose);
    paintTitle(painter, f);
    paintMarks(painter, f, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    paintBorder(painter, f);
    painter.restore();
}

void ChartPainter::paintBorder(QPainter &painter, const Frame &f) const
{
    const chart::Mercator &m = m_chart.projection();
    const double w = m.width(), h = m.height();
    const QPointF nw = f.at({ 0, 0 }), se = f.at({ w, h });
    const double band = f.size(tickBand), outer = f.size(minuteBand);
    const QRectF area(nw, se);
    // Nothing of the border to draw when the view is inside the neat line.
    if (area.adjusted(outer, outer, -outer, -outer).contains(f.exposed))
        return;

    QFont figures = m_font;
    figures.setPixelSize(f.text(11, 10, 18));
    painter.setFont(figures);
    QVarLengthArray<QLineF, 1024> ticks;
    QVarLengthArray<QRectF, 128> black;
    // A graduation is drawn where its tick, its figure or the minute's block that starts at it
    // may reach the exposed part: a block is a minute long.
    const double minuteLength
        = std::max(f.size(m.latMinuteAt(m.northEast().lat)), f.size(m.unitsPerLonMinute()));
    const QRectF visible = f.exposed.adjusted(
        -60 - minuteLength, -30 - minuteLength, 60 + minuteLength, 30 + minuteLength);

    // Latitude on both sides: positions by the projection, so a minute grows northwards.
    const auto lats = chart::graduationsBetween(m.southWest().lat, m.northEast().lat);
    const bool tenthsLat = f.size(m.latMinuteAt(m.southWest().lat)) / 10 >= 2.5;
    for (std::size_t i = 0; i < lats.size(); ++i) {
        const chart::Graduation &g = lats[i];
        const double y = f.at(m.toChart({ g.tenths / 600.0, m.southWest().lon })).y();
        if (y < visible.top() || y > visible.bottom())
            continue;
        const double length = g.size == chart::Graduation::Size::Minute ? band
            : g.size == chart::Graduation::Size::Half                   ? band * 0.6
                                                                        : band * 0.35;
        if (g.size != chart::Graduation::Size::Tenth || tenthsLat) {
            ticks.append(QLineF(nw.x(), y, nw.x() - length, y));
            ticks.append(QLineF(se.x(), y, se.x() + length, y));
        }
        if (g.size == chart::Graduation::Size::Minute && (g.tenths / 10) % 2 == 0
            && i + 10 < lats.size()) {
            const double next = f.at(m.toChart({ (g.tenths + 10) / 600.0, 0 })).y();
            black.append(QRectF(QPointF(nw.x() - outer, next), QPointF(nw.x() - band, y)));
            black.append(QRectF(QPointF(se.x() + band, next), QPointF(se.x() + outer, y)));
        }
        if (!g.figure.empty()) {
            painter.setPen(ink);
            drawText(painter, { nw.x() - outer - 3, y }, Qt::AlignRight | Qt::AlignVCenter,
                fromUtf8(g.figure));
            drawText(painter, { se.x() + outer + 3, y }, Qt::AlignLeft | Qt::AlignVCenter,
                fromUtf8(g.figure));
        }
    }
    // Longitude on top and bottom: evenly spaced.
    const auto lons = chart::graduationsBetween(m.southWest().lon, m.northEast().lon);
    const bool tenthsLon = f.size(m.unitsPerLonMinute()) / 10 >= 2.5;
    for (std::size_t i = 0; i < lons.size(); ++i) {
        const chart::Graduation &g = lons[i];
        const double x = f.at(m.toChart({ m.southWest().lat, g.tenths / 600.0 })).x();
        if (x < visible.left() || x > visible.right())
            continue;
        const double length = g.size == chart::Graduation::Size::Minute ? band
            : g.size == chart::Graduation::Size::Half                   ? band * 0.6
                                                                        : band * 0.35;
        if (g.size != chart::Graduation::Size::Tenth || tenthsLon) {
            ticks.append(QLineF(x, nw.y(), x, nw.y() - length));
            ticks.append(QLineF(x, se.y(), x, se.y() + length));
        }
        if (g.size == chart::Graduation::Size::Minute && (g.tenths / 10) % 2 == 0
            && i + 10 < lons.size()) {
            const double next = f.at(m.toChart({ 0, (g.tenths + 10) / 600.0 })).x();
            black.append(QRectF(QPointF(x, nw.y() - outer), QPointF(next, nw.y() - band)));
            black.append(QRectF(QPointF(x, se.y() + band), QPointF(next, se.y() + outer)));
        }
        if (!g.figure.empty()) {
            painter.setPen(ink);
            drawText(painter, { x, nw.y() - outer - 2 }, Qt::AlignHCenter | Qt::AlignBottom,
                fromUtf8(g.figure));
            drawText(painter, { x, se.y() + outer + 2 }, Qt::AlignHCenter | Qt::AlignTop,
                fromUtf8(g.figure));
        }
    }
    for (const QRectF &r : black)
        painter.fillRect(r, ink);
    painter.setPen(QPen(ink, 1));
    painter.drawLines(ticks.constData(), int(ticks.size()));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
    painter.drawRect(area.adjusted(-band, -band, band, band));
    painter.drawRect(area.adjusted(-outer, -outer, outer, outer));
}

void ChartPainter::paintLand(QPainter &painter, const Frame &f) const
{
    painter.setPen(QPen(coast, 1.2));
    painter.setBrush(landTint);
    for (const chart::ChartLandInfo &land : m_chart.land()) {
        QPolygonF outline;
        for (const chart::ChartXY &p : land.outline)
            outline << f.at(p);
        if (!outline.boundingRect().intersects(f.exposed.adjusted(-2, -2, 2, 2)))
            continue;
        painter.drawPolygon(outline);
    }
    painter.setBrush(Qt::NoBrush);
}

void ChartPainter::paintRose(QPainter &painter, const Frame &f, const chart::Rose &rose) const
{
    const QPointF c = f.at(rose.centre);
    const double r = f.size(rose.radius);
    if (!QRectF(c - QPointF(r + 20, r + 20), QSizeF(2 * r + 40, 2 * r + 40)).intersects(f.exposed))
        return;
    // Screen pixels run as chart units do (y growing south), so the chart's own arithmetic serves.
    const auto along = [&](double trueDirection, double radius) {
        const chart::ChartXY p = chart::pointToward({ c.x(), c.y() }, trueDirection, radius);
        return QPointF(p.x, p.y);
    };
    const double variation = m_chart.variation();
    // The outer ring true, the inner ring magnetic: its north lies the variation off true north.
    struct Ring
    {
        double outer, tick1, tick5, tick10, figures, turn;
    };
    const Ring rings[] = { { r, 0.035 * r, 0.06 * r, 0.09 * r, 0.83 * r, 0.0 },
        { 0.64 * r, 0.03 * r, 0.05 * r, 0.075 * r, 0.5 * r, variation } };
    QVarLengthArray<QLineF, 800> ticks;
    for (const Ring &ring : rings) {
        // Each degree where the degrees stand two pixels apart, else every five or ten.
        const double apart = 2 * std::numbers::pi * ring.outer / 360;
        const int step = apart >= 2.0 ? 1 : apart >= 0.8 ? 5 : 10;
        for (int d = 0; d < 360; d += step) {
            const double length = d % 10 == 0 ? ring.tick10 : d % 5 == 0 ? ring.tick5 : ring.tick1;
            ticks.append(QLineF(
                along(d + ring.turn, ring.outer), along(d + ring.turn, ring.outer - length)));
        }
    }
    painter.setPen(QPen(roseColour, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawLines(ticks.constData(), int(ticks.size()));
    for (const Ring &ring : rings) {
        painter.drawEllipse(c, ring.outer, ring.outer);
        painter.drawEllipse(c, ring.outer - ring.tick10, ring.outer - ring.tick10);
    }
    // North: a star on the true ring, an arrow on the magnetic one.
    const double star = std::max(5.0, 0.07 * r);
    QPolygonF north;
    for (int i = 0; i < 10; ++i)
        north << along(i * 36.0, i % 2 == 0 ? star : star * 0.4) + (along(0, r + star + 2) - c);
    painter.setBrush(roseColour);
    painter.drawPolygon(north);
    const QPointF tip = along(variation, rings[1].outer - rings[1].tick10);
    painter.drawLine(c, tip);
    const double head = std::max(4.0, 0.05 * r);
    painter.drawPolygon(QPolygonF({ tip, along(variation - 4, rings[1].outer * 0.8),
                            along(variation + 4, rings[1].outer * 0.8) })
        << tip);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(c - QPointF(head, 0), c + QPointF(head, 0));

    QFont font = m_font;
    font.setPixelSize(std::clamp(int(std::lround(0.075 * r)), 9, 28));
    painter.setFont(font);
    // Figures every 10° where there is room for them, every 30° or 90° where there is less.
    for (const Ring &ring : rings) {
        const double room = 2 * std::numbers::pi * ring.figures / font.pixelSize();
        const int every = room >= 36 * 3 ? 10 : room >= 12 * 3 ? 30 : 90;
        for (int d = 0; d < 360; d += every)
            drawText(
                painter, along(d + ring.turn, ring.figures), Qt::AlignCenter, QString::number(d));
    }
    font.setPixelSize(std::clamp(int(std::lround(0.09 * r)), 10, 32));
    painter.setFont(font);
    drawText(painter, c + QPointF(0, 0.2 * r), Qt::AlignCenter, fromUtf8(m_chart.variationText()));
}

void ChartPainter::paintMarks(QPainter &painter, const Frame &f, bool positionsOnly) const
{
    QFont names = m_font;
    names.setPixelSize(f.text(12, 10, 20));
    painter.setFont(names);
    const double s = f.symbol(1.0);
    for (const chart::ChartMarkInfo &mark : m_chart.marks()) {
        const QPointF p = f.at(m_chart.projection().toChart(mark.at));
        // The symbol and the name written beside it.
        if (!f.exposed.intersects(QRectF(p - QPointF(240 * s, 14 * s), QSizeF(480 * s, 28 * s))))
            continue;
        if (!positionsOnly) {
            // The light's flare, magenta as charts print it, and the structure above the spot.
            QPainterPath flare;
            const QPointF base = p + QPointF(2.2 * s, 2.2 * s);
            flare.moveTo(base);
            flare.cubicTo(base + QPointF(9 * s, 1 * s), base + QPointF(12 * s, 7 * s),
                base + QPointF(7 * s, 8 * s));
            flare.cubicTo(base + QPointF(3 * s, 9 * s), base + QPointF(1 * s, 6 * s), base);
            painter.setPen(Qt::NoPen);
            painter.setBrush(lightFlare);
            painter.drawPath(flare);
            painter.setPen(QPen(ink, 1.2));
            painter.setBrush(Qt::NoBrush);
            switch (mark.kind) {
            case chart::MarkKind::Lighthouse: {
                QPolygonF star;
                for (int i = 0; i < 10; ++i) {
                    const double a = i * 36.0 * degree;
                    const double radius = (i % 2 == 0 ? 7.5 : 3.2) * s;
                    star << p + QPointF(std::sin(a), -std::cos(a)) * radius;
                }
                painter.setBrush(ink);
                painter.drawPolygon(star);
                painter.setBrush(Qt::NoBrush);
                break;
            }
            case chart::MarkKind::Beacon:
                painter.drawLine(p - QPointF(0, 2.5 * s), p - QPointF(0, 11 * s));
                painter.drawLine(p - QPointF(3.5 * s, 11 * s), p - QPointF(-3.5 * s, 11 * s));
                painter.drawLine(p - QPointF(5 * s, 2.5 * s), p - QPointF(-5 * s, 2.5 * s));
                break;
            case chart::MarkKind::Buoy: {
                QPainterPath body;
                body.moveTo(p + QPointF(-2 * s, -2 * s));
                body.quadTo(p + QPointF(-1 * s, -9 * s), p + QPointF(5 * s, -10 * s));
                body.quadTo(p + QPointF(6 * s, -4 * s), p + QPointF(2 * s, -1.5 * s));
                painter.drawPath(body);
                painter.drawLine(p - QPointF(6 * s, 0), p + QPointF(6 * s, 0));
                break;
            }
            }
        }
        // The spot itself: a small ring centred on the position, white inside.
        painter.setPen(QPen(ink, 1.2));
        painter.setBrush(paper());
        painter.drawEllipse(p, 2.4 * s, 2.4 * s);
        painter.setBrush(Qt::NoBrush);
        if (!positionsOnly) {
            // To the right of the symbol, clear of the star's points; to its left where the name
            // would run over the chart's east border.
            const QString name = fromUtf8(mark.name);
            const double east = f.at({ m_chart.projection().width(), 0.0 }).x();
            const double gap = 12 * s;
            const bool left = p.x() + gap + QFontMetricsF(names).horizontalAdvance(name) > east;
            painter.setPen(ink);
            drawText(painter, p + QPointF(left ? -gap : gap, -2 * s),
                (left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, name);
        }
    }
}

void ChartPainter::paintTitle(QPainter &painter, const Frame &f) const
{
    const chart::Box t = m_chart.titleBlock();
    const chart::Box s = m_chart.scaleOfMiles();
    const QRectF title(f.at({ t.left, t.top }), f.at({ t.left + t.width, t.top + t.height }));
    const QRectF bar(f.at({ s.left, s.top }), f.at({ s.left + s.width, s.top + s.height }));
    if (!title.united(bar).adjusted(-40, -40, 40, 60).intersects(f.exposed))
        return;
    painter.setPen(QPen(ink, 1));
    painter.setBrush(paper());
    painter.drawRect(title);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(title.adjusted(3, 3, -3, -3));
    QFont font = m_font;
    font.setPixelSize(f.text(22, 11, 44));
    font.setBold(true);
    painter.setFont(font);
    drawText(painter, { title.center().x(), title.top() + title.height() * 0.38 }, Qt::AlignCenter,
        fromUtf8(m_chart.title()));
    font.setBold(false);
    font.setPixelSize(f.text(11, 9, 22));
    painter.setFont(font);
    drawText(painter, { title.center().x(), title.top() + title.height() * 0.76 }, Qt::AlignCenter,
        u"漸長図（メルカトル図法）　単位 海里"_s);

    // The scale: whole miles in alternate black and white, the first one in tenths.
    const int miles = m_chart.scaleMiles();
    const double mile = bar.width() / miles;
    for (int i = 0; i < miles; ++i)
        if (i % 2 == 1)
            painter.fillRect(QRectF(bar.left() + i * mile, bar.top(), mile, bar.height()), ink);
    QVarLengthArray<QLineF, 16> tenths;
    for (int i = 1; i < 10; ++i) {
        const double x = bar.left() + i * mile / 10;
        tenths.append(QLineF(x, bar.top(), x, bar.top() + bar.height() * (i == 5 ? 1.0 : 0.5)));
    }
    painter.drawLines(tenths.constData(), int(tenths.size()));
    painter.drawRect(bar);
    for (int i = 0; i <= miles; ++i)
        drawText(painter, { bar.left() + i * mile, bar.bottom() + 2 },
            Qt::AlignHCenter | Qt::AlignTop, QString::number(i));
    drawText(painter, { bar.right() + 8, bar.center().y() }, Qt::AlignLeft | Qt::AlignVCenter,
        u"海里"_s);
    drawText(painter, { bar.left(), bar.bottom() + 4 + font.pixelSize() * 1.3 },
        Qt::AlignLeft | Qt::AlignTop,
        u"（%1付近において）"_s.arg(latitudeOf(m_chart.scaleLatitude())));
}

} // namespace tovarin
