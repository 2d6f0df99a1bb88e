#include "bankgen/solver/CheckTable.h"

#include <sstream>

namespace tovarin::solver {

CheckTable CheckTable::fromToml(std::string_view text)
{
    try {
        return fromTable(toml::parse(text));
    } catch (const toml::parse_error &error) {
        std::ostringstream where;
        where << "check table, line " << error.source().begin.line << ": " << error.description();
        throw CheckError(where.str());
    }
}

CheckTable CheckTable::fromTable(const toml::table &table)
{
    return CheckTable(std::make_shared<const toml::table>(table));
}

CheckTable CheckTable::withMarks(std::vector<MarkPosition> marks) const
{
    CheckTable resolving = *this;
    resolving.m_marks = std::move(marks);
    return resolving;
}

std::string CheckTable::toJson() const
{
    std::ostringstream out;
    out << toml::json_formatter(*m_table);
    return out.str();
}

} // namespace tovarin::solver
