#include "win32/dialog_texts.h"

namespace win32 {

void ApplyTexts(const Dialog& dialog, CResourceText& texts, const char* captionKey,
                std::initializer_list<TextItem> items)
{
    if (captionKey)
        dialog.SetCaption(texts.Text(captionKey));
    for (const TextItem& item : items)
        dialog.SetItemText(item.id, texts.Text(item.key));
}

} // namespace win32
