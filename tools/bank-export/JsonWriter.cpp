#include "JsonWriter.h"

#include <cstdio>

namespace tovarin {

void JsonWriter::separate()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasItems.empty()) {
        if (m_hasItems.back())
            m_out << ',';
        m_hasItems.back() = true;
    }
}

JsonWriter &JsonWriter::beginObject()
{
    separate();
    m_out << '{';
    m_hasItems.push_back(false);
    return *this;
}

JsonWriter &JsonWriter::endObject()
{
    m_out << '}';
    m_hasItems.pop_back();
    return *this;
}

JsonWriter &JsonWriter::beginArray()
{
    separate();
    m_out << '[';
    m_hasItems.push_back(false);
    return *this;
}

JsonWriter &JsonWriter::endArray()
{
    m_out << ']';
    m_hasItems.pop_back();
    return *this;
}

JsonWriter &JsonWriter::key(std::string_view name)
{
    separate();
    writeString(name);
    m_out << ':';
    m_afterKey = true;
    return *this;
}

JsonWriter &JsonWriter::value(std::string_view text)
{
    separate();
    writeString(text);
    return *this;
}

JsonWriter &JsonWriter::value(std::int64_t number)
{
    separate();
    m_out << number;
    return *this;
}

JsonWriter &JsonWriter::null()
{
    separate();
    m_out << "null";
    return *this;
}

void JsonWriter::writeString(std::string_view text)
{
    m_out << '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': m_out << "\\\""; break;
        case '\\': m_out << "\\\\"; break;
        case '\r': m_out << "\\r"; break;
        case '\n': m_out << "\\n"; break;
        case '\t': m_out << "\\t"; break;
        default:
            if (byte < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                m_out << escaped;
            } else {
                m_out << c; // UTF-8 passes through
            }
        }
    }
    m_out << '"';
}

} // namespace tovarin
