#pragma once
// Delay.ini's text and what it holds. Every section named "Item" and a number is one delayed
// item, in file order, even when the numbers have gaps or repeat; any other section is kept as it
// was and written back after the items, so that no rewrite loses what it does not understand.
#include <string>
#include <utility>
#include <vector>

#include "tools/startup/startup_item.h"

// Entries above the first header form the section with the empty name, as in CIniFile.
struct ForeignSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
};

struct DelayFile {
    std::vector<StartupItem> items;
    std::vector<ForeignSection> others;
};

DelayFile ParseDelayFile(const std::string& text);
// Whether the item's name and command can each be one line of the file: a line break would end
// the line early, a NUL or an unpaired surrogate has no place in a text file.
bool FitsDelayFile(const StartupItem& item);
// Items numbered again from Item0, each followed by an empty line; foreign sections after them.
std::string FormatDelayFile(const DelayFile& file);

// Decimal text as Delay.ini stores numbers; text that is not a number reads as 0.
int ParseDecimal(const std::string& text);
