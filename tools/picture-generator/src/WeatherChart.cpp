#include "tools/picture-generator/src/WeatherChart.h"

#include "tools/picture-generator/src/Drawing.h"
#include "tools/picture-generator/src/PressureField.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace {

using Drawing::Anchor;

double mercator(double latitude)
{
    return std::log(std::tan(std::numbers::pi / 4 + latitude * std::numbers::pi / 360)) * 180
        / std::numbers::pi;
}

std::string str(const toml::table &t, const char *key, const std::string &fallback = {})
{
    return t[key].value_or(fallback);
}

double num(const toml::table &t, const char *key, double fallback)
{
    return t[key].value_or(fallback);
}

const toml::array *arrayOf(const toml::table &t, const char *key)
{
    return t[key].as_array();
}

Anchor anchorOf(const std::string &name)
{
    if (name == "left")
        return Anchor::Left;
    if (name == "right")
        return Anchor::Right;
    return Anchor::Centre;
}

// Isobar labels must not sit on anything else: the mask is white where something is drawn.
bool isFree(const QImage &mask, const QRectF &box)
{
    const QRect r = box.adjusted(-1, -1, 1, 1).toAlignedRect();
    if (!mask.rect().adjusted(3, 3, -3, -3).contains(r))
        return false;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const uchar *line = mask.constScanLine(y);
        for (int x = r.left(); x <= r.right(); ++x)
            if (line[x] != 0)
                return false;
    }
    return true;
}

} // namespace

QPointF WeatherChart::Projection::toPixel(QPointF lonLat) const
{
    if (!map)
        return lonLat;
    return QPointF((lonLat.x() - west) * scale, (mercator(north) - mercator(lonLat.y())) * scale);
}

WeatherChart::WeatherChart(const toml::table &picture, const Coastline &coast)
    : m_table(picture)
    , m_coast(coast)
{
    m_file = QString::fromStdString(str(picture, "file"));
    if (m_file.isEmpty())
        throw std::runtime_error("a [[picture]] has no file");
    const toml::array *size = arrayOf(picture, "size");
    if (!size || size->size() != 2)
        throw std::runtime_error(m_file.toStdString() + ": size must be [width, height]");
    m_size = QSize(size->get(0)->value_or(0), size->get(1)->value_or(0));
    m_grey = picture["grey"].value_or(false);
    if (const toml::table *map = picture["map"].as_table()) {
        m_projection.map = true;
        m_projection.west = num(*map, "west", 0);
        m_projection.north = num(*map, "north", 0);
        m_projection.scale = m_size.width() / (num(*map, "east", 0) - m_projection.west);
    }
}

QPointF WeatherChart::point(const toml::node *node, const char *what) const
{
    const toml::array *a = node ? node->as_array() : nullptr;
    if (!a || a->size() != 2)
        throw std::runtime_error(m_file.toStdString() + ": " + what + " must be a point [x, y]");
    return m_projection.toPixel(QPointF(a->get(0)->value_or(0.0), a->get(1)->value_or(0.0)));
}

QPolygonF WeatherChart::points(const toml::node *node, const char *what) const
{
    const toml::array *a = node ? node->as_array() : nullptr;
    if (!a || a->size() < 2)
        throw std::runtime_error(m_file.toStdString() + ": " + what + " needs at least two points");
    QPolygonF out;
    for (const toml::node &p : *a)
        out.append(point(&p, what));
    return out;
}

QImage WeatherChart::draw()
{
    QImage image(m_size, QImage::Format_RGB32);
    QImage mask(m_size, QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter m(&mask);
        drawFronts(m, true);
        drawArrows(m, true);
        drawCentres(m, true);
        drawPoints(m, true);
        drawLabels(m, true);
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawLand(p);
    drawIsobars(p, mask);
    drawShapes(p);
    drawFronts(p, false);
    drawArrows(p, false);
    drawCentres(p, false);
    drawPoints(p, false);
    drawLabels(p, false);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, m_size.width() - 1, m_size.height() - 1);
    return image;
}

