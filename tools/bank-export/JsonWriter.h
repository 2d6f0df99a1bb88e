// A small streaming JSON writer: enough for the bank export, with correct string escaping.
#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

namespace tovarin {

class JsonWriter
{
public:
    explicit JsonWriter(std::ostream &out) : m_out(out) {}

    JsonWriter &beginObject();
    JsonWriter &endObject();
    JsonWriter &beginArray();
    JsonWriter &endArray();
    JsonWriter &key(std::string_view name);
    JsonWriter &value(std::string_view text);
    JsonWriter &value(const char *text) { return value(std::string_view(text)); }
    JsonWriter &value(std::int64_t number);
    JsonWriter &null();

private:
    void separate();
    void writeString(std::string_view text);

    std::ostream &m_out;
    std::vector<bool> m_hasItems; // per open container: whether an item was written
    bool m_afterKey = false;
};

} // namespace tovarin
