// Reads arbitrary bytes as a .tlv file. A file that reads in full must write back to the same
// leading bytes when its strings hold no zero byte.
#include <stdlib.h>
#include <string.h>

#include "app/tlv_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TlvFileStrings strings;
    if (!TlvFileRead(data, size, &strings)) {
        return 0;
    }
    const std::vector<uint8_t> written = TlvFileWrite(strings.encodedHex, strings.paneText);
    TlvFileStrings again;
    if (written.size() > size || !TlvFileRead(written.data(), written.size(), &again) ||
        again.encodedHex != strings.encodedHex || again.paneText != strings.paneText) {
        abort();
    }
    return 0;
}
