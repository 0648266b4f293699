#pragma once
// Delay.ini: the entries started a number of minutes after the program starts with Windows.
// Sections Item0, Item1, ... without gaps, each with Project, Path, Delay and OLDID.
#include <string>
#include <vector>

#include "tools/startup/startup_item.h"

class CDelayList {
public:
    explicit CDelayList(std::string path) : path_(std::move(path)) {}

    // Appends the item as the next section. True only when the file holds it afterwards; a name
    // or command with a line break is refused, since it would break the file's lines.
    bool Append(const StartupItem& item) const;
    // Removes the last item whose Project is exactly `project` and numbers the rest again from
    // Item0. A list of 100 or more sections is left alone; false then, or when the file was not
    // written.
    bool RemoveProject(const std::string& project) const;
    // Whether RemoveProject would work on the file as it is now.
    bool AcceptsRemoval() const;
    // Every section Item0 to Item<count - 1>, as delayed items.
    std::vector<StartupItem> ReadItems() const;
    // The launcher's table: every item, or none when the file holds more than 100.
    int LoadForLaunch(std::vector<StartupItem>& table) const;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Decimal text as Delay.ini stores numbers; text that is not a number reads as 0.
int ParseDecimal(const std::string& text);
