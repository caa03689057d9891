// bertlv parse: the data element grid of the input, as text rows or JSON.
#include "cli/commands.h"
#include "dictionary/element_output.h"

int RunParse(const RecordOptions& options) {
    const uint8_t warnings = options.read.checkPadding
                                 ? BER_WARNING_NON_MINIMAL_LENGTH | BER_WARNING_MISPLACED_PADDING
                                 : BER_WARNING_NON_MINIMAL_LENGTH;
    ElementOutput output(options.read.general ? BER_RULES_GENERAL : BER_RULES_STRICT, warnings,
                         options.mask);
    const bool list = options.read.list;
    return RunRecords(options, [&output, list](const Record& record, bool json,
                                               RecordWriter* writer, std::string*) {
        // Rows are written out as they gather, so that a template of millions of elements
        // takes no memory of its size.
        output.SetRowWritten([writer] { return writer->TextWritten(); });
        BerCursor top;
        output.StartRecord(record.bytes, record.size, &top);
        if (!json) {
            while (output.AppendNextText(&top, writer->text()) && writer->TextWritten()) {
            }
        } else if (!list) {
            writer->BeginValue();
            output.AppendNextJsonText(&top, writer->indented(), 0, writer->text());
        } else {
            writer->BeginList();
            bool written = true;
            while (written && output.HasNext(top)) {
                writer->BeginListItem();
                output.AppendNextJsonText(&top, writer->indented(), writer->ItemLevel(),
                                          writer->text());
                written = writer->EndListItem();
            }
        }
        output.SetRowWritten(nullptr);
        return true;
    });
}
