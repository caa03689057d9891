// bertlv trace: the exchanges of an APDU trace, decoded.
#include <ctype.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>

#include "cli/apdu_decode.h"
#include "cli/commands.h"
#include "cli/dol.h"
#include "cli/input_sources.h"
#include "cli/output.h"
#include "cli/record_input.h"
#include "cli/trace_lines.h"
#include "core/ber_reader.h"
#include "dictionary/card_number_mask.h"
#include "dictionary/dictionary.h"
#include "dictionary/element_output.h"
#include "dictionary/element_row.h"
#include "dictionary/text_escape.h"

namespace {

// No command or response is longer than an extended APDU; a longer line is no trace line.
const size_t kLineLimit = 1u << 20;

enum DolKind { DOL_PDOL, DOL_CDOL1, DOL_CDOL2, DOL_DDOL, DOL_UDOL, DOL_COUNT };

struct DolInfo {
    const char* name;
    uint8_t tag[2];
    uint8_t tagLength;
};

const DolInfo kDols[DOL_COUNT] = {
    {"PDOL", {0x9F, 0x38}, 2}, {"CDOL1", {0x8C}, 1},      {"CDOL2", {0x8D}, 1},
    {"DDOL", {0x9F, 0x49}, 2}, {"UDOL", {0x9F, 0x69}, 2},
};

// The fields of a response in format 1 (template 80), EMV Book 3 section 6.5.
struct Field {
    uint8_t tag[2];
    uint8_t tagLength;
    // 0: the rest of the value.
    uint32_t length;
    // The rest of the value is made of entries of this many bytes (the AFL's 4); 0: any.
    uint32_t entrySize;
};
const Field kGpoFormat1[] = {{{0x82}, 1, 2, 0}, {{0x94}, 1, 0, 4}};
const Field kGenerateAcFormat1[] = {{{0x9F, 0x27}, 2, 1, 0},
                                    {{0x9F, 0x36}, 2, 2, 0},
                                    {{0x9F, 0x26}, 2, 8, 0},
                                    {{0x9F, 0x10}, 2, 0, 0}};

struct Side {
    uint64_t line;
    TraceLine parsed;
};

std::string Hex(const std::vector<uint8_t>& bytes) {
    return HexString(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

std::string TagName(const std::vector<uint8_t>& tag) {
    return DictGetNameByTag(tag.data(), static_cast<uint8_t>(tag.size()));
}

// Appends the flags of a data object list entry's value.
void AppendEntryMask(const DolEntry& entry, DigitMask* mask) {
    AppendValueMask(entry.tag.data(), static_cast<uint32_t>(entry.tag.size()), entry.value.data(),
                    static_cast<uint32_t>(entry.value.size()), mask);
}

// Stands in an exchange's JSON for the elements of its response until they are written. No
// other text of an exchange holds control characters: time stamps are digits and separators,
// command details printable, names the dictionary's.
const char kElementsPlaceholder[] = "\x01elements\x01";

// Whether a card that answered with `sw1` ran the command: it completed it, possibly with a
// warning, or has its response data waiting.
bool CommandWasRun(uint8_t sw1) {
    return sw1 == 0x90 || sw1 == 0x61 || sw1 == 0x62 || sw1 == 0x63;
}

// A note of the JSON output as the text output writes it.
std::string AsSentence(std::string note) {
    if (!note.empty()) {
        note[0] = static_cast<char>(toupper(static_cast<unsigned char>(note[0])));
    }
    return note + ".";
}

// Finds the primitive element with the given tag anywhere in bytes the general reader checked.
bool FindValue(const BerCursor& cursor, const DolInfo& dol, std::vector<uint8_t>* value) {
    BerCursor walk = cursor;
    BerElement element;
    while (BerReadNext(&walk, &element, nullptr) == TLV_OK) {
        if (element.kind == TLV_KIND_CONSTRUCTED) {
            BerCursor inner;
            BerCursorEnter(&walk, &element, &inner);
            if (FindValue(inner, dol, value)) {
                return true;
            }
        } else if (element.kind == TLV_KIND_PRIMITIVE && element.tagLength == dol.tagLength &&
                   memcmp(element.start, dol.tag, dol.tagLength) == 0) {
            const uint8_t* start = BerValueOf(&element);
            value->assign(start, start + element.valueLength);
            return true;
        }
    }
    return false;
}

// How a response's data reads: as one element by the strict reading, or by the general reader
// when the strict one refuses it; failing that, as a list of elements, since a card may pad its
// data before or after the template.
struct ResponseData {
    bool readable = false;
    bool general = false;
    bool list = false;
    BerDiagnostic diagnostic = {BER_PROBLEM_NONE, 0};
};

ResponseData ReadResponseData(const std::vector<uint8_t>& data) {
    ResponseData read;
    TlvNode* root = nullptr;
    uint32_t constructed = 0;
    if (data.size() <= TLV_MAX_ELEMENT_SIZE &&
        TlvParseEx(data.data(), static_cast<uint16_t>(data.size()), &root, &constructed, 0) ==
            TLV_OK) {
        TlvFree(root);
        read.readable = true;
        return read;
    }
    read.general = true;
    read.readable = BerCheck(data.data(), static_cast<uint32_t>(data.size()), BER_RULES_GENERAL, 0,
                             &read.diagnostic, nullptr) == TLV_OK;
    if (!read.readable) {
        read.list = BerCheck(data.data(), static_cast<uint32_t>(data.size()), BER_RULES_GENERAL,
                             BER_CHECK_SEQUENCE, nullptr, nullptr) == TLV_OK;
        read.readable = read.list;
    }
    return read;
}

class TraceSession {
public:
    TraceSession(bool json, bool mask, std::string* out)
        : json_(json),
          mask_(mask),
          out_(out),
          strictRows_(BER_RULES_STRICT, 0, mask),
          generalRows_(BER_RULES_GENERAL, kAllWarnings, mask) {
        // A response's rows stand under it, and are written out as they gather: a response of
        // millions of elements takes no memory of its size.
        for (ElementOutput* rows : {&strictRows_, &generalRows_}) {
            rows->SetTextIndent(1);
            rows->SetRowWritten([out] { return WritePendingPiece(out); });
        }
    }

    bool Line(uint64_t number, const std::string& text, bool cut) {
        const size_t first = text.find_first_not_of(" \t\r");
        if (first == std::string::npos || text[first] == '#') {
            return true;
        }
        Side side{number, TraceLine()};
        const bool parsed = ParseTraceLine(text, &side.parsed);
        TraceDirection direction = side.parsed.direction;
        if (direction == TRACE_UNMARKED) {
            direction = expectCommand_ ? TRACE_COMMAND : TRACE_RESPONSE;
        }
        if (cut) {
            return Refuse(number, direction, "line longer than any command or response");
        }
        if (!parsed) {
            return Refuse(
                number, direction,
                side.parsed.oddDigits ? "odd number of hex digits" : "not a command or response");
        }
        if (direction == TRACE_COMMAND) {
            if (side.parsed.bytes.size() < 4) {
                return Refuse(number, direction, "a command has at least 4 bytes");
            }
            if (hasPending_) {
                Emit(&pending_, nullptr);
            }
            pending_ = side;
            hasPending_ = true;
            expectCommand_ = false;
        } else {
            if (side.parsed.bytes.size() < 2) {
                return Refuse(number, direction, "a response ends with a 2-byte status word");
            }
            Emit(hasPending_ ? &pending_ : nullptr, &side);
            hasPending_ = false;
            expectCommand_ = true;
        }
        return WritePendingPiece(out_);
    }

    void Finish() {
        if (hasPending_) {
            Emit(&pending_, nullptr);
            hasPending_ = false;
        }
        WritePending(out_);
    }

    bool failed() const { return failed_; }

private:
    static const uint8_t kAllWarnings =
        BER_WARNING_NON_MINIMAL_LENGTH | BER_WARNING_MISPLACED_PADDING;

    // The bytes as hexadecimal text, with the digits `mask` flags hidden when masking.
    std::string Shown(const std::vector<uint8_t>& bytes, const DigitMask& mask) const {
        return mask_ ? MaskedHexText(Hex(bytes), mask) : Hex(bytes);
    }

    // The flags of a command's data: its entries where the data follows a list seen earlier in
    // the trace, otherwise the elements the data holds, read as damaged data may be, since a
    // command's data need not be BER-TLV at all.
    DigitMask CommandDataMask(const CommandApdu& command, bool hasDol, DolKind kind,
                              const std::vector<uint8_t>& dolData) const {
        DigitMask mask;
        if (!mask_) {
            return mask;
        }
        if (command.ins == INS_VERIFY && command.p2 == VERIFY_PLAINTEXT_PIN) {
            // The PIN block: its control byte stays, the PIN digits and their filler go.
            mask.assign(2 * command.data.size(), true);
            std::fill(mask.begin(), mask.begin() + std::min<size_t>(2, mask.size()), false);
            return mask;
        }
        if (command.ins == INS_PUT_DATA && !command.malformed) {
            // The data is the value of the element P1-P2 names (P1 00 for a one-byte tag), with
            // a MAC after it under secure messaging; what reads as elements in it is hidden too.
            const uint8_t tag[2] = {command.p1, command.p2};
            const uint32_t tagLength = command.p1 == 0 ? 1 : 2;
            const uint32_t size = static_cast<uint32_t>(command.data.size());
            AppendValueMask(tag + 2 - tagLength, tagLength, command.data.data(), size, &mask);
            HideDamagedElementsToo(command.data.data(), size, &mask);
            return mask;
        }
        std::vector<DolEntry> entries;
        if (hasDol && dolKnown_[kind] && ParseDol(dols_[kind], &entries)) {
            // A template 83 around the list's data (GET PROCESSING OPTIONS) hides nothing.
            mask.assign(2 * (command.data.size() - dolData.size()), false);
            for (const DolEntry& entry : SplitAlongDol(entries, dolData).entries) {
                AppendEntryMask(entry, &mask);
            }
        } else {
            AppendDamagedElementsMask(command.data.data(),
                                      static_cast<uint32_t>(command.data.size()), &mask);
        }
        return mask;
    }

    // A refused line still takes its turn, as a command or response by its marker or its place:
    // the response to a refused command pairs with nothing, and the command before a refused
    // response stands alone.
    bool Refuse(uint64_t number, TraceDirection direction, const char* reason) {
        if (hasPending_) {
            Emit(&pending_, nullptr);
            hasPending_ = false;
        }
        expectCommand_ = direction == TRACE_RESPONSE;
        awaitingData_ = false;
        failed_ = true;
        fprintf(stderr, "bertlv: line %llu: %s\n", static_cast<unsigned long long>(number), reason);
        return true;
    }

    void Emit(const Side* command, const Side* response) {
        Json exchange = Json::object();
        if (!json_ && exchanges_ > 0) {
            *out_ += '\n';
        }
        ++exchanges_;
        CommandApdu decoded;
        if (command != nullptr) {
            decoded = DecodeCommand(command->parsed.bytes);
            exchange["command"] = CommandPart(*command, decoded);
        }
        if (response != nullptr) {
            const CommandApdu* answered = command != nullptr ? &decoded : nullptr;
            exchange["response"] = ResponsePart(*response, answered);
            const std::vector<uint8_t>& bytes = response->parsed.bytes;
            const uint8_t sw1 = bytes[bytes.size() - 2];
            // A GENERATE AC the card refused was never run: the next one is still the first.
            if (answered != nullptr && answered->ins == INS_GENERATE_AC && !answered->malformed &&
                !CommandWasRun(sw1) && generateAcCount_ > 0) {
                --generateAcCount_;
            }
            NoteStatus(answered, sw1);
        } else {
            awaitingData_ = false;
        }
        if (json_) {
            WriteExchange(std::move(exchange));
        }
    }

    // The list a command's data follows, and its data stripped of a command template; `note`
    // tells what is wrong with the template.
    bool DolOf(const CommandApdu& command, DolKind* kind, std::vector<uint8_t>* data,
               std::string* note) {
        *data = command.data;
        switch (command.ins) {
            case INS_GET_PROCESSING_OPTIONS:
                *kind = DOL_PDOL;
                *note = StripTemplate83(data);
                return true;
            case INS_GENERATE_AC:
                *kind = generateAcCount_ == 0 ? DOL_CDOL1 : DOL_CDOL2;
                return true;
            case INS_INTERNAL_AUTHENTICATE:
                *kind = DOL_DDOL;
                return true;
            case INS_COMPUTE_CRYPTOGRAPHIC_CHECKSUM:
                *kind = DOL_UDOL;
                return true;
            default:
                return false;
        }
    }

    // The PDOL data comes in a Command Template (83). When its length field disagrees with the
    // bytes that follow, the bytes that follow are still the data, and the note says so.
    static std::string StripTemplate83(std::vector<uint8_t>* data) {
        const size_t size = data->size();
        size_t header = 0;
        size_t stated = 0;
        if (size >= 2 && (*data)[0] == 0x83) {
            const uint8_t first = (*data)[1];
            if (first < 0x80) {
                header = 2;
                stated = first;
            } else if (first == 0x81 && size >= 3) {
                header = 3;
                stated = (*data)[2];
            } else if (first == 0x82 && size >= 4) {
                header = 4;
                stated = static_cast<size_t>((*data)[2]) << 8 | (*data)[3];
            }
        }
        if (size == 0) {
            return "the command holds no data, not even a Command Template (83)";
        }
        if (header == 0) {
            return (*data)[0] == 0x83 ? "the length of the Command Template (83) does not read"
                                      : "the data is not in a Command Template (83)";
        }
        data->erase(data->begin(), data->begin() + static_cast<std::ptrdiff_t>(header));
        if (stated == data->size()) {
            return "";
        }
        return "the Command Template (83) states " + std::to_string(stated) +
               (stated == 1 ? " byte" : " bytes") + ", but " + std::to_string(data->size()) +
               (data->size() == 1 ? " follows" : " follow");
    }

    Json CommandPart(const Side& side, const CommandApdu& command) {
        Json part = Json::object();
        part["line"] = side.line;
        if (!side.parsed.time.empty()) {
            part["time"] = JsonText(side.parsed.time);
        }
        DolKind kind = DOL_PDOL;
        std::vector<uint8_t> dolData;
        std::string dataNote;
        const bool hasDol = !command.malformed && DolOf(command, &kind, &dolData, &dataNote);
        const DigitMask dataMask = CommandDataMask(command, hasDol, kind, dolData);
        // The data follows the header and the Lc field; a malformed command's the header.
        const size_t dataAt = command.malformed ? 4 : 4 + command.lc.size();
        DigitMask apduMask(2 * dataAt, false);
        apduMask.insert(apduMask.end(), dataMask.begin(), dataMask.end());
        if (mask_ && (command.malformed || command.name == kUnknownCommandName)) {
            // Such a line may be a response taken for a command, a lost line of the log
            // before it: a card number may start anywhere in it, header included.
            HideDamagedElementsToo(side.parsed.bytes.data(),
                                   static_cast<uint32_t>(side.parsed.bytes.size()), &apduMask);
        }
        const DigitMask shownDataMask(
            apduMask.begin() + static_cast<std::ptrdiff_t>(std::min(apduMask.size(), 2 * dataAt)),
            apduMask.end());
        const std::string apdu = Shown(side.parsed.bytes, apduMask);
        part["apdu"] = apdu;
        part["name"] = command.name;
        part["detail"] = JsonText(command.detail);
        const uint8_t header[4] = {command.cla, command.ins, command.p1, command.p2};
        const char* const headerNames[4] = {"cla", "ins", "p1", "p2"};
        for (int i = 0; i < 4; ++i) {
            part[headerNames[i]] = HexString(header + i, 1);
        }
        if (!command.lc.empty()) {
            part["lc"] = Hex(command.lc);
        }
        if (!command.data.empty()) {
            part["data"] = Shown(command.data, shownDataMask);
        }
        if (!command.le.empty()) {
            part["le"] = Hex(command.le);
        }
        if (command.malformed) {
            part["note"] = "the length of the data does not match Lc";
        } else if (!dataNote.empty()) {
            part["note"] = dataNote;
        }
        if (!json_) {
            *out_ += "> ";
            AppendEscaped(side.parsed.time.empty() ? "" : side.parsed.time + " ", out_);
            *out_ += apdu + "\n  " + command.name;
            AppendEscaped(command.detail.empty() ? "" : " " + command.detail, out_);
            *out_ += "\n  CLA " + part["cla"].get<std::string>() + "  INS " +
                     part["ins"].get<std::string>() + "  P1 " + part["p1"].get<std::string>() +
                     "  P2 " + part["p2"].get<std::string>();
            for (const char* field : {"lc", "data", "le"}) {
                if (part.contains(field)) {
                    *out_ += std::string("  ") +
                             (field[0] == 'd'   ? "Data"
                              : field[1] == 'c' ? "Lc"
                                                : "Le") +
                             " " + part[field].get<std::string>();
                }
            }
            *out_ += "\n";
            if (part.contains("note")) {
                *out_ += "  " + AsSentence(part["note"].get<std::string>()) + "\n";
            }
        }
        if (hasDol) {
            if (command.ins == INS_GENERATE_AC) {
                ++generateAcCount_;
            }
            if (!dolData.empty() || dolKnown_[kind]) {
                part["dol"] = DolPart(kind, dolData);
            }
        }
        if (command.ins == INS_SELECT) {
            selected_ = true;
            for (bool& known : dolKnown_) {
                known = false;
            }
        }
        if (command.ins == INS_SELECT || command.ins == INS_GET_PROCESSING_OPTIONS) {
            generateAcCount_ = 0;
        }
        return part;
    }

    Json DolPart(DolKind kind, const std::vector<uint8_t>& data) {
        Json part = Json::object();
        const std::string name = kDols[kind].name;
        part["name"] = name;
        std::vector<DolEntry> entries;
        if (!dolKnown_[kind] || !ParseDol(dols_[kind], &entries)) {
            // A SELECT forgets the lists of the application before it.
            const std::string seen =
                name + (selected_ ? " seen since the last SELECT" : " seen earlier in the trace");
            const std::string note =
                dolKnown_[kind] ? "the " + seen + " does not read as a list: " + Hex(dols_[kind])
                                : "no " + seen;
            part["note"] = note;
            if (!json_) {
                *out_ += "  " + AsSentence(note) + "\n";
            }
            return part;
        }
        const DolSplit split = SplitAlongDol(entries, data);
        Json list = Json::array();
        if (!json_) {
            *out_ += "  " + name + " data:\n";
        }
        for (const DolEntry& entry : split.entries) {
            Json item = Json::object();
            item["tag"] = Hex(entry.tag);
            item["name"] = TagName(entry.tag);
            item["length"] = entry.length;
            DigitMask valueMask;
            if (mask_) {
                AppendEntryMask(entry, &valueMask);
            }
            item["value"] = Shown(entry.value, valueMask);
            if (!json_) {
                *out_ += "    " + item["tag"].get<std::string>() + "\t" + TagName(entry.tag) +
                         "\t" + std::to_string(entry.length) +
                         (entry.length == 1 ? " byte\t" : " bytes\t") +
                         item["value"].get<std::string>() + "\n";
            }
            list.push_back(std::move(item));
        }
        part["entries"] = std::move(list);
        if (split.missing > 0) {
            part["missing"] = split.missing;
            if (!json_) {
                *out_ += "  The data lacks " + std::to_string(split.missing) +
                         (split.missing == 1 ? " byte" : " bytes") + " of the " + name + ".\n";
            }
        }
        if (!split.extra.empty()) {
            part["extra"] = Hex(split.extra);
            if (!json_) {
                *out_ += "  Beyond the " + name + ": " + Hex(split.extra) + "\n";
            }
        }
        return part;
    }

    Json ResponsePart(const Side& side, const CommandApdu* command) {
        const std::vector<uint8_t>& bytes = side.parsed.bytes;
        const uint8_t sw1 = bytes[bytes.size() - 2];
        const uint8_t sw2 = bytes[bytes.size() - 1];
        const std::vector<uint8_t> data(bytes.begin(), bytes.end() - 2);
        const ResponseData read = ReadResponseData(data);
        DigitMask mask;
        if (mask_ && read.readable) {
            AppendElementsMask(data.data(), static_cast<uint32_t>(data.size()),
                               read.general ? BER_RULES_GENERAL : BER_RULES_STRICT, &mask);
        } else if (mask_) {
            // Data that does not read is shown whole: hide what may be a card number in it. Its
            // status word may be the end of one, where the log wrote the status on a line of
            // its own.
            AppendDamagedElementsMask(bytes.data(), static_cast<uint32_t>(bytes.size()), &mask);
        }
        const DigitMask swMask(
            mask.begin() + static_cast<std::ptrdiff_t>(std::min(mask.size(), 2 * data.size())),
            mask.end());
        Json part = Json::object();
        part["line"] = side.line;
        if (!side.parsed.time.empty()) {
            part["time"] = JsonText(side.parsed.time);
        }
        part["apdu"] = Shown(bytes, mask);
        part["sw"] = Shown(std::vector<uint8_t>(bytes.end() - 2, bytes.end()), swMask);
        // The meaning of a status word would tell its hidden digits.
        part["status"] = MaskHidesAny(swMask) ? "Not shown: it may be the end of a card number"
                                              : StatusWordText(sw1, sw2);
        if (!json_) {
            *out_ += "< ";
            AppendEscaped(side.parsed.time.empty() ? "" : side.parsed.time + " ", out_);
            *out_ += part["apdu"].get<std::string>() + "\n  SW " + part["sw"].get<std::string>() +
                     ": " + part["status"].get<std::string>() + "\n";
        }
        if (data.empty()) {
            return part;
        }
        part["data"] = Shown(data, mask);
        const CommandApdu* answered = AnsweredCommand(command);
        if (answered != nullptr && answered->ins == INS_GET_CHALLENGE) {
            // Random bytes, not BER-TLV.
            part["note"] = "the card's unpredictable number";
            if (!json_) {
                *out_ += "  Data " + part["data"].get<std::string>() +
                         ": the card's unpredictable number\n";
            }
            return part;
        }
        if (!read.readable) {
            const std::string note = std::string("not one BER-TLV element: ") +
                                     BerProblemText(read.diagnostic.problem) + " at offset " +
                                     std::to_string(read.diagnostic.offset);
            part["note"] = note;
            if (!json_) {
                *out_ += "  Data " + part["data"].get<std::string>() + ", " + note + "\n";
            }
            return part;
        }
        if (read.list) {
            part["note"] =
                std::string("read with the general reader as a list: not one element (") +
                BerProblemText(read.diagnostic.problem) + " at offset " +
                std::to_string(read.diagnostic.offset) + ")";
        } else if (read.general) {
            part["note"] = "read with the general reader: the strict reading refuses it";
        }
        AddElement(read, data, &part);
        RememberDols(data);
        if (answered != nullptr) {
            AddFormat1Fields(*answered, data, &part);
        }
        return part;
    }

    // The command a response answers: on T=0 a card answers 61xx and the data comes back to
    // the GET RESPONSE that follows, possibly in several turns.
    const CommandApdu* AnsweredCommand(const CommandApdu* command) const {
        if (command != nullptr && command->ins == INS_GET_RESPONSE && awaitingData_) {
            return &awaitingCommand_;
        }
        return command;
    }

    void NoteStatus(const CommandApdu* command, uint8_t sw1) {
        const CommandApdu* answered = AnsweredCommand(command);
        // 6Cxx to a GET RESPONSE asks for it again with the right Le: the wait goes on.
        awaitingData_ =
            answered != nullptr && (sw1 == 0x61 || (sw1 == 0x6C && answered == &awaitingCommand_));
        if (awaitingData_ && answered != &awaitingCommand_) {
            awaitingCommand_ = *answered;
        }
    }

    void AddElement(const ResponseData& read, const std::vector<uint8_t>& data, Json* part) {
        ElementOutput& rows = read.general ? generalRows_ : strictRows_;
        const uint32_t size = static_cast<uint32_t>(data.size());
        if (json_) {
            // The elements are written where this placeholder stands once the exchange is.
            (*part)[read.list ? "elements" : "element"] = kElementsPlaceholder;
            pendingElements_ = data;
            pendingRows_ = &rows;
            pendingList_ = read.list;
            return;
        }
        if (read.general) {
            *out_ += "  " + AsSentence((*part)["note"].get<std::string>()) + "\n";
        }
        rows.AppendText(data.data(), size, out_);
    }

    // Writes the exchange, the elements of its response streamed in the place held for them.
    void WriteExchange(Json exchange) {
        AppendJson(exchange, false, out_);
        *out_ += '\n';
        if (pendingRows_ == nullptr) {
            return;
        }
        // The JSON arena starts over only when no value is left: the rows' values take the
        // memory of the one before.
        exchange = Json();
        std::string placeholder;
        AppendJson(Json(kElementsPlaceholder), false, &placeholder);
        // The response is the exchange's last member, and what follows its elements (format 1
        // fields) holds hexadecimal text, names and notes only.
        const size_t at = out_->rfind(placeholder);
        if (at == std::string::npos) {
            pendingRows_ = nullptr;
            return;
        }
        const std::string rest = out_->substr(at + placeholder.size());
        out_->resize(at);
        BerCursor top;
        pendingRows_->StartRecord(pendingElements_.data(),
                                  static_cast<uint32_t>(pendingElements_.size()), &top);
        if (pendingList_) {
            *out_ += '[';
            for (bool first = true; pendingRows_->HasNext(top); first = false) {
                if (!first) {
                    *out_ += ',';
                }
                pendingRows_->AppendNextJsonText(&top, false, 0, out_);
            }
            *out_ += ']';
        } else {
            pendingRows_->AppendNextJsonText(&top, false, 0, out_);
        }
        *out_ += rest;
        pendingRows_ = nullptr;
        std::vector<uint8_t>().swap(pendingElements_);
    }

    void RememberDols(const std::vector<uint8_t>& data) {
        if (BerCheck(data.data(), static_cast<uint32_t>(data.size()), BER_RULES_GENERAL,
                     BER_CHECK_SEQUENCE, nullptr, nullptr) != TLV_OK) {
            return;
        }
        BerCursor cursor;
        BerCursorInit(&cursor, data.data(), static_cast<uint32_t>(data.size()), BER_RULES_GENERAL);
        for (int kind = 0; kind < DOL_COUNT; ++kind) {
            if (FindValue(cursor, kDols[kind], &dols_[kind])) {
                dolKnown_[kind] = true;
            }
        }
    }

    // GET PROCESSING OPTIONS and GENERATE AC may answer with template 80, whose value is a
    // fixed run of fields.
    void AddFormat1Fields(const CommandApdu& command, const std::vector<uint8_t>& data,
                          Json* part) {
        const Field* fields = nullptr;
        size_t count = 0;
        if (command.ins == INS_GET_PROCESSING_OPTIONS) {
            fields = kGpoFormat1;
            count = sizeof kGpoFormat1 / sizeof kGpoFormat1[0];
        } else if (command.ins == INS_GENERATE_AC) {
            fields = kGenerateAcFormat1;
            count = sizeof kGenerateAcFormat1 / sizeof kGenerateAcFormat1[0];
        }
        BerCursor cursor;
        BerCursorInit(&cursor, data.data(), static_cast<uint32_t>(data.size()), BER_RULES_GENERAL);
        BerElement element;
        if (fields == nullptr || data[0] != 0x80 ||
            BerReadNext(&cursor, &element, nullptr) != TLV_OK) {
            return;
        }
        const uint8_t* value = BerValueOf(&element);
        uint32_t at = 0;
        Json list = Json::array();
        if (element.valueLength == 0) {
            return;
        }
        if (!json_) {
            *out_ += "  Format 1 fields:\n";
        }
        for (size_t i = 0; i < count && at < element.valueLength; ++i) {
            const uint32_t rest = element.valueLength - at;
            const uint32_t length =
                fields[i].length == 0 || fields[i].length > rest ? rest : fields[i].length;
            const std::vector<uint8_t> tag(fields[i].tag, fields[i].tag + fields[i].tagLength);
            Json item = Json::object();
            item["tag"] = Hex(tag);
            item["name"] = TagName(tag);
            item["value"] = HexString(value + at, length);
            std::string note;
            if (fields[i].length > rest) {
                note = "the value ends inside it: " + std::to_string(rest) + " of " +
                       std::to_string(fields[i].length) + " bytes";
            } else if (fields[i].entrySize != 0 && length % fields[i].entrySize != 0) {
                note = "not a whole number of " + std::to_string(fields[i].entrySize) +
                       "-byte entries";
            }
            if (!note.empty()) {
                item["note"] = note;
            }
            if (!json_) {
                *out_ += "    " + Hex(tag) + "\t" + TagName(tag) + "\t" +
                         item["value"].get<std::string>() + (note.empty() ? "" : "\t" + note) +
                         "\n";
            }
            list.push_back(std::move(item));
            at += length;
        }
        (*part)["fields"] = std::move(list);
    }

    bool json_;
    bool mask_;
    std::string* out_;
    ElementOutput strictRows_;
    ElementOutput generalRows_;
    Side pending_;
    bool hasPending_ = false;
    bool expectCommand_ = true;
    std::vector<uint8_t> dols_[DOL_COUNT];
    bool dolKnown_[DOL_COUNT] = {false, false, false, false, false};
    bool selected_ = false;
    int generateAcCount_ = 0;
    // The response data whose elements WriteExchange writes, and how.
    std::vector<uint8_t> pendingElements_;
    ElementOutput* pendingRows_ = nullptr;
    bool pendingList_ = false;
    // A command the card answered with 61xx, whose data a GET RESPONSE fetches.
    CommandApdu awaitingCommand_;
    bool awaitingData_ = false;
    uint64_t exchanges_ = 0;
    bool failed_ = false;
};

}  // namespace

int RunTrace(bool json, bool mask, const std::vector<std::string>& inputs) {
    std::string out;
    TraceSession session(json, mask, &out);
    TextLines lines(kLineLimit, [&session](uint64_t line, const std::string& text, bool cut) {
        return session.Line(line, text, cut);
    });
    FlushingSink sink(&lines, &out);
    const bool read = ReadInputs(ClassifyInputs(inputs, true), false, &sink);
    session.Finish();
    ReportEndlessLine(lines.EndlessLine(), lines.EndlessLineMiB());
    return read && !session.failed() && lines.EndlessLine() == 0 ? 0 : 1;
}
