#include "chart/ExamChart.h"

#include "bank/Charts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>

namespace tovarin::chart {
namespace {

// The title block, with the scale of miles under it, and the room the roses keep from it.
constexpr double titleWidth = 260.0;
constexpr double titleHeight = 60.0;
constexpr double scaleGap = 16.0;
constexpr double scaleBarHeight = 8.0;
constexpr double scaleFigures = 36.0; // the miles' figures and the latitude line under them
constexpr double cornerInset = 18.0;

// How much of a mark a rose keeps clear of: its symbol and its name written to the right.
Box markBox(const ChartXY &p, const std::string &name)
{
    // UTF-8: three bytes a Japanese character, about 13 units each at the names' size.
    const double nameWidth = double(name.size()) / 3.0 * 13.0;
    return { p.x - 14, p.y - 14, 28 + nameWidth, 28 };
}

double distanceToSegment(ChartXY p, ChartXY a, ChartXY b)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

bool insideOutline(ChartXY p, const std::vector<ChartXY> &outline)
{
    bool inside = false;
    for (std::size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
        const ChartXY &a = outline[i], &b = outline[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

Box boundsOf(const std::vector<ChartXY> &outline)
{
    double left = std::numeric_limits<double>::max(), top = left;
    double right = -left, bottom = -left;
    for (const ChartXY &p : outline) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return { left, top, right - left, bottom - top };
}

double distanceToBox(ChartXY p, const Box &b)
{
    const double dx = std::max({ b.left - p.x, 0.0, p.x - (b.left + b.width) });
    const double dy = std::max({ b.top - p.y, 0.0, p.y - (b.top + b.height) });
    return std::hypot(dx, dy);
}

} // namespace

bool Box::intersects(const Box &other) const
{
    return left < other.left + other.width && other.left < left + width
        && top < other.top + other.height && other.top < top + height;
}

std::vector<Graduation> graduationsBetween(double fromDegrees, double toDegrees)
{
    std::vector<Graduation> out;
    const int first = int(std::ceil(fromDegrees * 600 - 1e-6));
    const int last = int(std::floor(toDegrees * 600 + 1e-6));
    for (int t = first; t <= last; ++t) {
        Graduation g;
        g.tenths = t;
        g.size = t % 10 == 0 ? Graduation::Size::Minute
            : t % 5 == 0     ? Graduation::Size::Half
                             : Graduation::Size::Tenth;
        if (t % 600 == 0)
            g.figure = std::to_string(t / 600) + "°";
        else if (t % 50 == 0)
            g.figure = std::to_string(t % 600 / 10) + "′";
        out.push_back(std::move(g));
    }
    return out;
}

ExamChart::ExamChart(const bankdata::ChartRecord &record)
    : m_number(record.number)
    , m_variation(record.variation)
    , m_projection({ record.southWest.lat, record.southWest.lon },
          { record.northEast.lat, record.northEast.lon }, unitsPerLonMinute)
{
    for (std::size_t i = 0; i < record.markCount; ++i) {
        const bankdata::ChartMarkRecord &m = record.marks[i];
        const std::string kind = m.kind;
        m_marks.push_back({ m.name,
            kind == "灯台"       ? MarkKind::Lighthouse
                : kind == "灯標" ? MarkKind::Beacon
                                 : MarkKind::Buoy,
            { m.at.lat, m.at.lon } });
    }
    for (std::size_t i = 0; i < record.landCount; ++i) {
        const bankdata::ChartLandRecord &l = record.land[i];
        ChartLandInfo land { l.name, {} };
        for (std::size_t k = 0; k < l.pointCount; ++k)
            land.outline.push_back(m_projection.toChart({ l.outline[k].lat, l.outline[k].lon }));
        m_land.push_back(std::move(land));
    }
    placeFurniture();
}

const ExamChart *ExamChart::byNumber(int number)
{
    static std::array<std::unique_ptr<ExamChart>, 4> made;
    const bankdata::ChartRecord *record = examChart(number);
    if (!record)
        return nullptr;
    const auto index = std::size_t(record - bankdata::charts);
    if (index >= made.size())
        return nullptr;
    if (!made[index])
        made[index] = std::make_unique<ExamChart>(*record);
    return made[index].get();
}

std::string ExamChart::title() const
{
    return "試験用海図 第" + std::to_string(m_number) + "号";
}

std::string ExamChart::variationText() const
{
    const double magnitude = std::abs(m_variation);
    std::string figure = std::to_string(int(std::lround(magnitude * 10)) / 10);
    const int tenths = int(std::lround(magnitude * 10)) % 10;
    if (tenths != 0)
        figure += "." + std::to_string(tenths);
    return "偏差 " + figure + (m_variation < 0 ? "°W" : "°E");
}

Box ExamChart::sheet() const
{
    return { -sheetMargin, -sheetMargin, m_projection.width() + 2 * sheetMargin,
        m_projection.height() + 2 * sheetMargin };
}

void ExamChart::placeFurniture()
{
    const double width = m_projection.width(), height = m_projection.height();
    std::vector<Box> marks;
    for (const ChartMarkInfo &m : m_marks)
        marks.push_back(markBox(m_projection.toChart(m.at), m.name));
    std::vector<Box> lands;
    for (const ChartLandInfo &l : m_land)
        lands.push_back(boundsOf(l.outline));
    const auto clearOfEverything = [&](const Box &b) {
        return std::none_of(
                   marks.begin(), marks.end(), [&](const Box &m) { return m.intersects(b); })
            && std::none_of(
                lands.begin(), lands.end(), [&](const Box &l) { return l.intersects(b); });
    };

    // The title block and the scale of miles under it go to the first corner, south first, that
    // leaves every mark and the land in view; the south-west one where none does.
    const double blockHeight = titleHeight + scaleGap + scaleBarHeight + scaleFigures;
    const std::array<ChartXY, 4> corners { ChartXY {
                                               cornerInset, height - cornerInset - blockHeight },
        ChartXY { width - cornerInset - titleWidth, height - cornerInset - blockHeight },
        ChartXY { cornerInset, cornerInset },
        ChartXY { width - cornerInset - titleWidth, cornerInset } };
    Box block { corners[0].x, corners[0].y, titleWidth, blockHeight };
    for (const ChartXY &c : corners) {
        const Box candidate { c.x, c.y, titleWidth, blockHeight };
        if (clearOfEverything(candidate)) {
            block = candidate;
            break;
        }
    }
    m_title = { block.left, block.top, titleWidth, titleHeight };
    m_scaleLatitude = m_projection.toLatLon({ 0, block.top + titleHeight + scaleGap }).lat;
    const double mile = m_projection.latMinuteAt(m_scaleLatitude);
    m_scaleMiles = titleWidth - 20 >= 10 * mile ? 10 : 5;
    m_scale = { block.left + 10, block.top + titleHeight + scaleGap, m_scaleMiles * mile,
        scaleBarHeight };

    // Two roses in open water, as far from the marks, the land, the title and each other as the
    // chart allows: the candidates on a grid, the pair whose nearer clearance is widest.
    // The same size on both charts, as printed roses are, unless a chart is too small for it.
    const double radius = std::min(120.0, 0.2 * std::min(width, height));
    const Box titleArea = block;
    struct Candidate
    {
        ChartXY centre;
        double clearance;
    };
    std::vector<Candidate> candidates;
    const double step = radius / 4;
    for (double y = radius + 8; y <= height - radius - 8; y += step) {
        for (double x = radius + 8; x <= width - radius - 8; x += step) {
            const ChartXY c { x, y };
            double clearance = distanceToBox(c, titleArea) - radius;
            for (const Box &m : marks)
                clearance = std::min(clearance, distanceToBox(c, m) - radius);
            for (const ChartLandInfo &l : m_land) {
                if (insideOutline(c, l.outline))
                    clearance = -radius;
                for (std::size_t i = 0; i < l.outline.size(); ++i)
                    clearance = std::min(clearance,
                        distanceToSegment(c, l.outline[i], l.outline[(i + 1) % l.outline.size()])
                            - radius);
            }
            candidates.push_back({ c, std::min(clearance, 40.0) });
        }
    }
    std::sort(candidates.begin(), candidates.end(),
        [](const Candidate &a, const Candidate &b) { return a.clearance > b.clearance; });
    if (candidates.size() > 200)
        candidates.resize(200);
    double best = -std::numeric_limits<double>::max();
    std::array<ChartXY, 2> pair {};
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        for (std::size_t j = i + 1; j < candidates.size(); ++j) {
            const double apart = std::hypot(candidates[i].centre.x - candidates[j].centre.x,
                candidates[i].centre.y - candidates[j].centre.y);
            if (apart < 2.5 * radius)
                continue;
            // Clearance first; between equally clear pairs the one spread wider.
            const double score
                = std::min(candidates[i].clearance, candidates[j].clearance) * 1000 + apart;
            if (score > best) {
                best = score;
                pair = { candidates[i].centre, candidates[j].centre };
            }
        }
    }
    // West to east, so that the order does not hang on the search.
    if (pair[1].x < pair[0].x)
        std::swap(pair[0], pair[1]);
    m_roses = { { pair[0], radius }, { pair[1], radius } };
}

} // namespace tovarin::chart
