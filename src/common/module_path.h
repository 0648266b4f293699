#pragma once
#include <string>

// The path of a file in the program's own folder: "<folder>\<fileName>".
std::string GetModulePath(const std::string& fileName);
