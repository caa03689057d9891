#include "dictionary/card_number_mask.h"

#include <string.h>

#include <algorithm>

#include "core/ber_reader.h"

namespace {

enum {
    kKeptLeadingDigits = 6,
    kKeptTrailingDigits = 4,
    kNoDigit = 0xFF,
};

const uint8_t kPanTag[] = {0x5A};
const uint8_t kTrack2Tag[] = {0x57};
const uint8_t kTrack1DiscretionaryTag[] = {0x9F, 0x1F};
const uint8_t kTrack2DiscretionaryTag[] = {0x9F, 0x20};
// Contactless cards carry their magnetic stripe images in tags of their own.
const uint8_t kTrack1DataTag[] = {0x56};
const uint8_t kTrack2DataTag[] = {0x9F, 0x6B};

bool IsTag(const uint8_t* tag, uint32_t tagLength, const uint8_t* wanted, uint32_t wantedLength) {
    return tag != nullptr && tagLength == wantedLength && memcmp(tag, wanted, tagLength) == 0;
}

// Whether digit `i` of a card number of `count` digits is hidden.
bool IsHiddenDigit(size_t i, size_t count) {
    return count <= kKeptLeadingDigits + kKeptTrailingDigits ||
           (i >= kKeptLeadingDigits && i < count - kKeptTrailingDigits);
}

uint8_t NibbleAt(const uint8_t* value, size_t i) {
    return i % 2 == 0 ? value[i / 2] >> 4 : value[i / 2] & 0x0F;
}

// The position of the first nibble equal to `wanted`, or `count` when there is none.
size_t FindNibble(const uint8_t* value, size_t count, uint8_t wanted) {
    for (size_t i = 0; i < count; ++i) {
        if (NibbleAt(value, i) == wanted) {
            return i;
        }
    }
    return count;
}

// Whether digit `i` of a card number is hidden when the number may go on past its last digit
// seen, in a value cut short: its last four are not known, so only the first six show.
bool IsHiddenDigitOfCutNumber(size_t i) {
    return i >= kKeptLeadingDigits;
}

// The card number in nibbles 0 to `digits` - 1; `cut` when it reaches the end of a value cut
// short.
void HideLeadingNumber(size_t digits, bool cut, DigitMask::iterator flags) {
    for (size_t i = 0; i < digits; ++i) {
        flags[static_cast<std::ptrdiff_t>(i)] =
            cut ? IsHiddenDigitOfCutNumber(i) : IsHiddenDigit(i, digits);
    }
}

// Every long run of decimal units (nibbles or characters, `width` flags each) is a card number;
// in a value cut short (`cut`), so may be a run of any length at its end.
template <typename DigitOf>
void HideDigitRuns(size_t units, size_t width, bool cut, DigitOf isDigit,
                   DigitMask::iterator flags) {
    size_t runStart = 0;
    for (size_t i = 0; i <= units; ++i) {
        if (i < units && isDigit(i)) {
            continue;
        }
        const size_t run = i - runStart;
        const bool runCut = cut && i == units;
        if (run >= CARD_NUMBER_SHORTEST_RUN || runCut) {
            for (size_t j = 0; j < run; ++j) {
                for (size_t k = 0; k < width; ++k) {
                    flags[static_cast<std::ptrdiff_t>((runStart + j) * width + k)] =
                        runCut ? IsHiddenDigitOfCutNumber(j) : IsHiddenDigit(j, run);
                }
            }
        }
        runStart = i + 1;
    }
}

// Sets the flags of a value whose 2 * length flags start at `flags`; `cut` when the value is
// only the start of a longer one.
void MarkValue(const uint8_t* tag, uint32_t tagLength, const uint8_t* value, uint32_t length,
               bool cut, DigitMask::iterator flags) {
    if (value == nullptr || length == 0) {
        return;
    }
    const size_t nibbles = 2 * static_cast<size_t>(length);
    if (IsTag(tag, tagLength, kPanTag, sizeof kPanTag)) {
        const size_t digits = FindNibble(value, nibbles, 0x0F);
        HideLeadingNumber(digits, cut && digits == nibbles, flags);
    } else if (IsTag(tag, tagLength, kTrack2Tag, sizeof kTrack2Tag) ||
               IsTag(tag, tagLength, kTrack2DataTag, sizeof kTrack2DataTag)) {
        size_t digits = FindNibble(value, nibbles, 0x0D);
        if (digits == nibbles) {
            digits = FindNibble(value, nibbles, 0x0F);
        }
        HideLeadingNumber(digits, cut && digits == nibbles, flags);
    } else if (IsTag(tag, tagLength, kTrack2DiscretionaryTag, sizeof kTrack2DiscretionaryTag)) {
        HideDigitRuns(
            nibbles, 1, cut, [value](size_t i) { return NibbleAt(value, i) <= 9; }, flags);
    } else if (IsTag(tag, tagLength, kTrack1DiscretionaryTag, sizeof kTrack1DiscretionaryTag) ||
               IsTag(tag, tagLength, kTrack1DataTag, sizeof kTrack1DataTag)) {
        HideDigitRuns(
            length, 2, cut, [value](size_t i) { return value[i] >= '0' && value[i] <= '9'; },
            flags);
    }
}

// Sets the flags of the elements the cursor reads; `flags` belong to the cursor's whole input.
void MarkElements(BerCursor* cursor, int depth, DigitMask::iterator flags) {
    BerElement element;
    while (BerReadNext(cursor, &element, nullptr) == TLV_OK) {
        if (element.kind == TLV_KIND_CONSTRUCTED) {
            if (depth < BER_MAX_DEPTH) {
                BerCursor inner;
                BerCursorEnter(cursor, &element, &inner);
                MarkElements(&inner, depth + 1, flags);
            }
        } else if (element.kind == TLV_KIND_PRIMITIVE) {
            const uint8_t* value = BerValueOf(&element);
            MarkValue(element.start, element.tagLength, value, element.valueLength, false,
                      flags + 2 * (value - cursor->base));
        }
    }
}

// Where the value after a length field at `bytes[at]` starts and how long it is, as far as the
// bytes go, and whether the bytes end before the value does. A length field the reader refuses
// (80, 83 and up) is taken to run past the end: what follows it may still be a card number.
void LooseValue(const uint8_t* bytes, uint32_t size, uint32_t at, uint32_t* valueAt,
                uint32_t* length, bool* cut) {
    const uint8_t first = bytes[at];
    uint32_t declared = size;
    uint32_t fieldSize = 1;
    if (first < 0x80) {
        declared = first;
    } else if (first == 0x81 && size - at > 1) {
        declared = bytes[at + 1];
        fieldSize = 2;
    } else if (first == 0x82 && size - at > 2) {
        declared = static_cast<uint32_t>(bytes[at + 1]) << 8 | bytes[at + 2];
        fieldSize = 3;
    }
    *valueAt = std::min(at + fieldSize, size);
    *length = std::min(declared, size - *valueAt);
    *cut = declared > *length;
}

// Sets the flags of every value that a tag of a card number element introduces, as far as the
// bytes go; `flags` belong to the bytes.
void MarkLooseValues(const uint8_t* bytes, uint32_t size, DigitMask::iterator flags) {
    const struct {
        const uint8_t* tag;
        uint32_t length;
    } kTags[] = {{kPanTag, sizeof kPanTag},
                 {kTrack2Tag, sizeof kTrack2Tag},
                 {kTrack1DiscretionaryTag, sizeof kTrack1DiscretionaryTag},
                 {kTrack2DiscretionaryTag, sizeof kTrack2DiscretionaryTag},
                 {kTrack1DataTag, sizeof kTrack1DataTag},
                 {kTrack2DataTag, sizeof kTrack2DataTag}};
    DigitMask value;
    for (uint32_t at = 0; at < size; ++at) {
        for (const auto& tag : kTags) {
            if (size - at <= tag.length || memcmp(bytes + at, tag.tag, tag.length) != 0) {
                continue;
            }
            uint32_t valueAt = 0;
            uint32_t length = 0;
            bool cut = false;
            LooseValue(bytes, size, at + tag.length, &valueAt, &length, &cut);
            value.assign(2 * static_cast<size_t>(length), false);
            MarkValue(tag.tag, tag.length, bytes + valueAt, length, cut, value.begin());
            for (size_t i = 0; i < value.size(); ++i) {
                if (value[i]) {
                    flags[static_cast<std::ptrdiff_t>(2 * static_cast<size_t>(valueAt) + i)] = true;
                }
            }
        }
    }
}

}  // namespace

