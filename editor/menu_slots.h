// The command ids of the data element menu: four tables of slots, one per kind of menu, each
// slot naming the tag of the element its item creates.
#ifndef QUORVEL_EDITOR_MENU_SLOTS_H
#define QUORVEL_EDITOR_MENU_SLOTS_H

#include <stdint.h>

enum MenuKind {
    MENU_KIND_CREATE = 0,
    MENU_KIND_ADD = 1,
    MENU_KIND_INSERT_ABOVE = 2,
    MENU_KIND_INSERT_BELOW = 3,
    MENU_KIND_COUNT = 4,
};

enum DataElementCommandId {
    ID_DE_ADD_PADDING = 42990,
    ID_DE_INSERT_PADDING_ABOVE = 42991,
    ID_DE_INSERT_PADDING_BELOW = 42992,
    ID_DE_CREATE_FIRST = 43000,
    ID_DE_ADD_FIRST = 43200,
    ID_DE_INSERT_ABOVE_FIRST = 43400,
    ID_DE_INSERT_BELOW_FIRST = 43600,
    ID_DE_DELETE = 32845,
};

// Status-bar prompt and tooltip of Delete.
extern const char kDeletePrompt[];
extern const char kDeleteTip[];

enum { MENU_SLOT_CAPACITY = 200 };

struct MenuSlot {
    uint32_t commandId;
    uint8_t tag[2];
    uint8_t tagLength;
};

struct MenuSlotTable {
    uint32_t base;
    uint32_t count;
    MenuSlot entries[MENU_SLOT_CAPACITY];
};

// Appends a slot for the tag; null when the table is full.
const MenuSlot* AddMenuSlot(MenuSlotTable* table, const uint8_t* tag, uint8_t tagLength);
// The slot of a command id, or null when the id is not a valid slot of the table.
const MenuSlot* FindMenuSlot(const MenuSlotTable* table, uint32_t commandId);

#endif
