// Code page 932 (Windows Shift_JIS) checks for the bank's texts.
//
// The program keeps its texts as UTF-8, but every text must also be expressible in code page 932,
// the encoding the examination's texts are held in. "Expressible" means the text survives a round
// trip: glibc's iconv quietly maps U+301C (wave dash) and U+2212 (minus sign) onto the bytes of
// U+FF5E and U+FF0D, so a one-way encode would accept characters that come back different.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovarin::banksource {

// The first character of a UTF-8 text that does not come back unchanged from code page 932,
// written like "U+301C 〜", or nothing when the whole text round-trips.
std::optional<std::string> firstCharacterLostInCp932(std::string_view utf8);

// One character of a UTF-8 text: its code point and the bytes it takes.
struct CodePoint
{
    char32_t value;
    std::size_t at; // byte offset in the text
    std::size_t size; // bytes
};

// The text's characters in order; a sequence cut short by the text's end ends with it.
std::vector<CodePoint> codePointsOf(std::string_view utf8);

// Number of Unicode code points in a UTF-8 text (a CR LF pair counts as two).
std::size_t codePointCount(std::string_view utf8);

} // namespace tovarin::banksource
