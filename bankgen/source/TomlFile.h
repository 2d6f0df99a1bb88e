// Reading one of the bank's TOML files: the parsed document, or a problem naming the file and the
// line where it stops being TOML.
#pragma once

#include "bankgen/source/BankSource.h"

#include <toml++/toml.h>

#include <optional>
#include <string>
#include <string_view>

namespace tovarin::banksource {

std::optional<toml::table> parseTomlFile(
    std::string_view text, const std::string &fileName, Problems &problems);

} // namespace tovarin::banksource
