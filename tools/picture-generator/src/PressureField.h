#pragma once

#include <QList>
#include <QPolygonF>
#include <QSize>

// Sea-level pressure over a picture, in pixel coordinates: a sloping base plus
// one bump per high or low, plus a V-shaped trough along each front so that the
// isobars kink where they cross it, as on a drawn weather chart.
class PressureField
{
public:
    enum class Shape { Gauss, Cone, Peak };

    struct Centre
    {
        QPointF at;
        double rx = 40, ry = 40; // pixels
        Shape shape = Shape::Gauss;
        double target = 1012; // hPa at the centre
        double amplitude = 0; // set by solve()
    };

    struct Trough
    {
        QPolygonF line;
        double depth = 0; // hPa lower on the line
        double width = 30; // pixels on each side
    };

    struct Contour
    {
        int level = 0;
        QPolygonF points;
        bool closed = false;
    };

    double base = 1012;
    QPointF gradient; // hPa per 100 pixels towards +x and +y
    QList<Centre> centres;
    QList<Trough> troughs;

    // Chooses the bump heights so that the field meets each centre's target there.
    void solve();
    double value(QPointF p) const;
    // Isobars at every multiple of `interval` hPa, traced on a grid of `step` pixels.
    QList<Contour> contours(QSize size, double step, int interval) const;

private:
    double withoutCentre(QPointF p, qsizetype skipped) const;
};
