#pragma once
// A strict reader of one JSON text, for checking what the console program prints: it fails on
// anything RFC 8259 does not allow (and on numbers other than integers), and gives every value by
// its path, "[0].methods[1].method", as its text: a number's digits, a string's characters, null.
#include <cctype>
#include <map>
#include <optional>
#include <string>

namespace testing_support {

class JsonPaths {
public:
    static std::optional<std::map<std::string, std::string>> Read(const std::string& text)
    {
        JsonPaths reader(text);
        if (!reader.Value("") || (reader.Space(), reader.at_ != text.size()))
            return std::nullopt;
        return reader.values_;
    }

private:
    explicit JsonPaths(const std::string& text) : s_(text) {}
    void Space()
    {
        while (at_ < s_.size() && std::string(" \n\r\t").find(s_[at_]) != std::string::npos)
            ++at_;
    }
    bool Take(char c) { return Space(), at_ < s_.size() && s_[at_] == c && (++at_, true); }
    bool Word(const std::string& word) { return s_.compare(at_, word.size(), word) == 0 && (at_ += word.size(), true); }
    bool String(std::string& out)
    {
        if (!Take('"'))
            return false;
        while (at_ < s_.size() && s_[at_] != '"') {
            const auto c = static_cast<unsigned char>(s_[at_++]);
            if (c < 0x20 || (c == '\\' && (at_ == s_.size() || std::string("\"\\/bfnrtu").find(s_[at_]) == std::string::npos)))
                return false;
            out += static_cast<char>(c == '\\' ? s_[at_++] : c); // enough for the texts compared here
        }
        return Take('"');
    }
    bool Value(const std::string& path)
    {
        Space();
        std::string text;
        const size_t start = at_;
        if (Take('[')) {
            if (Take(']'))
                return true;
            for (size_t i = 0;; ++i) {
                if (!Value(path + "[" + std::to_string(i) + "]"))
                    return false;
                if (!Take(','))
                    return Take(']');
            }
        }
        if (Take('{')) {
            if (Take('}'))
                return true;
            do {
                std::string key;
                if (!String(key) || !Take(':') || values_.count(path + "." + key) || !Value(path + "." + key))
                    return false;
            } while (Take(','));
            return Take('}');
        }
        if (s_.compare(at_, 1, "\"") == 0) {
            if (!String(text))
                return false;
        } else if (Word("null") || Word("true") || Word("false")) {
            text = s_.substr(start, at_ - start);
        } else {
            Word("-");
            const size_t digits = at_;
            while (at_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[at_])))
                ++at_;
            if (at_ == digits || (s_[digits] == '0' && at_ - digits > 1))
                return false; // no digits, or a zero-led integer
            text = s_.substr(start, at_ - start);
        }
        values_[path] = text;
        return true;
    }

    const std::string& s_;
    size_t at_ = 0;
    std::map<std::string, std::string> values_;
};

} // namespace testing_support
