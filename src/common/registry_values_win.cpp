#include "common/registry_values_win.h"

#include <winternl.h>

#include <algorithm>
#include <cstring>

#include "win32/ntdll_entry.h"
#include "win32/utf16.h"

namespace {

constexpr ULONG kFullInformation = 1;    // KeyValueFullInformation
constexpr ULONG kPartialInformation = 2; // KeyValuePartialInformation
constexpr NTSTATUS kBufferOverflow = static_cast<NTSTATUS>(0x80000005);
constexpr NTSTATUS kBufferTooSmall = static_cast<NTSTATUS>(0xC0000023);
constexpr ULONG kMaxEnumerated = 30000;
constexpr size_t kMaxNameChars = 16383; // the registry's own limit

struct FullInformation {
    ULONG titleIndex, type, dataOffset, dataLength, nameLength;
    WCHAR name[1];
};
struct PartialInformation {
    ULONG titleIndex, type, dataLength;
    UCHAR data[1];
};

struct NativeCalls {
    NTSTATUS(NTAPI* enumerate)(HANDLE, ULONG, ULONG, PVOID, ULONG, PULONG) = nullptr;
    NTSTATUS(NTAPI* query)(HANDLE, PUNICODE_STRING, ULONG, PVOID, ULONG, PULONG) = nullptr;
    NTSTATUS(NTAPI* set)(HANDLE, PUNICODE_STRING, ULONG, ULONG, PVOID, ULONG) = nullptr;
    NTSTATUS(NTAPI* remove)(HANDLE, PUNICODE_STRING) = nullptr;
    ULONG(NTAPI* toWin32)(NTSTATUS) = nullptr;
    bool Loaded() const { return enumerate && query && set && remove && toWin32; }
};

const NativeCalls& Native()
{
    static const NativeCalls calls{
        win32::NtdllEntry<decltype(NativeCalls::enumerate)>("NtEnumerateValueKey"),
        win32::NtdllEntry<decltype(NativeCalls::query)>("NtQueryValueKey"),
        win32::NtdllEntry<decltype(NativeCalls::set)>("NtSetValueKey"),
        win32::NtdllEntry<decltype(NativeCalls::remove)>("NtDeleteValueKey"),
        win32::NtdllEntry<decltype(NativeCalls::toWin32)>("RtlNtStatusToDosError"),
    };
    return calls;
}

LONG Win32Code(NTSTATUS status) { return status == 0 ? ERROR_SUCCESS : static_cast<LONG>(Native().toWin32(status)); }

// The names and strings keep every UTF-16 unit on their way through the program (win32/utf16.h).
std::wstring Wide(const char* text, size_t size) { return win32::Utf16(std::string_view(text, size)); }

std::string Narrow(const WCHAR* text, size_t count) { return win32::Utf8(std::wstring_view(text, count)); }

bool HoldsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// String data is UTF-16 in the registry; an odd last byte is dropped, as the Reg*A calls do.
std::string DataFromRegistry(DWORD type, const BYTE* bytes, size_t size)
{
    if (!HoldsText(type))
        return std::string(reinterpret_cast<const char*>(bytes), size);
    std::wstring wide(size / sizeof(WCHAR), L'\0');
    std::memcpy(wide.data(), bytes, wide.size() * sizeof(WCHAR));
    return Narrow(wide.data(), wide.size());
}

std::string DataToRegistry(DWORD type, const std::string& data)
{
    if (!HoldsText(type))
        return data;
    const std::wstring wide = Wide(data.data(), data.size());
    return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(WCHAR));
}

// A name as the native calls take it: counted, so a NUL inside is part of it.
class CountedName {
public:
    explicit CountedName(const std::string& name) : text_(Wide(name.data(), name.size()))
    {
        counted_.Length = counted_.MaximumLength = static_cast<USHORT>(text_.size() * sizeof(WCHAR));
        counted_.Buffer = text_.data();
    }
    bool Fits() const { return text_.size() <= kMaxNameChars; }
    PUNICODE_STRING get() { return &counted_; }

private:
    std::wstring text_;
    UNICODE_STRING counted_{};
};

// Asks again with the size the call reported while the value outgrows the buffer.
template <typename Call>
NTSTATUS CallGrowing(std::vector<BYTE>& buffer, Call call)
{
    NTSTATUS status = kBufferTooSmall;
    for (int attempt = 0; attempt < 4; ++attempt) {
        ULONG needed = 0;
        status = call(buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status != kBufferOverflow && status != kBufferTooSmall)
            return status;
        buffer.resize(std::max<size_t>(needed, buffer.size() * 2));
    }
    return status;
}

} // namespace

std::vector<RegistryValue> ReadNamedValues(HKEY key)
{
    std::vector<RegistryValue> values;
    const NativeCalls& calls = Native();
    if (!calls.Loaded())
        return values;
    std::vector<BYTE> buffer(512);
    for (ULONG index = 0; index < kMaxEnumerated; ++index) {
        const NTSTATUS status = CallGrowing(buffer, [&](PVOID out, ULONG size, PULONG needed) {
            return calls.enumerate(key, index, kFullInformation, out, size, needed);
        });
        if (status != 0)
            break; // no more values
        const auto* info = reinterpret_cast<const FullInformation*>(buffer.data());
        const size_t nameEnd = offsetof(FullInformation, name) + info->nameLength;
        if (info->nameLength == 0 || nameEnd > buffer.size() ||
            static_cast<size_t>(info->dataOffset) + info->dataLength > buffer.size())
            continue;
        values.push_back({Narrow(info->name, info->nameLength / sizeof(WCHAR)), info->type,
                          DataFromRegistry(info->type, buffer.data() + info->dataOffset, info->dataLength)});
    }
    return values;
}

LONG QueryNamedValue(HKEY key, const std::string& name, DWORD& type, std::string& data)
{
    data.clear();
    const NativeCalls& calls = Native();
    CountedName counted(name);
    if (!calls.Loaded() || !counted.Fits())
        return ERROR_INVALID_FUNCTION;
    std::vector<BYTE> buffer(512);
    const NTSTATUS status = CallGrowing(buffer, [&](PVOID out, ULONG size, PULONG needed) {
        return calls.query(key, counted.get(), kPartialInformation, out, size, needed);
    });
    if (status != 0)
        return Win32Code(status);
    const auto* info = reinterpret_cast<const PartialInformation*>(buffer.data());
    const size_t dataEnd = offsetof(PartialInformation, data) + info->dataLength;
    if (dataEnd > buffer.size())
        return ERROR_INVALID_DATA;
    type = info->type;
    data = DataFromRegistry(info->type, info->data, info->dataLength);
    return ERROR_SUCCESS;
}

LONG SetNamedValue(HKEY key, const std::string& name, DWORD type, const std::string& data)
{
    const NativeCalls& calls = Native();
    CountedName counted(name);
    if (!calls.Loaded() || !counted.Fits())
        return ERROR_INVALID_FUNCTION;
    std::string stored = DataToRegistry(type, data);
    return Win32Code(calls.set(key, counted.get(), 0, type, stored.data(), static_cast<ULONG>(stored.size())));
}

LONG DeleteNamedValue(HKEY key, const std::string& name)
{
    const NativeCalls& calls = Native();
    CountedName counted(name);
    if (!calls.Loaded() || !counted.Fits())
        return ERROR_INVALID_FUNCTION;
    return Win32Code(calls.remove(key, counted.get()));
}
