// Data object lists: a sequence of tag and length pairs (EMV 4.3 Book 3, section 5.4). Tags
// take one byte, or two when the low five bits of the first byte are all set, as everywhere in
// this program; the length is one byte.
#include "dictionary/dictionary.h"
#include "panels/value_decoders.h"

void DecodeDol(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    int at = 0;
    while (at < in.length) {
        const int tagLength = (in.value[at] & 0x1F) == 0x1F ? 2 : 1;
        if (at + tagLength + 1 > in.length) {
            rows->push_back(InvalidRow(HexText(in.value + at, in.length - at),
                                       "the list ends inside an entry"));
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
