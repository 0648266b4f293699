#pragma once
// The vendor table and the model tables of the processor identification.
#include <cstdint>
#include <optional>
#include <string>

enum CpuVendor : int32_t {
    kVendorAmd = 0,
    kVendorIntel = 1,
    kVendorNationalSemi = 2,
    kVendorUmc = 3,
    kVendorCyrix = 4,
    kVendorNexGen = 5,
    kVendorCentaur = 6,
    kVendorRise = 7,
    kVendorTransmeta = 8,
    kVendorUnknown = 9,
};

// Exact, case-sensitive match of the 12-character vendor string.
CpuVendor VendorFromString(const std::string& vendorString);

struct CpuModelKey {
    int32_t vendor = kVendorUnknown;
    uint32_t family = 0;
    uint32_t model = 0;
    uint32_t extendedFamily = 0;
    bool multiprocessorCapable = false;
};

// The model-table name; no value when the table leaves the name as it is. Names that begin
// with the word Unknown mean the processor was not recognised.
std::optional<std::string> ModelTableName(const CpuModelKey& key);
bool IsUnknownName(const std::string& name);
