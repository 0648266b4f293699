#pragma once
// A user's environment variables, as the system builds them for that user's logon, and the
// %NAME% expansion of a command with them. Tidewell's own environment never stands in for them: a
// plain process can set variables the elevated process inherits at the next logon.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class UserEnvironment {
public:
    UserEnvironment() = default;
    // "NAME=value" entries as an environment block holds them; the hidden "=C:=C:\…" entries
    // (a drive's current folder) are left out.
    explicit UserEnvironment(const std::vector<std::string>& entries);

    // Names compare without regard to ASCII case, as the system's do.
    std::optional<std::string> Find(std::string_view name) const;

    // Every %NAME% of a defined variable replaced by its value; an undefined one, and a lone
    // '%', stay as written.
    std::string Expand(std::string_view text) const;

private:
    std::vector<std::pair<std::string, std::string>> variables_;
};
