// A computed question's check table: the figures its text gives and what it asks, the same
// [variant.check] table the bank's TOML holds beside the question, as the bank's build hands it
// to the solver.
#pragma once

#include <toml++/toml.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tovarin::solver {

// A table that cannot be read or worked: the message names the field and what is wrong with it.
struct CheckError : std::runtime_error
{
    using std::runtime_error::runtime_error;
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

    // For the solver's own reader (detail/Inputs), the one that knows the fields.
    const toml::table &table() const { return *m_table; }

private:
    explicit CheckTable(std::shared_ptr<const toml::table> table)
        : m_table(std::move(table))
    {
    }

    std::shared_ptr<const toml::table> m_table;
};

} // namespace tovarin::solver
