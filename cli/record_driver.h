// What `parse` and `analyse` share: reading the inputs as one record or one per line, reporting
// records that cannot be read, and writing text or JSON.
#ifndef QUORVEL_CLI_RECORD_DRIVER_H
#define QUORVEL_CLI_RECORD_DRIVER_H

#include <functional>
#include <string>
#include <vector>

#include "cli/record_reading.h"
#include "cli/record_writer.h"

struct RecordOptions {
    bool json = false;
    // Every line of the input is a record of its own.
    bool each = false;
    // Files and standard input hold raw bytes instead of hexadecimal text.
    bool binary = false;
    // Card numbers show masked (476173******0010).
    bool mask = false;
    ReadOptions read;
    std::vector<std::string> inputs;
};

// Shows one record that could be read: text rows, or JSON when `json` is set, through
// `writer`. False with `error` set when there is nothing to show, such as no element at the
// path asked for; that is known before anything is written.
using RecordRenderer =
    std::function<bool(const Record& record, bool json, RecordWriter* writer, std::string* error)>;

// Runs the command over the inputs and returns the exit status: 0 when every record was
// shown, 1 when any could not be read or shown or an input could not be read.
//
// One record: output as text or indented JSON, failures on standard error with the editor's
// messages. With `each`: text records separated by a blank line and failures on standard
// error as "line N: ..."; or JSON Lines, one compact object per record, {"line": N, "root":
// ...} ("roots" for an array), or {"line": N, "error": ..., "offset": K, "problem": ...}.
// Output is written as it is produced, so memory does not grow with the number of records.
int RunRecords(const RecordOptions& options, const RecordRenderer& render);

#endif