void AppendValueMask(const uint8_t* tag, uint32_t tagLength, const uint8_t* value, uint32_t length,
                     DigitMask* mask) {
    const size_t start = mask->size();
    mask->resize(start + 2 * static_cast<size_t>(length), false);
    MarkValue(tag, tagLength, value, length, false,
              mask->begin() + static_cast<std::ptrdiff_t>(start));
}

void AppendElementsMask(const uint8_t* bytes, uint32_t size, uint8_t rules, DigitMask* mask) {
    const size_t start = mask->size();
    mask->resize(start + 2 * static_cast<size_t>(size), false);
    if (bytes == nullptr || size == 0) {
        return;
    }
    BerCursor cursor;
    BerCursorInit(&cursor, bytes, size, rules);
    MarkElements(&cursor, 0, mask->begin() + static_cast<std::ptrdiff_t>(start));
}

void AppendDamagedElementsMask(const uint8_t* bytes, uint32_t size, DigitMask* mask) {
    const size_t start = mask->size();
    AppendElementsMask(bytes, size, BER_RULES_GENERAL, mask);
    if (bytes != nullptr) {
        MarkLooseValues(bytes, size, mask->begin() + static_cast<std::ptrdiff_t>(start));
    }
}

void AppendNodeMask(const TlvNode* node, int contentOnly, DigitMask* mask) {
    uint8_t kind = 0;
    if (TlvGetKind(node, &kind) != TLV_OK) {
        return;
    }
    if (kind == TLV_KIND_PADDING) {
        mask->resize(mask->size() + 2 * static_cast<size_t>(node->valueLength), false);
        return;
    }
    if (contentOnly == 0) {
        mask->resize(mask->size() + 2 * static_cast<size_t>(node->tagLength + node->lengthSize),
                     false);
    }
    if (kind == TLV_KIND_PRIMITIVE) {
        AppendValueMask(node->tag, node->tagLength, static_cast<const uint8_t*>(node->data),
                        node->valueLength, mask);
        return;
    }
    uint8_t count = 0;
    TlvGetChildCount(node, &count);
    for (uint8_t i = 0; i < count; ++i) {
        TlvNode* child = nullptr;
        if (TlvGetChild(node, i, &child, nullptr) != TLV_OK) {
            return;
        }
        AppendNodeMask(child, 0, mask);
    }
}

