#pragma once
// Delay.ini: the entries started a number of minutes after the program starts with Windows.
// Every change re-reads the whole file and replaces it in one step (see delay_file.h).
#include <string>
#include <vector>

#include "tools/startup/delay_file.h"
#include "tools/startup/startup_item.h"

class CDelayList {
public:
    explicit CDelayList(std::string path) : path_(std::move(path)) {}

    // Appends the item as the next section. True only when the file holds it afterwards. Refused
    // when the list is full, or when the item does not fit the file (FitsDelayFile).
    bool Append(const StartupItem& item) const;
    // Removes the last item whose Project is exactly `project`. False when the list refuses
    // removals or the file was not written.
    bool RemoveProject(const std::string& project) const;
    // Removes the one item the user picked: the last whose name, command, delay, origin and type
    // are the item's. True only when the file holds one such item fewer afterwards.
    bool RemoveItem(const StartupItem& item) const;
    bool IsFull() const;
    // Gives every entry of a user's keys that names no owner to `account`, as the lists written
    // before owners were recorded were read by whoever came first. False when nothing was written.
    bool AdoptUnowned(const std::string& account) const;
    // False when the file is there but cannot be read (another program may hold it): nothing is
    // then listed, delayed or removed, rather than the list taken for empty.
    bool Readable() const;
    // A list longer than any table can show is left alone.
    bool AcceptsRemoval() const;
    std::vector<StartupItem> ReadItems() const;
    // The launcher's table from the file's text: every item, or none when it holds more than the
    // table does.
    static int LoadForLaunch(const std::string& text, std::vector<StartupItem>& table);

    const std::string& Path() const { return path_; }

private:
    // False when the file is there but cannot be read: nothing may then be written over it.
    bool Read(DelayFile& file) const;
    // Writes the file and reads it back: true when it holds exactly `file`'s items.
    bool Write(const DelayFile& file) const;
    // Removes the last item `matches` accepts; with no match the file stays as it is.
    template <typename Match>
    bool RemoveLast(Match matches) const;

    std::string path_;
};
