// A computed question's check table: the figures its text gives and what it asks, the same
// [variant.check] table the bank's TOML holds beside the question, as the bank's build hands it
// to the solver.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tovarin::solver {

// A table that cannot be read or worked: the message names the field and what is wrong with it.
struct CheckError : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// A named mark of the examination chart a question names, where the chart's gazetteer puts it.
// A check table gives a position from a mark by its name ({ from = "鷹埼灯台", bearing = 225.0,
// miles = 4.0 }); the solver finds the mark among these.
struct ChartMarkPosition
{
    std::string name;
    double latMinutes = 0.0; // north
    double lonMinutes = 0.0; // east
};

class CheckTable
{
public:
    // The table's fields as TOML ("kind = \"voyage\"\nask = …"), without a [check] header.
    // Throws CheckError when the text is not valid TOML.
    static CheckTable fromToml(std::string_view text);

    std::string toJson() const;

    // The same table on a chart: positions given from a mark are resolved against these marks.
    CheckTable onChart(std::vector<ChartMarkPosition> marks) const;

    struct Data; // the parsed table, for the solver's own readers
    const Data &data() const { return *m_data; }
    explicit CheckTable(std::shared_ptr<const Data> data)
        : m_data(std::move(data))
    {
    }

private:
    std::shared_ptr<const Data> m_data;
};

} // namespace tovarin::solver
