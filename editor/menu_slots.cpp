#include "editor/menu_slots.h"

#include <string.h>

const MenuSlot* AddMenuSlot(MenuSlotTable* table, const uint8_t* tag, uint8_t tagLength) {
    if (table->count >= MENU_SLOT_CAPACITY || tagLength < 1 || tagLength > 2) {
        return nullptr;
    }
    MenuSlot* slot = &table->entries[table->count];
    slot->commandId = table->base + table->count;
    memset(slot->tag, 0, sizeof slot->tag);
    memcpy(slot->tag, tag, tagLength);
    slot->tagLength = tagLength;
    ++table->count;
    return slot;
}

const MenuSlot* FindMenuSlot(const MenuSlotTable* table, uint32_t commandId) {
    if (commandId < table->base || commandId >= table->base + table->count) {
        return nullptr;
    }
    return &table->entries[commandId - table->base];
}

const char kDeletePrompt[] = "Delete Data Elementt";
const char kDeleteTip[] = "Delete";
