#pragma once
// A flat-to-nested JSON object written in the order its members are added, on one line.
#include <cstdint>
#include <string>

namespace console {

class JsonObject {
public:
    JsonObject& Add(const std::string& key, int64_t value);
    JsonObject& Add(const std::string& key, int32_t value) { return Add(key, int64_t{value}); }
    JsonObject& Add(const std::string& key, bool value);
    JsonObject& Add(const std::string& key, const std::string& value);
    JsonObject& Add(const std::string& key, const char* value) { return Add(key, std::string(value)); }
    JsonObject& Add(const std::string& key, const JsonObject& value);
    std::string Text() const { return "{" + members_ + "}"; }

private:
    JsonObject& Raw(const std::string& key, const std::string& value);
    std::string members_;
};

// A JSON string literal with its quotes: control characters escaped, UTF-8 kept, and each byte
// that is not part of a well-formed UTF-8 sequence replaced by U+FFFD.
std::string JsonString(const std::string& text);

} // namespace console
