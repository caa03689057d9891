// The DE Description panel's row for one dictionary entry. Qt-free, so that the panel and the
// command-line tool build it the same way.
#ifndef QUORVEL_PANELS_DESCRIPTION_ROW_H
#define QUORVEL_PANELS_DESCRIPTION_ROW_H

#include <string>

enum { DESCRIPTION_COLUMN_COUNT = 7 };

// "Name", "Description", "Source", "Format", "Template", "Tag", "Length".
extern const char* const kDescriptionColumnTitles[DESCRIPTION_COLUMN_COUNT];

struct DescriptionRow {
    std::string cells[DESCRIPTION_COLUMN_COUNT];
};

// False for index 0 and for indices outside the dictionary: the panel then shows no row.
bool BuildDescriptionRow(int index, DescriptionRow* row);

#endif
