#pragma once

#include "tools/picture-generator/src/Coastline.h"

#include <QImage>

#include <toml++/toml.h>

// Draws one picture of question 55 from its [[picture]] table in
// data/q55-pictures.toml: a weather chart on the map of Japan, or a diagram in
// plain pixel coordinates. The table format is described at the top of that file.
class WeatherChart
{
public:
    WeatherChart(const toml::table &picture, const Coastline &coast);

    // Throws std::runtime_error naming the fault if the table is incomplete.
    QImage draw();
    bool isGrey() const { return m_grey; }
    QString fileName() const { return m_file; }

private:
    struct Projection
    {
        bool map = false;
        double west = 0, north = 0, scale = 1; // pixels per degree of longitude
        QPointF toPixel(QPointF lonLat) const;
    };

    QPointF point(const toml::node *node, const char *what) const;
    QPolygonF points(const toml::node *node, const char *what) const;

    void drawLand(QPainter &p);
    void drawIsobars(QPainter &p, QImage &mask);
    void drawShapes(QPainter &p);
    void drawFronts(QPainter &p, bool mask);
    void drawArrows(QPainter &p, bool mask);
    void drawCentres(QPainter &p, bool mask);
    void drawPoints(QPainter &p, bool mask);
    void drawLabels(QPainter &p, bool mask);

    const toml::table &m_table;
    const Coastline &m_coast;
    Projection m_projection;
    QString m_file;
    QSize m_size;
    bool m_grey = false;
};
