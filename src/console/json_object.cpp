#include "console/json_object.h"

#include <cstdio>

namespace console {
namespace {

// The length of the well-formed UTF-8 sequence at text[i], or 0 (overlong forms, surrogates and
// code points above U+10FFFF are not well formed).
size_t Utf8SequenceAt(const std::string& text, size_t i)
{
    const auto at = [&](size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
    const unsigned lead = at(i);
    size_t length = 0;
    unsigned low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at(i + 1) < low || at(i + 1) > high)
        return 0;
    for (size_t k = 2; k < length; ++k) {
        if (at(i + k) < 0x80 || at(i + k) > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            const size_t length = Utf8SequenceAt(text, i);
            if (length == 0) {
                out += "\\ufffd";
                continue;
            }
            out.append(text, i, length);
            i += length - 1;
            continue;
        }
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (byte < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

JsonObject& JsonObject::Raw(const std::string& key, const std::string& value)
{
    if (!members_.empty())
        members_ += ",";
    members_ += JsonString(key) + ":" + value;
    return *this;
}

JsonObject& JsonObject::Add(const std::string& key, int64_t value) { return Raw(key, std::to_string(value)); }

JsonObject& JsonObject::Add(const std::string& key, uint64_t value) { return Raw(key, std::to_string(value)); }

std::string JsonObject::JsonArray(const std::vector<JsonObject>& items, const std::string& separator)
{
    std::string text;
    for (const JsonObject& item : items)
        text += (text.empty() ? "" : "," + separator) + item.Text();
    return "[" + text + "]";
}

JsonObject& JsonObject::Add(const std::string& key, const std::vector<uint64_t>& numbers)
{
    std::string text;
    for (uint64_t number : numbers)
        text += (text.empty() ? "" : ",") + std::to_string(number);
    return Raw(key, "[" + text + "]");
}

JsonObject& JsonObject::Add(const std::string& key, bool value) { return Raw(key, value ? "true" : "false"); }

JsonObject& JsonObject::Add(const std::string& key, const std::string& value) { return Raw(key, JsonString(value)); }

JsonObject& JsonObject::Add(const std::string& key, const JsonObject& value) { return Raw(key, value.Text()); }

} // namespace console
