#include "win32/dialog_texts.h"

namespace win32 {

void ApplyTexts(const Dialog& dialog, const TextLookup& lookup, const char* captionKey,
                std::initializer_list<TextItem> items)
{
    if (captionKey)
        dialog.SetCaption(lookup(captionKey));
    for (const TextItem& item : items)
        dialog.SetItemText(item.id, lookup(item.key));
}

} // namespace win32
