#pragma once
// The only targets a link opens: web and mail addresses. Anything else (a file, a program, another
// protocol) would be run by whatever handler claims it.
#include <string_view>

// "http://…", "https://…" or "mailto:…" (any letter case) with something after it, and without
// blanks, quotes or control characters, which no address needs unescaped.
bool IsOpenableAddress(std::string_view target);