void WeatherChart::drawLand(QPainter &p)
{
    const QColor sea = m_grey ? QColor(255, 255, 255) : QColor(0xea, 0xf3, 0xfa);
    p.fillRect(QRect(QPoint(0, 0), m_size), Drawing::colour(str(m_table, "background"), sea));
    if (!m_projection.map)
        return;
    QPainterPath land;
    land.setFillRule(Qt::OddEvenFill);
    for (const QPolygonF &ring : m_coast.rings) {
        QPolygonF px;
        for (QPointF lonLat : ring)
            px.append(m_projection.toPixel(lonLat));
        land.addPolygon(px);
        land.closeSubpath();
    }
    p.setBrush(m_grey ? QColor(228, 228, 228) : QColor(0xf4, 0xec, 0xcf));
    p.setPen(QPen(m_grey ? QColor(110, 110, 110) : QColor(0x8c, 0x7d, 0x55), 0.8));
    p.drawPath(land);
    if (const int every = m_table["graticule"].value_or(0); every > 0) {
        p.setPen(QPen(m_grey ? QColor(190, 190, 190) : QColor(0xa8, 0xbc, 0xcc), 0.6, Qt::DotLine));
        for (int lon = -180; lon <= 180; lon += every) {
            const double x = m_projection.toPixel(QPointF(lon, 0)).x();
            if (x > 0 && x < m_size.width())
                p.drawLine(QPointF(x, 0), QPointF(x, m_size.height()));
        }
        for (int lat = 0; lat <= 80; lat += every) {
            const double y = m_projection.toPixel(QPointF(0, lat)).y();
            if (y > 0 && y < m_size.height())
                p.drawLine(QPointF(0, y), QPointF(m_size.width(), y));
        }
    }
}

void WeatherChart::drawIsobars(QPainter &p, QImage &mask)
{
    const toml::table *iso = m_table["isobars"].as_table();
    if (!iso)
        return;
    PressureField field;
    field.base = num(*iso, "base", 1012);
    if (const toml::array *g = arrayOf(*iso, "gradient"); g && g->size() == 2)
        field.gradient = QPointF(g->get(0)->value_or(0.0), g->get(1)->value_or(0.0));
    if (const toml::array *centres = m_table["centre"].as_array()) {
        for (const toml::node &node : *centres) {
            const toml::table &t = *node.as_table();
            PressureField::Centre c;
            c.at = point(t.get("at"), "centre.at");
            c.target = num(t, "value", 1012);
            const toml::array *r = arrayOf(t, "radius");
            if (!r || r->size() != 2)
                throw std::runtime_error(
                    m_file.toStdString() + ": centre.radius must be [rx, ry] pixels");
            c.rx = r->get(0)->value_or(40.0);
            c.ry = r->get(1)->value_or(40.0);
            const std::string shape = str(t, "shape", "gauss");
            c.shape = shape == "cone" ? PressureField::Shape::Cone
                : shape == "peak"     ? PressureField::Shape::Peak
                                      : PressureField::Shape::Gauss;
            field.centres.append(c);
        }
    }
    if (const toml::array *fronts = m_table["front"].as_array()) {
        for (const toml::node &node : *fronts) {
            const toml::table &t = *node.as_table();
            if (num(t, "trough", 0) > 0)
                field.troughs.append(
                    { Drawing::smooth(points(t.get("points"), "front.points"), false),
                        num(t, "trough", 0), num(t, "trough_width", 30) });
        }
    }
    field.solve();
    const int interval = iso->get("interval") ? int(num(*iso, "interval", 4)) : 4;
    // A centre whose value is a multiple of the interval leaves a tiny ring hugging its
    // mark, which reads as a symbol of its own rather than an isobar: leave it out.
    QList<PressureField::Contour> lines;
    for (const auto &line : field.contours(m_size, 2.0, interval)) {
        const bool hugsCentre = line.closed
            && std::any_of(field.centres.begin(), field.centres.end(), [&](const auto &c) {
                   return std::all_of(line.points.begin(), line.points.end(), [&](QPointF q) {
                       return std::hypot(q.x() - c.at.x(), q.y() - c.at.y()) <= 10.0;
                   });
               });
        if (!hugsCentre)
            lines.append(line);
    }
    const QColor ink = m_grey ? QColor(0, 0, 0) : QColor(0x22, 0x22, 0x22);
    p.setBrush(Qt::NoBrush);
    for (const auto &line : lines) {
        p.setPen(QPen(ink, line.level % 20 == 0 ? 1.7 : 0.9));
        p.drawPolyline(line.points);
    }
    if (!iso->get("labels") || (*iso)["labels"].value_or(true)) {
        const QFont font = Drawing::font(11);
        QPainter m(&mask);
        for (const auto &line : lines) {
            Drawing::Path path(line.points);
            if (path.length() < 50)
                continue;
            const QString text = QString::number(line.level);
            QList<double> candidates;
            if (line.closed) {
                for (double s = 0; s < path.length(); s += 6)
                    candidates.append(s);
            } else {
                for (double s = 12; s < path.length() / 2; s += 6) {
                    candidates.append(s);
                    candidates.append(path.length() - s);
                }
            }
            for (double s : candidates) {
                const QRectF box
                    = Drawing::textBox(text, font, path.pointAt(s)).adjusted(-1, 0, 1, 0);
                if (!isFree(mask, box))
                    continue;
                m.fillRect(box.adjusted(-3, -3, 3, 3), Qt::white);
                p.fillRect(box, Qt::white);
                Drawing::text(p, text, font, box.center(), ink, Anchor::Centre, false);
                break;
            }
        }
    }
}

