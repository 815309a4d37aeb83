// Searching a window class's message table and its bases' tables.
#include "platform/ui/MessageMap.h"

namespace ui {

const MessageEntry* FindMessageEntry(const MessageMap* map, UINT message, UINT code, UINT id)
{
    for (; map; map = map->base ? map->base() : nullptr) {
        for (const MessageEntry* entry = map->entries; entry->call; ++entry) {
            if (entry->message != message || entry->code != code)
                continue;
            // Command ids travel in 16 bits, so IDC_STATIC (-1) matches 0xFFFF.
            if (message == WM_COMMAND ? (entry->id & 0xFFFF) == (id & 0xFFFF) : entry->id == id)
                return entry;
        }
    }
    return nullptr;
}

} // namespace ui
