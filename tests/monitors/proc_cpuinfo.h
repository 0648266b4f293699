#pragma once
// A field of the first processor in /proc/cpuinfo, read natively or through Wine's drive Z;
// empty when there is none.
#include <fstream>
#include <string>

inline std::string ProcCpuinfoField(const std::string& field)
{
    for (const char* path : {"/proc/cpuinfo", "Z:\\proc\\cpuinfo"}) {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            const size_t colon = line.find(':');
            if (line.rfind(field, 0) == 0 && colon != std::string::npos)
                return colon + 2 <= line.size() ? line.substr(colon + 2) : "";
        }
    }
    return "";
}
