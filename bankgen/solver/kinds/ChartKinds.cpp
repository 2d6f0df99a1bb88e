// Chart work (questions 51 to 53). Fields of each kind (every kind also has variation,
// tolerance and choice_values); positions are [lat_deg, lat_min, lon_deg, lon_min], a mark's
// name or { from = mark, bearing = true, miles } (detail/Inputs.h), bearings compass unless named
// true, times "HH:MM". A kind whose answer is a position may ask it as the bearing and distance
// from a mark (`answer_from = mark`). The planned voyage (question 51) is in
// ChartVoyageKinds.cpp, the other fixes (52) in ChartFixKinds.cpp, the current the ship does not
// correct for (53) in ChartCurrentKinds.cpp; the steps they share in detail/ChartSteps.h.
//   cross_bearing_fix    deviation; marks (two or three positions); bearings.
//   transit_deviation    front, rear (the nearer and the farther mark); compass.
//   bearing_deviation    ship (a known position); mark; compass.
//   transit_fix          front; rear; transit_compass; mark; bearing (same deviation).
//   radar_fix            mark; range; and deviation + bearing_compass, or deviation +
//                        heading_compass + relative, or heading_true + relative.
//   course_to_steer      ask = true | compass (then deviation); from; to; speed; set; drift.
//   speed_over_ground    from; to; speed; set; drift.
//   arrival_with_current from; to; speed; set; drift; depart.
//   dr_with_current      start; set; drift; legs = [{ course | course_compass + deviation, speed,
//                        minutes }].
//   closest_approach     start; course (true, steered); speed; set; drift; mark.
//   current_from_fix     start; course; speed; depart; fixed_at; fix.

#include "bankgen/solver/detail/ChartSteps.h"
#include "bankgen/solver/detail/Kinds.h"
#include "bankgen/solver/detail/Texts.h"

#include <cmath>

namespace tovarin::solver::detail {

namespace {

Solution crossBearingFix(Inputs &in)
{
    Solution s = started("cross_bearing_fix", Quantity::Position, "位置");
    const double variation = in.eastWest("variation");
    const double deviation = in.eastWest("deviation");
    const std::vector<Position> marks = in.positions("marks");
    const std::vector<double> bearings = in.directions("bearings");
    if (marks.size() != bearings.size() || marks.size() < 2 || marks.size() > 3)
        throw CheckError("a cross-bearing fix needs two or three marks, each with a bearing");
    Geometry g = chartFor(marks[0]);
    std::vector<double> trueBearings;
    std::vector<Vec> local;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const std::string name = "物標" + std::to_string(i + 1);
        trueBearings.push_back(trueFromCompass(s, name, bearings[i], deviation, variation));
        local.push_back(offsetBetween(marks[0], marks[i]));
        g.points.push_back({ name, latLon(marks[i]), PointRole::Mark });
    }
    std::vector<Vec> crossings;
    for (std::size_t i = 0; i < marks.size(); ++i)
        for (std::size_t j = i + 1; j < marks.size(); ++j)
            crossings.push_back(intersection(local[i], trueBearings[i], local[j], trueBearings[j]));
    Vec centre;
    for (const Vec &c : crossings)
        centre = centre + c * (1.0 / static_cast<double>(crossings.size()));
    for (const Vec &c : crossings)
        if (length(c - centre) > 0.1)
            throw CheckError("the three lines of position do not meet in a point");
    const Position fix = movedBy(marks[0], centre);
    std::string lines;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        lines += (lines.empty() ? "" : "、") + std::string("物標") + std::to_string(i + 1)
            + " から " + computedDirection(trueBearings[i] + 180.0) + " の線";
        g.bearings.push_back({ "物標" + std::to_string(i + 1), latLon(marks[i]), trueBearings[i],
            distance(marks[i], fix) + 1.0, "真方位 " + computedDirection(trueBearings[i]) });
    }
    step(s, "船位",
        marks.size() == 3 ? "3本の位置の線（物標から真方位の反方位に引く）の交点"
                          : "2本の位置の線（物標から真方位の反方位に引く）の交点",
        lines, positionText(fix.latMinutes, fix.lonMinutes));
    s.geometry = g;
    answerPosition(s, in, fix);
    return s;
}

