#include "platform/column_widths.h"

#include <algorithm>

std::vector<int> ShareColumnWidths(int total, const std::vector<int>& weights,
                                   const std::vector<int>& minimums,
                                   const std::vector<int>& fixed) {
    const size_t count = weights.size();
    std::vector<int> widths(count, 0);
    std::vector<bool> settled(count, false);
    const auto minimumOf = [&minimums](size_t column) {
        return column < minimums.size() ? std::max(0, minimums[column]) : 0;
    };
    long long left = total;
    for (size_t column = 0; column < count && column < fixed.size(); ++column) {
        if (fixed[column] >= 0) {
            widths[column] = fixed[column];
            settled[column] = true;
            left -= fixed[column];
        }
    }
    // Each round settles every column whose share falls below its minimum; the shares of the
    // others only shrink from round to round, so at most `count` rounds are needed.
    for (;;) {
        long long weightSum = 0;
        for (size_t column = 0; column < count; ++column) {
            if (!settled[column]) {
                weightSum += std::max(1, weights[column]);
            }
        }
        if (weightSum == 0) {
            break;
        }
        // Every share of a round comes from what was left when the round began.
        const long long roundLeft = std::max(0LL, left);
        bool settledAny = false;
        for (size_t column = 0; column < count; ++column) {
            if (settled[column]) {
                continue;
            }
            const long long share = roundLeft * std::max(1, weights[column]) / weightSum;
            if (share < minimumOf(column)) {
                widths[column] = minimumOf(column);
                settled[column] = true;
                left -= widths[column];
                settledAny = true;
            }
        }
        if (settledAny) {
            continue;
        }
        // Everyone left fits: hand out the shares, the last column taking the rounding rest.
        size_t last = count;
        long long handedOut = 0;
        for (size_t column = 0; column < count; ++column) {
            if (!settled[column]) {
                widths[column] = static_cast<int>(std::max(0LL, left) *
                                                  std::max(1, weights[column]) / weightSum);
                handedOut += widths[column];
                last = column;
            }
        }
        if (last < count) {
            widths[last] += static_cast<int>(std::max(0LL, left) - handedOut);
        }
        break;
    }
    return widths;
}
