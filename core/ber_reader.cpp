#include "core/ber_reader.h"

#include <stddef.h>

namespace {

bool IsPaddingByte(uint8_t byte) {
    return byte == 0x00 || byte == 0xFF;
}

TlvResult Fail(BerDiagnostic* diagnostic, BerProblem problem, uint32_t offset) {
    if (diagnostic != nullptr) {
        diagnostic->problem = problem;
        diagnostic->offset = offset;
    }
    return TLV_ERR_FORMAT;
}

// Running out of bytes is a truncation at the top level; inside a template, whose value is known
// to lie within the input, the element overruns its template instead.
BerProblem Shortage(const BerCursor* cursor, BerProblem truncation) {
    return cursor->nested != 0 ? static_cast<BerProblem>(BER_PROBLEM_CHILD_OVERRUN) : truncation;
}

TlvResult ReadPadding(BerCursor* cursor, uint32_t available, BerElement* element) {
    const uint8_t* pos = cursor->pos;
    uint32_t count = 1;
    while (count < available && IsPaddingByte(pos[count])) {
        ++count;
    }
    // A run always ends at the end of the value or before a tag, never before more padding.
    const bool primitiveAfter = count < available && (pos[count] & 0x20) == 0;
    element->start = pos;
    element->offset = static_cast<uint32_t>(pos - cursor->base);
    element->valueLength = count;
    element->tagLength = 0;
    element->lengthSize = 0;
    element->kind = TLV_KIND_PADDING;
    element->warnings = cursor->previousKind != TLV_KIND_PRIMITIVE && !primitiveAfter
                            ? static_cast<uint8_t>(BER_WARNING_MISPLACED_PADDING)
                            : 0;
    cursor->pos += count;
    cursor->previousKind = TLV_KIND_PADDING;
    return TLV_OK;
}

// Bytes of the tag at `pos`, or 0 with the problem in `problem`.
uint32_t ReadTag(const BerCursor* cursor, const uint8_t* pos, uint32_t available,
                 BerProblem* problem) {
    if ((pos[0] & 0x1F) != 0x1F) {
        return 1;
    }
    if (cursor->rules == BER_RULES_STRICT) {
        if (available < 2) {
            *problem = Shortage(cursor, BER_PROBLEM_TRUNCATED_TAG);
            return 0;
        }
        return 2;
    }
    bool tooLong = false;
    const uint32_t size = BerTagSize(pos, available, &tooLong);
    if (size == 0) {
        *problem = tooLong ? static_cast<BerProblem>(BER_PROBLEM_TAG_TOO_LONG)
                           : Shortage(cursor, BER_PROBLEM_TRUNCATED_TAG);
    }
    return size;
}

}  // namespace

uint32_t BerTagSize(const uint8_t* bytes, uint32_t available, bool* tooLong) {
    *tooLong = false;
    if (available == 0) {
        return 0;
    }
    if ((bytes[0] & 0x1F) != 0x1F) {
        return 1;
    }
    // Subsequent bytes follow while bit 8 of the byte before is set.
    uint32_t at = 1;
    for (;;) {
        if (at >= available) {
            return 0;
        }
        if ((bytes[at++] & 0x80) == 0) {
            return at;
        }
        if (at == BER_MAX_TAG_LENGTH) {
            *tooLong = true;
            return 0;
        }
    }
}

void BerCursorInit(BerCursor* cursor, const uint8_t* input, uint32_t length, uint8_t rules) {
    cursor->base = input;
    cursor->pos = input;
    cursor->end = input + length;
    cursor->rules = rules;
    cursor->nested = 0;
    cursor->previousKind = 0;
}

void BerCursorEnter(const BerCursor* outer, const BerElement* element, BerCursor* inner) {
    inner->base = outer->base;
    inner->pos = BerValueOf(element);
    inner->end = inner->pos + element->valueLength;
    inner->rules = outer->rules;
    inner->nested = 1;
    inner->previousKind = 0;
}