// The line of a transit on the chart, drawn through both marks towards the ship.
void transitLine(Geometry &g, Position front, Position rear, double transitTrue)
{
    g.points.push_back({ "前標", latLon(front), PointRole::Mark });
    g.points.push_back({ "後標", latLon(rear), PointRole::Mark });
    g.bearings.push_back({ "後標", latLon(rear), transitTrue, distance(front, rear) + 4.0,
        "重視線 " + computedDirection(transitTrue) });
}

Solution transitDeviation(Inputs &in)
{
    Solution s = started("transit_deviation", Quantity::Deviation, "°");
    const double variation = in.eastWest("variation");
    const Position front = in.position("front");
    const Position rear = in.position("rear");
    const double chartBearing = trueCourse(front, rear);
    sailing(s, "前標から後標", front, rear, true);
    step(s, "重視線の真方位", "重視線の真方位 ＝ 前標から後標へ向かう方向", "",
        computedDirection(chartBearing));
    const double deviation = deviationSteps(s, chartBearing, variation, in.direction("compass"));
    Geometry g = chartFor(front);
    transitLine(g, front, rear, chartBearing);
    g.answerLine
        = Segment { latLon(rear), latLon(movedBy(front, along(chartBearing + 180.0, 4.0))) };
    s.geometry = g;
    s.value = { deviation };
    return s;
}

Solution bearingDeviation(Inputs &in)
{
    Solution s = started("bearing_deviation", Quantity::Deviation, "°");
    const double variation = in.eastWest("variation");
    const Position ship = in.position("ship");
    const Position mark = in.position("mark");
    const double chartBearing = trueCourse(ship, mark);
    sailing(s, "本船から物標", ship, mark, true);
    step(s, "物標の真方位", "海図上の真方位 ＝ 本船の位置から物標へ向かう方向", "",
        computedDirection(chartBearing));
    const double deviation = deviationSteps(s, chartBearing, variation, in.direction("compass"));
    Geometry g = chartFor(ship);
    g.points.push_back({ "本船", latLon(ship), PointRole::Start });
    g.points.push_back({ "物標", latLon(mark), PointRole::Mark });
    g.answerLine = Segment { latLon(ship), latLon(mark) };
    g.way = { latLon(ship) };
    s.geometry = g;
    s.value = { deviation };
    return s;
}

Solution transitFix(Inputs &in)
{
    Solution s = started("transit_fix", Quantity::Position, "位置");
    const double variation = in.eastWest("variation");
    const Position front = in.position("front");
    const Position rear = in.position("rear");
    const double transitTrue = trueCourse(front, rear);
    step(s, "重視線の真方位", "重視線の真方位 ＝ 前標から後標へ向かう方向（海図上で測る）",
        positionText(front.latMinutes, front.lonMinutes) + " → "
            + positionText(rear.latMinutes, rear.lonMinutes),
        computedDirection(transitTrue));
    const double deviation
        = deviationSteps(s, transitTrue, variation, in.direction("transit_compass"));
    const Position mark = in.position("mark");
    const double markTrue
        = trueFromCompass(s, "物標", in.direction("bearing"), deviation, variation);
    const Position fix
        = movedBy(front, intersection({}, transitTrue, offsetBetween(front, mark), markTrue));
    step(s, "船位", "重視線と物標の位置の線の交点",
        "重視線 " + computedDirection(transitTrue) + "、物標から "
            + computedDirection(markTrue + 180.0) + " の線",
        positionText(fix.latMinutes, fix.lonMinutes));
    Geometry g = chartFor(front);
    transitLine(g, front, rear, transitTrue);
    g.bearings.back().lengthMiles = distance(rear, fix) + 1.0;
    g.points.push_back({ "物標", latLon(mark), PointRole::Mark });
    g.bearings.push_back({ "物標", latLon(mark), markTrue, distance(mark, fix) + 1.0,
        "真方位 " + computedDirection(markTrue) });
    s.geometry = g;
    answerPosition(s, in, fix);
    return s;
}

