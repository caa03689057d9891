// Keeping a node's length field and size in step with its value, and checking ahead of a
// change that every enclosing template can still record its length.
#ifndef QUORVEL_VALIDATION_LENGTH_FIELD_H
#define QUORVEL_VALIDATION_LENGTH_FIELD_H

#include <stdint.h>

#include "core/tlv.h"

// Writes `length` into the node's length field: the one-byte form while it fits and the node
// has it, else 81 and the length. False, with nothing written, above 255.
bool WriteLengthField(TlvNode* node, uint32_t length);

// The first of `templateNode` and its ancestors whose content would exceed 255 bytes if the
// template's content grew by `growth` bytes (length fields switching to the two-byte form
// included); null when all fit.
const TlvNode* TemplateOverflowing(const TlvNode* templateNode, int32_t growth);
// The same for the ancestors of `node` when the node's own encoding grows by `growth` bytes.
const TlvNode* AncestorOverflowing(const TlvNode* node, int32_t growth);

#endif