void WeatherChart::drawShapes(QPainter &p)
{
    // Rain first, so that a cloud drawn over it hides the streaks above its base.
    if (const toml::array *rains = m_table["rain"].as_array()) {
        for (const toml::node &node : *rains) {
            const toml::table &t = *node.as_table();
            const toml::array *r = arrayOf(t, "rect");
            if (!r || r->size() != 4)
                throw std::runtime_error(m_file.toStdString() + ": rain.rect must be [x, y, w, h]");
            const QRectF rect(r->get(0)->value_or(0.0), r->get(1)->value_or(0.0),
                r->get(2)->value_or(0.0), r->get(3)->value_or(0.0));
            p.setPen(QPen(Drawing::colour(str(t, "color"), Qt::black), 1.0));
            const double gap = num(t, "spacing", 8);
            int row = 0;
            for (double y = rect.top(); y + 6 <= rect.bottom(); y += gap, ++row)
                for (double x = rect.left() + (row % 2) * gap / 2; x + 3 <= rect.right(); x += gap)
                    p.drawLine(QPointF(x + 2, y), QPointF(x, y + 6));
        }
    }
    if (const toml::array *shapes = m_table["shape"].as_array()) {
        for (const toml::node &node : *shapes) {
            const toml::table &t = *node.as_table();
            const bool closed = t["closed"].value_or(false);
            QPolygonF pts = points(t.get("points"), "shape.points");
            if (t["smooth"].value_or(false))
                pts = Drawing::smooth(pts, closed);
            QPen pen(Drawing::colour(str(t, "color"), Qt::black), num(t, "width", 1.2));
            if (t["dash"].value_or(false))
                pen.setStyle(Qt::DashLine);
            if (num(t, "width", 1.2) <= 0)
                pen = Qt::NoPen;
            p.setPen(pen);
            if (closed) {
                p.setBrush(t.get("fill") ? QBrush(Drawing::colour(str(t, "fill"), Qt::white))
                                         : QBrush(Qt::NoBrush));
                p.drawPolygon(pts);
            } else {
                p.drawPolyline(pts);
            }
        }
    }
}

