#pragma once

#include <QList>
#include <QPolygonF>
#include <QString>

// The land outline around Japan (tools/coastline writes it from Natural Earth):
// closed rings of (longitude, latitude) points.
struct Coastline
{
    QList<QPolygonF> rings;

    // Returns an empty string on success, else what went wrong.
    QString load(const QString &path);
};
