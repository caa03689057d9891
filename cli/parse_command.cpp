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
        BerCursor top;
        output.StartRecord(record.bytes, record.size, &top);
        if (!json) {
            while (output.AppendNextText(&top, writer->text()) && writer->TextWritten()) {
            }
            return true;
        }
        Json root;
        if (!list) {
            output.NextJson(&top, &root);
            writer->WriteValue(root);
            return true;
        }
        writer->BeginList();
        while (output.NextJson(&top, &root) && writer->WriteListItem(root)) {
        }
        return true;
    });
}