bool MaskHidesAny(const DigitMask& mask) {
    for (const bool hidden : mask) {
        if (hidden) {
            return true;
        }
    }
    return false;
}

void HideDamagedElementsToo(const uint8_t* bytes, uint32_t size, DigitMask* mask) {
    DigitMask damaged;
    AppendDamagedElementsMask(bytes, size, &damaged);
    const size_t count = std::min(damaged.size(), mask->size());
    for (size_t i = 0; i < count; ++i) {
        if (damaged[i]) {
            (*mask)[i] = true;
        }
    }
}

std::string MaskedHexText(const std::string& hex, const DigitMask& mask) {
    std::string shown = hex;
    const size_t count = shown.size() < mask.size() ? shown.size() : mask.size();
    for (size_t i = 0; i < count; ++i) {
        if (mask[i]) {
            shown[i] = '*';
        }
    }
    return shown;
}

std::string MaskedByteText(const std::string& text, const DigitMask& mask) {
    std::string shown = text;
    for (size_t i = 0; i < shown.size() && 2 * i + 1 < mask.size(); ++i) {
        if (mask[2 * i] || mask[2 * i + 1]) {
            shown[i] = '*';
        }
    }
    return shown;
}

std::string MaskCardNumber(const std::string& digits) {
    std::string shown = digits;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (IsHiddenDigit(i, shown.size())) {
            shown[i] = '*';
        }
    }
    return shown;
}
