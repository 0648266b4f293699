#include "tools/startup/delay_list.h"

#include "common/file_bytes.h"

namespace {

bool SameItem(const StartupItem& a, const StartupItem& b)
{
    return a.name == b.name && a.command == b.command && a.delay == b.delay && a.origin == b.origin
           && a.valueType == b.valueType && a.owner == b.owner;
}

bool SameItems(const std::vector<StartupItem>& a, const std::vector<StartupItem>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!SameItem(a[i], b[i]))
            return false;
    return true;
}

} // namespace

bool CDelayList::Read(DelayFile& file) const
{
    std::string text;
    const FileRead read = ReadFileBytes(path_, text);
    file = ParseDelayFile(text);
    return read != FileRead::Unreadable;
}

bool CDelayList::Write(const DelayFile& file) const
{
    // The write is checked by reading back: a full disk or a foreign lock shows here.
    return ReplaceFileBytes(path_, FormatDelayFile(file), FileAccess::AdministratorsOnly) &&
           SameItems(ReadItems(), file.items);
}

bool CDelayList::Append(const StartupItem& item) const
{
    if (!FitsDelayFile(item))
        return false;
    DelayFile file;
    if (!Read(file) || static_cast<int>(file.items.size()) >= kMaxStartupItems)
        return false;
    StartupItem stored = item;
    stored.kind = Delayed;
    file.items.push_back(stored);
    return Write(file);
}

bool CDelayList::AdoptUnowned(const std::string& account) const
{
    DelayFile file;
    if (account.empty() || !Read(file))
        return false;
    bool adopted = false;
    for (StartupItem& item : file.items)
        if (IsUserKind(item.origin) && item.owner.empty()) {
            item.owner = account;
            adopted = true;
        }
    return adopted && Write(file);
}

bool CDelayList::Readable() const
{
    DelayFile file;
    return Read(file);
}

bool CDelayList::IsFull() const { return static_cast<int>(ReadItems().size()) >= kMaxStartupItems; }

bool CDelayList::AcceptsRemoval() const
{
    DelayFile file;
    return Read(file) && static_cast<int>(file.items.size()) <= kMaxStartupItems;
}

template <typename Match>
bool CDelayList::RemoveLast(Match matches) const
{
    DelayFile file;
    if (!Read(file) || static_cast<int>(file.items.size()) > kMaxStartupItems)
        return false;
    for (size_t i = file.items.size(); i-- > 0;)
        if (matches(file.items[i])) {
            file.items.erase(file.items.begin() + static_cast<std::ptrdiff_t>(i));
            return Write(file);
        }
    return false;
}

bool CDelayList::RemoveProject(const std::string& project) const
{
    return RemoveLast([&](const StartupItem& i) { return i.name == project; });
}

bool CDelayList::RemoveItem(const StartupItem& item) const
{
    return RemoveLast([&](const StartupItem& i) { return SameItem(i, item); });
}

std::vector<StartupItem> CDelayList::ReadItems() const
{
    DelayFile file;
    Read(file);
    return std::move(file.items);
}

int CDelayList::LoadForLaunch(const std::string& text, std::vector<StartupItem>& table)
{
    table.clear();
    std::vector<StartupItem> items = ParseDelayFile(text).items;
    if (static_cast<int>(items.size()) > kMaxStartupItems)
        return 0;
    table = std::move(items);
    return static_cast<int>(table.size());
}
