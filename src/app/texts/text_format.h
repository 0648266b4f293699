#pragma once
// printf-style formatting into a string, for the short figure texts of the main window.
#include <cstdio>
#include <string>

template <typename... Args>
std::string Format(const char* format, Args... args)
{
    char text[256];
    std::snprintf(text, sizeof(text), format, args...);
    return text;
}
