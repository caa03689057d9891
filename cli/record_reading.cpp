#include "cli/record_reading.h"

#include <ctype.h>

#include "core/ber_reader.h"

const char kBadFormatMessage[] = "Bad formatted BER-TLV data !";

namespace {

const size_t kGeneralByteLimit = 64u << 20;

void Locate(const BerDiagnostic& diagnostic, RecordError* error) {
    error->located = true;
    error->offset = diagnostic.offset;
    error->problem = BerProblemText(diagnostic.problem);
}

// The paragraph under the message names the problem and where it stands, after a more
// specific sentence when there is one.
void DescribeLocation(RecordError* error) {
    if (!error->located) {
        return;
    }
    std::string location = error->problem + " at offset " + std::to_string(error->offset) + ".";
    location[0] = static_cast<char>(toupper(static_cast<unsigned char>(location[0])));
    error->detail += (error->detail.empty() ? "" : "\n") + location;
}

}  // namespace

size_t RecordByteLimit(const ReadOptions& options) {
    return options.general ? kGeneralByteLimit : static_cast<size_t>(TLV_MAX_ELEMENT_SIZE);
}

bool ReadRecord(const std::vector<uint8_t>& bytes, bool tooLong, const ReadOptions& options,
                Record* record, RecordError* error) {
    *error = RecordError();
    if (bytes.empty()) {
        error->message = "No data exist to parse!";
        return false;
    }
    if (!options.general) {
        TlvNode* root = nullptr;
        uint32_t constructed = 0;
        // More bytes than any element holds would wrap around a 16-bit count: malformed data.
        const TlvResult result =
            tooLong ? static_cast<TlvResult>(TLV_ERR_FORMAT)
                    : TlvParseEx(bytes.data(), static_cast<uint16_t>(bytes.size()), &root,
                                 &constructed, options.checkPadding ? 1 : 0);
        if (result == TLV_OK) {
            record->root = root;
            record->bytes = bytes.data();
            record->size = static_cast<uint32_t>(bytes.size());
            return true;
        }
        error->message = kBadFormatMessage;
        if (result == TLV_ERR_PADDING) {
            error->detail = "Padding data is located at the invalid position.";
        }
        // The strict parser says only that the data is bad; the strict rules of the general
        // reader find where.
        BerDiagnostic diagnostic;
        if (BerExplainParseFailure(bytes.data(), static_cast<uint32_t>(bytes.size()), result,
                                   &diagnostic)) {
            Locate(diagnostic, error);
        }
        DescribeLocation(error);
        return false;
    }
    error->message = kBadFormatMessage;
    if (tooLong) {
        error->problem = "more than 64 MiB";
        error->detail = "The data holds more than 64 MiB.";
        return false;
    }
    BerDiagnostic diagnostic;
    if (BerCheck(bytes.data(), static_cast<uint32_t>(bytes.size()), BER_RULES_GENERAL,
                 options.list ? BER_CHECK_SEQUENCE : 0, &diagnostic, nullptr) != TLV_OK) {
        Locate(diagnostic, error);
        DescribeLocation(error);
        return false;
    }
    record->bytes = bytes.data();
    record->size = static_cast<uint32_t>(bytes.size());
    return true;
}
