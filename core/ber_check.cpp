// The whole-input walk of the general reader: every element at every level, depth first.
#include "core/ber_reader.h"

namespace {

TlvResult Report(BerDiagnostic* diagnostic, BerProblem problem, uint32_t offset) {
    if (diagnostic != nullptr) {
        diagnostic->problem = problem;
        diagnostic->offset = offset;
    }
    return TLV_ERR_FORMAT;
}

uint32_t OffsetOf(const BerCursor* cursor) {
    return static_cast<uint32_t>(cursor->pos - cursor->base);
}

}  // namespace

TlvResult BerCheck(const uint8_t* input, uint32_t length, uint8_t rules, uint8_t flags,
                   BerDiagnostic* diagnostic, uint32_t* topCount) {
    // One cursor per open template, the top level first: the walk needs no recursion and no
    // allocation.
    BerCursor levels[BER_MAX_DEPTH + 1];
    uint32_t depth = 0;
    uint32_t top = 0;
    const bool sequence = (flags & BER_CHECK_SEQUENCE) != 0;
    BerCursorInit(&levels[0], input, length, rules);
    for (;;) {
        BerCursor* cursor = &levels[depth];
        if (depth == 0 && !sequence && top == 1 && cursor->pos < cursor->end) {
            return Report(diagnostic, BER_PROBLEM_TRAILING_BYTES, OffsetOf(cursor));
        }
        BerElement element;
        const TlvResult result = BerReadNext(cursor, &element, diagnostic);
        if (result == TLV_ERR_NOT_FOUND) {
            if (depth == 0) {
                break;
            }
            --depth;
            continue;
        }
        if (result != TLV_OK) {
            return result;
        }
        if (depth == 0) {
            ++top;
            if (!sequence && element.kind == TLV_KIND_PADDING) {
                return Report(diagnostic, BER_PROBLEM_PADDING_OUTSIDE, element.offset);
            }
        } else if ((flags & BER_CHECK_PADDING_RULE) != 0 &&
                   (element.warnings & BER_WARNING_MISPLACED_PADDING) != 0) {
            return Report(diagnostic, BER_PROBLEM_MISPLACED_PADDING, element.offset);
        }
        if (element.kind == TLV_KIND_CONSTRUCTED && element.valueLength > 0) {
            if (depth == BER_MAX_DEPTH) {
                return Report(diagnostic, BER_PROBLEM_TOO_DEEP, element.offset);
            }
            BerCursorEnter(cursor, &element, &levels[depth + 1]);
            ++depth;
        }
    }
    if (!sequence && top == 0) {
        return Report(diagnostic, BER_PROBLEM_TRUNCATED_TAG, 0);
    }
    if (topCount != nullptr) {
        *topCount = top;
    }
    return TLV_OK;
}

bool BerExplainParseFailure(const uint8_t* input, uint32_t length, TlvResult parseResult,
                            BerDiagnostic* diagnostic) {
    const uint8_t flags = parseResult == TLV_ERR_PADDING ? BER_CHECK_PADDING_RULE : 0;
    return BerCheck(input, length, BER_RULES_STRICT, flags, diagnostic, nullptr) != TLV_OK;
}
