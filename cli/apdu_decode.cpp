#include "cli/apdu_decode.h"

#include <stdio.h>

#include "dictionary/dictionary.h"

const char kUnknownCommandName[] = "UNKNOWN";

namespace {

struct Instruction {
    uint8_t ins;
    const char* name;
};

// ISO/IEC 7816-4 interindustry commands and the commands of EMV Book 3 (with the issuer script
// commands) and of the contactless kernels (COMPUTE CRYPTOGRAPHIC CHECKSUM).
const Instruction kInstructions[] = {
    {INS_SELECT, "SELECT"},
    {INS_READ_RECORD, "READ RECORD"},
    {INS_GET_PROCESSING_OPTIONS, "GET PROCESSING OPTIONS"},
    {INS_GENERATE_AC, "GENERATE AC"},
    {INS_GET_DATA, "GET DATA"},
    {INS_INTERNAL_AUTHENTICATE, "INTERNAL AUTHENTICATE"},
    {INS_EXTERNAL_AUTHENTICATE, "EXTERNAL AUTHENTICATE"},
    {INS_VERIFY, "VERIFY"},
    {INS_GET_CHALLENGE, "GET CHALLENGE"},
    {INS_GET_RESPONSE, "GET RESPONSE"},
    {INS_COMPUTE_CRYPTOGRAPHIC_CHECKSUM, "COMPUTE CRYPTOGRAPHIC CHECKSUM"},
    {0xB0, "READ BINARY"},
    {0x1E, "APPLICATION BLOCK"},
    {0x18, "APPLICATION UNBLOCK"},
    {0x16, "CARD BLOCK"},
    {0x24, "PIN CHANGE/UNBLOCK"},
    {INS_PUT_DATA, "PUT DATA"},
    {0xDC, "UPDATE RECORD"},
};

struct StatusWord {
    uint8_t sw1;
    // Meaningful only when `exact`; otherwise the entry covers every SW2 of its SW1.
    uint8_t sw2;
    bool exact;
    // For a group, "%d" takes SW2 where the text gives it a meaning.
    const char* text;
};

// ISO/IEC 7816-4 (section 5.6, tables 5 and 6) with the meanings EMV Books 1 and 3 give the
// status words a card returns to SELECT, GET PROCESSING OPTIONS, VERIFY and GENERATE AC.
const StatusWord kStatusWords[] = {
    {0x90, 0x00, true, "Process completed normally"},
    {0x61, 0, false, "Process completed normally, %d response bytes still available"},
    {0x62, 0x00, true, "Warning: no information given"},
    {0x62, 0x81, true, "Warning: part of returned data may be corrupted"},
    {0x62, 0x82, true, "Warning: end of file or record reached before reading Ne bytes"},
    {0x62, 0x83, true, "Warning: selected file deactivated (application blocked)"},
    {0x62, 0x84, true, "Warning: file control information not correctly formatted"},
    {0x62, 0x85, true, "Warning: selected file in termination state"},
    {0x62, 0x86, true, "Warning: no input data available from a sensor on the card"},
    {0x62, 0, false, "Warning: state of non-volatile memory unchanged"},
    {0x63, 0x00, true, "Warning: authentication or verification failed"},
    {0x63, 0x81, true, "Warning: file filled up by the last write"},
    {0x63, 0, false, "Warning: state of non-volatile memory changed"},
    {0x64, 0x00, true, "Execution error: state of non-volatile memory unchanged"},
    {0x64, 0x01, true, "Execution error: immediate response required by the card"},
    {0x64, 0, false, "Execution error: state of non-volatile memory unchanged"},
    {0x65, 0x00, true, "Execution error: state of non-volatile memory changed"},
    {0x65, 0x81, true, "Execution error: memory failure"},
    {0x65, 0, false, "Execution error: state of non-volatile memory changed"},
    {0x66, 0, false, "Execution error: security-related issue"},
    {0x67, 0x00, true, "Wrong length"},
    {0x67, 0, false, "Checking error: wrong length"},
    {0x68, 0x00, true, "Functions in CLA not supported"},
    {0x68, 0x81, true, "Logical channel not supported"},
    {0x68, 0x82, true, "Secure messaging not supported"},
    {0x68, 0x83, true, "Last command of the chain expected"},
    {0x68, 0x84, true, "Command chaining not supported"},
    {0x68, 0, false, "Checking error: functions in CLA not supported"},
    {0x69, 0x00, true, "Command not allowed"},
    {0x69, 0x81, true, "Command incompatible with file structure"},
    {0x69, 0x82, true, "Security status not satisfied"},
    {0x69, 0x83, true, "Authentication method blocked (PIN Try Limit exceeded)"},
    {0x69, 0x84, true, "Referenced data invalidated"},
    {0x69, 0x85, true, "Conditions of use not satisfied"},
    {0x69, 0x86, true, "Command not allowed (no current EF)"},
    {0x69, 0x87, true, "Expected secure messaging data objects missing"},
    {0x69, 0x88, true, "Incorrect secure messaging data objects"},
    {0x69, 0, false, "Checking error: command not allowed"},
    {0x6A, 0x80, true, "Incorrect parameters in the command data field"},
    {0x6A, 0x81, true, "Function not supported (card or application blocked)"},
    {0x6A, 0x82, true, "File or application not found"},
    {0x6A, 0x83, true, "Record not found"},
    {0x6A, 0x84, true, "Not enough memory space in the file"},
    {0x6A, 0x85, true, "Nc inconsistent with TLV structure"},
    {0x6A, 0x86, true, "Incorrect parameters P1-P2"},
    {0x6A, 0x87, true, "Nc inconsistent with parameters P1-P2"},
    {0x6A, 0x88, true, "Referenced data or reference data not found"},
    {0x6A, 0x89, true, "File already exists"},
    {0x6A, 0x8A, true, "DF name already exists"},
    {0x6A, 0, false, "Checking error: wrong parameters P1-P2"},
    {0x6B, 0x00, true, "Wrong parameters P1-P2"},
    {0x6B, 0, false, "Checking error: wrong parameters P1-P2"},
    {0x6C, 0, false, "Wrong Le field: %d data bytes available"},
    {0x6D, 0x00, true, "Instruction code not supported or invalid"},
    {0x6D, 0, false, "Checking error: instruction code not supported or invalid"},
    {0x6E, 0x00, true, "Class not supported"},
    {0x6E, 0, false, "Checking error: class not supported"},
    {0x6F, 0x00, true, "No precise diagnosis"},
    {0x6F, 0, false, "Checking error: no precise diagnosis"},
};

std::string Hex2(uint8_t byte) {
    char text[3];
    snprintf(text, sizeof text, "%02X", byte);
    return text;
}

// Lc and Le of one length, or of three (extended Lc) or two (extended Le) bytes.
void SplitBody(const std::vector<uint8_t>& bytes, CommandApdu* command) {
    const size_t size = bytes.size();
    if (size == 4) {
        return;
    }
    if (size == 5) {
        command->le.assign(bytes.begin() + 4, bytes.end());
        return;
    }
    if (bytes[4] != 0) {
        const size_t lc = bytes[4];
        if (size == 5 + lc || size == 6 + lc) {
            command->lc.assign(bytes.begin() + 4, bytes.begin() + 5);
            command->data.assign(bytes.begin() + 5, bytes.begin() + 5 + static_cast<long>(lc));
            command->le.assign(bytes.begin() + 5 + static_cast<long>(lc), bytes.end());
            return;
        }
    } else if (size == 7) {
        command->le.assign(bytes.begin() + 4, bytes.end());
        return;
    } else if (size > 7) {
        const size_t lc = static_cast<size_t>(bytes[5]) << 8 | bytes[6];
        if (lc > 0 && (size == 7 + lc || size == 9 + lc)) {
            command->lc.assign(bytes.begin() + 4, bytes.begin() + 7);
            command->data.assign(bytes.begin() + 7, bytes.begin() + 7 + static_cast<long>(lc));
            command->le.assign(bytes.begin() + 7 + static_cast<long>(lc), bytes.end());
            return;
        }
    }
    command->malformed = true;
    command->data.assign(bytes.begin() + 4, bytes.end());
}

bool IsPrintable(const std::vector<uint8_t>& bytes) {
    for (const uint8_t byte : bytes) {
        if (byte < 0x20 || byte > 0x7E) {
            return false;
        }
    }
    return !bytes.empty();
}

std::string SelectDetail(const CommandApdu& command) {
    std::string detail;
    switch (command.p1) {
        case 0x04:
            detail = "by DF name";
            break;
        case 0x00:
            detail = "by file identifier";
            break;
        default:
            detail = "P1 " + Hex2(command.p1);
    }
    switch (command.p2 & 0x03) {
        case 0x00:
            detail += ", first or only occurrence";
            break;
        case 0x02:
            detail += ", next occurrence";
            break;
        default:
            detail += ", P2 " + Hex2(command.p2);
    }
    if (command.p1 == 0x04 && IsPrintable(command.data)) {
        detail += ": " + std::string(command.data.begin(), command.data.end());
    }
    return detail;
}

std::string ReadRecordDetail(const CommandApdu& command) {
    if ((command.p2 & 0x07) != 0x04) {
        return "P1 " + Hex2(command.p1) + ", P2 " + Hex2(command.p2);
    }
    // SFI 0 names no file: the card reads the one currently selected.
    const int sfi = command.p2 >> 3;
    return "record " + std::to_string(command.p1) +
           (sfi == 0 ? std::string(", current file") : ", SFI " + std::to_string(sfi));
}

// Reference control parameter of EMV Book 3, section 6.5.5.
std::string GenerateAcDetail(const CommandApdu& command) {
    static const char* const kTypes[4] = {"AAC", "TC", "ARQC", "RFU"};
    std::string detail = std::string(kTypes[command.p1 >> 6]) + " requested";
    if ((command.p1 & 0x10) != 0) {
        detail += ", CDA signature requested";
    }
    return detail;
}

std::string GetDataDetail(const CommandApdu& command) {
    const uint8_t tag[2] = {command.p1, command.p2};
    const bool oneByte = command.p1 == 0x00;
    const uint8_t* start = oneByte ? tag + 1 : tag;
    const uint8_t length = oneByte ? 1 : 2;
    std::string hex = oneByte ? Hex2(command.p2) : Hex2(command.p1) + Hex2(command.p2);
    return "tag " + hex + " (" + DictGetNameByTag(start, length) + ")";
}

std::string VerifyDetail(const CommandApdu& command) {
    switch (command.p2) {
        case VERIFY_PLAINTEXT_PIN:
            return "plaintext PIN";
        case VERIFY_ENCIPHERED_PIN:
            return "enciphered PIN";
        default:
            return "P2 " + Hex2(command.p2);
    }
}

}  // namespace

