#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPolygonF>
#include <QRectF>
#include <QString>

// Small drawing helpers shared by the weather charts and the tide tables.
namespace Drawing {

// The one typeface of all pictures; sizes are in pixels (11 and up stay legible).
QFont font(int pixelSize, bool bold = false);

enum class Anchor { Centre, Left, Right };

// Bounding box of text placed with its anchor at `at` (vertical centre at at.y()).
QRectF textBox(const QString &text, const QFont &font, QPointF at, Anchor anchor = Anchor::Centre);

// Draws text (optionally with a white rim so that it stays readable over lines) and returns its
// box.
QRectF text(QPainter &painter, const QString &text, const QFont &font, QPointF at,
    const QColor &colour, Anchor anchor = Anchor::Centre, bool halo = true);

// Catmull-Rom curve through the points.
QPolygonF smooth(const QPolygonF &points, bool closed, int steps = 8);

// A polyline walked by arc length.
class Path
{
public:
    explicit Path(const QPolygonF &points);
    double length() const { return m_total; }
    QPointF pointAt(double s) const;
    QPointF tangentAt(double s) const; // unit vector
    QPolygonF section(double from, double to) const;

private:
    int segmentAt(double s) const;
    QPolygonF m_points;
    QList<double> m_lengths; // arc length at each point
    double m_total = 0;
};

// Parses "#rrggbb" or a grey level "g128"; an empty string gives `fallback`.
QColor colour(const std::string &name, const QColor &fallback);

} // namespace Drawing
