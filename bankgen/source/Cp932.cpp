#include "bankgen/source/Cp932.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iconv.h>
#include <stdexcept>
#include <vector>

namespace tovarin::banksource {
namespace {

class Converter
{
public:
    Converter(const char *to, const char *from)
        : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(
                std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts the whole input, or returns nothing if any byte sequence cannot be converted.
    std::optional<std::string> convert(std::string_view in) const
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        std::vector<char> out(in.size() * 4 + 16);
        char *inPtr = const_cast<char *>(in.data());
        size_t inLeft = in.size();
        char *outPtr = out.data();
        size_t outLeft = out.size();
        if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
            return std::nullopt;
        return std::string(out.data(), out.size() - outLeft);
    }

private:
    iconv_t m_cd;
};

std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    return 4;
}

std::string describe(std::string_view text, const CodePoint &c)
{
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X ", static_cast<unsigned>(c.value));
    return code + std::string(text.substr(c.at, c.size));
}

} // namespace

std::vector<CodePoint> codePointsOf(std::string_view utf8)
{
    std::vector<CodePoint> out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t n = std::min(sequenceLength(lead), utf8.size() - i);
        char32_t value = n == 1 ? lead : lead & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k)
            value = (value << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out.push_back({ value, i, n });
        i += n;
    }
    return out;
}

std::optional<std::string> firstCharacterLostInCp932(std::string_view utf8)
{
    static const Converter toCp932("CP932", "UTF-8");
    static const Converter fromCp932("UTF-8", "CP932");
    for (const CodePoint &c : codePointsOf(utf8)) {
        const std::string_view character = utf8.substr(c.at, c.size);
        const auto encoded = toCp932.convert(character);
        const auto decoded = encoded ? fromCp932.convert(*encoded) : std::nullopt;
        if (!decoded || *decoded != character)
            return describe(utf8, c);
    }
    return std::nullopt;
}

std::size_t codePointCount(std::string_view utf8)
{
    std::size_t count = 0;
    for (const char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

} // namespace tovarin::banksource