CommandApdu DecodeCommand(const std::vector<uint8_t>& bytes) {
    CommandApdu command;
    if (bytes.size() < 4) {
        return command;
    }
    command.valid = true;
    command.cla = bytes[0];
    command.ins = bytes[1];
    command.p1 = bytes[2];
    command.p2 = bytes[3];
    SplitBody(bytes, &command);
    command.name = kUnknownCommandName;
    for (const Instruction& instruction : kInstructions) {
        if (instruction.ins == command.ins) {
            command.name = instruction.name;
        }
    }
    switch (command.ins) {
        case INS_SELECT:
            command.detail = SelectDetail(command);
            break;
        case INS_READ_RECORD:
            command.detail = ReadRecordDetail(command);
            break;
        case INS_GENERATE_AC:
            command.detail = GenerateAcDetail(command);
            break;
        case INS_GET_DATA:
            command.detail = GetDataDetail(command);
            break;
        case INS_VERIFY:
            command.detail = VerifyDetail(command);
            break;
        default:
            break;
    }
    return command;
}

std::string StatusWordText(uint8_t sw1, uint8_t sw2) {
    if (sw1 == 0x63 && (sw2 & 0xF0) == 0xC0) {
        return "Warning: counter " + std::to_string(sw2 & 0x0F) +
               " (PIN tries left after a failed VERIFY)";
    }
    for (const StatusWord& word : kStatusWords) {
        if (word.sw1 == sw1 && (!word.exact || word.sw2 == sw2)) {
            char text[128];
            snprintf(text, sizeof text, word.text, sw2 == 0 ? 256 : sw2);
            return text;
        }
    }
    return "Unknown status";
}
