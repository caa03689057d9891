#include "bench/record_lines.h"

#include <stdio.h>

#include <random>
#include <vector>

namespace {

struct ElementKind {
    uint8_t tag[2];
    uint8_t tagLength;
    uint8_t minLength;
    uint8_t maxLength;
};

// Primitive elements of card records and responses, with the lengths they take.
const ElementKind kElements[] = {
    {{0x5A}, 1, 8, 10},      {{0x5F, 0x24}, 2, 3, 3},  {{0x5F, 0x25}, 2, 3, 3},
    {{0x5F, 0x28}, 2, 2, 2}, {{0x5F, 0x34}, 2, 1, 1},  {{0x9F, 0x02}, 2, 6, 6},
    {{0x9F, 0x03}, 2, 6, 6}, {{0x9F, 0x1A}, 2, 2, 2},  {{0x95}, 1, 5, 5},
    {{0x5F, 0x2A}, 2, 2, 2}, {{0x9A}, 1, 3, 3},        {{0x9C}, 1, 1, 1},
    {{0x9F, 0x37}, 2, 4, 4}, {{0x9F, 0x27}, 2, 1, 1},  {{0x9F, 0x36}, 2, 2, 2},
    {{0x9F, 0x26}, 2, 8, 8}, {{0x9F, 0x10}, 2, 7, 32}, {{0x82}, 1, 2, 2},
    {{0x94}, 1, 4, 16},      {{0x8C}, 1, 12, 27},      {{0x8D}, 1, 12, 27},
    {{0x8E}, 1, 10, 20},     {{0x9F, 0x07}, 2, 2, 2},  {{0x9F, 0x0D}, 2, 5, 5},
    {{0x9F, 0x0E}, 2, 5, 5}, {{0x9F, 0x0F}, 2, 5, 5},  {{0x57}, 1, 13, 19},
    {{0x9F, 0x4A}, 2, 1, 1}, {{0x5F, 0x30}, 2, 2, 2},  {{0x9F, 0x08}, 2, 2, 2},
};

class RecordMaker {
public:
    explicit RecordMaker(uint32_t seed) : random_(seed) {}

    // One record of exactly `size` bytes (30 to 150).
    std::vector<uint8_t> Make(size_t size) {
        std::vector<uint8_t> record;
        record.push_back(Below(2) == 0 ? 0x70 : 0x77);
        size_t value = size - 2;
        if (value >= 0x80) {
            record.push_back(0x81);
            --value;
        }
        record.push_back(static_cast<uint8_t>(value));
        if (Below(4) == 0) {
            const size_t inner = value / 3;
            record.push_back(0xA5);
            record.push_back(static_cast<uint8_t>(inner - 2));
            Fill(inner - 2, &record);
            Fill(value - inner, &record);
        } else {
            Fill(value, &record);
        }
        return record;
    }

private:
    uint32_t Below(uint32_t bound) { return random_() % bound; }

    void Element(const uint8_t* tag, size_t tagLength, size_t length, std::vector<uint8_t>* out) {
        out->insert(out->end(), tag, tag + tagLength);
        out->push_back(static_cast<uint8_t>(length));
        for (size_t i = 0; i < length; ++i) {
            out->push_back(static_cast<uint8_t>(Below(256)));
        }
    }

    // Elements filling exactly `room` bytes (at least 2, below 128).
    void Fill(size_t room, std::vector<uint8_t>* out) {
        static const uint8_t kFiller[1] = {0x8E};
        while (room > 0) {
            const ElementKind& kind = kElements[Below(sizeof kElements / sizeof kElements[0])];
            const size_t length = kind.minLength + Below(kind.maxLength - kind.minLength + 1u);
            const size_t total = kind.tagLength + 1 + length;
            if (total == room || total + 2 <= room) {
                Element(kind.tag, kind.tagLength, length, out);
                room -= total;
            } else {
                // The rest goes to one element whose length can be anything.
                Element(kFiller, 1, room - 2, out);
                room = 0;
            }
        }
    }

    std::mt19937 random_;
};

}  // namespace

bool WriteRecordLines(const std::string& path, size_t count, uint32_t seed,
                      RecordFileStats* stats) {
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    RecordMaker maker(seed);
    std::mt19937 sizes(seed + 1);
    *stats = RecordFileStats{count, 0, 0};
    std::string line;
    static const char kDigits[] = "0123456789ABCDEF";
    for (size_t i = 0; i < count; ++i) {
        const std::vector<uint8_t> record = maker.Make(30 + sizes() % 121);
        line.clear();
        for (const uint8_t byte : record) {
            line += kDigits[byte >> 4];
            line += kDigits[byte & 0x0F];
        }
        line += '\n';
        stats->bytes += record.size();
        stats->textBytes += line.size();
        fwrite(line.data(), 1, line.size(), file);
    }
    return fclose(file) == 0;
}
