// How the columns of a grid share its width. Qt-free arithmetic, tested on its own.
#ifndef QUORVEL_PLATFORM_COLUMN_WIDTHS_H
#define QUORVEL_PLATFORM_COLUMN_WIDTHS_H

#include <vector>

// Shares `total` pixels among the columns in proportion to their weights, giving no column less
// than its minimum: a column whose share falls short takes its minimum, and the others share
// what is left, again by weight. When the minimums alone exceed `total`, every column gets its
// minimum. A column with `fixed` set to a width >= 0 takes exactly that width first.
// `minimums` and `fixed` may be shorter than `weights` (missing entries: 0 and -1).
std::vector<int> ShareColumnWidths(int total, const std::vector<int>& weights,
                                   const std::vector<int>& minimums,
                                   const std::vector<int>& fixed = {});

#endif
