#include "cli/record_writer.h"

#include "cli/output.h"

bool RecordWriter::TextWritten() {
    return WritePendingPiece(out_);
}

void RecordWriter::WriteValue(const Json& value) {
    shape_ = Shape::kValue;
    if (line_ == 0) {
        AppendJson(value, true, out_);
        return;
    }
    *out_ += "{\"line\":" + std::to_string(line_) + ",\"root\":";
    AppendJson(value, false, out_);
    *out_ += '}';
}

void RecordWriter::BeginList() {
    shape_ = Shape::kList;
    *out_ += line_ == 0 ? "[" : "{\"line\":" + std::to_string(line_) + ",\"roots\":[";
}

bool RecordWriter::WriteListItem(const Json& item) {
    if (line_ != 0) {
        if (items_++ > 0) {
            *out_ += ',';
        }
        AppendJson(item, false, out_);
        return WritePendingPiece(out_);
    }
    *out_ += items_++ > 0 ? ",\n" : "\n";
    // An item of the indented array stands one level in. Line breaks inside JSON strings are
    // escaped, so every one in the text starts a line of the item.
    const size_t start = out_->size();
    AppendJson(item, true, out_);
    std::string indented = "  ";
    indented.reserve(out_->size() - start + 64);
    for (size_t at = start; at < out_->size(); ++at) {
        indented += (*out_)[at];
        if ((*out_)[at] == '\n') {
            indented += "  ";
        }
    }
    out_->replace(start, std::string::npos, indented);
    return WritePendingPiece(out_);
}

void RecordWriter::Finish() {
    switch (shape_) {
        case Shape::kText:
            return;
        case Shape::kValue:
            break;
        case Shape::kList:
            if (line_ != 0) {
                *out_ += "]}";
            } else {
                *out_ += items_ > 0 ? "\n]" : "]";
            }
            break;
    }
    *out_ += '\n';
}
