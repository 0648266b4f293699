#pragma once
// A flat-to-nested JSON object written in the order its members are added, on one line.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace console {

class JsonObject {
public:
    JsonObject& Add(const std::string& key, int64_t value);
    JsonObject& Add(const std::string& key, int32_t value) { return Add(key, int64_t{value}); }
    JsonObject& Add(const std::string& key, uint64_t value);
    // null when there is none.
    template <typename T>
    JsonObject& Add(const std::string& key, const std::optional<T>& value)
    {
        return value ? Add(key, *value) : Raw(key, "null");
    }
    JsonObject& Add(const std::string& key, const std::vector<JsonObject>& items) { return Raw(key, JsonArray(items)); }
    JsonObject& Add(const std::string& key, const std::vector<uint64_t>& numbers);
    JsonObject& Add(const std::string& key, bool value);
    JsonObject& Add(const std::string& key, const std::string& value);
    JsonObject& Add(const std::string& key, const char* value) { return Add(key, std::string(value)); }
    JsonObject& Add(const std::string& key, const JsonObject& value);
    std::string Text() const { return "{" + members_ + "}"; }
    // "[...]" of the objects' texts, separated by `separator` after each comma.
    static std::string JsonArray(const std::vector<JsonObject>& items, const std::string& separator = "");

private:
    JsonObject& Raw(const std::string& key, const std::string& value);
    std::string members_;
};

// A JSON string literal with its quotes: control characters escaped, UTF-8 kept, and each byte
// that is not part of a well-formed UTF-8 sequence replaced by U+FFFD.
std::string JsonString(const std::string& text);

} // namespace console