void WeatherChart::drawFronts(QPainter &p, bool mask)
{
    const toml::array *fronts = m_table["front"].as_array();
    if (!fronts)
        return;
    const QColor red = m_grey ? QColor(0, 0, 0) : QColor(0xd0, 0x10, 0x10);
    const QColor blue = m_grey ? QColor(0, 0, 0) : QColor(0x10, 0x38, 0xd0);
    const QColor purple = m_grey ? QColor(0, 0, 0) : QColor(0x80, 0x20, 0xa0);
    for (const toml::node &node : *fronts) {
        const toml::table &t = *node.as_table();
        const std::string kind = str(t, "kind");
        const QPolygonF line = Drawing::smooth(points(t.get("points"), "front.points"), false);
        if (mask) {
            p.setPen(QPen(Qt::white, 18, Qt::SolidLine, Qt::RoundCap));
            p.drawPolyline(line);
            continue;
        }
        const Drawing::Path path(line);
        const double sideSign = str(t, "side", "left") == "left" ? 1.0 : -1.0;
        const double scale = num(t, "symbol", 1.0);
        const double spacing = num(t, "spacing", 18) * scale;
        const double half = 4.5 * scale; // half the base of a symbol
        auto normal = [&](double s, double sign) {
            const QPointF d = path.tangentAt(s);
            return QPointF(d.y(), -d.x())
                * (sideSign * sign); // left of the walking direction when sign > 0
        };
        auto triangle = [&](double s, double sign, const QColor &c) {
            const QPointF n = normal(s, sign);
            QPolygonF tri = path.section(s - half, s + half);
            tri.append(path.pointAt(s) + n * 7.5 * scale);
            p.setPen(QPen(c, 1));
            p.setBrush(c);
            p.drawPolygon(tri);
        };
        auto semicircle = [&](double s, double sign, const QColor &c) {
            const QPointF n = normal(s, sign), d = path.tangentAt(s), at = path.pointAt(s);
            QPainterPath half_disc;
            const double angle = std::atan2(-d.y(), d.x()) * 180 / std::numbers::pi;
            const QRectF box(at.x() - half, at.y() - half, 2 * half, 2 * half);
            // Qt angles run anticlockwise on screen; choose the half that lies along n.
            const double start
                = QPointF::dotProduct(n, QPointF(-d.y(), d.x())) > 0 ? angle + 180 : angle;
            half_disc.moveTo(at);
            half_disc.arcTo(box, start, 180);
            half_disc.closeSubpath();
            p.setPen(QPen(c, 1));
            p.setBrush(c);
            p.drawPath(half_disc);
        };
        const QColor lineColour = kind == "warm" ? red
            : kind == "cold"                     ? blue
            : kind == "occluded"                 ? purple
                                                 : red;
        p.setBrush(Qt::NoBrush);
        if (kind == "stationary" && !m_grey) {
            for (double s = 0; s < path.length(); s += spacing) {
                p.setPen(QPen(int(s / spacing) % 2 ? red : blue, 2.4, Qt::SolidLine, Qt::FlatCap));
                p.drawPolyline(path.section(s, std::min(path.length(), s + spacing)));
            }
        } else {
            p.setPen(QPen(lineColour, 2.4, Qt::SolidLine, Qt::RoundCap));
            p.drawPolyline(line);
        }
        int k = 0;
        for (double s = spacing / 2; s + half < path.length(); s += spacing, ++k) {
            if (kind == "warm")
                semicircle(s, 1, red);
            else if (kind == "cold")
                triangle(s, 1, blue);
            else if (kind == "occluded")
                (k % 2 ? semicircle(s, 1, purple) : triangle(s, 1, purple));
            else if (kind == "stationary")
                (k % 2 ? semicircle(s, -1, red) : triangle(s, 1, blue));
            else
                throw std::runtime_error(m_file.toStdString() + ": unknown front kind " + kind);
        }
    }
}

