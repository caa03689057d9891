// bertlv parse: the data element grid of the input, as text rows or JSON.
#include "cli/commands.h"
#include "cli/element_output.h"

int RunParse(const RecordOptions& options) {
    const uint8_t warnings = options.read.checkPadding
                                 ? BER_WARNING_NON_MINIMAL_LENGTH | BER_WARNING_MISPLACED_PADDING
                                 : BER_WARNING_NON_MINIMAL_LENGTH;
    ElementOutput output(options.read.general ? BER_RULES_GENERAL : BER_RULES_STRICT, warnings);
    const bool list = options.read.list;
    return RunRecords(options, [&output, list](const Record& record, bool json, std::string* text,
                                               Json* value, bool* many, std::string*) {
        if (!json) {
            output.AppendText(record.bytes, record.size, text);
            return true;
        }
        std::vector<Json> roots = output.ToJson(record.bytes, record.size);
        if (!list) {
            *value = std::move(roots.front());
            return true;
        }
        *value = Json(Json::value_t::array);
        for (Json& root : roots) {
            value->push_back(std::move(root));
        }
        *many = true;
        return true;
    });
}
