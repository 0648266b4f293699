// Prints the settings' table, one row a line, for scripts/check-policies.py: name, type, low, high,
// default, whether a policy may set it, the key of the text that names it.
#include <cstdio>

#include "common/setting_table.h"

int main()
{
    static const char* const kTypes[] = {"flag", "number", "text", "list"};
    for (const SettingRow& row : SettingTable())
        std::printf("%s\t%s\t%d\t%d\t%d\t%d\t%s\n", row.name, kTypes[static_cast<int>(row.type)], row.low, row.high,
                    row.fallback, row.policy ? 1 : 0, row.textKey ? row.textKey : "");
}
