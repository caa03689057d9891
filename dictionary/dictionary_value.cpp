// DictSetValue: fitting a value to an entry's length rule and checking it against its format.
#include <stdlib.h>
#include <string.h>

#include "dictionary/dictionary.h"

namespace {

void ClearValue(DataElementDef* entry) {
    free(entry->value);
    entry->value = nullptr;
    entry->valueLength = 0;
}

bool IsDigit(uint8_t half) {
    return half <= 9;
}

bool IsLetter(uint8_t byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
}

bool IsAlphaNumeric(uint8_t byte) {
    return IsLetter(byte) || (byte >= '0' && byte <= '9');
}

// The longest value the entry's rule allows: the fixed length, the range maximum, or the last
// length of a list.
uint16_t LengthLimit(const DataElementDef* entry) {
    if ((entry->format & FORMAT_RULE_MASK) == FORMAT_RULE_FIXED) {
        return entry->lengths[1];
    }
    const uint8_t count =
        entry->lengthCount >= 1 && entry->lengthCount <= 5 ? entry->lengthCount : 1;
    return entry->lengths[count - 1];
}

// Strict check of an ICC element's length; DE_ERR_LENGTH_RULE for an entry without a rule.
TlvResult CheckLength(const DataElementDef* entry, uint16_t length) {
    switch (entry->format & FORMAT_RULE_MASK) {
        case FORMAT_RULE_FIXED:
            return length == entry->lengths[1] ? TLV_OK : DE_ERR_VALUE_LENGTH;
        case FORMAT_RULE_RANGE:
            return length >= entry->lengths[0] && length <= entry->lengths[1] ? TLV_OK
                                                                              : DE_ERR_VALUE_LENGTH;
        case FORMAT_RULE_LIST:
            for (uint8_t i = 0; i < entry->lengthCount && i < 5; ++i) {
                if (length == entry->lengths[i]) {
                    return TLV_OK;
                }
            }
            return DE_ERR_VALUE_LENGTH;
        default:
            return DE_ERR_LENGTH_RULE;
    }
}

bool CheckCompressedNumeric(const uint8_t* value, uint16_t length) {
    bool filler = false;
    for (uint16_t i = 0; i < length; ++i) {
        const uint8_t halves[2] = {static_cast<uint8_t>(value[i] >> 4),
                                   static_cast<uint8_t>(value[i] & 0x0F)};
        for (uint8_t half : halves) {
            if (half == 0x0F) {
                filler = true;
            } else if (filler || !IsDigit(half)) {
                return false;
            }
        }
    }
    return true;
}

// Application Label and Application Preferred Name are shown to cardholders: bytes they may not
// display become spaces in the stored copy instead of being refused.
const int kApplicationLabel = 19;
const int kApplicationPreferredName = 20;

bool CheckAlphaNumericString(const DataElementDef* entry, uint8_t* value, uint16_t length) {
    const bool label = entry == DictGetEntry(kApplicationLabel);
    const bool preferredName = entry == DictGetEntry(kApplicationPreferredName);
    for (uint16_t i = 0; i < length; ++i) {
        const uint8_t byte = value[i];
        if (IsAlphaNumeric(byte) || byte == ' ') {
            continue;
        }
        const bool control = byte < 0x20 || byte == 0x7F;
        if (label || (preferredName && control)) {
            value[i] = ' ';
        } else if (!preferredName && (byte == 0x00 || byte >= 0x80)) {
            return false;
        }
    }
    return true;
}

bool CheckFormat(const DataElementDef* entry, uint8_t* value, uint16_t length) {
    switch (entry->format & FORMAT_KIND_MASK) {
        case FORMAT_N:
            for (uint16_t i = 0; i < length; ++i) {
                if (!IsDigit(value[i] >> 4) || !IsDigit(value[i] & 0x0F)) {
                    return false;
                }
            }
            return true;
        case FORMAT_CN:
            return CheckCompressedNumeric(value, length);
        case FORMAT_AN:
            for (uint16_t i = 0; i < length; ++i) {
                if (!IsAlphaNumeric(value[i])) {
                    return false;
                }
            }
            return true;
        case FORMAT_A:
            for (uint16_t i = 0; i < length; ++i) {
                if (!IsLetter(value[i])) {
                    return false;
                }
            }
            return true;
        case FORMAT_ANS:
            return CheckAlphaNumericString(entry, value, length);
        default:
            return true;
    }
}

}  // namespace

TlvResult DictSetValue(DataElementDef* entry, const uint8_t* value, uint16_t length,
                       int refuseReplace) {
    if (entry == nullptr || (value == nullptr && length > 0)) {
        return TLV_ERR_PARAM;
    }
    if (entry->value != nullptr && entry->valueLength != 0) {
        if (refuseReplace != 0) {
            return DE_ERR_VALUE_SET;
        }
    }
    ClearValue(entry);

    uint16_t target = length;
    if ((entry->source & SOURCE_ICC) != 0) {
        const TlvResult result = CheckLength(entry, length);
        if (result != TLV_OK) {
            return result;
        }
    } else if ((entry->format & FORMAT_RULE_MASK) == FORMAT_RULE_FIXED) {
        target = entry->lengths[1];
    } else {
        const uint16_t limit = LengthLimit(entry);
        target = length < limit ? length : limit;
    }

    uint8_t* stored = static_cast<uint8_t*>(malloc(static_cast<size_t>(target) + 1));
    if (stored == nullptr) {
        return TLV_ERR_MEMORY;
    }
    const uint16_t copied = length < target ? length : target;
    const uint16_t fill = target - copied;
    // Numeric values are right-justified behind zeros; compressed numeric ones are padded with
    // the F filler, everything else with zeros.
    const uint32_t kind = entry->format & FORMAT_KIND_MASK;
    const uint16_t at = kind == FORMAT_N ? fill : 0;
    memset(stored, kind == FORMAT_CN ? 0xFF : 0x00, target);
    if (copied > 0) {
        memcpy(stored + at, value, copied);
    }
    stored[target] = 0;
    entry->value = stored;
    entry->valueLength = target;
    return CheckFormat(entry, stored, target) ? TLV_OK : DE_ERR_VALUE_FORMAT;
}
