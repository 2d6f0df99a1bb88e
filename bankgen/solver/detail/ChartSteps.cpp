#include "bankgen/solver/detail/ChartSteps.h"

#include "bankgen/solver/detail/Kinds.h"
#include "bankgen/solver/detail/Texts.h"

#include <cmath>

namespace tovarin::solver::detail {

std::string minutesOfArc(double m)
{
    return fixed(std::abs(m), 1) + "′";
}

Vec sailing(Solution &s, const std::string &leg, Position a, Position b, bool withCourse)
{
    const Vec v = offsetBetween(a, b);
    const double dLat = b.latMinutes - a.latMinutes;
    const double dLon = b.lonMinutes - a.lonMinutes;
    const std::string p = leg.empty() ? "" : leg + " ";
    if (std::abs(dLat) > 1e-9)
        step(s, p + "緯度差", "緯度差 ＝ 到着地の緯度 － 出発地の緯度",
            degreesMinutes(b.latMinutes) + " - " + degreesMinutes(a.latMinutes),
            minutesOfArc(dLat) + (dLat < 0 ? "S" : "N") + "（" + milesText(std::abs(dLat)) + "）");
    if (std::abs(dLon) > 1e-9) {
        const double mid = (a.latMinutes + b.latMinutes) / 2.0;
        step(s, p + "経度差", "経度差 ＝ 到着地の経度 － 出発地の経度",
            degreesMinutes(b.lonMinutes) + " - " + degreesMinutes(a.lonMinutes),
            minutesOfArc(dLon) + (dLon < 0 ? "W" : "E"));
        step(s, p + "平均緯度", "平均緯度 ＝ （出発地の緯度 ＋ 到着地の緯度） ÷ 2",
            "(" + degreesMinutes(a.latMinutes) + " + " + degreesMinutes(b.latMinutes) + ") ÷ 2",
            degreesMinutes(mid));
        step(s, p + "東西距", "東西距 ＝ 経度差 × cos 平均緯度",
            minutesOfArc(dLon) + " × cos " + degreesMinutes(mid), milesText(std::abs(v.east)));
    }
    if (std::abs(dLat) > 1e-9 && std::abs(dLon) > 1e-9)
        step(s, p + "航程", "航程 ＝ √（緯度差 × 緯度差 ＋ 東西距 × 東西距）",
            "√(" + fixed(std::abs(v.north), 1) + " × " + fixed(std::abs(v.north), 1) + " + "
                + fixed(std::abs(v.east), 1) + " × " + fixed(std::abs(v.east), 1) + ")",
            milesText(length(v)));
    else
        step(s, p + "航程",
            std::abs(dLon) > 1e-9 ? "同じ緯度を東西に航走: 航程 ＝ 東西距"
                                  : "同じ経度を南北に航走: 航程 ＝ 緯度差",
            milesText(length(v)), milesText(length(v)));
    if (withCourse)
        step(s, p + "真針路", "tan 真針路 ＝ 東西距 ÷ 緯度差（象限は緯度差・東西距の向きで決める）",
            "atan(" + fixed(std::abs(v.east), 1) + " ÷ " + fixed(std::abs(v.north), 1) + ")",
            computedDirection(directionOf(v)));
    return v;
}

Geometry chartFor(Position p)
{
    Geometry g;
    g.chart = chartOf(p);
    return g;
}

// 真方位 ＝ コンパス方位 ＋ 自差 ＋ 偏差, east added and west subtracted.
double trueFromCompass(
    Solution &s, const std::string &what, double compass, double deviation, double variation)
{
    const double t = normalized360(compass + deviation + variation);
    step(s, what + "の真方位", "真方位 ＝ コンパス方位 ＋ 自差 ＋ 偏差（E は加え、W は引く）",
        directionText(compass) + " " + addedEastWest(deviation) + " " + addedEastWest(variation),
        computedDirection(t));
    return t;
}

// What a compass should have read: 自差 ＝ 磁針方位 － コンパス方位, 磁針方位 ＝ 真方位 － 偏差.
double deviationSteps(Solution &s, double trueBearing, double variation, double compass)
{
    const double magnetic = normalized360(trueBearing - variation);
    step(s, "磁針方位", "磁針方位 ＝ 真方位 － 偏差（偏差 E は引き、W は加える）",
        computedDirection(trueBearing) + " " + addedEastWest(-variation),
        computedDirection(magnetic));
    const double deviation = signedAngle(magnetic - compass);
    step(s, "自差", "自差 ＝ 磁針方位 － コンパス方位（正なら E、負なら W）",
        computedDirection(magnetic) + " - " + directionText(compass),
        fixed(std::abs(deviation), 1) + (deviation < 0 ? "°W" : "°E"));
    return deviation;
}

void setPosition(Solution &s, Position p)
{
    s.value = { p.latMinutes, p.lonMinutes };
    if (s.geometry) {
        s.geometry->answerPoint = latLon(p);
        if (s.geometry->way.empty())
            s.geometry->way = { latLon(p) }; // a fix: the ship is there
    }
}

void answerPosition(Solution &s, Inputs &in, Position p)
{
    setPosition(s, p);
    if (!in.has("answer_from"))
        return;
    // Asked as the examination often asks it: the bearing and distance from a charted mark.
    const std::string name = in.markName("answer_from");
    const Position mark = in.markPosition(name);
    const Vec v = offsetBetween(mark, p);
    s.quantity = Quantity::FromMark;
    s.unit = name;
    s.value = { directionOf(v), length(v) };
    step(s, name + "からの方位・距離",
        "物標から船位への方向を三角定規でコンパス図に移して外側の目盛り（真方位）で読み、距離はデバ"
        "イダーで同じ緯度付近の緯度目盛りに当てて測る",
        positionText(mark.latMinutes, mark.lonMinutes) + " → "
            + positionText(p.latMinutes, p.lonMinutes),
        fromMarkAnswer(name, s.value[0], s.value[1]));
    if (s.geometry)
        s.geometry->answerLine = Segment { latLon(mark), latLon(p) };
}

void showMark(Geometry &g, const std::string &name, Position at)
{
    for (const ChartPoint &p : g.points)
        if (p.role == PointRole::Mark && p.name == name)
            return;
    g.points.push_back({ name, latLon(at), PointRole::Mark });
}

// A point given as a bearing and distance from a mark is laid off along the bearing line from the
// mark with the dividers.
void showLaidOff(Geometry &g, Solution &s, Inputs &in, const std::string &key,
    const std::string &point, Position at)
{
    const std::string name = in.markNameIn(key);
    if (name.empty())
        return;
    const Position mark = in.markPosition(name);
    showMark(g, name, mark);
    const Vec fromMark = offsetBetween(mark, at);
    if (length(fromMark) < 1e-6)
        return; // the mark itself
    const double bearing = directionOf(fromMark);
    g.bearings.push_back({ name, latLon(mark), normalized360(bearing + 180.0), length(fromMark),
        name + "から " + computedDirection(bearing) + "、" + milesText(length(fromMark)) });
    step(s, point + "の位置",
        "物標から真方位の線を引き（三角定規でコンパス図の外側の目盛から移す）、その上にデバイダー"
        "で距離を取る（その地点の緯度の目盛から。緯度差 ＝ 距離 × cos 方位、東西距 ＝ 距離 × sin "
        "方位）",
        name + "（" + positionText(mark.latMinutes, mark.lonMinutes) + "）から "
            + computedDirection(bearing) + "、" + milesText(length(fromMark)),
        positionText(at.latMinutes, at.lonMinutes));
}

std::string currentLabel(double set, double drift)
{
    return "流向 " + directionText(set) + " 流速 " + plain(drift) + "ノット";
}

CurrentTriangle triangle(Position from, Vec water, Vec current, std::string waterLabel,
    std::string currentText, std::string groundLabel)
{
    const Position tip = movedBy(from, water);
    const ChartVector w = { latLon(from), latLon(tip), std::move(waterLabel) };
    const ChartVector c = { w.to, latLon(movedBy(tip, current)), std::move(currentText) };
    return { w, c, { w.from, c.to, std::move(groundLabel) } };
}

} // namespace tovarin::solver::detail