Solution radarFix(Inputs &in)
{
    Solution s = started("radar_fix", Quantity::Position, "位置");
    const double variation = in.eastWest("variation");
    double bearing = 0.0;
    if (in.has("bearing_compass")) {
        bearing = trueFromCompass(
            s, "物標", in.direction("bearing_compass"), in.eastWest("deviation"), variation);
    } else {
        const double head = in.has("heading_true")
            ? in.direction("heading_true")
            : trueFromCompass(
                s, "船首", in.direction("heading_compass"), in.eastWest("deviation"), variation);
        const double relative = in.direction("relative");
        bearing = normalized360(head + relative);
        step(s, "物標の真方位", "真方位 ＝ 真船首方位 ＋ 相対方位（船首から右回り）",
            computedDirection(head) + " + " + directionText(relative), computedDirection(bearing));
    }
    const Position mark = in.position("mark");
    const double range = in.miles("range");
    const double back = normalized360(bearing + 180.0);
    const Vec v = along(back, range);
    const Position fix = movedBy(mark, v);
    step(s, "反方位", "物標から見た本船の方向 ＝ 真方位 ± 180°",
        computedDirection(bearing) + " ± 180°", computedDirection(back));
    step(s, "緯度差", "緯度差 ＝ 距離 × cos 反方位",
        plain(range) + " × cos " + computedDirection(back),
        minutesOfArc(v.north) + (v.north < 0 ? "S" : "N"));
    step(s, "東西距", "東西距 ＝ 距離 × sin 反方位",
        plain(range) + " × sin " + computedDirection(back),
        milesText(std::abs(v.east)) + (v.east < 0 ? "W" : "E"));
    const double mid = (mark.latMinutes + fix.latMinutes) / 2.0;
    step(s, "経度差", "経度差 ＝ 東西距 ÷ cos 平均緯度",
        fixed(std::abs(v.east), 1) + " ÷ cos " + degreesMinutes(mid),
        minutesOfArc(fix.lonMinutes - mark.lonMinutes) + (v.east < 0 ? "W" : "E"));
    step(s, "船位", "物標の位置 ＋ 緯度差・経度差", positionText(mark.latMinutes, mark.lonMinutes),
        positionText(fix.latMinutes, fix.lonMinutes));
    Geometry g = chartFor(mark);
    g.points.push_back({ "物標", latLon(mark), PointRole::Mark });
    g.bearings.push_back(
        { "物標", latLon(mark), bearing, range + 1.0, "真方位 " + computedDirection(bearing) });
    g.ranges.push_back({ "物標", latLon(mark), range });
    s.geometry = g;
    answerPosition(s, in, fix);
    return s;
}

// The passage from `from` to `to` held on its track through the current, with its steps.
struct Passage
{
    Position from, to;
    double track = 0.0, miles = 0.0, set = 0.0, drift = 0.0, speed = 0.0;
    Steering steering;
    Geometry plot; // the points laid off from marks, so far
};

Passage passageWithCurrent(Solution &s, Inputs &in)
{
    in.eastWest("variation");
    Passage p;
    p.from = in.position("from");
    p.to = in.position("to");
    p.plot = chartFor(p.from);
    showLaidOff(p.plot, s, in, "from", "A地点", p.from);
    showLaidOff(p.plot, s, in, "to", "B地点", p.to);
    const Vec v = sailing(s, "", p.from, p.to, true);
    p.track = directionOf(v);
    p.miles = length(v);
    p.set = in.direction("set");
    p.drift = in.knots("drift");
    p.speed = in.knots("speed");
    p.steering = steerForTrack(p.track, p.set, p.drift, p.speed);
    step(s, "流れの横成分", "横成分 ＝ 流速 × sin（流向 － 針路）",
        plain(p.drift) + " × sin(" + directionText(p.set) + " - " + computedDirection(p.track)
            + ")",
        fixed(p.steering.across, 2) + "ノット");
    step(s, "修正角", "修正角 ＝ asin（横成分 ÷ 速力）（流れに向かって船首を振る）",
        "asin(" + fixed(p.steering.across, 2) + " ÷ " + plain(p.speed) + ")",
        fixed(p.steering.correction, 1) + "°");
    step(s, "真針路（進路を保つ針路）", "真針路 ＝ 針路 － 修正角",
        computedDirection(p.track) + " - (" + fixed(p.steering.correction, 1) + "°)",
        computedDirection(p.steering.heading));
    return p;
}

void sogStep(Solution &s, const Passage &p)
{
    step(s, "対地速力", "対地速力 ＝ 速力 × cos（真針路 － 針路） ＋ 流速 × cos（流向 － 針路）",
        plain(p.speed) + " × cos(" + fixed(p.steering.correction, 1) + "°) + " + plain(p.drift)
            + " × cos(" + directionText(p.set) + " - " + computedDirection(p.track) + ")",
        knotsText(p.steering.speedOverGround));
}

