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

// A mark of the chart a question names, as its gazetteer has it: a check table may name the mark
// ("大島灯台") where it would otherwise give its position.
struct NamedMark
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

    // The same table with the marks its names stand for (the gazetteer of the question's chart).
    CheckTable withMarks(std::vector<NamedMark> marks) const;

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
