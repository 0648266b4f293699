// Feeds arbitrary bytes to the readers of files from disk: the interface text file, the delayed
// start list and a block of the cleaning history. Each must read anything, and what it writes must
// read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/ini_file.h"
#include "history/history_file.h"
#include "tools/startup/delay_file.h"

namespace {

bool SameFile(const DelayFile& a, const DelayFile& b)
{
    if (a.items.size() != b.items.size() || a.others.size() != b.others.size())
        return false;
    for (size_t i = 0; i < a.items.size(); ++i) {
        const StartupItem& x = a.items[i];
        const StartupItem& y = b.items[i];
        if (x.name != y.name || x.command != y.command || x.delay != y.delay || x.origin != y.origin
            || x.valueType != y.valueType || x.owner != y.owner)
            return false;
    }
    for (size_t i = 0; i < a.others.size(); ++i)
        if (a.others[i].name != b.others[i].name
            || a.others[i].entries != b.others[i].entries)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    CIniFile ini("unused.ini");
    ini.LoadText(text);
    const std::string saved = ini.SaveText();
    CIniFile again("unused.ini");
    again.LoadText(saved);
    if (again.SaveText() != saved)
        std::abort();
    if (ini.GetSectionCount() > 0)
        ini.GetValue(ini.GetSectionName(0), "IDOKINRS");
    ini.GetValue("Resource", "");

    const DelayFile file = ParseDelayFile(text);
    if (!SameFile(ParseDelayFile(FormatDelayFile(file)), file))
        std::abort();

    for (const CleanRecord& record : ReadBlock(text, size % 2 == 1)) {
        const std::optional<CleanRecord> again = ParseRecord(FormatRecord(record));
        if (!again || !(*again == record))
            std::abort();
    }
    return 0;
}
