#include "tools/picture-generator/src/Coastline.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QString Coastline::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (doc.isNull())
        return QStringLiteral("%1: %2").arg(path, parseError.errorString());
    rings.clear();
    for (const QJsonValue &ringValue : doc.object().value(QStringLiteral("rings")).toArray()) {
        QPolygonF ring;
        for (const QJsonValue &point : ringValue.toArray()) {
            const QJsonArray lonLat = point.toArray();
            if (lonLat.size() != 2)
                return QStringLiteral("%1: a point is not [longitude, latitude]").arg(path);
            ring.append(QPointF(lonLat.at(0).toDouble(), lonLat.at(1).toDouble()));
        }
        if (ring.size() >= 3)
            rings.append(ring);
    }
    if (rings.isEmpty())
        return QStringLiteral("%1 holds no rings").arg(path);
    return {};
}
