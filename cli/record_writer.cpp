#include "cli/record_writer.h"

#include "cli/output.h"

bool RecordWriter::TextWritten() {
    return WritePendingPiece(out_);
}

void RecordWriter::WriteValue(const Json& value) {
    BeginValue();
    AppendJson(value, indented(), out_);
}

void RecordWriter::BeginValue() {
    shape_ = Shape::kValue;
    if (!indented()) {
        *out_ += "{\"line\":" + std::to_string(line_) + ",\"root\":";
    }
}

void RecordWriter::BeginList() {
    shape_ = Shape::kList;
    *out_ += indented() ? "[" : "{\"line\":" + std::to_string(line_) + ",\"roots\":[";
}

bool RecordWriter::WriteListItem(const Json& item) {
    BeginListItem();
    AppendJson(item, indented(), ItemLevel(), out_);
    return EndListItem();
}

void RecordWriter::BeginListItem() {
    if (indented()) {
        *out_ += items_++ > 0 ? ",\n  " : "\n  ";
    } else if (items_++ > 0) {
        *out_ += ',';
    }
}

bool RecordWriter::EndListItem() {
    return WritePendingPiece(out_);
}

void RecordWriter::Finish() {
    switch (shape_) {
        case Shape::kText:
            return;
        case Shape::kValue:
            if (!indented()) {
                *out_ += '}';
            }
            break;
        case Shape::kList:
            if (!indented()) {
                *out_ += "]}";
            } else {
                *out_ += items_ > 0 ? "\n]" : "]";
            }
            break;
    }
    *out_ += '\n';
}