Geometry passageGeometry(const Passage &p)
{
    Geometry g = p.plot;
    g.points.push_back({ "A", latLon(p.from), PointRole::Start });
    g.points.push_back({ "B", latLon(p.to), PointRole::End });
    g.tracks.push_back({ { latLon(p.from), latLon(p.to) }, TrackStyle::Planned,
        "針路 " + computedDirection(p.track) });
    g.way = g.tracks.back().points;
    const Vec water = along(p.steering.heading, p.speed);
    const Vec current = along(p.set, p.drift);
    g.current = triangle(p.from, water, current,
        "真針路 " + computedDirection(p.steering.heading) + " " + plain(p.speed) + "ノット",
        currentLabel(p.set, p.drift), "対地 " + knotsText(p.steering.speedOverGround));
    return g;
}

Solution courseToSteer(Inputs &in)
{
    Solution s = started("course_to_steer", Quantity::Course, "°");
    const std::string ask = in.text("ask");
    const Passage p = passageWithCurrent(s, in);
    if (ask == "true") {
        s.value = { p.steering.heading };
    } else if (ask == "compass") {
        const double variation = in.number("variation");
        const double deviation = in.eastWest("deviation");
        const double magnetic = normalized360(p.steering.heading - variation);
        step(s, "磁針路", "磁針路 ＝ 真針路 － 偏差（E は引き、W は加える）",
            computedDirection(p.steering.heading) + " " + addedEastWest(-variation),
            computedDirection(magnetic));
        s.value = { normalized360(magnetic - deviation) };
        step(s, "コンパス針路", "コンパス針路 ＝ 磁針路 － 自差（E は引き、W は加える）",
            computedDirection(magnetic) + " " + addedEastWest(-deviation),
            computedDirection(s.value[0]));
    } else {
        throw CheckError("unknown ask '" + ask + "'");
    }
    s.geometry = passageGeometry(p);
    return s;
}

Solution speedOverGround(Inputs &in)
{
    Solution s = started("speed_over_ground", Quantity::Knots, "ノット");
    const Passage p = passageWithCurrent(s, in);
    sogStep(s, p);
    s.value = { p.steering.speedOverGround };
    s.geometry = passageGeometry(p);
    return s;
}

Solution arrivalWithCurrent(Inputs &in)
{
    Solution s = started("arrival_with_current", Quantity::ClockTime, "時刻");
    const Passage p = passageWithCurrent(s, in);
    sogStep(s, p);
    const double minutes = p.miles / p.steering.speedOverGround * 60.0;
    step(s, "所要時間", "所要時間 ＝ 航程 ÷ 対地速力",
        fixed(p.miles, 1) + " ÷ " + fixed(p.steering.speedOverGround, 1), durationText(minutes));
    const double depart = in.clock("depart");
    s.value = { depart + minutes };
    step(s, "到着時刻", "到着時刻 ＝ 発航時刻 ＋ 所要時間",
        clockText(depart) + " + " + durationText(minutes), clockText(s.value[0]));
    s.geometry = passageGeometry(p);
    return s;
}

