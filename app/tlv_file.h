// The .tlv document file: a 16-byte signature, then two length-prefixed strings (the encoded
// tree as hexadecimal text, then the pane text), lengths 32-bit little-endian.
#ifndef QUORVEL_APP_TLV_FILE_H
#define QUORVEL_APP_TLV_FILE_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

extern const uint8_t TLV_FILE_MAGIC[16];

struct TlvFileStrings {
    std::string encodedHex;
    std::string paneText;
};

// The two strings where they lie in the file's bytes.
struct TlvFileFields {
    const char* encodedHex;
    size_t encodedHexLength;
    const char* paneText;
    size_t paneTextLength;
};

// Reads `size` bytes of a file. True when the signature and both strings were read in full;
// false at the first wrong signature or truncated field, with nothing read past `size`. Each
// string keeps only what precedes its first zero byte; bytes after the last field are ignored.
bool TlvFileRead(const uint8_t* data, size_t size, TlvFileStrings* strings);
// The same without copying: the fields point into `data`.
bool TlvFileLocate(const uint8_t* data, size_t size, TlvFileFields* fields);

std::vector<uint8_t> TlvFileWrite(const std::string& encodedHex, const std::string& paneText);

#endif
