#include "app/tlv_file.h"

#include <string.h>

const uint8_t TLV_FILE_MAGIC[16] = {0x01, 0x12, 0x23, 0x58, 0x69, 0x58, 0x69, 0x58,
                                    0x58, 0x49, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00};

namespace {

struct Reader {
    const uint8_t* data;
    size_t size;
    size_t at;
};

// A length-prefixed string; false when the length or the bytes it announces are not all there.
bool ReadString(Reader* reader, const char** text, size_t* textLength) {
    if (reader->size - reader->at < 4) {
        return false;
    }
    const uint8_t* field = reader->data + reader->at;
    const uint32_t length = static_cast<uint32_t>(field[0]) | static_cast<uint32_t>(field[1]) << 8 |
                            static_cast<uint32_t>(field[2]) << 16 |
                            static_cast<uint32_t>(field[3]) << 24;
    reader->at += 4;
    if (length > reader->size - reader->at) {
        return false;
    }
    const char* bytes = reinterpret_cast<const char*>(reader->data + reader->at);
    const void* zero = memchr(bytes, 0, length);
    *text = bytes;
    *textLength =
        zero != nullptr ? static_cast<size_t>(static_cast<const char*>(zero) - bytes) : length;
    reader->at += length;
    return true;
}

void WriteString(const std::string& text, std::vector<uint8_t>* out) {
    const uint32_t length = static_cast<uint32_t>(text.size());
    for (int shift = 0; shift < 32; shift += 8) {
        out->push_back(static_cast<uint8_t>(length >> shift));
    }
    out->insert(out->end(), text.begin(), text.end());
}

}  // namespace

bool TlvFileLocate(const uint8_t* data, size_t size, TlvFileFields* fields) {
    if (data == nullptr || size < sizeof TLV_FILE_MAGIC ||
        memcmp(data, TLV_FILE_MAGIC, sizeof TLV_FILE_MAGIC) != 0) {
        return false;
    }
    Reader reader = {data, size, sizeof TLV_FILE_MAGIC};
    return ReadString(&reader, &fields->encodedHex, &fields->encodedHexLength) &&
           ReadString(&reader, &fields->paneText, &fields->paneTextLength);
}

bool TlvFileRead(const uint8_t* data, size_t size, TlvFileStrings* strings) {
    TlvFileFields fields;
    if (!TlvFileLocate(data, size, &fields)) {
        return false;
    }
    strings->encodedHex.assign(fields.encodedHex, fields.encodedHexLength);
    strings->paneText.assign(fields.paneText, fields.paneTextLength);
    return true;
}

std::vector<uint8_t> TlvFileWrite(const std::string& encodedHex, const std::string& paneText) {
    std::vector<uint8_t> out(TLV_FILE_MAGIC, TLV_FILE_MAGIC + sizeof TLV_FILE_MAGIC);
    out.reserve(sizeof TLV_FILE_MAGIC + 8 + encodedHex.size() + paneText.size());
    WriteString(encodedHex, &out);
    WriteString(paneText, &out);
    return out;
}