Solution drWithCurrent(Inputs &in)
{
    Solution s = started("dr_with_current", Quantity::Position, "位置");
    const double variation = in.eastWest("variation");
    const double set = in.direction("set");
    const double drift = in.knots("drift");
    const Position start = in.position("start");
    Geometry g = chartFor(start);
    showLaidOff(g, s, in, "start", "A地点", start);
    g.points.push_back({ "A", latLon(start), PointRole::Start });
    g.way.push_back(latLon(start));
    Track water { { latLon(start) }, TrackStyle::Water, "" };
    Position dr = start;
    Vec runTotal, currentTotal;
    double hoursTotal = 0.0;
    int n = 0;
    for (Inputs *leg : in.tables("legs")) {
        const std::string name = "第" + std::to_string(++n) + "区間 ";
        const double heading = leg->has("course")
            ? leg->direction("course")
            : trueFromCompass(s, name + "針路", leg->direction("course_compass"),
                leg->eastWest("deviation"), variation);
        const double minutes = leg->minutes("minutes");
        const double speed = leg->knots("speed");
        const double hours = minutes / 60.0;
        const double run = speed * hours;
        step(s, name + "航走距離", "航走距離 ＝ 速力 × 時間",
            plain(speed) + " × " + fixed(hours, 2) + "時間（" + durationText(minutes) + "）",
            milesText(run) + "（" + computedDirection(heading) + "）");
        runTotal = runTotal + along(heading, run);
        hoursTotal += hours;
        dr = movedBy(start, runTotal);
        water.points.push_back(latLon(dr));
        // Where the ship is over the ground when the leg ends: its run and the current so far.
        g.way.push_back(latLon(movedBy(start, runTotal + along(set, drift * hoursTotal))));
    }
    currentTotal = along(set, drift * hoursTotal);
    step(s, "海潮流による移動", "流された距離 ＝ 流速 × 経過時間（流向の方向へ）",
        plain(drift) + " × " + fixed(hoursTotal, 2) + "時間",
        milesText(drift * hoursTotal) + "（" + directionText(set) + "）");
    const Vec total = runTotal + currentTotal;
    step(s, "緯度差・東西距の合計", "各区間の航走と流された距離を南北・東西に分けて加える",
        "緯度差 " + fixed(runTotal.north, 2) + " " + addedFixed(currentTotal.north, 2) + "、東西距 "
            + fixed(runTotal.east, 2) + " " + addedFixed(currentTotal.east, 2),
        "緯度差 " + minutesOfArc(total.north) + (total.north < 0 ? "S" : "N") + "、東西距 "
            + milesText(std::abs(total.east)) + (total.east < 0 ? "W" : "E"));
    const Position ep = movedBy(start, total);
    const double mid = (start.latMinutes + ep.latMinutes) / 2.0;
    step(s, "経度差", "経度差 ＝ 東西距 ÷ cos 平均緯度",
        fixed(std::abs(total.east), 2) + " ÷ cos " + degreesMinutes(mid),
        minutesOfArc(ep.lonMinutes - start.lonMinutes) + (total.east < 0 ? "W" : "E"));
    step(s, "推定位置", "出発位置 ＋ 緯度差・経度差",
        positionText(start.latMinutes, start.lonMinutes),
        positionText(ep.latMinutes, ep.lonMinutes));
    g.points.push_back({ "推測位置", latLon(dr), PointRole::Dr });
    g.tracks.push_back(water);
    g.tracks.push_back({ { latLon(start), latLon(ep) }, TrackStyle::Ground, "" });
    g.current = triangle(
        start, runTotal, currentTotal, "推測位置まで", currentLabel(set, drift), "推定位置まで");
    s.geometry = g;
    setPosition(s, ep);
    return s;
}

Solution closestApproach(Inputs &in)
{
    Solution s = started("closest_approach", Quantity::Miles, "海里");
    in.eastWest("variation");
    const Position start = in.position("start");
    Geometry g = chartFor(start);
    showLaidOff(g, s, in, "start", "A地点", start);
    const double course = in.direction("course");
    const double speed = in.knots("speed");
    const double set = in.direction("set");
    const double drift = in.knots("drift");
    const Vec ground = along(course, speed) + along(set, drift);
    step(s, "1時間の対地移動", "対地ベクトル ＝ 船の航走（針路・速力） ＋ 海潮流（流向・流速）",
        directionText(course) + " " + plain(speed) + "ノット + " + currentLabel(set, drift),
        "対地針路 " + computedDirection(directionOf(ground)) + "、対地速力 "
            + knotsText(length(ground)));
    const Position mark = in.position("mark");
    const Vec toMark = offsetBetween(start, mark);
    if (dot(toMark, ground) <= 0.0)
        throw CheckError("the mark is astern: the ship opens it from the start");
    const double bearing = directionOf(toMark);
    step(s, "物標までの距離と方位", "出発位置から物標まで（航程の求め方と同じ）", "",
        milesText(length(toMark)) + "、" + computedDirection(bearing));
    const double closest = std::abs(cross(ground, toMark)) / length(ground);
    step(s, "最接近距離", "最接近距離 ＝ 物標までの距離 × sin（物標の方位 － 対地針路）",
        fixed(length(toMark), 1) + " × sin(" + computedDirection(bearing) + " - "
            + computedDirection(directionOf(ground)) + ")",
        milesText(closest));
    const Vec unit = ground * (1.0 / length(ground));
    const Position nearest = movedBy(start, unit * dot(toMark, unit));
    g.points.push_back({ "A", latLon(start), PointRole::Start });
    const std::string markName = in.markNameIn("mark");
    showMark(g, markName.empty() ? "物標" : markName, mark);
    g.points.push_back({ "最接近点", latLon(nearest), PointRole::Fix });
    g.tracks.push_back(
        { { latLon(start), latLon(movedBy(start, unit * (dot(toMark, unit) + 2.0))) },
            TrackStyle::Ground, "対地針路 " + computedDirection(directionOf(ground)) });
    g.current = triangle(start, along(course, speed), along(set, drift),
        directionText(course) + " " + plain(speed) + "ノット", currentLabel(set, drift),
        "対地 " + knotsText(length(ground)));
    g.answerLine = Segment { latLon(mark), latLon(nearest) };
    g.way = { latLon(start), latLon(nearest) };
    s.geometry = g;
    s.value = { closest };
    return s;
}

