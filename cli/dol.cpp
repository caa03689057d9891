#include "cli/dol.h"

#include <algorithm>

#include "core/ber_reader.h"

bool ParseDol(const std::vector<uint8_t>& list, std::vector<DolEntry>* entries) {
    entries->clear();
    size_t at = 0;
    while (at < list.size()) {
        bool tooLong = false;
        const uint32_t tagSize =
            BerTagSize(list.data() + at, static_cast<uint32_t>(list.size() - at), &tooLong);
        if (tagSize == 0 || at + tagSize >= list.size()) {
            return false;
        }
        DolEntry entry;
        entry.tag.assign(list.begin() + static_cast<long>(at),
                         list.begin() + static_cast<long>(at + tagSize));
        entry.length = list[at + tagSize];
        entries->push_back(entry);
        at += tagSize + 1;
    }
    return true;
}

DolSplit SplitAlongDol(const std::vector<DolEntry>& entries, const std::vector<uint8_t>& data) {
    DolSplit split;
    size_t at = 0;
    for (const DolEntry& entry : entries) {
        DolEntry filled = entry;
        const size_t take = std::min<size_t>(entry.length, data.size() - at);
        filled.value.assign(data.begin() + static_cast<long>(at),
                            data.begin() + static_cast<long>(at + take));
        split.missing += entry.length - static_cast<uint32_t>(take);
        at += take;
        split.entries.push_back(filled);
    }
    split.extra.assign(data.begin() + static_cast<long>(at), data.end());
    return split;
}
