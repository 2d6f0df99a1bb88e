// A planned voyage (question 51): legs between positions taken from the chart, each ending at a
// given point, where a mark comes abeam, or where a mark bears a given true bearing; what it asks
// is the distance, the time under way, the arrival or latest departure, or the magnetic or compass
// course of one leg. Fields (besides variation, tolerance and choice_values):
//   voyage   ask = distance | time | arrival | departure | magnetic_course | compass_course;
//            start; speed, or a speed on each leg; depart (arrival) or arrive_by (departure);
//            leg (the leg whose course is asked, 1 for the first) and, for compass_course,
//            deviation; legs = [ { to = position }
//                              | { course | course_magnetic, abeam = mark }
//                              | { course | course_magnetic, mark, bearing } ]:
//            the last two run on the course until the mark is abeam or bears `bearing` (true).
// A position is [lat_deg, lat_min, lon_deg, lon_min], a mark's name, or { from = mark,
// bearing = true, miles }.

#include "bankgen/solver/detail/ChartSteps.h"
#include "bankgen/solver/detail/Kinds.h"
#include "bankgen/solver/detail/Texts.h"

#include <cmath>
#include <optional>

namespace tovarin::solver::detail {
namespace {

Solution voyage(Inputs &in)
{
    const std::string ask = in.text("ask");
    const bool courseAsk = ask == "magnetic_course" || ask == "compass_course";
    const Quantity q = ask == "distance"         ? Quantity::Miles
        : ask == "time"                          ? Quantity::Duration
        : ask == "arrival" || ask == "departure" ? Quantity::ClockTime
        : courseAsk                              ? Quantity::Course
                                                 : throw CheckError("unknown ask '" + ask + "'");
    Solution s = started("voyage", q,
        q == Quantity::Miles          ? "海里"
            : q == Quantity::Duration ? "時間"
            : q == Quantity::Course   ? "°"
                                      : "時刻");
    const double variation = in.eastWest("variation");
    const bool timed = q == Quantity::Duration || q == Quantity::ClockTime;
    const double defaultSpeed = timed && in.has("speed") ? in.knots("speed") : 0.0;
    Position here = in.position("start");
    Geometry g = chartFor(here);
    const std::vector<Inputs *> legs = in.tables("legs");
    std::optional<std::size_t> asked;
    if (courseAsk) {
        const double n = in.number("leg");
        if (n != std::floor(n) || n < 1.0 || n > static_cast<double>(legs.size()))
            throw CheckError("check.leg names no leg of the voyage");
        asked = static_cast<std::size_t>(n) - 1;
    }
    // Working that the question does not need goes into a scratch solution.
    Solution scratch;
    auto working
        = [&](std::size_t leg) -> Solution & { return !asked || *asked == leg ? s : scratch; };
    showLaidOff(g, working(0), in, "start", "A地点", here);
    g.points.push_back({ "A", latLon(here), PointRole::Start });
    Track planned { { latLon(here) }, TrackStyle::Planned, "" };
    std::string sumWorking, timeWorking;
    double totalMiles = 0.0, shownMiles = 0.0, totalMinutes = 0.0, askedCourse = 0.0;
    bool oneSpeed = true;
    double firstSpeed = -1.0;
    for (std::size_t i = 0; i < legs.size(); ++i) {
        Inputs &leg = *legs[i];
        Solution &w = working(i);
        const std::string from(1, static_cast<char>('A' + i));
        const std::string to(1, static_cast<char>('B' + i));
        double run = 0.0;
        if (leg.has("to")) {
            const Position next = leg.position("to");
            // The point also starts the next leg, whose course may be the one asked.
            showLaidOff(g, asked == i + 1 ? s : w, leg, "to", to + "地点", next);
            run = length(sailing(w, from + to, here, next, asked == i));
            if (asked == i) {
                askedCourse = trueCourse(here, next);
                g.answerLine = Segment { latLon(here), latLon(next) };
            }
            here = next;
        } else {
            if (asked == i)
                throw CheckError("the asked leg runs on a course the table gives");
            double course = 0.0;
            if (leg.has("course")) {
                course = leg.direction("course");
            } else {
                const double magnetic = leg.direction("course_magnetic");
                course = normalized360(magnetic + variation);
                step(w, from + to + " 真針路", "真針路 ＝ 磁針路 ＋ 偏差（E は加え、W は引く）",
                    directionText(magnetic) + " " + addedEastWest(variation),
                    computedDirection(course));
            }
            const bool abeam = leg.has("abeam");
            const std::string key = abeam ? "abeam" : "mark";
            const Position mark = leg.position(key);
            std::string name = leg.markNameIn(key);
            if (name.empty())
                name = "物標" + std::to_string(i + 1);
            const Vec toMark = offsetBetween(here, mark);
            const double now = directionOf(toMark);
            step(w, from + " から " + name, "物標までの距離と真方位（航程の求め方と同じ）",
                positionText(mark.latMinutes, mark.lonMinutes),
                milesText(length(toMark)) + "、" + computedDirection(now));
            double bearing = 0.0;
            if (abeam) {
                // The foot of the perpendicular from the mark to the course line.
                run = dot(toMark, along(course, 1.0));
                if (run <= 0.0)
                    throw CheckError("the mark is already abaft the beam");
                step(w, from + to + " 航程（正横まで）",
                    "正横までの航程 ＝ 物標までの距離 × cos（物標の真方位 － 真針路）",
                    fixed(length(toMark), 1) + " × cos(" + computedDirection(now) + " - "
                        + computedDirection(course) + ")",
                    milesText(run));
                bearing = directionOf(toMark - along(course, run));
            } else {
                // Where the course line meets the line of the mark's bearing (sine rule in the
                // triangle of the start, the turning point and the mark).
                bearing = leg.direction("bearing");
                const Vec turn = intersection({}, course, toMark, bearing);
                run = dot(turn, along(course, 1.0));
                if (run <= 0.0 || dot(toMark - turn, along(bearing, 1.0)) <= 0.0)
                    throw CheckError(
                        "the mark never bears " + directionText(bearing) + " ahead on the course");
                step(w, from + to + " 航程（方位線まで）",
                    "航程 ＝ 物標までの距離 × sin（変針時の方位 － 今の方位） ÷ sin（変針時の方位 "
                    "－ 針路）",
                    fixed(length(toMark), 1) + " × sin(" + directionText(bearing) + " - "
                        + computedDirection(now) + ") ÷ sin(" + directionText(bearing) + " - "
                        + computedDirection(course) + ")",
                    milesText(run));
            }
            here = movedBy(here, along(course, run));
            showMark(g, name, mark);
            g.bearings.push_back(
                { name, latLon(mark), bearing, length(offsetBetween(here, mark)) + 1.0,
                    (abeam ? "正横 " : "真方位 ") + computedDirection(bearing) });
        }
        totalMiles += run;
        shownMiles += std::round(run * 10.0) / 10.0;
        sumWorking += (sumWorking.empty() ? "" : " + ") + fixed(run, 1);
        if (timed) {
            const double speed = leg.has("speed") ? leg.knots("speed") : defaultSpeed;
            if (speed <= 0.0)
                throw CheckError("a leg has no speed");
            if (firstSpeed < 0.0)
                firstSpeed = speed;
            oneSpeed = oneSpeed && speed == firstSpeed;
            const double minutes = run / speed * 60.0;
            totalMinutes += minutes;
            timeWorking += (timeWorking.empty() ? "" : " + ") + durationText(minutes);
        }
        g.points.push_back({ to, latLon(here), PointRole::Turn });
        planned.points.push_back(latLon(here));
    }
    g.points.back().role = PointRole::End;
    g.tracks.push_back(planned);
    g.way = planned.points;
    if (legs.size() > 1 && !courseAsk)
        // The sum of the legs as written, so that the step adds up; the exact total decides the
        // key.
        step(s, "総航程", "総航程 ＝ 各区間の航程の和", sumWorking, milesText(shownMiles));
    if (timed) {
        if (oneSpeed)
            step(s, "所要時間", "所要時間 ＝ 総航程 ÷ 速力",
                fixed(totalMiles, 1) + " ÷ " + plain(firstSpeed),
                fixed(totalMiles / firstSpeed, 2) + "時間（" + durationText(totalMinutes) + "）");
        else
            step(s, "所要時間", "所要時間 ＝ 各区間の（航程 ÷ 速力）の和", timeWorking,
                durationText(totalMinutes));
    }
    if (ask == "distance") {
        s.value = { totalMiles };
    } else if (ask == "time") {
        s.value = { totalMinutes };
    } else if (ask == "arrival") {
        const double depart = in.clock("depart");
        s.value = { depart + totalMinutes };
        step(s, "到着時刻", "到着時刻 ＝ 発航時刻 ＋ 所要時間",
            clockText(depart) + " + " + durationText(totalMinutes), clockText(s.value[0]));
    } else if (ask == "departure") {
        const double arrive = in.clock("arrive_by");
        s.value = { arrive - totalMinutes };
        step(s, "発航時刻", "発航時刻 ＝ 到着時刻 － 所要時間",
            clockText(arrive) + " - " + durationText(totalMinutes), clockText(s.value[0]));
    } else {
        const double magnetic = normalized360(askedCourse - variation);
        step(s, "磁針路", "磁針路 ＝ 真針路 － 偏差（E は引き、W は加える）",
            computedDirection(askedCourse) + " " + addedEastWest(-variation),
            computedDirection(magnetic));
        s.value = { magnetic };
        if (ask == "compass_course") {
            const double deviation = in.eastWest("deviation");
            s.value = { normalized360(magnetic - deviation) };
            step(s, "コンパス針路", "コンパス針路 ＝ 磁針路 － 自差（E は引き、W は加える）",
                computedDirection(magnetic) + " " + addedEastWest(-deviation),
                computedDirection(s.value[0]));
        }
    }
    s.geometry = g;
    return s;
}

} // namespace

std::vector<Kind> chartVoyageKinds()
{
    return { { "voyage", voyage } };
}

} // namespace tovarin::solver::detail
