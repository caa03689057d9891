#include "cli/parse_input.h"

#include <stdio.h>

#include "cli/commands.h"
#include "cli/hex_input.h"

bool TakeParseOption(const std::string& argument, ParseOptions* options,
                     std::vector<std::string>* hex) {
    if (argument == "--json") {
        options->json = true;
    } else if (argument == "--no-padding-check") {
        options->checkPadding = false;
    } else if (!argument.empty() && argument[0] == '-') {
        return false;
    } else {
        hex->push_back(argument);
    }
    return true;
}

int ParseInput(const std::vector<std::string>& hex, const ParseOptions& options, TlvNode** root) {
    bool tooLong = false;
    const std::vector<uint8_t> bytes = ReadHexInput(hex, stdin, &tooLong);
    if (bytes.empty()) {
        fputs("No data exist to parse!\n", stderr);
        return EXIT_DATA_ERROR;
    }
    uint32_t constructed = 0;
    // More bytes than any element holds would wrap around a 16-bit count: malformed data.
    const TlvResult result = tooLong ? static_cast<TlvResult>(TLV_ERR_FORMAT)
                                     : TlvParseEx(bytes.data(), static_cast<uint16_t>(bytes.size()),
                                                  root, &constructed, options.checkPadding ? 1 : 0);
    if (result == TLV_ERR_PADDING) {
        fputs("Bad formatted BER-TLV data !\n\nPadding data is located at the invalid position.\n",
              stderr);
        return EXIT_DATA_ERROR;
    }
    if (result != TLV_OK) {
        fputs("Bad formatted BER-TLV data !\n", stderr);
        return EXIT_DATA_ERROR;
    }
    return 0;
}
