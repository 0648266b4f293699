#pragma once
// Replaces a dialog's caption and control texts with the interface texts.
#include <initializer_list>

#include "common/resource_text.h"
#include "win32/dialog.h"

namespace win32 {

struct TextItem {
    int id;          // control id
    const char* key; // key in section Resource
};

// Caption from `captionKey` (none when null), then each control's text.
void ApplyTexts(const Dialog& dialog, CResourceText& texts, const char* captionKey,
                std::initializer_list<TextItem> items);

} // namespace win32
