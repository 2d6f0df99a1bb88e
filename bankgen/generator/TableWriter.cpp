#include "bankgen/generator/TableWriter.h"

#include "bank/ChartTables.h"
#include "bank/ExplanationTables.h"

#include <cctype>
#include <cstdio>
#include <set>

namespace tovarin::bankgen {
namespace {

using banksource::SourceBank;
using banksource::SourceSlot;

void writeLiteral(std::ostream &out, const std::string &text)
{
    out << '"';
    for (const char c : text) {
        switch (c) {
        case '"':
            out << "\\\"";
            break;
        case '\\':
            out << "\\\\";
            break;
        case '\r':
            out << "\\r";
            break;
        case '\n':
            out << "\\n\"\n        \"";
            break; // one source line per text line
        case '?':
            out << "\\?";
            break; // no trigraph surprises
        default:
            out << c;
        }
    }
    out << '"';
}

// The worked solution of a computed variant as code that builds it: the program then shows what
// the build solved, and carries no solver and no TOML reader of its own.
class SolutionWriter
{
public:
    explicit SolutionWriter(std::ostream &out)
        : m_out(out)
    {
    }

    void write(const solver::Solution &s)
    {
        m_out << "    solver::Solution s;\n    s.kind = ";
        text(s.kind);
        m_out << ";\n    s.quantity = static_cast<solver::Quantity>(" << int(s.quantity)
              << ");\n    s.value = {";
        for (std::size_t i = 0; i < s.value.size(); ++i)
            m_out << (i ? ", " : "") << number(s.value[i]);
        m_out << "};\n    s.unit = ";
        text(s.unit);
        m_out << ";\n    s.answer = ";
        text(s.answer);
        m_out << ";\n    s.steps = {\n";
        for (const solver::Step &step : s.steps) {
            m_out << "        {";
            text(step.label);
            m_out << ", ";
            text(step.formula);
            m_out << ", ";
            text(step.working);
            m_out << ", ";
            text(step.result);
            m_out << "},\n";
        }
        m_out << "    };\n";
        if (s.geometry)
            geometry(*s.geometry);
        m_out << "    return s;\n";
    }

private:
    void text(const std::string &t) { writeLiteral(m_out, t); }
    static std::string number(double v)
    {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.17g", v);
        return buffer;
    }
    std::string at(const solver::LatLon &p)
    {
        return "{" + number(p.lat) + ", " + number(p.lon) + "}";
    }
    void vector(const solver::ChartVector &v)
    {
        m_out << "{" << at(v.from) << ", " << at(v.to) << ", ";
        text(v.label);
        m_out << "}";
    }

    void geometry(const solver::Geometry &g)
    {
        m_out << "    solver::Geometry g;\n    g.chart = " << g.chart << ";\n    g.points = {\n";
        for (const solver::ChartPoint &p : g.points) {
            m_out << "        {";
            text(p.name);
            m_out << ", " << at(p.at) << ", static_cast<solver::PointRole>(" << int(p.role)
                  << ")},\n";
        }
        m_out << "    };\n    g.tracks = {\n";
        for (const solver::Track &t : g.tracks) {
            m_out << "        {{";
            for (std::size_t i = 0; i < t.points.size(); ++i)
                m_out << (i ? ", " : "") << at(t.points[i]);
            m_out << "}, static_cast<solver::TrackStyle>(" << int(t.style) << "), ";
            text(t.label);
            m_out << "},\n";
        }
        m_out << "    };\n    g.bearings = {\n";
        for (const solver::BearingLine &b : g.bearings) {
            m_out << "        {";
            text(b.mark);
            m_out << ", " << at(b.from) << ", " << number(b.trueBearing) << ", "
                  << number(b.lengthMiles) << ", ";
            text(b.label);
            m_out << "},\n";
        }
        m_out << "    };\n    g.ranges = {\n";
        for (const solver::RangeCircle &r : g.ranges) {
            m_out << "        {";
            text(r.mark);
            m_out << ", " << at(r.centre) << ", " << number(r.radiusMiles) << "},\n";
        }
        m_out << "    };\n";
        if (g.current) {
            m_out << "    g.current = solver::CurrentTriangle {";
            vector(g.current->water);
            m_out << ", ";
            vector(g.current->current);
            m_out << ", ";
            vector(g.current->ground);
            m_out << "};\n";
        }
        if (g.answerPoint)
            m_out << "    g.answerPoint = solver::LatLon " << at(*g.answerPoint) << ";\n";
        if (g.answerLine)
            m_out << "    g.answerLine = solver::Segment {" << at(g.answerLine->from) << ", "
                  << at(g.answerLine->to) << "};\n";
        m_out << "    g.southWest = " << at(g.southWest)
              << ";\n    g.northEast = " << at(g.northEast)
              << ";\n    s.geometry = std::move(g);\n";
    }

