// Data object lists: a sequence of tag and length pairs (EMV 4.3 Book 3, section 5.4). A list
// names tags by the BER rules, of up to four bytes (a kernel's DF8101 as much as 9F37), although
// the data element tree itself only holds tags of one or two; the length is one byte.
#include "core/ber_reader.h"
#include "dictionary/dictionary.h"
#include "panels/value_decoders.h"

void DecodeDol(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    int at = 0;
    while (at < in.length) {
        bool tooLong = false;
        const int tagLength = static_cast<int>(
            BerTagSize(in.value + at, static_cast<uint32_t>(in.length - at), &tooLong));
        if (tagLength == 0 || at + tagLength + 1 > in.length) {
            rows->push_back(InvalidRow(
                HexText(in.value + at, in.length - at),
                tooLong ? "a tag longer than four bytes" : "the list ends inside an entry"));
            return;
        }
        const uint8_t* tag = in.value + at;
        const int length = in.value[at + tagLength];
        rows->push_back(
            DecodedRow(HexText(tag, tagLength), HexText(tag, tagLength + 1),
                       std::string(DictGetNameByTag(tag, static_cast<uint8_t>(tagLength))) + ", " +
                           ByteCountText(length)));
        at += tagLength + 1;
    }
}
