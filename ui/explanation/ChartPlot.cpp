#include "ui/explanation/ChartPlot.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

using namespace Qt::Literals::StringLiterals;

namespace tovarin {
namespace {

constexpr double degree = std::numbers::pi / 180.0;

// Room for the graduation's figures outside the chart's border.
constexpr int marginLeft = 60;
constexpr int marginRight = 14;
constexpr int marginTop = 14;
constexpr int marginBottom = 30;

const QColor planned(20, 20, 20);
const QColor water(31, 79, 191);
const QColor ground(128, 32, 160);
const QColor lines(27, 122, 47);
const QColor answer(255, 0, 0);
const QColor gridColour(205, 214, 224);
const QColor paper(252, 251, 245);

// Graduations in tenths of a minute: a major step with its figure, and the minor ticks between.
constexpr std::array<int, 10> majorSteps { 5, 10, 20, 50, 100, 150, 200, 300, 600, 1200 };
constexpr std::array<int, 8> minorSteps { 1, 2, 5, 10, 20, 50, 100, 300 };

QString graduationText(int tenthsOfMinute)
{
    const int degrees = tenthsOfMinute / 600;
    const int tenths = tenthsOfMinute % 600;
    QString minutes = QString::number(tenths / 10).rightJustified(2, u'0');
    if (tenths % 10 != 0)
        minutes += u'.' + QString::number(tenths % 10);
    return QString::number(degrees) + u"°"_s + minutes + u"′"_s;
}

int majorStepFor(double pixelsPerMinute, double wanted)
{
    for (int step : majorSteps)
        if (step / 10.0 * pixelsPerMinute >= wanted)
            return step;
    return majorSteps.back();
}

int minorStepFor(int major, double pixelsPerMinute)
{
    for (int step : minorSteps)
        if (step < major && major % step == 0 && step / 10.0 * pixelsPerMinute >= 5.0)
            return step;
    return major;
}

QPointF along(QPointF from, double trueDirection, double pixels)
{
    return from
        + QPointF(std::sin(trueDirection * degree), -std::cos(trueDirection * degree)) * pixels;
}

// Text on a pale ground, so that it reads over the lines beneath it, put beside its anchor where
// it covers no label drawn before it (taken), if any such place is inside the chart.
void drawLabel(QPainter &painter, QPointF anchor, const QString &text, const QRectF &inside,
    const QColor &colour, QList<QRectF> &taken)
{
    if (text.isEmpty())
        return;
    const QFontMetricsF metrics(painter.font());
    const QSizeF size(metrics.horizontalAdvance(text) + 6, metrics.height() + 2);
    const double w = size.width(), h = size.height();
    const QPointF offsets[] = { { 8, -4 - h }, { 8, 4 }, { -8 - w, -4 - h }, { -8 - w, 4 },
        { -w / 2, -8 - h }, { -w / 2, 8 }, { 8, -8 - 2 * h }, { 8, 8 + h } };
    QRectF box;
    QRectF fallback;
    for (const QPointF &offset : offsets) {
        const QRectF candidate(anchor + offset, size);
        if (!inside.contains(candidate))
            continue;
        if (fallback.isNull())
            fallback = candidate;
        const bool free = std::none_of(taken.cbegin(), taken.cend(),
            [&](const QRectF &other) { return other.intersects(candidate); });
        if (free) {
            box = candidate;
            break;
        }
    }
    if (box.isNull())
        box = fallback.isNull() ? QRectF(anchor + offsets[0], size) : fallback;
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
        QPolygonF head;
        head << tip << tip - unit * 9 + side * 4 << tip - unit * 9 - side * 4;
        painter.drawPolygon(head);
    }
}

} // namespace

struct ChartPlot::Frame
{
    double south = 0, north = 0, west = 0, east = 0; // degrees
    double cosMid = 1;
    double pixelsPerMinute = 1; // of latitude, i.e. per nautical mile
    QRectF area; // the chart inside its border
};

