// The .tlv document file: a 16-byte signature, then two length-prefixed strings (the encoded
// tree as hexadecimal text, then the pane text), lengths 32-bit little-endian.
#ifndef QUORVEL_APP_TLV_FILE_H
#define QUORVEL_APP_TLV_FILE_H

#include <stddef.h>
#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

extern const uint8_t TLV_FILE_MAGIC[16];

struct TlvFileStrings {
    std::string encodedHex;
    std::string paneText;
};

// The tree text of a file and where its pane text lies.
struct TlvFileLayout {
    std::string encodedHex;
    uint64_t paneOffset;
    // Up to the end of the field: the pane text itself ends at its first zero byte.
    uint32_t paneLength;
};

// Fills `out` with the `length` bytes at `offset` of a file, or fails.
using TlvFileReader = std::function<bool(uint64_t offset, size_t length, uint8_t* out)>;

// Reads `size` bytes of a file. True when the signature and both strings were read in full;
// false at the first wrong signature or truncated field, with nothing read past `size`. Each
// string keeps only what precedes its first zero byte; bytes after the last field are ignored.
bool TlvFileRead(const uint8_t* data, size_t size, TlvFileStrings* strings);
// The same for a file of `size` bytes read through `read`, which reads the tree text but only
// locates the pane text, so that a large one can be read in parts. False also when a read fails.
bool TlvFileReadLayout(uint64_t size, const TlvFileReader& read, TlvFileLayout* layout);
// How much of a string field's bytes counts: what precedes the first zero byte.
size_t TlvFileTextLength(const uint8_t* field, size_t length);

std::vector<uint8_t> TlvFileWrite(const std::string& encodedHex, const std::string& paneText);

#endif
