#include "tools/startup/delay_file.h"

#include <climits>
#include <cstdlib>

#include "common/ini_text.h"

namespace {

bool IsItemSection(const std::string& name)
{
    return name.size() > 4 && name.compare(0, 4, "Item") == 0
           && name.find_first_not_of("0123456789", 4) == std::string::npos;
}

// A section exists once it has an entry, as in every ini file of the program.
class Collector {
public:
    explicit Collector(DelayFile& file) : file_(file) {}

    void Header(const std::string& name)
    {
        Finish();
        open_ = true;
        isItem_ = IsItemSection(name);
        item_ = StartupItem{};
        item_.kind = Delayed;
        foreign_ = ForeignSection{name, {}};
        hasEntry_ = false;
    }
    void Entry(const std::string& key, const std::string& value)
    {
        if (!open_) // entries above the first header
            Header(std::string());
        hasEntry_ = true;
        if (!isItem_) {
            foreign_.entries.emplace_back(key, value);
            return;
        }
        if (key == "Project")
            item_.name = value;
        else if (key == "Path")
            item_.command = value;
        else if (key == "Delay")
            item_.delay = ParseDecimal(value);
        else if (key == "OLDID")
            item_.origin = ParseDecimal(value);
        else if (key == "Type")
            item_.valueType = static_cast<std::uint32_t>(ParseDecimal(value));
        else if (key == "Owner")
            item_.owner = value;
    }
    void Finish()
    {
        if (!open_ || !hasEntry_)
            return;
        if (isItem_)
            file_.items.push_back(item_);
        else
            file_.others.push_back(foreign_);
        hasEntry_ = false;
    }

private:
    DelayFile& file_;
    bool open_ = false;
    bool isItem_ = false;
    bool hasEntry_ = false;
    StartupItem item_;
    ForeignSection foreign_;
};

void AppendEntry(std::string& out, const std::string& key, const std::string& value)
{
    out.append(key).append("=").append(value).append("\r\n");
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

bool FitsDelayFile(const StartupItem& item)
{
    const std::string notInALine("\r\n\0", 3);
    return item.name.find_first_of(notInALine) == std::string::npos
           && item.command.find_first_of(notInALine) == std::string::npos
           && LoneSurrogateAt(item.name) == std::string::npos && LoneSurrogateAt(item.command) == std::string::npos;
}

DelayFile ParseDelayFile(const std::string& text)
{
    DelayFile file;
    Collector collector(file);
    ForEachIniLine(text, [&](const IniLine& line) {
        if (line.header)
            collector.Header(line.section);
        else
            collector.Entry(line.key, line.value);
    });
    collector.Finish();
    return file;
}

std::string FormatDelayFile(const DelayFile& file)
{
    std::string out;
    for (size_t i = 0; i < file.items.size(); ++i) {
        const StartupItem& item = file.items[i];
        out.append("[Item").append(std::to_string(i)).append("]\r\n");
        AppendEntry(out, "Project", item.name);
        AppendEntry(out, "Path", item.command);
        AppendEntry(out, "Delay", std::to_string(item.delay));
        AppendEntry(out, "OLDID", std::to_string(item.origin));
        if (item.valueType != kValueString)
            AppendEntry(out, "Type", std::to_string(static_cast<int>(item.valueType)));
        if (!item.owner.empty())
            AppendEntry(out, "Owner", item.owner);
        out.append("\r\n");
    }
    for (const ForeignSection& s : file.others) {
        out.append("[").append(s.name).append("]\r\n");
        for (const auto& [key, value] : s.entries)
            AppendEntry(out, key, value);
        out.append("\r\n");
    }
    return out;
}