void WeatherChart::drawArrows(QPainter &p, bool mask)
{
    const toml::array *arrows = m_table["arrow"].as_array();
    if (!arrows)
        return;
    for (const toml::node &node : *arrows) {
        const toml::table &t = *node.as_table();
        const QPolygonF line = Drawing::smooth(points(t.get("points"), "arrow.points"), false);
        const double width = num(t, "width", 2.5);
        const double head = num(t, "head", 9);
        if (mask) {
            p.setPen(QPen(Qt::white, width + 6, Qt::SolidLine, Qt::RoundCap));
            p.drawPolyline(line);
            continue;
        }
        const QColor c = Drawing::colour(str(t, "color"), Qt::black);
        const Drawing::Path path(line);
        const QPointF tip = line.last(), d = path.tangentAt(path.length()), n(d.y(), -d.x());
        QPen pen(c, width, t["dash"].value_or(false) ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(path.section(0, std::max(0.0, path.length() - head * 0.8)));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPolygon(
            QPolygonF({ tip, tip - d * head + n * head * 0.5, tip - d * head - n * head * 0.5 }));
    }
}

void WeatherChart::drawCentres(QPainter &p, bool mask)
{
    const toml::array *centres = m_table["centre"].as_array();
    if (!centres)
        return;
    for (const toml::node &node : *centres) {
        const toml::table &t = *node.as_table();
        if (!t["mark"].value_or(true))
            continue;
        const std::string kind = str(t, "kind");
        const QPointF at = point(t.get("at"), "centre.at");
        const QString name = kind == "high" ? QStringLiteral("高")
            : kind == "low"                 ? QStringLiteral("低")
                                            : QStringLiteral("台風");
        const QColor c = m_grey ? QColor(0, 0, 0)
            : kind == "high"    ? QColor(0x10, 0x30, 0xc0)
                                : QColor(0xc8, 0x10, 0x10);
        QPointF textAt = at;
        if (const toml::array *o = arrayOf(t, "text_offset"); o && o->size() == 2)
            textAt += QPointF(o->get(0)->value_or(0.0), o->get(1)->value_or(0.0));
        const QFont big = Drawing::font(kind == "typhoon" ? 13 : 16, true);
        const QFont small = Drawing::font(12);
        const QPointF nameAt = textAt + QPointF(0, -12);
        // The value goes under the name unless the rings are too tight there; then it
        // is placed on its own, relative to the centre mark.
        QPointF valueAt = textAt + QPointF(0, 13);
        if (const toml::array *o = arrayOf(t, "value_offset"); o && o->size() == 2)
            valueAt = at + QPointF(o->get(0)->value_or(0.0), o->get(1)->value_or(0.0));
        const QString value = QString::number(int(num(t, "value", 0)));
        if (mask) {
            // No isobar values inside the tight rings of a typhoon or a deep low.
            if (const double quiet = num(t, "quiet", 0); quiet > 0) {
                p.setPen(Qt::NoPen);
                p.setBrush(Qt::white);
                p.drawEllipse(at, quiet, quiet);
            }
            for (const QRectF &box :
                { Drawing::textBox(name, big, nameAt), Drawing::textBox(value, small, valueAt),
                    QRectF(at - QPointF(5, 5), QSizeF(10, 10)) })
                p.fillRect(box.adjusted(-3, -2, 3, 2), Qt::white);
            continue;
        }
        p.setPen(QPen(c, 2));
        p.drawLine(at + QPointF(-3.5, -3.5), at + QPointF(3.5, 3.5));
        p.drawLine(at + QPointF(-3.5, 3.5), at + QPointF(3.5, -3.5));
        Drawing::text(p, name, big, nameAt, c);
        // Near fronts and coastlines a white box, as behind the isobar values, keeps the value
        // legible.
        if (t["value_backing"].value_or(false))
            p.fillRect(Drawing::textBox(value, small, valueAt).adjusted(-1, 0, 1, 0), Qt::white);
        Drawing::text(p, value, small, valueAt, c);
    }
}

void WeatherChart::drawPoints(QPainter &p, bool mask)
{
    const toml::array *pts = m_table["point"].as_array();
    if (!pts)
        return;
    for (const toml::node &node : *pts) {
        const toml::table &t = *node.as_table();
        const QPointF at = point(t.get("at"), "point.at");
        QPointF offset(0, -12);
        if (const toml::array *o = arrayOf(t, "offset"); o && o->size() == 2)
            offset = QPointF(o->get(0)->value_or(0.0), o->get(1)->value_or(0.0));
        const QString label = QString::fromStdString(str(t, "text"));
        const QFont font = Drawing::font(int(num(t, "size", 13)), true);
        if (mask) {
            p.fillRect(
                Drawing::textBox(label, font, at + offset).adjusted(-3, -2, 3, 2), Qt::white);
            p.fillRect(QRectF(at - QPointF(5, 5), QSizeF(10, 10)), Qt::white);
            continue;
        }
        const QColor c = Drawing::colour(str(t, "color"), Qt::black);
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(c);
        p.drawEllipse(at, 3.2, 3.2);
        Drawing::text(p, label, font, at + offset, c);
    }
}

void WeatherChart::drawLabels(QPainter &p, bool mask)
{
    const toml::array *labels = m_table["label"].as_array();
    if (!labels)
        return;
    for (const toml::node &node : *labels) {
        const toml::table &t = *node.as_table();
        const QPointF at = point(t.get("at"), "label.at");
        const QString text = QString::fromStdString(str(t, "text"));
        const QFont font = Drawing::font(int(num(t, "size", 13)), t["bold"].value_or(false));
        const Anchor anchor = anchorOf(str(t, "anchor", "centre"));
        if (mask) {
            p.fillRect(Drawing::textBox(text, font, at, anchor).adjusted(-3, -2, 3, 2), Qt::white);
            continue;
        }
        Drawing::text(p, text, font, at, Drawing::colour(str(t, "color"), Qt::black), anchor,
            t["halo"].value_or(true));
    }
}