ChartPlot::ChartPlot(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(u"ChartPlot"_s);
    setAccessibleName(u"作図"_s);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChartPlot::setGeometryToPlot(std::optional<solver::Geometry> geometry)
{
    m_geometry = std::move(geometry);
    updateGeometry();
    update();
}

ChartPlot::Frame ChartPlot::frameFor(QSizeF size) const
{
    Frame f;
    if (!m_geometry)
        return f;
    f.south = m_geometry->southWest.lat;
    f.north = std::max(m_geometry->northEast.lat, f.south + 1.0 / 60);
    f.west = m_geometry->southWest.lon;
    f.east = std::max(m_geometry->northEast.lon, f.west + 1.0 / 60);
    f.cosMid = std::cos((f.south + f.north) / 2 * degree);
    const double widthMiles = (f.east - f.west) * 60 * f.cosMid;
    const double heightMiles = (f.north - f.south) * 60;
    const QRectF room(marginLeft, marginTop,
        std::max(10.0, size.width() - marginLeft - marginRight),
        std::max(10.0, size.height() - marginTop - marginBottom));
    f.pixelsPerMinute = std::min(room.width() / widthMiles, room.height() / heightMiles);
    // The border keeps to the chart's own area, the whole room used in the one direction that
    // limits the scale and the other direction widened to the room, so the paper is filled.
    const double extraLon = (room.width() / f.pixelsPerMinute - widthMiles) / 60 / f.cosMid;
    const double extraLat = (room.height() / f.pixelsPerMinute - heightMiles) / 60;
    f.west -= extraLon / 2;
    f.east += extraLon / 2;
    f.south -= extraLat / 2;
    f.north += extraLat / 2;
    f.area = room;
    return f;
}

QPointF ChartPlot::pointOf(const solver::LatLon &at) const
{
    const Frame f = frameFor(size());
    return { f.area.left() + (at.lon - f.west) * 60 * f.cosMid * f.pixelsPerMinute,
        f.area.top() + (f.north - at.lat) * 60 * f.pixelsPerMinute };
}

int ChartPlot::heightForWidth(int width) const
{
    // Natural proportions for a layout that asks; the window's own layout gives the plot the
    // room it has and the chart is fitted into it.
    if (!m_geometry)
        return 0;
    const double cosMid
        = std::cos((m_geometry->southWest.lat + m_geometry->northEast.lat) / 2 * degree);
    const double widthMiles
        = std::max(1.0 / 60, m_geometry->northEast.lon - m_geometry->southWest.lon) * 60 * cosMid;
    const double heightMiles
        = std::max(1.0 / 60, m_geometry->northEast.lat - m_geometry->southWest.lat) * 60;
    const double chartWidth = width - marginLeft - marginRight;
    const int natural
        = int(std::lround(chartWidth * heightMiles / widthMiles)) + marginTop + marginBottom;
    return std::clamp(natural, width * 5 / 8, width * 5 / 4);
}

QSize ChartPlot::sizeHint() const
{
    return { 480, heightForWidth(480) };
}

QSize ChartPlot::minimumSizeHint() const
{
    return { 240, 200 };
}

void ChartPlot::paintEvent(QPaintEvent *)
{
    if (!m_geometry)
        return;
    const solver::Geometry &g = *m_geometry;
    const Frame f = frameFor(size());
    const auto at = [&](const solver::LatLon &p) {
        return QPointF(f.area.left() + (p.lon - f.west) * 60 * f.cosMid * f.pixelsPerMinute,
            f.area.top() + (f.north - p.lat) * 60 * f.pixelsPerMinute);
    };
    const double k = f.pixelsPerMinute;

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().window());
    painter.fillRect(f.area, paper);

    // Parallels and meridians at the major steps, the minutes ticked along the border.
    const QFontMetricsF metrics(font());
    const int latMajor = majorStepFor(k, metrics.height() * 2.2);
    const int lonMajor
        = majorStepFor(k * f.cosMid, metrics.horizontalAdvance(u"000°00.0′"_s) * 1.3);
    const int latMinor = minorStepFor(latMajor, k);
    const int lonMinor = minorStepFor(lonMajor, k * f.cosMid);
    const auto tenthsRange = [](double fromDegrees, double toDegrees, int step) {
        return std::pair<int, int>(int(std::ceil(fromDegrees * 600 / step)) * step,
            int(std::floor(toDegrees * 600 / step)) * step);
    };
    painter.setPen(QPen(gridColour, 1));
    for (auto [t, end] = tenthsRange(f.south, f.north, latMajor); t <= end; t += latMajor) {
        const double y = at({ t / 600.0, f.west }).y();
        painter.drawLine(QPointF(f.area.left(), y), QPointF(f.area.right(), y));
    }
    for (auto [t, end] = tenthsRange(f.west, f.east, lonMajor); t <= end; t += lonMajor) {
        const double x = at({ f.south, t / 600.0 }).x();
        painter.drawLine(QPointF(x, f.area.top()), QPointF(x, f.area.bottom()));
    }
    painter.setPen(QPen(palette().windowText().color(), 1));
    for (auto [t, end] = tenthsRange(f.south, f.north, latMinor); t <= end; t += latMinor) {
        const double y = at({ t / 600.0, f.west }).y();
        const bool major = t % latMajor == 0;
        const double tick = major ? 8 : 4;
        painter.drawLine(QPointF(f.area.left(), y), QPointF(f.area.left() + tick, y));
        painter.drawLine(QPointF(f.area.right() - tick, y), QPointF(f.area.right(), y));
        if (major)
            painter.drawText(
                QRectF(0, y - metrics.height(), f.area.left() - 4, 2 * metrics.height()),
                Qt::AlignRight | Qt::AlignVCenter, graduationText(t));
    }
    for (auto [t, end] = tenthsRange(f.west, f.east, lonMinor); t <= end; t += lonMinor) {
        const double x = at({ f.south, t / 600.0 }).x();
        const bool major = t % lonMajor == 0;
        const double tick = major ? 8 : 4;
        painter.drawLine(QPointF(x, f.area.bottom()), QPointF(x, f.area.bottom() - tick));
        painter.drawLine(QPointF(x, f.area.top()), QPointF(x, f.area.top() + tick));
        if (major) {
            // Centred under its meridian, but kept inside the widget at either end.
            const QString text = graduationText(t);
            const double half = metrics.horizontalAdvance(text) / 2 + 1;
            const double centre = std::clamp(x, half, width() - half);
            painter.drawText(QRectF(centre - half, f.area.bottom() + 2, 2 * half, marginBottom - 2),
                Qt::AlignHCenter | Qt::AlignTop, text);
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(f.area);

    painter.save();
    painter.setClipRect(f.area);
    // The labels keep clear of the points' symbols and of each other.
    QList<QRectF> taken;
    for (const solver::ChartPoint &point : g.points)
        taken.append(QRectF(at(point.at) - QPointF(6, 6), QSizeF(12, 12)));
    taken.append(QRectF(f.area.right() - 30, f.area.top(), 30, 44 + metrics.height())); // north
    if (g.answerPoint)
        taken.append(QRectF(at(*g.answerPoint) - QPointF(10, 10), QSizeF(20, 20)));

    // North up: an arrow in the top right corner.
    {
        const QPointF base(f.area.right() - 18, f.area.top() + 40);
        painter.setPen(QPen(palette().windowText().color(), 1.4));
        painter.drawLine(base, base - QPointF(0, 24));
        painter.setBrush(palette().windowText());
        painter.drawPolygon(
            QPolygonF({ base - QPointF(0, 28), base - QPointF(4, 18), base - QPointF(-4, 18) }));
        painter.setBrush(Qt::NoBrush);
        painter.drawText(
            QRectF(base.x() - 10, base.y(), 20, metrics.height()), Qt::AlignCenter, u"N"_s);
    }

    for (const solver::RangeCircle &range : g.ranges) {
        painter.setPen(QPen(lines, 1.2, Qt::DotLine));
        const double r = range.radiusMiles * k;
        painter.drawEllipse(at(range.centre), r, r);
    }

    for (const solver::BearingLine &bearing : g.bearings) {
        const QPointF from = at(bearing.from);
        const QPointF to = along(from, bearing.trueBearing + 180.0, bearing.lengthMiles * k);
        painter.setPen(QPen(lines, 1.4));
        painter.drawLine(from, to);
        drawLabel(painter, from + (to - from) * 0.75, QString::fromStdString(bearing.label), f.area,
            lines, taken);
    }

    for (const solver::Track &track : g.tracks) {
        if (track.points.size() < 2)
            continue;
        const QColor colour = track.style == solver::TrackStyle::Planned ? planned
            : track.style == solver::TrackStyle::Water                   ? water
                                                                         : ground;
        const Qt::PenStyle style = track.style == solver::TrackStyle::Planned ? Qt::SolidLine
            : track.style == solver::TrackStyle::Water                        ? Qt::DashLine
                                                                              : Qt::DashDotLine;
        painter.setPen(QPen(colour, 1.8, style));
        QPolygonF line;
        for (const solver::LatLon &p : track.points)
            line << at(p);
        painter.drawPolyline(line);
        drawLabel(painter, (line[0] + line[1]) / 2, QString::fromStdString(track.label), f.area,
            colour, taken);
    }

    if (g.current) {
        const struct
        {
            const solver::ChartVector &vector;
            QColor colour;
            int arrows;
        } vectors[] = { { g.current->water, water, 1 }, { g.current->current, lines, 3 },
            { g.current->ground, ground, 2 } };
        for (const auto &v : vectors) {
            const QPointF from = at(v.vector.from), to = at(v.vector.to);
            painter.setPen(QPen(v.colour, 1.8));
            painter.drawLine(from, to);
            painter.setBrush(v.colour);
            drawArrowheads(painter, from, to, v.arrows);
            painter.setBrush(Qt::NoBrush);
        }
        for (const auto &v : vectors)
            drawLabel(painter, (at(v.vector.from) + at(v.vector.to)) / 2,
                QString::fromStdString(v.vector.label), f.area, v.colour, taken);
    }

    if (g.answerLine) {
        painter.setPen(QPen(answer, 2.4));
        painter.drawLine(at(g.answerLine->from), at(g.answerLine->to));
    }

    // A point where an earlier one lies (a run that returns to its start) is that point, drawn
    // and named once.
    const auto drawnBefore = [&g](std::size_t i) {
        for (std::size_t j = 0; j < i; ++j)
            if (std::abs(g.points[j].at.lat - g.points[i].at.lat) < 1e-4
                && std::abs(g.points[j].at.lon - g.points[i].at.lon) < 1e-4)
                return true;
        return false;
    };
    for (std::size_t i = 0; i < g.points.size(); ++i) {
        const solver::ChartPoint &point = g.points[i];
        if (drawnBefore(i))
            continue;
        const QPointF p = at(point.at);
        painter.setPen(QPen(palette().windowText().color(), 1.4));
        switch (point.role) {
        case solver::PointRole::Mark: {
            painter.setBrush(palette().windowText());
            painter.drawPolygon(
                QPolygonF({ p + QPointF(0, -6), p + QPointF(5, 4), p + QPointF(-5, 4) }));
            break;
        }
        case solver::PointRole::Dr:
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(p - QPointF(4, 4), QSizeF(8, 8)));
            break;
        case solver::PointRole::Fix:
            painter.setBrush(palette().windowText());
            painter.drawEllipse(p, 3.5, 3.5);
            break;
        default:
            painter.setBrush(paper);
            painter.drawEllipse(p, 4, 4);
            break;
        }
        painter.setBrush(Qt::NoBrush);
        drawLabel(painter, p, QString::fromStdString(point.name), f.area,
            palette().windowText().color(), taken);
    }

    if (g.answerPoint) {
        const QPointF p = at(*g.answerPoint);
        painter.setPen(QPen(answer, 2.2));
        painter.drawEllipse(p, 7, 7);
        painter.drawLine(p - QPointF(10, 0), p + QPointF(10, 0));
        painter.drawLine(p - QPointF(0, 10), p + QPointF(0, 10));
        drawLabel(painter, p + QPointF(4, 4), u"答"_s, f.area, answer, taken);
    }
    painter.restore();
}

} // namespace tovarin
