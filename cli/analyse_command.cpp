// bertlv analyse: the Analysis panel's rows for one element of the input.
#include "cli/analysis_output.h"
#include "cli/commands.h"

namespace {

// Every top-level element of a sequence, each written as soon as it is decoded.
void WriteTopLevel(const Record& record, bool json, uint32_t rowOptions, RecordWriter* writer) {
    BerCursor top;
    StartTopLevel(record.bytes, record.size, &top);
    AnalysisRow row;
    if (json) {
        writer->BeginList();
    }
    bool written = true;
    while (written && AnalyseNextTopLevel(&top, rowOptions, &row)) {
        if (json) {
            written = writer->WriteListItem(AnalysisJson(row));
        } else {
            AppendAnalysisText(row, writer->text());
            written = writer->TextWritten();
        }
    }
}

}  // namespace

int RunAnalyse(const RecordOptions& options, bool hasPath, const std::vector<uint32_t>& path) {
    const bool list = options.read.list;
    const uint32_t rowOptions = options.mask ? ANALYSIS_MASK_CARD_NUMBERS : 0;
    return RunRecords(
        options, [list, hasPath, &path, rowOptions](const Record& record, bool json,
                                                    RecordWriter* writer, std::string* error) {
            if (record.root == nullptr && list && !hasPath) {
                WriteTopLevel(record, json, rowOptions, writer);
                return true;
            }
            AnalysisRow row;
            const bool found =
                record.root != nullptr
                    ? AnalyseNode(record.root, path, rowOptions, &row)
                    : AnalyseElement(record.bytes, record.size, list, path, rowOptions, &row);
            if (!found) {
                *error = "No such element";
                return false;
            }
            if (json) {
                writer->WriteValue(AnalysisJson(row));
            } else {
                AppendAnalysisText(row, writer->text());
            }
            return true;
        });
}
