#include "bankgen/solver/CheckTable.h"

#include "bankgen/solver/detail/CheckTableData.h"

#include <sstream>

namespace tovarin::solver {

CheckTable CheckTable::fromToml(std::string_view text)
{
    try {
        return checkTableOf(toml::parse(text));
    } catch (const toml::parse_error &error) {
        std::ostringstream where;
        where << "check table, line " << error.source().begin.line << ": " << error.description();
        throw CheckError(where.str());
    }
}

CheckTable CheckTable::onChart(std::vector<ChartMarkPosition> marks) const
{
    return CheckTable(std::make_shared<const Data>(Data { m_data->table, std::move(marks) }));
}

std::string CheckTable::toJson() const
{
    std::ostringstream out;
    out << toml::json_formatter(m_data->table);
    return out.str();
}

} // namespace tovarin::solver