namespace {

// Any element or padding run, and every problem. Kept out of line, so that the short way of
// BerReadNext does not pay for saving the registers this one needs.
__attribute__((noinline)) TlvResult ReadAnyElement(BerCursor* cursor, BerElement* element, BerDiagnostic* diagnostic) {
    const uint8_t* pos = cursor->pos;
    const uint32_t available = static_cast<uint32_t>(cursor->end - pos);
    const uint32_t offset = static_cast<uint32_t>(pos - cursor->base);
    if (IsPaddingByte(pos[0])) {
        return ReadPadding(cursor, available, element);
    }
    BerProblem problem = BER_PROBLEM_NONE;
    const uint32_t tagLength = ReadTag(cursor, pos, available, &problem);
    if (tagLength == 0) {
        return Fail(diagnostic, problem, offset);
    }
    uint32_t at = tagLength;
    if (at >= available) {
        return Fail(diagnostic, Shortage(cursor, BER_PROBLEM_TRUNCATED_LENGTH), offset);
    }
    const uint8_t first = pos[at++];
    uint32_t valueLength = first;
    uint8_t warnings = 0;
    if (first == 0x80) {
        return Fail(diagnostic, BER_PROBLEM_INDEFINITE_LENGTH, offset);
    }
    if (first > 0x80) {
        const uint32_t count = first & 0x7F;
        if (count > BER_MAX_LENGTH_SIZE - 1u) {
            return Fail(diagnostic, BER_PROBLEM_RESERVED_LENGTH, offset);
        }
        if (count > 1 && cursor->rules == BER_RULES_STRICT) {
            return Fail(diagnostic, BER_PROBLEM_LONG_LENGTH, offset);
        }
        if (count > available - at) {
            return Fail(diagnostic, Shortage(cursor, BER_PROBLEM_TRUNCATED_LENGTH), offset);
        }
        valueLength = 0;
        for (uint32_t i = 0; i < count; ++i) {
            valueLength = (valueLength << 8) | pos[at + i];
        }
        if ((count == 1 && valueLength < 0x80) || (count > 1 && pos[at] == 0)) {
            warnings = BER_WARNING_NON_MINIMAL_LENGTH;
        }
        at += count;
    }
    if (valueLength > available - at) {
        return Fail(diagnostic, Shortage(cursor, BER_PROBLEM_TRUNCATED_VALUE), offset);
    }
    element->start = pos;
    element->offset = offset;
    element->valueLength = valueLength;
    element->tagLength = static_cast<uint8_t>(tagLength);
    element->lengthSize = static_cast<uint8_t>(at - tagLength);
    element->kind = (pos[0] & 0x20) != 0 ? TLV_KIND_CONSTRUCTED : TLV_KIND_PRIMITIVE;
    element->warnings = warnings;
    cursor->pos = pos + at + valueLength;
    cursor->previousKind = element->kind;
    return TLV_OK;
}

}  // namespace

TlvResult BerReadNext(BerCursor* cursor, BerElement* element, BerDiagnostic* diagnostic) {
    const uint8_t* pos = cursor->pos;
    if (pos >= cursor->end) {
        return TLV_ERR_NOT_FOUND;
    }
    // Most elements have a tag of one or two bytes and a one-byte length, and lie within the
    // bytes: they take this short way, everything else the full reading.
    const size_t available = static_cast<size_t>(cursor->end - pos);
    const uint8_t first = pos[0];
    const size_t tagLength = (first & 0x1F) != 0x1F ? 1 : 2;
    if (available > tagLength && !IsPaddingByte(first) &&
        (tagLength == 1 || (pos[1] & 0x80) == 0 || cursor->rules == BER_RULES_STRICT)) {
        const uint8_t length = pos[tagLength];
        if (length < 0x80 && length < available - tagLength) {
            const uint8_t kind = (first & 0x20) != 0 ? TLV_KIND_CONSTRUCTED : TLV_KIND_PRIMITIVE;
            element->start = pos;
            element->offset = static_cast<uint32_t>(pos - cursor->base);
            element->valueLength = length;
            element->tagLength = static_cast<uint8_t>(tagLength);
            element->lengthSize = 1;
            element->kind = kind;
            element->warnings = 0;
            cursor->pos = pos + tagLength + 1 + length;
            cursor->previousKind = kind;
            return TLV_OK;
        }
    }
    return ReadAnyElement(cursor, element, diagnostic);
}

const char* BerProblemText(BerProblem problem) {
    switch (problem) {
        case BER_PROBLEM_NONE:
            return "no problem";
        case BER_PROBLEM_TRUNCATED_TAG:
            return "truncated tag";
        case BER_PROBLEM_TAG_TOO_LONG:
            return "tag longer than 4 bytes";
        case BER_PROBLEM_TRUNCATED_LENGTH:
            return "truncated length";
        case BER_PROBLEM_INDEFINITE_LENGTH:
            return "indefinite length";
        case BER_PROBLEM_RESERVED_LENGTH:
            return "reserved length byte";
        case BER_PROBLEM_TRUNCATED_VALUE:
            return "truncated value";
        case BER_PROBLEM_CHILD_OVERRUN:
            return "element reaches past the end of its template";
        case BER_PROBLEM_TRAILING_BYTES:
            return "trailing bytes";
        case BER_PROBLEM_PADDING_OUTSIDE:
            return "padding outside a template";
        case BER_PROBLEM_MISPLACED_PADDING:
            return "misplaced padding";
        case BER_PROBLEM_TOO_DEEP:
            return "templates nested too deep";
        case BER_PROBLEM_LONG_LENGTH:
            return "length field longer than 81 xx";
        default:
            return "unknown problem";
    }
}

const char* BerWarningText(uint8_t warning) {
    switch (warning) {
        case BER_WARNING_NON_MINIMAL_LENGTH:
            return "non-minimal length";
        case BER_WARNING_MISPLACED_PADDING:
            return "misplaced padding";
        default:
            return "unknown warning";
    }
}

uint32_t BerWriteLengthField(uint32_t valueLength, uint8_t lengthSize, uint8_t* out) {
    if (lengthSize == 1) {
        if (valueLength >= 0x80) {
            return 0;
        }
        out[0] = static_cast<uint8_t>(valueLength);
        return 1;
    }
    const uint32_t count = static_cast<uint32_t>(lengthSize) - 1;
    if (lengthSize < 2 || lengthSize > BER_MAX_LENGTH_SIZE ||
        (count < 4 && (valueLength >> (8 * count)) != 0)) {
        return 0;
    }
    out[0] = static_cast<uint8_t>(0x80 | count);
    for (uint32_t i = 0; i < count; ++i) {
        out[1 + i] = static_cast<uint8_t>(valueLength >> (8 * (count - 1 - i)));
    }
    return lengthSize;
}
