// Card numbers hidden for sharing: a primary account number keeps its first six and last four
// digits and shows every other digit as '*' (476173******0010). The data never changes; a digit
// mask says which hexadecimal digits of a text to hide. Qt-free, so that the editor, the panels
// and the command-line tool hide exactly the same digits.
#ifndef QUORVEL_DICTIONARY_CARD_NUMBER_MASK_H
#define QUORVEL_DICTIONARY_CARD_NUMBER_MASK_H

#include <stdint.h>

#include <string>
#include <vector>

#include "core/tlv.h"

// One flag per hexadecimal digit of some bytes (two per byte, high digit first), set where the
// digit is hidden.
typedef std::vector<bool> DigitMask;

enum {
    // Runs of decimal digits at least this long in discretionary data are taken for card
    // numbers.
    CARD_NUMBER_SHORTEST_RUN = 12,
};

// Appends the flags of the value of the element with tag `tag`. Hidden are the PAN of 5A (its
// digits before the F filler), the PAN of Track 2 Equivalent Data 57 and of the contactless
// Track 2 Data 9F6B (the digits before the separator D) and, in Track 1 Discretionary Data 9F1F
// and the contactless Track 1 Data 56 (characters) and in Track 2 Discretionary Data 9F20
// (digits), every run of CARD_NUMBER_SHORTEST_RUN or more decimal digits. Values of other
// elements get clear flags.
void AppendValueMask(const uint8_t* tag, uint32_t tagLength, const uint8_t* value, uint32_t length,
                     DigitMask* mask);

// Appends the flags of `size` bytes holding whole elements one after another, read under
// `rules` (BER_RULES_*): one element, or the encoding of a template's children. Bytes that do
// not read as elements get clear flags.
void AppendElementsMask(const uint8_t* bytes, uint32_t size, uint8_t rules, DigitMask* mask);

// Appends the flags of bytes that may hold damaged elements, such as a response cut short:
// those of the elements the general reader reads and, besides, wherever the tag of one of the
// elements above stands, those of the value its length field introduces as far as the bytes go
// (to their end after a length field the reader refuses). A card number the bytes' end cuts
// short keeps only its first six digits: its last four are not there. Digits of other bytes
// that merely look like such an element may be hidden too.
void AppendDamagedElementsMask(const uint8_t* bytes, uint32_t size, DigitMask* mask);

// Appends the flags of the node's encoding as TlvEncode writes it: the whole element
// (`contentOnly` 0) or its value, for a template its children's encodings (`contentOnly` 1).
void AppendNodeMask(const TlvNode* node, int contentOnly, DigitMask* mask);

bool MaskHidesAny(const DigitMask& mask);

// Also hides, in `mask` whose flags start with those of `size` bytes, every digit that
// AppendDamagedElementsMask hides in those bytes.
void HideDamagedElementsToo(const uint8_t* bytes, uint32_t size, DigitMask* mask);

// `hex` with each digit whose flag is set written as '*'. Digits beyond the mask stay.
std::string MaskedHexText(const std::string& hex, const DigitMask& mask);

// `text`, one character per byte of the mask, with every byte that has a hidden digit written
// as '*'. Characters beyond the mask stay.
std::string MaskedByteText(const std::string& text, const DigitMask& mask);

// The digits of a card number as shown masked: more than ten keep their first six and last
// four; shorter numbers are hidden whole.
std::string MaskCardNumber(const std::string& digits);

#endif
