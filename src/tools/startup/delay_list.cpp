#include "tools/startup/delay_list.h"

#include <climits>
#include <cstdlib>

#include "common/ini_file.h"

namespace {

std::string SectionOf(int index) { return "Item" + std::to_string(index); }

void WriteItem(CIniFile& file, int index, const StartupItem& item)
{
    const std::string section = SectionOf(index);
    file.SetValue(section, "Project", item.name);
    file.SetValue(section, "Path", item.command);
    file.SetValue(section, "Delay", std::to_string(item.delay));
    file.SetValue(section, "OLDID", std::to_string(item.origin));
}

std::vector<StartupItem> ItemsOf(CIniFile& file)
{
    std::vector<StartupItem> items;
    const int count = file.GetSectionCount();
    items.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::string section = SectionOf(i);
        StartupItem item;
        item.name = file.GetValue(section, "Project");
        item.command = file.GetValue(section, "Path");
        item.kind = Delayed;
        item.delay = ParseDecimal(file.GetValue(section, "Delay"));
        item.origin = ParseDecimal(file.GetValue(section, "OLDID"));
        items.push_back(std::move(item));
    }
    return items;
}

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

bool SameItem(const StartupItem& a, const StartupItem& b)
{
    return a.name == b.name && a.command == b.command && a.delay == b.delay && a.origin == b.origin;
}

} // namespace

int ParseDecimal(const std::string& text)
{
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool CDelayList::Append(const StartupItem& item) const
{
    if (HasLineBreak(item.name) || HasLineBreak(item.command))
        return false;
    CIniFile file(path_);
    file.Load();
    const int n = file.GetSectionCount();
    WriteItem(file, n, item);
    file.Save();

    // Save cannot tell a failed write; the entry counts as moved only when the file holds it.
    CIniFile check(path_);
    if (!check.Load() || check.GetSectionCount() != n + 1)
        return false;
    const std::vector<StartupItem> items = ItemsOf(check);
    return SameItem(items.back(), item);
}

bool CDelayList::AcceptsRemoval() const
{
    CIniFile file(path_);
    file.Load();
    return file.GetSectionCount() < kMaxStartupItems;
}

bool CDelayList::RemoveProject(const std::string& project) const
{
    CIniFile file(path_);
    if (!file.Load())
        return true; // no list, nothing to remove
    if (file.GetSectionCount() >= kMaxStartupItems)
        return false;
    const std::vector<StartupItem> items = ItemsOf(file);
    int removed = -1;
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
        if (items[static_cast<size_t>(i)].name == project)
            removed = i;

    CIniFile rewritten(path_);
    int next = 0;
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
        if (i != removed)
            WriteItem(rewritten, next++, items[static_cast<size_t>(i)]);
    rewritten.Save();

    CIniFile check(path_);
    check.Load();
    return check.GetSectionCount() == next;
}

std::vector<StartupItem> CDelayList::ReadItems() const
{
    CIniFile file(path_);
    file.Load();
    return ItemsOf(file);
}

int CDelayList::LoadForLaunch(std::vector<StartupItem>& table) const
{
    table.clear();
    std::vector<StartupItem> items = ReadItems();
    if (static_cast<int>(items.size()) > kMaxStartupItems)
        return 0;
    table = std::move(items);
    return static_cast<int>(table.size());
}