Solution currentFromFix(Inputs &in)
{
    Solution s = started("current_from_fix", Quantity::Current, "流向・流速");
    in.eastWest("variation");
    const Position start = in.position("start");
    Geometry g = chartFor(start);
    showLaidOff(g, s, in, "start", "A地点", start);
    const double course = in.direction("course");
    const double speed = in.knots("speed");
    const double depart = in.clock("depart");
    const double fixedAt = in.clock("fixed_at");
    const double hours = (fixedAt - depart) / 60.0;
    if (hours <= 0.0)
        throw CheckError("the fix is not later than the departure");
    step(s, "経過時間", "経過時間 ＝ 実測時刻 － 発航時刻",
        clockText(fixedAt) + " - " + clockText(depart), durationText(hours * 60.0));
    const Vec run = along(course, speed * hours);
    const Position dr = movedBy(start, run);
    step(s, "推測位置", "針路・速力だけで求めた位置（航走距離 ＝ 速力 × 経過時間）",
        directionText(course) + "、" + plain(speed) + " × " + fixed(hours, 2) + " ＝ "
            + milesText(speed * hours),
        positionText(dr.latMinutes, dr.lonMinutes));
    const Position fix = in.position("fix");
    showLaidOff(g, s, in, "fix", "実測位置", fix);
    const Vec drifted = offsetBetween(dr, fix);
    const Vec current = drifted * (1.0 / hours);
    if (length(current) < 0.3)
        throw CheckError("the current is too weak for its set to mean anything");
    step(s, "流向", "流向 ＝ 推測位置から実測位置へ向かう方向", "",
        computedDirection(directionOf(drifted)));
    step(s, "流速", "流速 ＝ 推測位置と実測位置の距離 ÷ 経過時間",
        fixed(length(drifted), 2) + " ÷ " + fixed(hours, 2), knotsText(length(current)));
    g.points.push_back({ "A", latLon(start), PointRole::Start });
    g.points.push_back({ "推測位置", latLon(dr), PointRole::Dr });
    g.points.push_back({ "実測位置", latLon(fix), PointRole::Fix });
    g.tracks.push_back({ { latLon(start), latLon(dr) }, TrackStyle::Water,
        directionText(course) + " " + plain(speed) + "ノット" });
    g.tracks.push_back({ { latLon(start), latLon(fix) }, TrackStyle::Ground, "" });
    g.way = g.tracks.back().points;
    g.current = triangle(start, run, drifted, "推測位置まで", "海潮流", "実測位置まで");
    g.answerLine = Segment { latLon(dr), latLon(fix) };
    s.geometry = g;
    s.value = { directionOf(current), length(current) };
    return s;
}

} // namespace

std::vector<Kind> chartKinds()
{
    return {
        { "cross_bearing_fix", crossBearingFix },
        { "transit_deviation", transitDeviation },
        { "bearing_deviation", bearingDeviation },
        { "transit_fix", transitFix },
        { "radar_fix", radarFix },
        { "course_to_steer", courseToSteer },
        { "speed_over_ground", speedOverGround },
        { "arrival_with_current", arrivalWithCurrent },
        { "dr_with_current", drWithCurrent },
        { "closest_approach", closestApproach },
        { "current_from_fix", currentFromFix },
    };
}

} // namespace tovarin::solver::detail
