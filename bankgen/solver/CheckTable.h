// A computed question's check table: the figures its text gives and what it asks, the same
// [variant.check] table the bank's TOML holds beside the question, as the bank's build hands it
// to the solver.
#pragma once

#include <toml++/toml.h>

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

// A mark of the chart a question names: its name as the texts write it ("鷹埼灯台") and its one
// position in minutes of arc, north and east. A check table may give a position as a mark's name
// or as a true bearing and distance from one, which the solver lays off from this position.
struct MarkPosition
{
    std::string name;
    double latMinutes = 0.0;
    double lonMinutes = 0.0;
};

class CheckTable
{
public:
    // The table's fields as TOML ("kind = \"voyage\"\nask = …"), without a [check] header.
    // Throws CheckError when the text is not valid TOML.
    static CheckTable fromToml(std::string_view text);
    // The [variant.check] table of a slot file its reader has parsed already.
    static CheckTable fromTable(const toml::table &table);

    std::string toJson() const;

    // The same table, resolving mark names against the marks of its chart's gazetteer.
    CheckTable withMarks(std::vector<MarkPosition> marks) const;

    // For the solver's own reader (detail/Inputs), the one that knows the fields.
    const toml::table &table() const { return *m_table; }
    const std::vector<MarkPosition> &marks() const { return m_marks; }

private:
    explicit CheckTable(std::shared_ptr<const toml::table> table)
        : m_table(std::move(table))
    {
    }

    std::shared_ptr<const toml::table> m_table;
    std::vector<MarkPosition> m_marks; // of the chart the question names, when the bank gave them
};

} // namespace tovarin::solver
