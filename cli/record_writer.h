// Where `parse` and `analyse` write the output of one record: text rows, or JSON, either as
// the whole output (indented) or as one JSON Line of `--each` ({"line": N, "root": ...}).
// Text and the items of an array of top-level elements are written out in pieces as they come,
// so that memory does not grow with the number of elements.
#ifndef QUORVEL_CLI_RECORD_WRITER_H
#define QUORVEL_CLI_RECORD_WRITER_H

#include <stdint.h>

#include <string>

#include "dictionary/json_output.h"

class RecordWriter {
public:
    // `out` gathers what is not yet written. A `line` of 0 writes the record's JSON indented,
    // any other number writes it as that line's JSON Line.
    RecordWriter(std::string* out, uint64_t line) : out_(out), line_(line) {}

    // Text rows are appended here; TextWritten after each piece writes them out once enough
    // has gathered.
    std::string* text() { return out_; }
    // False once a write has failed: the rest need not be produced.
    bool TextWritten();

    // The record's one JSON value, or the place where the caller writes it into text().
    void WriteValue(const Json& value);
    void BeginValue();
    // An array of top-level elements, item by item; false once a write has failed.
    void BeginList();
    bool WriteListItem(const Json& item);
    // The same where the caller writes the item into text(), as a value ItemLevel() levels
    // deep when indented().
    void BeginListItem();
    bool EndListItem();

    // JSON is indented for a whole output, compact on one line of JSON Lines.
    bool indented() const { return line_ == 0; }
    int ItemLevel() const { return 1; }

    // Closes the JSON of the record.
    void Finish();

private:
    enum class Shape { kText, kValue, kList };

    std::string* out_;
    uint64_t line_;
    Shape shape_ = Shape::kText;
    uint64_t items_ = 0;
};

#endif
