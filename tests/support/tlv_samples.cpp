#include "support/tlv_samples.h"

#include "core/hex_text.h"

std::vector<uint8_t> HexBytes(const std::string& hex) {
    std::vector<uint8_t> bytes(hex.size() / 2 + 1);
    uint32_t count = 0;
    HexTextToBytes(hex.data(), static_cast<uint32_t>(hex.size()), bytes.data(), &count);
    bytes.resize(count);
    return bytes;
}

std::string BytesHex(const std::vector<uint8_t>& bytes) {
    std::string text(bytes.size() * 2 + 1, '\0');
    BytesToHexText(bytes.data(), static_cast<uint32_t>(bytes.size()), &text[0]);
    text.resize(bytes.size() * 2);
    return text;
}

namespace {

// BF0C 81 FF holding 85 three-byte children: 2 + 2 + 255 = 259 bytes.
std::string LargestElement() {
    std::string hex = "BF0C81FF";
    static const char kDigits[] = "0123456789ABCDEF";
    for (int i = 0; i < 85; ++i) {
        hex += "5A01";
        hex += kDigits[i >> 4];
        hex += kDigits[i & 0x0F];
    }
    return hex;
}

}  // namespace

const std::vector<TlvSample>& EmvRecords() {
    static const std::vector<TlvSample> records = {
        {"FCI 6F/A5/BF0C",
         HexBytes("6F398407A0000000041010A52E500A4D4153544552434152448701019F380F9F1A0295055F2A0"
                  "29A039C019F3704BF0C0A9F4D020B0A5F55025553"),
         false},
        {"GPO 77 with 82 and 94", HexBytes("771682021980941008010100100102011801020020010100"),
         false},
        {"READ RECORD 70",
         HexBytes("70375A0854133300896000105F24032512318C159F02069F03069F1A0295055F2A029A039C019"
                  "F37048E0E000000000000000042031E031F03"),
         false},
        {"GENERATE AC 77",
         HexBytes("77299F2701809F360200119F26081A2B3C4D5E6F70819F10120110A000000000000000000000000"
                  "00000FF"),
         false},
        {"largest element", HexBytes(LargestElement()), false},
    };
    return records;
}

const std::vector<TlvSample>& ValidSamples() {
    static const std::vector<TlvSample> samples = [] {
        std::vector<TlvSample> all = {
            {"primitive 9F02", HexBytes("9F0206000000000100"), false},
            {"long length form", HexBytes("5A81021234"), false},
            {"long form of a short length", HexBytes("5A810512345678FF"), false},
            {"template with padding after", HexBytes("70075A02123400FF00"), false},
            {"template with padding before", HexBytes("700600005A021234"), false},
            {"empty template", HexBytes("7000"), false},
            {"two-byte tag, empty child", HexBytes("BF0C039F4D00"), false},
            {"padding after a template", HexBytes("7008A503880101FFFF00"), true},
            {"nested templates", HexBytes("6F0CA50A8801015F2D02656E8700"), false},
            {"255-byte primitive", HexBytes("5F5081FF" + std::string(510, 'A')), false},
        };
        for (const TlvSample& record : EmvRecords()) {
            all.push_back(record);
        }
        return all;
    }();
    return samples;
}
