#pragma once
// Replaces a dialog's caption and control texts with the interface texts.
#include <functional>
#include <initializer_list>
#include <string>

#include "win32/dialog.h"

namespace win32 {

struct TextItem {
    int id;          // control id
    const char* key; // key in section Resource
};

// The text of a key (the interface text file's lookup in the program).
using TextLookup = std::function<std::string(const std::string& key)>;

// Caption from `captionKey` (none when null), then each control's text.
void ApplyTexts(const Dialog& dialog, const TextLookup& lookup, const char* captionKey,
                std::initializer_list<TextItem> items);

} // namespace win32
