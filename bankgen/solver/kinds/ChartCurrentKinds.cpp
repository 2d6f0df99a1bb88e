// Chart work with a current that the ship does not correct for (question 53): she steers a course
// through the water and the current sets her off it. Fields of each kind (every kind also has
// variation, tolerance and choice_values; positions as the solver reads them, a mark's name or
// { from = mark, bearing, miles } among them):
//   course_made_good     ask = course | speed; start; course (true, steered); speed; set; drift.
//   abeam_with_current   ask = time (then depart) | distance; start; course (true, steered);
//                        speed; set; drift; mark. The mark is abeam when it bears square to the
//                        ship's head, not to her track over the ground; the text says on which
//                        side (右正横 or 左正横).

#include "bankgen/solver/detail/ChartSteps.h"
#include "bankgen/solver/detail/Kinds.h"
#include "bankgen/solver/detail/Texts.h"

#include <cmath>

namespace tovarin::solver::detail {
namespace {

// One hour through the water and one hour of current, laid off from the start: the triangle a
// candidate draws with the triangles and the dividers.
CurrentTriangle hourTriangle(Position start, double course, double speed, double set, double drift)
{
    const Vec ground = along(course, speed) + along(set, drift);
    return triangle(start, along(course, speed), along(set, drift),
        directionText(course) + " " + plain(speed) + "ノット", currentLabel(set, drift),
        "対地 " + computedDirection(directionOf(ground)) + " " + knotsText(length(ground)));
}

// The ship's water and ground velocities, read from the table, with the step that adds them.
struct Way
{
    Position start;
    double course = 0.0, speed = 0.0, set = 0.0, drift = 0.0;
    Vec ground; // miles in one hour
    Geometry plot; // the start, laid off from its mark when the table gives it so
};

Way wayThroughCurrent(Solution &s, Inputs &in)
{
    in.eastWest("variation");
    Way w;
    w.start = in.position("start");
    w.plot = chartFor(w.start);
    showLaidOff(w.plot, s, in, "start", "A地点", w.start);
    w.course = in.direction("course");
    w.speed = in.knots("speed");
    w.set = in.direction("set");
    w.drift = in.knots("drift");
    const Vec water = along(w.course, w.speed);
    const Vec current = along(w.set, w.drift);
    w.ground = water + current;
    step(s, "1時間の航走",
        "真針路の方向へ速力の長さをとる（三角定規で針路を移し、デバイダーで緯度目盛から）",
        directionText(w.course) + "、" + plain(w.speed) + "海里",
        "緯度差 " + fixed(water.north, 2) + "、東西距 " + fixed(water.east, 2));
    step(s, "1時間の流れ", "その先端から流向の方向へ流速の長さをとる",
        directionText(w.set) + "、" + plain(w.drift) + "海里",
        "緯度差 " + fixed(current.north, 2) + "、東西距 " + fixed(current.east, 2));
    if (length(w.ground) < 0.5)
        throw CheckError("the ship makes hardly any way over the ground");
    step(s, "対地ベクトル", "出発点と流れの先端を結ぶ（緯度差・東西距を加える）",
        "緯度差 " + fixed(water.north, 2) + " " + addedFixed(current.north, 2) + "、東西距 "
            + fixed(water.east, 2) + " " + addedFixed(current.east, 2),
        "緯度差 " + fixed(w.ground.north, 2) + "、東西距 " + fixed(w.ground.east, 2));
    return w;
}

Solution courseMadeGood(Inputs &in)
{
    const std::string ask = in.text("ask");
    if (ask != "course" && ask != "speed")
        throw CheckError("unknown ask '" + ask + "'");
    Solution s = ask == "course" ? started("course_made_good", Quantity::Course, "°")
                                 : started("course_made_good", Quantity::Knots, "ノット");
    const Way w = wayThroughCurrent(s, in);
    const double track = directionOf(w.ground);
    const double sog = length(w.ground);
    step(s, "実航針路", "tan 実航針路 ＝ 東西距 ÷ 緯度差（対地ベクトルの向きを外側の目盛で読む）",
        "atan(" + fixed(std::abs(w.ground.east), 2) + " ÷ " + fixed(std::abs(w.ground.north), 2)
            + ")",
        computedDirection(track));
    step(s, "実航速力", "実航速力 ＝ √（緯度差 × 緯度差 ＋ 東西距 × 東西距）（1時間の対地の長さ）",
        "√(" + fixed(std::abs(w.ground.north), 2) + " × " + fixed(std::abs(w.ground.north), 2)
            + " + " + fixed(std::abs(w.ground.east), 2) + " × " + fixed(std::abs(w.ground.east), 2)
            + ")",
        knotsText(sog));
    s.value = { ask == "course" ? track : sog };
    Geometry g = w.plot;
    g.points.push_back({ "A", latLon(w.start), PointRole::Start });
    const Position hour = movedBy(w.start, w.ground);
    g.tracks.push_back({ { latLon(w.start), latLon(movedBy(w.start, along(w.course, w.speed))) },
        TrackStyle::Water, "真針路 " + directionText(w.course) });
    g.tracks.push_back({ { latLon(w.start), latLon(hour) }, TrackStyle::Ground,
        "実航針路 " + computedDirection(track) });
    g.current = hourTriangle(w.start, w.course, w.speed, w.set, w.drift);
    g.answerLine = Segment { latLon(w.start), latLon(hour) };
    g.way = g.tracks.back().points;
    s.geometry = g;
    return s;
}

Solution abeamWithCurrent(Inputs &in)
{
    const std::string ask = in.text("ask");
    if (ask != "time" && ask != "distance")
        throw CheckError("unknown ask '" + ask + "'");
    Solution s = ask == "time" ? started("abeam_with_current", Quantity::ClockTime, "時刻")
                               : started("abeam_with_current", Quantity::Miles, "海里");
    const Way w = wayThroughCurrent(s, in);
    const double track = directionOf(w.ground);
    const double sog = length(w.ground);
    step(s, "対地針路・対地速力", "対地ベクトルの向きと長さ", "",
        computedDirection(track) + "、" + knotsText(sog));
    const Position mark = in.position("mark");
    const Vec toMark = offsetBetween(w.start, mark);
    const Vec head = along(w.course, 1.0);
    // Hours until the mark bears square to the head: the run over the ground, resolved along the
    // head, has to cover the mark's distance ahead of the start along the head.
    const double ahead = dot(toMark, head);
    const double closing = dot(w.ground, head);
    if (ahead <= 0.0 || closing <= 0.0)
        throw CheckError("the mark is already abaft the beam");
    const double hours = ahead / closing;
    const Position abeam = movedBy(w.start, w.ground * hours);
    const Vec abeamToMark = offsetBetween(abeam, mark);
    const bool starboard = cross(head, abeamToMark) < 0.0;
    const double beamBearing = normalized360(w.course + (starboard ? 90.0 : -90.0));
    in.requirePhrase(starboard ? "右正横" : "左正横");
    step(s, "正横の方位",
        starboard ? "右正横 ＝ 真針路 ＋ 90°（船首方向に対して直角）"
                  : "左正横 ＝ 真針路 － 90°（船首方向に対して直角）",
        directionText(w.course) + (starboard ? " + 90°" : " - 90°"),
        computedDirection(beamBearing));
    step(s, "正横になる地点",
        "物標から正横の方位の反方位に引いた線と対地針路線の交点（三角定規で平行に移す）",
        "物標から " + computedDirection(beamBearing + 180.0) + " の線、対地針路 "
            + computedDirection(track),
        positionText(abeam.latMinutes, abeam.lonMinutes));
    const double run = sog * hours;
    const double off = length(abeamToMark);
    step(s, "正横までの対地航程", "出発点から正横になる地点まで（デバイダーで緯度目盛から）", "",
        milesText(run));
    if (ask == "time") {
        step(s, "所要時間", "所要時間 ＝ 対地航程 ÷ 対地速力",
            fixed(run, 1) + " ÷ " + fixed(sog, 1), durationText(hours * 60.0));
        const double depart = in.clock("depart");
        s.value = { depart + hours * 60.0 };
        step(s, "正横になる時刻", "時刻 ＝ 発航時刻 ＋ 所要時間",
            clockText(depart) + " + " + durationText(hours * 60.0), clockText(s.value[0]));
    } else {
        step(s, "正横距離", "正横になる地点から物標までの距離（デバイダーで緯度目盛から）", "",
            milesText(off));
        s.value = { off };
    }
    Geometry g = w.plot;
    g.points.push_back({ "A", latLon(w.start), PointRole::Start });
    const std::string markName = in.markNameIn("mark");
    showMark(g, markName.empty() ? "物標" : markName, mark);
    g.points.push_back({ "正横", latLon(abeam), PointRole::Fix });
    g.tracks.push_back(
        { { latLon(w.start), latLon(movedBy(w.start, along(w.course, w.speed * hours))) },
            TrackStyle::Water, "真針路 " + directionText(w.course) });
    g.tracks.push_back({ { latLon(w.start), latLon(abeam) }, TrackStyle::Ground,
        "対地針路 " + computedDirection(track) });
    g.way = g.tracks.back().points;
    g.bearings.push_back({ markName.empty() ? "物標" : markName, latLon(mark), beamBearing,
        off + 1.0, (starboard ? "右正横 " : "左正横 ") + computedDirection(beamBearing) });
    g.current = hourTriangle(w.start, w.course, w.speed, w.set, w.drift);
    if (ask == "distance")
        g.answerLine = Segment { latLon(abeam), latLon(mark) };
    else
        g.answerPoint = latLon(abeam);
    s.geometry = g;
    return s;
}

} // namespace

std::vector<Kind> chartCurrentKinds()
{
    return {
        { "course_made_good", courseMadeGood },
        { "abeam_with_current", abeamWithCurrent },
    };
}

} // namespace tovarin::solver::detail
