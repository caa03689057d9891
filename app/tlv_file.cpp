#include "app/tlv_file.h"

#include <string.h>

#include <utility>

const uint8_t TLV_FILE_MAGIC[16] = {0x01, 0x12, 0x23, 0x58, 0x69, 0x58, 0x69, 0x58,
                                    0x58, 0x49, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00};

namespace {

// A field's length; false when it or the bytes it announces are not all there.
bool ReadLength(uint64_t size, const TlvFileReader& read, uint64_t* at, uint32_t* length) {
    uint8_t field[4];
    if (size - *at < sizeof field || !read(*at, sizeof field, field)) {
        return false;
    }
    *at += sizeof field;
    *length = static_cast<uint32_t>(field[0]) | static_cast<uint32_t>(field[1]) << 8 |
              static_cast<uint32_t>(field[2]) << 16 | static_cast<uint32_t>(field[3]) << 24;
    return *length <= size - *at;
}

void WriteString(const std::string& text, std::vector<uint8_t>* out) {
    const uint32_t length = static_cast<uint32_t>(text.size());
    for (int shift = 0; shift < 32; shift += 8) {
        out->push_back(static_cast<uint8_t>(length >> shift));
    }
    out->insert(out->end(), text.begin(), text.end());
}

}  // namespace

size_t TlvFileTextLength(const uint8_t* field, size_t length) {
    const void* zero = length > 0 ? memchr(field, 0, length) : nullptr;
    return zero != nullptr ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - field)
                           : length;
}

bool TlvFileReadLayout(uint64_t size, const TlvFileReader& read, TlvFileLayout* layout) {
    uint8_t magic[sizeof TLV_FILE_MAGIC];
    if (size < sizeof magic || !read(0, sizeof magic, magic) ||
        memcmp(magic, TLV_FILE_MAGIC, sizeof magic) != 0) {
        return false;
    }
    uint64_t at = sizeof magic;
    uint32_t length = 0;
    if (!ReadLength(size, read, &at, &length)) {
        return false;
    }
    std::string& tree = layout->encodedHex;
    tree.resize(length);
    if (length > 0 && !read(at, length, reinterpret_cast<uint8_t*>(&tree[0]))) {
        return false;
    }
    tree.resize(TlvFileTextLength(reinterpret_cast<const uint8_t*>(tree.data()), length));
    at += length;
    if (!ReadLength(size, read, &at, &layout->paneLength)) {
        return false;
    }
    layout->paneOffset = at;
    return true;
}

bool TlvFileRead(const uint8_t* data, size_t size, TlvFileStrings* strings) {
    TlvFileLayout layout;
    const auto read = [data](uint64_t offset, size_t length, uint8_t* out) {
        memcpy(out, data + offset, length);
        return true;
    };
    if (data == nullptr || !TlvFileReadLayout(size, read, &layout)) {
        return false;
    }
    const uint8_t* pane = data + layout.paneOffset;
    strings->encodedHex = std::move(layout.encodedHex);
    strings->paneText.assign(reinterpret_cast<const char*>(pane),
                             TlvFileTextLength(pane, layout.paneLength));
    return true;
}

std::vector<uint8_t> TlvFileWrite(const std::string& encodedHex, const std::string& paneText) {
    std::vector<uint8_t> out(TLV_FILE_MAGIC, TLV_FILE_MAGIC + sizeof TLV_FILE_MAGIC);
    out.reserve(sizeof TLV_FILE_MAGIC + 8 + encodedHex.size() + paneText.size());
    WriteString(encodedHex, &out);
    WriteString(paneText, &out);
    return out;
}
