#include "tools/picture-generator/src/Drawing.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <stdexcept>

QFont Drawing::font(int pixelSize, bool bold)
{
    QFont f(QStringLiteral("IPAPGothic"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QRectF Drawing::textBox(const QString &text, const QFont &font, QPointF at, Anchor anchor)
{
    const QFontMetricsF metrics(font);
    const double w = metrics.horizontalAdvance(text);
    const double h = metrics.ascent() + metrics.descent();
    double left = at.x() - w / 2;
    if (anchor == Anchor::Left)
        left = at.x();
    else if (anchor == Anchor::Right)
        left = at.x() - w;
    return QRectF(left, at.y() - h / 2, w, h);
}

QRectF Drawing::text(QPainter &painter, const QString &text, const QFont &font, QPointF at,
    const QColor &colour, Anchor anchor, bool halo)
{
    const QRectF box = textBox(text, font, at, anchor);
    const QPointF baseline(box.left(), box.top() + QFontMetricsF(font).ascent());
    painter.save();
    painter.setFont(font);
    if (halo) {
        painter.setPen(Qt::white);
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (dx != 0 || dy != 0)
                    painter.drawText(baseline + QPointF(dx, dy), text);
    }
    painter.setPen(colour);
    painter.drawText(baseline, text);
    painter.restore();
    return box;
}

QPolygonF Drawing::smooth(const QPolygonF &points, bool closed, int steps)
{
    const int n = int(points.size());
    if (n < 3)
        return points;
    auto at = [&](int i) {
        if (closed)
            return points[((i % n) + n) % n];
        return points[std::clamp(i, 0, n - 1)];
    };
    QPolygonF out;
    const int segments = closed ? n : n - 1;
    for (int i = 0; i < segments; ++i) {
        const QPointF p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        for (int k = 0; k < steps; ++k) {
            const double t = double(k) / steps, t2 = t * t, t3 = t2 * t;
            out.append(0.5
                * ((2 * p1) + (-p0 + p2) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2
                    + (-p0 + 3 * p1 - 3 * p2 + p3) * t3));
        }
    }
    out.append(closed ? points.first() : points.last());
    return out;
}

Drawing::Path::Path(const QPolygonF &points)
    : m_points(points)
{
    m_lengths.append(0);
    for (int i = 1; i < points.size(); ++i) {
        m_total += std::hypot(points[i].x() - points[i - 1].x(), points[i].y() - points[i - 1].y());
        m_lengths.append(m_total);
    }
}

int Drawing::Path::segmentAt(double s) const
{
    int i = 1;
    while (i < m_points.size() - 1 && m_lengths[i] < s)
        ++i;
    return i;
}

QPointF Drawing::Path::pointAt(double s) const
{
    if (m_points.size() < 2)
        return m_points.value(0);
    const int i = segmentAt(s);
    const double span = m_lengths[i] - m_lengths[i - 1];
    const double t = span > 0 ? std::clamp((s - m_lengths[i - 1]) / span, 0.0, 1.0) : 0.0;
    return m_points[i - 1] + (m_points[i] - m_points[i - 1]) * t;
}

QPointF Drawing::Path::tangentAt(double s) const
{
    const QPointF a = pointAt(std::max(0.0, s - 2)), b = pointAt(std::min(m_total, s + 2));
    const QPointF d = b - a;
    const double len = std::hypot(d.x(), d.y());
    return len > 0 ? d / len : QPointF(1, 0);
}

QPolygonF Drawing::Path::section(double from, double to) const
{
    QPolygonF out;
    out.append(pointAt(from));
    for (int i = 0; i < m_points.size(); ++i)
        if (m_lengths[i] > from && m_lengths[i] < to)
            out.append(m_points[i]);
    out.append(pointAt(to));
    return out;
}

QColor Drawing::colour(const std::string &name, const QColor &fallback)
{
    if (name.empty())
        return fallback;
    if (name[0] == 'g')
        return QColor::fromRgb(
            std::stoi(name.substr(1)), std::stoi(name.substr(1)), std::stoi(name.substr(1)));
    const QColor c(QString::fromStdString(name));
    if (!c.isValid())
        throw std::runtime_error("not a colour: " + name);
    return c;
}