    std::ostream &m_out;
};

// Every holder of slots 55 and 56 in slot and variant order, each with its own index.
std::vector<const banksource::SourceVariant *> holders(const SourceBank &bank)
{
    std::vector<const banksource::SourceVariant *> out;
    for (const SourceSlot &slot : bank.slots)
        if (banksource::hasPictureHolders(slot.number))
            for (const auto &v : slot.variants)
                out.push_back(&v);
    return out;
}

const char *header = "// Generated by bankgen from bank/data and bank/pictures. Do not edit.\n"
                     "#include \"bank/BankTables.h\"\n\n";

} // namespace

void writeContainer(
    std::ostream &out, const SourceBank &bank, const char *name, int firstNumber, int lastNumber)
{
    out << header << "namespace tovarin::bankdata {\n\n";
    const auto allHolders = holders(bank);
    const bool hasHolders = firstNumber <= 55 && lastNumber >= 56;
    out << "namespace {\n\n";
    int holderIndex = 0;
    for (const SourceSlot &slot : bank.slots) {
        if (slot.number < firstNumber || slot.number > lastNumber)
            continue;
        out << "const VariantRecord variants" << slot.number << "[] = {\n";
        for (const auto &v : slot.variants) {
            out << "    {";
            writeLiteral(out, v.question);
            out << ",\n     {";
            for (std::size_t c = 0; c < 4; ++c) {
                writeLiteral(out, v.choices[c]);
                out << (c < 3 ? ",\n      " : "},\n");
            }
            const int holder = v.picture ? holderIndex++ : -1;
            out << "     " << v.correct << ", " << v.layout << ", " << holder << "},\n";
        }
        out << "};\n\n";
    }
    out << "const SlotRecord slots[] = {\n";
    for (const SourceSlot &slot : bank.slots)
        if (slot.number >= firstNumber && slot.number <= lastNumber)
            out << "    {" << slot.number << ", " << slot.poolSize << ", variants" << slot.number
                << "},\n";
    out << "};\n\n";
    if (hasHolders) {
        out << "const HolderRecord holderTable[] = {\n";
        for (const auto *v : allHolders) {
            // The bytes are the program's resource :/pictures/<name> (bank/CMakeLists.txt).
            out << "    {\"" << *v->picture << "\", nullptr, 0},\n";
        }
        out << "};\n\n";
    }
    out << "} // namespace\n\n"
        << "const ContainerRecord " << name << " = {slots, sizeof slots / sizeof slots[0], ";
    if (hasHolders)
        out << "holderTable, " << allHolders.size() << "};\n";
    else
        out << "nullptr, 0};\n";
    out << "\n} // namespace tovarin::bankdata\n";
}

void writeExplanations(std::ostream &out, const SourceBank &bank)
{
    out << "// Generated by bankgen from bank/data. Do not edit.\n"
           "#include \"bank/ExplanationTables.h\"\n\n"
           "#include <utility>\n\n"
           "namespace tovarin::bankdata {\nnamespace {\n\n";
    for (const SourceSlot &slot : bank.slots) {
        for (const auto &v : slot.variants) {
            if (!v.solution)
                continue;
            out << "solver::Solution solution" << slot.number << "_" << v.index << "()\n{\n";
            SolutionWriter(out).write(*v.solution);
            out << "}\n\n";
        }
    }
    for (const SourceSlot &slot : bank.slots) {
        out << "const ExplanationRecord explanations" << slot.number << "[] = {\n";
        for (const auto &v : slot.variants) {
            out << "    {";
            writeLiteral(out, v.explanation);
            out << ",\n     {";
            for (std::size_t c = 0; c < 4; ++c) {
                writeLiteral(out, v.refutations.at(c)); // four, as the checks demand
                out << (c < 3 ? ",\n      " : "},\n     ");
            }
            if (v.solution)
                out << "solution" << slot.number << "_" << v.index << "},\n";
            else
                out << "nullptr},\n";
        }
        out << "};\n\n";
    }
    out << "} // namespace\n\nconst ExplanationSlotRecord explanationSlots[14] = {\n";
    for (const SourceSlot &slot : bank.slots)
        out << "    {" << slot.number << ", " << slot.variants.size() << ", explanations"
            << slot.number << "},\n";
    out << "};\n\n} // namespace tovarin::bankdata\n";
}

void writeCharts(std::ostream &out, const SourceBank &bank)
{
    const auto number = [](double v) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.17g", v);
        return std::string(buffer);
    };
    const auto at = [&](const banksource::ChartPosition &p) {
        return "{" + number(p.latMinutes / 60.0) + ", " + number(p.lonMinutes / 60.0) + "}";
    };
    out << "// Generated by bankgen from bank/data. Do not edit.\n"
           "#include \"bank/ChartTables.h\"\n\n"
           "namespace tovarin::bankdata {\nnamespace {\n\n";
    for (const banksource::Gazetteer &g : bank.gazetteers) {
        const std::string id = std::to_string(g.chart);
        for (std::size_t i = 0; i < g.land.size(); ++i) {
            out << "const ChartPositionRecord land" << id << "_" << i << "[] = {\n";
            for (const banksource::ChartPosition &p : g.land[i].outline)
                out << "    " << at(p) << ",\n";
            out << "};\n\n";
        }
        out << "const ChartMarkRecord marks" << id << "[] = {\n";
        for (const banksource::ChartMark &m : g.marks) {
            out << "    {";
            writeLiteral(out, m.name);
            out << ", ";
            writeLiteral(out, m.kind);
            out << ", " << at(m.position) << "},\n";
        }
        out << "};\n\nconst ChartLandRecord land" << id << "[] = {\n";
        for (std::size_t i = 0; i < g.land.size(); ++i) {
            out << "    {";
            writeLiteral(out, g.land[i].name);
            out << ", land" << id << "_" << i << ", " << g.land[i].outline.size() << "},\n";
        }
        out << "};\n\n";
    }
    for (const SourceSlot &slot : bank.slots) {
        if (slot.number < 51 || slot.number > 53)
            continue;
        out << "const std::int16_t uses" << slot.number << "[] = {";
        for (std::size_t i = 0; i < slot.variants.size(); ++i) {
            const banksource::Gazetteer *g
                = banksource::gazetteerNamedIn(slot.variants[i].question, bank.gazetteers);
            out << (i ? ", " : "") << (g ? g->chart : 0);
        }
        out << "};\n";
    }
    out << "\n} // namespace\n\nconst ChartRecord charts[] = {\n";
    for (const banksource::Gazetteer &g : bank.gazetteers) {
        const std::string id = std::to_string(g.chart);
        out << "    {" << g.chart << ", " << number(g.variation) << ", " << at(g.southWest) << ", "
            << at(g.northEast) << ", marks" << id << ", " << g.marks.size() << ", land" << id
            << ", " << g.land.size() << "},\n";
    }
    out << "};\nconst std::size_t chartCount = " << bank.gazetteers.size()
        << ";\n\nconst ChartUseRecord chartUses[3] = {\n";
    for (const SourceSlot &slot : bank.slots)
        if (slot.number >= 51 && slot.number <= 53)
            out << "    {" << slot.number << ", " << slot.variants.size() << ", uses" << slot.number
                << "},\n";
    out << "};\n\n} // namespace tovarin::bankdata\n";
}

} // namespace tovarin::bankgen
