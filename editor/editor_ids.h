// Numeric ids of the view's controls, notifications and commands.
#ifndef QUORVEL_EDITOR_EDITOR_IDS_H
#define QUORVEL_EDITOR_EDITOR_IDS_H

enum EditorControlId {
    IDC_ELEMENT_GRID = 1,
    IDC_BYTE_GRID_8 = 2,
    IDC_BYTE_GRID_16 = 3,
    IDC_BYTE_GRID_32 = 4,
    IDC_ENCODE = 1901,
    IDC_PARSE = 1902,
    IDC_DISPLAY_MODE = 1903,
    IDC_ENCODED_TEXT = 1904,
};

// The data element grid's two notifications to its view.
enum GridNotification {
    WM_GRID_SELCHANGED = 0x0637,   // handled before the grid goes on
    WM_GRID_ITEMCHANGED = 0x0638,  // handled after the grid has finished the edit
};

enum EditorCommandId {
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    // The copy commands of the grid's context menu, beside Copy (ID_EDIT_COPY).
    ID_COPY_ELEMENT = 32881,
    ID_COPY_VALUE = 32882,
    ID_COPY_TREE_TEXT = 32883,
    ID_COPY_TREE_JSON = 32884,
};

#endif
