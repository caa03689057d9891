#include "cli/json_writer.h"

#include <stdio.h>

void JsonWriter::NewLine() {
    text_ += '\n';
    text_.append(2 * hasMembers_.size(), ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasMembers_.empty()) {
        if (hasMembers_.back()) {
            text_ += ',';
        }
        hasMembers_.back() = true;
        NewLine();
    }
}

void JsonWriter::BeginObject() {
    BeforeValue();
    text_ += '{';
    hasMembers_.push_back(false);
}

void JsonWriter::BeginArray() {
    BeforeValue();
    text_ += '[';
    hasMembers_.push_back(false);
}

void JsonWriter::Close(char bracket) {
    const bool hadMembers = hasMembers_.back();
    hasMembers_.pop_back();
    if (hadMembers) {
        NewLine();
    }
    text_ += bracket;
}

void JsonWriter::EndObject() {
    Close('}');
}

void JsonWriter::EndArray() {
    Close(']');
}

void JsonWriter::Key(const std::string& key) {
    String(key);
    text_ += ": ";
    afterKey_ = true;
}

void JsonWriter::String(const std::string& value) {
    BeforeValue();
    text_ += '"';
    for (unsigned char c : value) {
        switch (c) {
            case '"':
                text_ += "\\\"";
                break;
            case '\\':
                text_ += "\\\\";
                break;
            case '\n':
                text_ += "\\n";
                break;
            case '\r':
                text_ += "\\r";
                break;
            case '\t':
                text_ += "\\t";
                break;
            default:
                if (c < 0x20 || c >= 0x7F) {
                    // Texts are 8-bit; bytes outside ASCII are written as their Latin-1 code.
                    char escaped[8];
                    snprintf(escaped, sizeof escaped, "\\u%04X", c);
                    text_ += escaped;
                } else {
                    text_ += static_cast<char>(c);
                }
        }
    }
    text_ += '"';
}

void JsonWriter::Number(long value) {
    BeforeValue();
    text_ += std::to_string(value);
}

void JsonWriter::Null() {
    BeforeValue();
    text_ += "null";
}
