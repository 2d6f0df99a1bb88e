#include "tools/picture-generator/src/PressureField.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Distance from p to the line, and how far along the line (0 to 1) the nearest point lies.
std::pair<double, double> distanceToLine(QPointF p, const QPolygonF &line)
{
    double best = 1e18, bestAlong = 0, walked = 0;
    for (qsizetype i = 1; i < line.size(); ++i) {
        const QPointF a = line[i - 1], d = line[i] - a;
        const double len2 = d.x() * d.x() + d.y() * d.y();
        const double t
            = len2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / len2, 0.0, 1.0) : 0.0;
        const QPointF q = a + d * t;
        const double dist = std::hypot(p.x() - q.x(), p.y() - q.y());
        if (dist < best) {
            best = dist;
            bestAlong = walked + t * std::sqrt(len2);
        }
        walked += std::sqrt(len2);
    }
    return { best, walked > 0 ? bestAlong / walked : 0.0 };
}

double kernel(const PressureField::Centre &c, QPointF p)
{
    const double qx = (p.x() - c.at.x()) / c.rx, qy = (p.y() - c.at.y()) / c.ry;
    const double q2 = qx * qx + qy * qy;
    switch (c.shape) {
    case PressureField::Shape::Gauss:
        return std::exp(-q2);
    case PressureField::Shape::Cone:
        return 1.0 / (1.0 + q2);
    case PressureField::Shape::Peak:
        return std::exp(-std::sqrt(q2));
    }
    return 0;
}

} // namespace

double PressureField::withoutCentre(QPointF p, qsizetype skipped) const
{
    double v = base + (gradient.x() * p.x() + gradient.y() * p.y()) / 100.0;
    for (qsizetype i = 0; i < centres.size(); ++i)
        if (i != skipped)
            v += centres[i].amplitude * kernel(centres[i], p);
    for (const Trough &t : troughs) {
        // Deepest at the low, where a front starts, and fading towards its far end.
        const auto [d, along] = distanceToLine(p, t.line);
        if (d < t.width)
            v -= t.depth * (1.0 - 0.7 * along) * (1.0 - d / t.width);
    }
    return v;
}

double PressureField::value(QPointF p) const
{
    return withoutCentre(p, -1);
}

void PressureField::solve()
{
    // Gauss-Seidel: each centre's own kernel is 1 at its centre.
    for (int round = 0; round < 200; ++round)
        for (qsizetype i = 0; i < centres.size(); ++i)
            centres[i].amplitude = centres[i].target - withoutCentre(centres[i].at, i);
}

QList<PressureField::Contour> PressureField::contours(QSize size, double step, int interval) const
{
    const int nx = int(std::ceil(size.width() / step)) + 1;
    const int ny = int(std::ceil(size.height() / step)) + 1;
    QList<double> grid(qsizetype(nx) * ny);
    double lo = 1e9, hi = -1e9;
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) {
            const double v = value(QPointF(i * step, j * step));
            grid[qsizetype(j) * nx + i] = v;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    auto at = [&](int i, int j) { return grid[qsizetype(j) * nx + i]; };
    // Edge ids: horizontal edge from (i,j) to (i+1,j) is 2k, vertical edge from (i,j) to (i,j+1) is
    // 2k+1.
    auto hEdge = [&](int i, int j) { return 2 * (j * nx + i); };
    auto vEdge = [&](int i, int j) { return 2 * (j * nx + i) + 1; };

    QList<Contour> out;
    for (int level = int(std::ceil(lo / interval)) * interval; level <= hi; level += interval) {
        const double L = level + 1e-7; // no grid value sits exactly on a level
        QHash<int, QPointF> where;
        QHash<int, QList<int>> links;
        auto cross = [&](int id, QPointF a, double va, QPointF b, double vb) {
            where.insert(id, a + (b - a) * ((L - va) / (vb - va)));
        };
        auto link = [&](int e1, int e2) {
            links[e1].append(e2);
            links[e2].append(e1);
        };
        for (int j = 0; j + 1 < ny; ++j)
            for (int i = 0; i + 1 < nx; ++i) {
                const double a = at(i, j), b = at(i + 1, j), c = at(i + 1, j + 1), d = at(i, j + 1);
                const QPointF pa(i * step, j * step), pb((i + 1) * step, j * step);
                const QPointF pc((i + 1) * step, (j + 1) * step), pd(i * step, (j + 1) * step);
                const int top = hEdge(i, j), right = vEdge(i + 1, j), bottom = hEdge(i, j + 1),
                          left = vEdge(i, j);
                QList<int> hits;
                if ((a > L) != (b > L)) {
                    cross(top, pa, a, pb, b);
                    hits.append(top);
                }
                if ((b > L) != (c > L)) {
                    cross(right, pb, b, pc, c);
                    hits.append(right);
                }
                if ((d > L) != (c > L)) {
                    cross(bottom, pd, d, pc, c);
                    hits.append(bottom);
                }
                if ((a > L) != (d > L)) {
                    cross(left, pa, a, pd, d);
                    hits.append(left);
                }
                if (hits.size() == 2) {
                    link(hits[0], hits[1]);
                } else if (hits.size() == 4) {
                    const bool centreHigh = (a + b + c + d) / 4 > L;
                    if (centreHigh
                        == (a > L)) { // a and c joined through the middle: cut off b and d
                        link(top, right);
                        link(bottom, left);
                    } else {
                        link(top, left);
                        link(right, bottom);
                    }
                }
            }
        QHash<int, bool> used;
        auto trace = [&](int start) {
            Contour contour;
            contour.level = level;
            int previous = -1, current = start;
            while (true) {
                used[current] = true;
                contour.points.append(where.value(current));
                int next = -1;
                for (int candidate : links.value(current))
                    if (candidate != previous && !used.value(candidate)) {
                        next = candidate;
                        break;
                    }
                if (next < 0) {
                    contour.closed
                        = links.value(current).contains(start) && contour.points.size() > 2;
                    if (contour.closed)
                        contour.points.append(contour.points.first());
                    break;
                }
                previous = current;
                current = next;
            }
            Q_ASSERT(!contour.points.isEmpty());
            double length = 0;
            for (qsizetype i = 1; i < contour.points.size(); ++i)
                length += std::hypot(contour.points[i].x() - contour.points[i - 1].x(),
                    contour.points[i].y() - contour.points[i - 1].y());
            if (length >= 12) // a centre whose value sits on a level leaves a speck, not an isobar
                out.append(contour);
        };
        QList<int> ids = links.keys();
        std::sort(ids.begin(), ids.end()); // the same pictures on every run
        for (int id : ids)
            if (!used.value(id) && links.value(id).size() == 1)
                trace(id); // open lines start at the picture's edge
        for (int id : ids)
            if (!used.value(id))
                trace(id);
    }
    return out;
}
