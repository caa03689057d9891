// bertlv analyse: the Analysis panel's rows for one element of the input.
#include "cli/analysis_output.h"
#include "cli/commands.h"

int RunAnalyse(const RecordOptions& options, bool hasPath, const std::vector<uint32_t>& path) {
    const bool list = options.read.list;
    return RunRecords(
        options, [list, hasPath, &path](const Record& record, bool json, std::string* text,
                                        Json* value, bool* many, std::string* error) {
            std::vector<AnalysisRow> rows(1);
            if (record.root != nullptr) {
                if (!AnalyseNode(record.root, path, &rows[0])) {
                    *error = "No such element";
                    return false;
                }
            } else if (list && !hasPath) {
                rows = AnalyseTopLevel(record.bytes, record.size);
                *many = true;
            } else if (!AnalyseElement(record.bytes, record.size, list, path, &rows[0])) {
                *error = "No such element";
                return false;
            }
            if (!json) {
                for (const AnalysisRow& row : rows) {
                    AppendAnalysisText(row, text);
                }
            } else if (*many) {
                *value = Json::array();
                for (const AnalysisRow& row : rows) {
                    value->push_back(AnalysisJson(row));
                }
            } else {
                *value = AnalysisJson(rows[0]);
            }
            return true;
        });
}
