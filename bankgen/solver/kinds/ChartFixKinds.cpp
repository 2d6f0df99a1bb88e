// Fixing the position (question 52) beyond the cross bearings, transits and radar fixes of
// ChartKinds.cpp. Fields of each kind (every kind also has variation, tolerance and
// choice_values; a position may be a mark's name; `answer_from = mark` asks a position as the
// bearing and distance from that mark):
//   two_range_fix      marks (two); ranges (miles, one each); side (南, 北, 東 or 西: which of the
//                      two crossings, stated "南側").
//   running_fix        course (true); speed; first_mark, first_bearing, first_at; second_mark,
//                      second_bearing, second_at ("HH:MM"); deviation when the bearings are
//                      compass ones, true without it.
//   bow_angle_doubled  ask = distance | abeam | position; course (true); speed; mark; bow (右舷 or
//                      左舷); angles (on the bow, the second twice the first, stated
//                      "右舷船首30°"); first_at, second_at.

#include "bankgen/solver/detail/ChartSteps.h"
#include "bankgen/solver/detail/Kinds.h"
#include "bankgen/solver/detail/Texts.h"

#include <cmath>

namespace tovarin::solver::detail {
namespace {

// A range circle as the candidate draws it: the radius taken off the latitude scale.
void rangeStep(Solution &s, const std::string &name, double miles)
{
    step(s, name + "の距離円",
        "デバイダーで同じ緯度付近の緯度目盛りから距離を取り、物標を中心にコンパスで円を描く（1海里 "
        "＝ "
        "緯度1′）",
        plain(miles) + "海里", "半径 緯度" + fixed(miles, 1) + "′");
}

Solution twoRangeFix(Inputs &in)
{
    Solution s = started("two_range_fix", Quantity::Position, "位置");
    in.number("variation"); // no direction is corrected: the text need not state it
    const std::vector<Position> marks = in.positions("marks");
    const toml::array *list = in.raw("ranges").as_array();
    if (marks.size() != 2 || !list || list->size() != 2)
        throw CheckError("a fix by two ranges needs two marks and two ranges");
    std::vector<double> ranges;
    for (const toml::node &n : *list) {
        ranges.push_back(Inputs::numberOf(n, "check.ranges"));
        if (!(ranges.back() > 0.0))
            throw CheckError("check.ranges must be positive");
        in.requirePhrase(plain(ranges.back()) + "海里");
    }
    const std::string side = in.text("side");
    if (side != "南" && side != "北" && side != "東" && side != "西")
        throw CheckError("check.side is not 南, 北, 東 or 西");
    in.requirePhrase(side + "側");

    const Vec other = offsetBetween(marks[0], marks[1]);
    const double d = length(other);
    const double along1 = (ranges[0] * ranges[0] - ranges[1] * ranges[1] + d * d) / (2.0 * d);
    const double half = ranges[0] * ranges[0] - along1 * along1;
    if (half <= 0.0)
        throw CheckError("the two range circles do not cross");
    const Vec base = other * (along1 / d);
    const Vec across = Vec { -other.north, other.east } * (std::sqrt(half) / d);
    const Vec a = base + across;
    const Vec b = base - across;
    const bool firstIsIt = side == "南" ? a.north < b.north
        : side == "北"                  ? a.north > b.north
        : side == "東"                  ? a.east > b.east
                                        : a.east < b.east;
    const Vec fix = firstIsIt ? a : b;
    // The circles cut at the angle between the two radii to the fix.
    const double cut = std::abs(signedAngle(directionOf(fix) - directionOf(fix - other)));
    if (std::min(cut, 180.0 - cut) < minimumCut)
        throw CheckError("the range circles cut at less than 25 degrees");
    const Position at = movedBy(marks[0], fix);

    Geometry g = chartFor(marks[0]);
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string name = "物標" + std::to_string(i + 1);
        rangeStep(s, name, ranges[i]);
        g.points.push_back({ name, latLon(marks[i]), PointRole::Mark });
        g.ranges.push_back({ name, latLon(marks[i]), ranges[i] });
    }
    step(s, "船位", "2つの距離円の交点のうち、物標を結ぶ線の" + side + "側にある方",
        "交点は2つ（物標を結ぶ線の両側）", positionText(at.latMinutes, at.lonMinutes));
    s.geometry = g;
    answerPosition(s, in, at);
    return s;
}

// A true bearing: a compass one corrected when the table gives the deviation.
double observedTrue(Solution &s, Inputs &in, const std::string &key, const std::string &what,
    double variation, bool compass)
{
    const double bearing = in.direction(key);
    if (!compass)
        return bearing;
    return trueFromCompass(s, what, bearing, in.eastWest("deviation"), variation);
}

double runStep(Solution &s, double speed, double minutes)
{
    const double run = speed * minutes / 60.0;
    step(s, "航走距離", "航走距離 ＝ 速力 × 時間",
        plain(speed) + " × " + fixed(minutes / 60.0, 2) + "時間（" + durationText(minutes) + "）",
        milesText(run));
    return run;
}

double interval(Inputs &in, const char *first, const char *second)
{
    const double minutes = in.clock(second) - in.clock(first);
    if (minutes <= 0.0)
        throw CheckError("the second observation is not later than the first");
    return minutes;
}

Solution runningFix(Inputs &in)
{
    Solution s = started("running_fix", Quantity::Position, "位置");
    const bool compass = in.has("deviation");
    // True bearings need no correction, and the text need not state the variation.
    const double variation = compass ? in.eastWest("variation") : in.number("variation");
    const double course = in.direction("course");
    const double speed = in.knots("speed");
    const Position mark1 = in.position("first_mark");
    const Position mark2 = in.position("second_mark");
    const double b1 = observedTrue(s, in, "first_bearing", "第1の物標", variation, compass);
    const double b2 = observedTrue(s, in, "second_bearing", "第2の物標", variation, compass);
    const double run = runStep(s, speed, interval(in, "first_at", "second_at"));
    const Vec moved = along(course, run);
    step(s, "位置の線の転位",
        "第1の位置の線を、三角定規で針路の方向へ航走距離だけ平行に移す（距離はデバイダーで緯度目盛"
        "りから取る）",
        directionText(course) + " に " + fixed(run, 1) + "海里", "転位した第1の位置の線");
    const Vec fix = intersection(moved, b1, offsetBetween(mark1, mark2), b2);
    const Position at = movedBy(mark1, fix);
    const Position before = movedBy(mark1, fix - moved);
    step(s, "船位", "転位した第1の位置の線と第2の位置の線の交点",
        "第1の物標から " + computedDirection(b1 + 180.0) + " の線を転位、第2の物標から "
            + computedDirection(b2 + 180.0) + " の線",
        positionText(at.latMinutes, at.lonMinutes));

    // One mark observed twice, or a second mark.
    const bool oneMark = distance(mark1, mark2) < 0.01;
    const std::string name1 = oneMark ? "物標" : "第1の物標";
    const std::string name2 = oneMark ? "物標" : "第2の物標";
    Geometry g = chartFor(mark1);
    g.points.push_back({ name1, latLon(mark1), PointRole::Mark });
    if (!oneMark)
        g.points.push_back({ name2, latLon(mark2), PointRole::Mark });
    g.points.push_back({ "第1観測時の位置", latLon(before), PointRole::Dr });
    g.tracks.push_back({ { latLon(before), latLon(at) }, TrackStyle::Planned,
        "真針路 " + directionText(course) + " " + plain(speed) + "ノット" });
    g.bearings.push_back({ name1, latLon(mark1), b1, distance(mark1, before) + 1.0,
        "真方位 " + computedDirection(b1) });
    g.bearings.push_back({ "転位した位置の線", latLon(movedBy(mark1, moved)), b1,
        length(fix - moved) + 1.0, "転位 " + computedDirection(b1) });
    g.bearings.push_back(
        { name2, latLon(mark2), b2, distance(mark2, at) + 1.0, "真方位 " + computedDirection(b2) });
    g.way = g.tracks.back().points;
    s.geometry = g;
    answerPosition(s, in, at);
    return s;
}

Solution bowAngleDoubled(Inputs &in)
{
    const std::string ask = in.text("ask");
    if (ask != "distance" && ask != "abeam" && ask != "position")
        throw CheckError("unknown ask '" + ask + "'");
    Solution s
        = started("bow_angle_doubled", ask == "position" ? Quantity::Position : Quantity::Miles,
            ask == "position" ? "位置" : "海里");
    in.number("variation"); // the bearings are angles on the bow: the text need not state it
    const double course = in.direction("course");
    const double speed = in.knots("speed");
    const Position mark = in.position("mark");
    const std::string bow = in.text("bow");
    if (bow != "右舷" && bow != "左舷")
        throw CheckError("check.bow is not 右舷 or 左舷");
    const toml::array *list = in.raw("angles").as_array();
    if (!list || list->size() != 2)
        throw CheckError("check.angles must hold the two angles on the bow");
    const double first = Inputs::numberOf((*list)[0], "check.angles");
    const double second = Inputs::numberOf((*list)[1], "check.angles");
    if (!(first > 0.0) || std::abs(second - 2.0 * first) > 1e-9 || second > 90.0)
        throw CheckError("the second angle on the bow must be twice the first, at most 90°");
    for (double angle : { first, second })
        in.requirePhrase(bow + "船首" + plain(angle) + "°");

    const double run = runStep(s, speed, interval(in, "first_at", "second_at"));
    // The angle at the mark is the first angle, so the triangle is isosceles.
    const double off = run;
    step(s, "第2観測時の物標までの距離",
        "船首角が2倍になったときの物標までの距離 ＝ その間の航走距離（二等辺三角形）",
        plain(first) + "° → " + plain(second) + "°", milesText(off));
    const double sign = bow == "右舷" ? 1.0 : -1.0;
    const double bearing2 = normalized360(course + sign * second);
    const double bearing1 = normalized360(course + sign * first);
    const Position at = movedBy(mark, along(bearing2 + 180.0, off));
    const Position before = movedBy(at, along(course + 180.0, run));

    Geometry g = chartFor(mark);
    g.points.push_back({ "物標", latLon(mark), PointRole::Mark });
    g.points.push_back({ "第1観測時の位置", latLon(before), PointRole::Dr });
    g.tracks.push_back({ { latLon(before), latLon(at) }, TrackStyle::Planned,
        "真針路 " + directionText(course) + " " + plain(speed) + "ノット" });
    g.bearings.push_back({ "物標", latLon(mark), bearing1, distance(mark, before) + 1.0,
        "真方位 " + computedDirection(bearing1) });
    g.bearings.push_back(
        { "物標", latLon(mark), bearing2, off + 1.0, "真方位 " + computedDirection(bearing2) });
    if (ask == "distance") {
        g.answerLine = Segment { latLon(mark), latLon(at) };
        s.value = { off };
    } else if (ask == "abeam") {
        const double abeam = off * std::sin(radians(second));
        step(s, "正横距離", "正横距離 ＝ 物標までの距離 × sin 船首角（針路を保つとき）",
            fixed(off, 1) + " × sin " + plain(second) + "°", milesText(abeam));
        const Position beam = movedBy(mark, along(course - sign * 90.0, abeam));
        g.tracks.back().points.push_back(latLon(beam));
        g.answerLine = Segment { latLon(mark), latLon(beam) };
        s.value = { abeam };
    } else {
        step(s, "物標の真方位", "真方位 ＝ 真針路 ＋ 船首角（右舷は加え、左舷は引く）",
            directionText(course) + (sign > 0 ? " + " : " - ") + plain(second) + "°",
            computedDirection(bearing2));
    }
    g.way = g.tracks.back().points;
    s.geometry = g;
    if (ask == "position")
        answerPosition(s, in, at);
    return s;
}

} // namespace

std::vector<Kind> chartFixKinds()
{
    return {
        { "two_range_fix", twoRangeFix },
        { "running_fix", runningFix },
        { "bow_angle_doubled", bowAngleDoubled },
    };
}

} // namespace tovarin::solver::detail
