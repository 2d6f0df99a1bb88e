#include "tools/bank-export/SolutionJson.h"

#include "bankgen/solver/Solver.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace tovarin {
namespace {

QString text(const std::string &s)
{
    return QString::fromStdString(s);
}

QJsonArray at(const solver::LatLon &p)
{
    return { p.lat, p.lon };
}

QJsonObject vectorJson(const solver::ChartVector &v)
{
    return { { "from", at(v.from) }, { "to", at(v.to) }, { "label", text(v.label) } };
}

QJsonObject geometryJson(const solver::Geometry &g)
{
    QJsonArray points, tracks, bearings, ranges;
    for (const solver::ChartPoint &p : g.points)
        points.append(QJsonObject {
            { "name", text(p.name) }, { "at", at(p.at) }, { "role", solver::roleName(p.role) } });
    for (const solver::Track &t : g.tracks) {
        QJsonArray line;
        for (const solver::LatLon &p : t.points)
            line.append(at(p));
        tracks.append(QJsonObject { { "points", line }, { "style", solver::styleName(t.style) },
            { "label", text(t.label) } });
    }
    for (const solver::BearingLine &b : g.bearings)
        bearings.append(QJsonObject { { "mark", text(b.mark) }, { "from", at(b.from) },
            { "true_bearing", b.trueBearing }, { "length_miles", b.lengthMiles },
            { "label", text(b.label) } });
    for (const solver::RangeCircle &r : g.ranges)
        ranges.append(QJsonObject { { "mark", text(r.mark) }, { "centre", at(r.centre) },
            { "radius_miles", r.radiusMiles } });
    QJsonObject out { { "chart", g.chart }, { "points", points }, { "tracks", tracks },
        { "bearings", bearings }, { "ranges", ranges }, { "south_west", at(g.southWest) },
        { "north_east", at(g.northEast) } };
    if (g.current)
        out["current"] = QJsonObject { { "water", vectorJson(g.current->water) },
            { "current", vectorJson(g.current->current) },
            { "ground", vectorJson(g.current->ground) } };
    if (g.answerPoint)
        out["answer_point"] = at(*g.answerPoint);
    if (g.answerLine)
        out["answer_line"]
            = QJsonObject { { "from", at(g.answerLine->from) }, { "to", at(g.answerLine->to) } };
    return out;
}

} // namespace

QJsonObject checkJson(const solver::CheckTable &table)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(table.toJson())).object();
}

QJsonObject solutionJson(const solver::Solution &s)
{
    QJsonArray value, steps;
    for (double v : s.value)
        value.append(v);
    for (const solver::Step &step : s.steps)
        steps.append(QJsonObject { { "label", text(step.label) }, { "formula", text(step.formula) },
            { "working", text(step.working) }, { "result", text(step.result) } });
    QJsonObject out { { "kind", text(s.kind) }, { "quantity", solver::quantityName(s.quantity) },
        { "value", value }, { "unit", text(s.unit) }, { "answer", text(s.answer) },
        { "steps", steps } };
    if (s.geometry)
        out["geometry"] = geometryJson(*s.geometry);
    return out;
}

} // namespace tovarin
